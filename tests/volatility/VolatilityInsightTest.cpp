// The Chart page's computation and texts, and the smile on the engine: day counting, the lines
// under the grids, the grids' cells, and a smile that comes out the same on any number of
// workers, silent whatever its valuations show.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "compute/Engine.h"
#include "models/Dates.h"
#include "models/Format.h"
#include "volatility/VolatilityInsight.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;

TEST(VolatilityInsight, CalendarDaysCountAs260Over365TradingDays) {
  struct Case {
    int Days;
    bool Calendar;
    int Trading;
  };
  const Case cases[] = {{30, false, 30}, {30, true, 21},   {365, true, 260}, {1, true, 1},
                        {2, true, 1},    {3, true, 2},     {0, true, 0},     {-5, true, -5},
                        {90, true, 64},  {189, false, 189}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Days) + (c.Calendar ? " calendar" : " trading"));
    EXPECT_EQ(TradingDaysOf(c.Days, c.Calendar), c.Trading);
  }
}

TEST(VolatilityInsight, DatesReadAsYearMonthDay) {
  EXPECT_EQ(DateText(*EncodeDate(2001, 3, 5)), "2001-03-05");
  EXPECT_EQ(DateText(*EncodeDate(1999, 12, 31) + 0.75), "1999-12-31");
}

// A series of closes only (n records), rising by 1 % a day and falling back every third day.
std::shared_ptr<TPriceSeries> Closes(int n) {
  auto prices = std::make_shared<TPriceSeries>();
  float close = 100;
  for (int i = 1; i <= n; ++i) {
    close *= i % 3 == 0 ? 0.985f : 1.01f;
    prices->Close[static_cast<std::size_t>(i)] = close;
  }
  prices->Count = n;
  return prices;
}

struct TRun {
  TValuationEngine Engine{1};
  TMessageLog Messages;
  TWorkControl Control;
  TComputeContext Context{Engine, Messages, Control};
};

TEST(VolatilityInsight, TheLinesUnderTheGridsSayWhatWasCounted) {
  struct Case {
    const char* Label;
    int Records;
    bool ClosesOnly;
    int MoveDays;
    std::string Skipped;
    std::string Odds;
  };
  const Case cases[] = {
      {"clipboard", 80, true, 20,
       "Closes only (clipboard): the range estimators need open, high and low",
       "60 windows of 20 trading days: your own history against the lognormal model at 25.0 % "
       "true volatility"},
      {"too short for any window", 10, false, 5, "Too few records for a 10-day window",
       "5 windows of 5 trading days: too little history"},
      {"a file without ranges", 40, false, 1,
       "Skipped records: 21 of the last 21 days (missing or inconsistent open, high or low)",
       "39 windows of 1 trading days: your own history against the lognormal model at 25.0 % "
       "true volatility"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Label);
    TVolatilityInsightRequest request;
    request.Prices = Closes(c.Records);
    request.ClosesOnly = c.ClosesOnly;
    request.MoveDays = c.MoveDays;
    request.TrueVolatility = 25;
    TRun run;
    const TVolatilityInsightResult result = ComputeVolatilityInsight(request, run.Context);
    EXPECT_EQ(SkippedText(request, result), c.Skipped);
    EXPECT_EQ(MoveOddsText(request, result), c.Odds);
    EXPECT_EQ(result.Closes.size(), static_cast<std::size_t>(c.Records));
    EXPECT_EQ(run.Control.Fraction(), 1.0);
  }
}

TEST(VolatilityInsight, GridCellsShowOneDecimalAndLeaveEmptyValuesEmpty) {
  TVolatilityInsightRequest request;
  request.Prices = Closes(30);
  request.ClosesOnly = true;
  request.MoveDays = 5;
  request.Calculator = TImpliedPoint{200, 21};
  TRun run;
  const TVolatilityInsightResult result = ComputeVolatilityInsight(request, run.Context);

  const TGridCells estimators = EstimatorCells(result);
  ASSERT_EQ(estimators.size(), 6u);
  const auto closeToClose = *result.Estimators.Value(TEstimator::CloseToClose, 0);
  EXPECT_THAT(
      estimators[1],
      ElementsAre("Close-to-close", FormatFixed(closeToClose, 1),
                  FormatFixed(*result.Estimators.Value(TEstimator::CloseToClose, 1), 1), ""));
  EXPECT_THAT(estimators[5], ElementsAre("Yang-Zhang", "", "", ""));

  const TGridCells cone = ConeCells(result);
  ASSERT_EQ(cone.size(), 8u);
  EXPECT_EQ(cone[1][0], "5 days");
  EXPECT_FALSE(cone[1][6].empty());
  EXPECT_THAT(cone[7], ElementsAre("252 days", "", "", "", "", "", ""));

  // 25 windows of 5 days: too few.
  EXPECT_THAT(MoveOddsCells(result)[1], ElementsAre("too little history", "", "", "", ""));
  EXPECT_TRUE(MoveOddsCsv(result).Rows.empty());
  EXPECT_EQ(PercentileText(result),
            "IV Calculator: 200.0 % is above every 21-day volatility; Implied volatility: No "
            "implied volatility to place");
}

