#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PriceColumnsSupport.h"
#include "VolatilityTestSupport.h"
#include "volatility/VolatilityEstimators.h"

namespace valquor {
namespace {

using voltest::TBar;
using voltest::TSeries;

// Five days of prices; the expected values below were worked out by hand from these (natural
// logarithms of the ratios, the formulas of the estimators' papers, 100 sqrt(260 variance)).
const std::vector<TBar> kBars = {{100, 101, 99, 100.5},
                                 {100.75, 102.5, 100.25, 102},
                                 {101.5, 103, 100.5, 101},
                                 {101.25, 101.75, 98.5, 99},
                                 {99.5, 100.5, 98.75, 100.25}};

// Close-to-close, Parkinson, Garman-Klass, Rogers-Satchell, Yang-Zhang.
using TExpected = std::array<double, kEstimatorCount>;
// Four days to the last record with record 2 (index 2) left out of the range estimators.
constexpr TExpected kWithoutRecord2 = {27.497901154, 24.080099581, 23.769407097, 22.491132319,
                                       23.540295819};

void ExpectValues(const TEstimatorValues& values, const TExpected& expected) {
  for (const TEstimator estimator : kEstimators) {
    SCOPED_TRACE(std::string(EstimatorName(estimator)));
    const auto& value = values[static_cast<std::size_t>(estimator)];
    ASSERT_TRUE(value.has_value());
    EXPECT_NEAR(*value, expected[static_cast<std::size_t>(estimator)], 1e-6);
  }
}

TEST(VolatilityEstimators, EachEstimatorMatchesItsHandComputedValue) {
  struct TCase {
    const char* Label;
    int End;
    int Window;
    TExpected Expected;
  };
  const TCase cases[] = {
      {"four days to the last record",
       4,
       4,
       {27.497901154, 24.008947667, 24.775653220, 24.460300005, 25.485961202}},
      {"three days to record 3",
       3,
       3,
       {28.871482600, 25.925218317, 26.525592102, 26.024959485, 27.126773125}},
  };
  const TSeries series(kBars);
  const TVolatilityEstimators estimators(series.Columns());
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto estimate = estimators.At(c.End, c.Window);
    ASSERT_TRUE(estimate.has_value());
    ExpectValues(estimate->Values, c.Expected);
    EXPECT_EQ(estimate->Records, c.Window);
    EXPECT_EQ(estimate->Skipped, 0);
  }
}

TEST(VolatilityEstimators, SkipAndCountARecordWhoseRangeIsMissingOrInconsistent) {
  const float inf = std::numeric_limits<float>::infinity();
  struct TCase {
    const char* Label;
    TBar Record2;  // the close stays 101, so close-to-close keeps its value
  };
  const TCase cases[] = {
      {"high below low", {101.5, 100.5, 103, 101}},
      {"open above the high", {104, 103, 100.5, 101}},
      {"open below the low", {100, 103, 100.5, 101}},
      {"close above the high", {101.5, 100.75, 100.5, 101}},
      {"close below the low", {101.5, 103, 101.25, 101}},
      {"open missing", {0, 103, 100.5, 101}},
      {"high missing", {101.5, 0, 100.5, 101}},
      {"low unreadable", {101.5, 103, -999, 101}},
      {"high not finite", {101.5, inf, 100.5, 101}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    TSeries series(kBars);
    series.Open[2] = c.Record2.Open;
    series.High[2] = c.Record2.High;
    series.Low[2] = c.Record2.Low;
    series.Close[2] = c.Record2.Close;
    const auto estimate = TVolatilityEstimators(series.Columns()).At(4, 4);
    ASSERT_TRUE(estimate.has_value());
    ExpectValues(estimate->Values, kWithoutRecord2);
    EXPECT_EQ(estimate->Skipped, 1);
  }
}

TEST(VolatilityEstimators, AConstantRangeGivesTheTextbookParkinsonFigure) {
  // A high 2 % above the low every day: ln(1.02) / (2 sqrt(ln 2)) a day, 19.1764 % a year,
  // whatever the open and close do inside the range.
  TSeries series;
  for (int i = 0; i < 70; ++i) {
    series.Add({100.5f + 0.5f * static_cast<float>(i % 3), 102, 100,
                101.5f - 0.25f * static_cast<float>(i % 4)});
  }
  const TEstimatorsTable table = CurrentEstimators(series.Columns());
  for (int column = 0; column < 3; ++column) {
    SCOPED_TRACE(kEstimatorWindows[static_cast<std::size_t>(column)]);
    const auto& parkinson = table.Value(TEstimator::Parkinson, column);
    ASSERT_TRUE(parkinson.has_value());
    EXPECT_NEAR(*parkinson, 19.176385935, 1e-6);
    EXPECT_EQ(table.Skipped[static_cast<std::size_t>(column)], 0);
  }
  EXPECT_EQ(table.SkippedWithin, 63);
}

TEST(VolatilityEstimators, ASeriesOfClosesOnlyHasOnlyCloseToClose) {
  TSeries closes = TSeries::Closes({100.5, 102, 101, 99, 100.25});
  const auto estimate = TVolatilityEstimators(closes.Columns()).At(4, 4);
  ASSERT_TRUE(estimate.has_value());
  const TEstimatorValues& v = estimate->Values;
  ASSERT_TRUE(v[0].has_value());
  EXPECT_NEAR(*v[0], 27.497901154, 1e-6);
  for (std::size_t i = 1; i < v.size(); ++i) EXPECT_FALSE(v[i].has_value()) << i;
  EXPECT_EQ(estimate->Skipped, 4);
}

TEST(VolatilityEstimators, TooFewUsableRecordsLeaveAnEstimatorEmpty) {
  // Record 2 has a close of 0 (an empty clipboard line): the returns into and out of it are
  // gone, and record 3 has no close before it for its overnight move.
  TSeries series(kBars);
  series.Close[2] = 0;
  const TVolatilityEstimators estimators(series.Columns());
  struct TCase {
    const char* Label;
    int End;
    int Window;
    std::array<bool, kEstimatorCount> Present;
    int Skipped;
  };
  const TCase cases[] = {
      {"one return, one overnight move", 3, 3, {false, true, true, true, false}, 1},
      {"two returns, two overnight moves", 4, 4, {true, true, true, true, true}, 1},
      {"a window of one day", 1, 1, {false, true, true, true, false}, 0},
      {"only the record without a close", 2, 1, {false, false, false, false, false}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto estimate = estimators.At(c.End, c.Window);
    ASSERT_TRUE(estimate.has_value());
    for (const TEstimator e : kEstimators) {
      EXPECT_EQ(estimate->Values[static_cast<std::size_t>(e)].has_value(),
                c.Present[static_cast<std::size_t>(e)])
          << EstimatorName(e);
    }
    EXPECT_EQ(estimate->Skipped, c.Skipped);
  }
}

TEST(VolatilityEstimators, AWindowLongerThanTheDataIsEmpty) {
  const TSeries series(kBars);
  const TVolatilityEstimators estimators(series.Columns());
  struct TCase {
    const char* Label;
    int End;
    int Window;
    bool Fits;
  };
  const TCase cases[] = {
      {"four days need five records", 4, 4, true}, {"five days need six", 4, 5, false},
      {"no close before the window", 3, 4, false}, {"past the last record", 5, 1, false},
      {"a window of no days", 4, 0, false},        {"a negative end", -1, 1, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    EXPECT_EQ(estimators.At(c.End, c.Window).has_value(), c.Fits);
    EXPECT_EQ(estimators.CloseToClose(c.End, c.Window).has_value(), c.Fits);
  }

  // Fifteen records: the 10-day column only.
  TSeries longer;
  for (int i = 0; i < 15; ++i) longer.Add(kBars[static_cast<std::size_t>(i % 5)]);
  const TEstimatorsTable table = CurrentEstimators(longer.Columns());
  for (const TEstimator e : kEstimators) {
    SCOPED_TRACE(std::string(EstimatorName(e)));
    EXPECT_TRUE(table.Value(e, 0).has_value());
    EXPECT_FALSE(table.Value(e, 1).has_value());
    EXPECT_FALSE(table.Value(e, 2).has_value());
  }
  EXPECT_EQ(table.Records, (std::array<int, 3>{10, 0, 0}));
  EXPECT_EQ(table.SkippedWithin, 10);

  // No records at all.
  const TEstimatorsTable none = CurrentEstimators(TSeries().Columns());
  EXPECT_EQ(none.SkippedWithin, 0);
  EXPECT_FALSE(none.Value(TEstimator::CloseToClose, 0).has_value());
  EXPECT_TRUE(RollingEstimates(TSeries().Columns()).empty());
}

TEST(VolatilityEstimators, TheRollingSeriesStartsAtTheFirstFullWindow) {
  TSeries series;
  for (int i = 0; i < 30; ++i) series.Add(kBars[static_cast<std::size_t>(i % 5)]);
  const TSeries closes = TSeries::Closes(series.Close);
  struct TCase {
    const char* Label;
    const TSeries* Series;
    int Window;
    int Points;
    int FirstRecord;
    double FirstDate;
  };
  const TCase cases[] = {
      {"21 days", &series, 21, 9, 22, 22},    {"10 days", &series, 10, 20, 11, 11},
      {"29 days", &series, 29, 1, 30, 30},    {"30 days: none", &series, 30, 0, 0, 0},
      {"no days: none", &series, 0, 0, 0, 0}, {"closes without dates", &closes, 21, 9, 22, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const TPriceColumns columns = c.Series->Columns();
    const std::vector<TRollingPoint> points = RollingEstimates(columns, c.Window);
    ASSERT_EQ(static_cast<int>(points.size()), c.Points);
    if (points.empty()) continue;
    EXPECT_EQ(points.front().Record, c.FirstRecord);
    EXPECT_EQ(points.front().Date, c.FirstDate);
    EXPECT_EQ(points.back().Record, 30);
    // Each point is the window ending at its record.
    const TVolatilityEstimators estimators(columns);
    for (const TRollingPoint& point : points) {
      EXPECT_EQ(point.Values, estimators.At(point.Record - 1, c.Window)->Values) << point.Record;
    }
  }
  EXPECT_EQ(RollingEstimates(series.Columns()).size(), 9u);  // 21 days unless chosen
}

TEST(VolatilityEstimators, ReadAPriceFileWithABadHighLowRecord) {
  // The third record's high lies below its low (and so the open is above the high): the file
  // loads with status 11, and the range estimators leave that record out.
  voltest::TScratchFolder folder;
  const std::string path = (folder / "bad.txt").string();
  std::string text = "D;O;H;L;C;V;S;0.01;1;2;Bad Range\r\n";
  const int monday = voltest::Day(2001, 3, 5);
  const char* const records[] = {"100;101;99;100.5", "100.75;102.5;100.25;102",
                                 "101.5;100.5;103;101", "101.25;101.75;98.5;99",
                                 "99.5;100.5;98.75;100.25"};
  for (int i = 0; i < 5; ++i) {
    text += voltest::DateText(monday + i) + ";" + records[i] + ";1000;0\r\n";
  }
  voltest::WriteFile(path, text);
  TScriptedPlatform platform;
  const auto prices = std::make_unique<TPrices>(platform);
  prices->LoadFromFile(path);
  ASSERT_EQ(prices->Status, kPricesOpenOutside);
  ASSERT_EQ(prices->Count, 5);

  const TPriceColumns columns = ColumnsOf(*prices);
  EXPECT_EQ(columns.Date.front(), voltest::Day(2001, 3, 5));
  const auto estimate = TVolatilityEstimators(columns).At(4, 4);
  ASSERT_TRUE(estimate.has_value());
  ExpectValues(estimate->Values, kWithoutRecord2);
  EXPECT_EQ(estimate->Skipped, 1);

  // Read as closes only, the same series has no range estimators.
  const auto closesOnly = TVolatilityEstimators(ClosesOf(*prices)).At(4, 4);
  ASSERT_TRUE(closesOnly.has_value());
  EXPECT_TRUE(closesOnly->Values[0].has_value());
  EXPECT_FALSE(closesOnly->Values[1].has_value());
  EXPECT_EQ(closesOnly->Skipped, 4);
}

}  // namespace
}  // namespace valquor