TValuationTerms Tree() {
  TValuationTerms terms;
  terms.Formula = kFormulaBinomial;
  terms.RiskFree = 0.04f;
  terms.Carry = 0.04f;
  terms.Steps = 60;
  terms.American = true;
  return terms;
}

TEST(VolatilityInsight, TheSmileIsTheSameOnAnyNumberOfWorkersAndShowsNoMessages) {
  TAnalysisTable table;
  table.Days = 30;
  const float strikes[] = {0, 80, 95, 100, 105, 0};
  const float calls[] = {0, 0.5f, 8.1f, 4.6f, 2.2f, 0};
  const float puts[] = {0, 0.12f, 2.3f, 4.0f, 6.9f, 0};
  for (int r = 1; r <= 5; ++r) {
    table.K[static_cast<std::size_t>(r)] = strikes[r];
    table.CM[static_cast<std::size_t>(r)] = calls[r];
    table.PM[static_cast<std::size_t>(r)] = puts[r];
  }
  std::vector<TSmileData> smiles;
  for (const int workers : {1, 2, 7}) {
    SCOPED_TRACE(workers);
    TValuationEngine engine(workers);
    TMessageLog messages;
    TWorkControl control;
    TComputeContext context(engine, messages, control);
    smiles.push_back(ComputeSmile(table, Tree(), 100.0f, context));
    EXPECT_TRUE(messages.Messages.empty());
  }
  const TSmileData& first = smiles.front();
  ASSERT_EQ(first.Points.size(), 4u);
  ASSERT_EQ(first.LeftOut.size(), 1u);
  EXPECT_EQ(first.LeftOut[0].Strike, 80.0f);
  EXPECT_FALSE(first.LeftOut[0].IsPut);
  for (const TSmileData& smile : smiles) {
    ASSERT_EQ(smile.Points.size(), first.Points.size());
    for (std::size_t i = 0; i < smile.Points.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(smile.Points[i].Strike, first.Points[i].Strike);
      EXPECT_EQ(smile.Points[i].CallVolatility, first.Points[i].CallVolatility);
      EXPECT_EQ(smile.Points[i].PutVolatility, first.Points[i].PutVolatility);
    }
    EXPECT_EQ(smile.LeftOut.size(), first.LeftOut.size());
  }

  // The same as the core computes with one valuation in sequence.
  TValuationEngine engine(1);
  TMessageLog messages;
  TWorkControl control;
  TComputeContext context(engine, messages, control);
  std::vector<TSmileQuote> quotes;
  for (int r = 1; r <= 4; ++r) quotes.push_back({strikes[r], calls[r], puts[r]});
  const TSmileData sequential = SmileData(quotes, [&](bool isPut, float strike, float volatility) {
    return context.Sequential().Value(Tree(), isPut, 30, strike, 100.0f, volatility);
  });
  ASSERT_EQ(sequential.Points.size(), first.Points.size());
  for (std::size_t i = 0; i < first.Points.size(); ++i) {
    EXPECT_EQ(sequential.Points[i].CallVolatility, first.Points[i].CallVolatility);
    EXPECT_EQ(sequential.Points[i].PutVolatility, first.Points[i].PutVolatility);
  }

  const TCsvTable csv = SmileCsv(first);
  EXPECT_THAT(csv.Header, ElementsAre("Strike", "Call IV %", "Put IV %"));
  ASSERT_EQ(csv.Rows.size(), 4u);
  EXPECT_EQ(csv.Rows[0][0], "80");
  EXPECT_EQ(csv.Rows[0][1], "");
  EXPECT_EQ(csv.Rows[0][2], CsvNumber(first.Points[0].PutVolatility));
}

TEST(VolatilityInsight, AnUnknownFormulaLeavesEveryPremiumOutSilently) {
  TAnalysisTable table;
  table.Days = 20;
  table.K[1] = 100;
  table.CM[1] = 3;
  table.PM[1] = 2;
  TValuationTerms terms;
  terms.Formula = 9;
  TRun run;
  const TSmileData smile = ComputeSmile(table, terms, 100.0f, run.Context);
  EXPECT_TRUE(smile.Points.empty());
  EXPECT_EQ(smile.LeftOut.size(), 2u);
  EXPECT_TRUE(run.Messages.Messages.empty());
}

}  // namespace
}  // namespace valquor
