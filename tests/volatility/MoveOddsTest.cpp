#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "volatility/MoveOdds.h"

namespace valquor {
namespace {

// 1000, then ten times 1035, 1000, 940, 1000: day moves of +3.5 %, -3.38 %, -6 % (exactly) and
// +6.38 %, ten of each.
std::vector<float> CycleSeries() {
  std::vector<float> closes = {1000};
  for (int i = 0; i < 10; ++i) closes.insert(closes.end(), {1035, 1000, 940, 1000});
  return closes;
}

TEST(MoveOdds, CountsTheWindowsThatMovedBeyondEachLevel) {
  std::vector<float> gap = CycleSeries();
  gap[20] = 0;  // an empty close: the two windows through it are not counted
  struct TCase {
    const char* Label;
    std::vector<float> Closes;
    int Days;
    int Windows;
    std::array<int, 10> Up;    // q = 1..10
    std::array<int, 10> Down;  // q = 1..10
  };
  const TCase cases[] = {
      {"one day",
       CycleSeries(),
       1,
       40,
       {20, 20, 20, 10, 10, 10, 0, 0, 0, 0},
       // -6 % exactly is not beyond -6 %.
       {20, 20, 20, 10, 10, 0, 0, 0, 0, 0}},
      // Two days: 1035 -> 940 (-9.18 %) ten times, 940 -> 1035 (+10.11 %) nine times.
      {"two days",
       CycleSeries(),
       2,
       39,
       {9, 9, 9, 9, 9, 9, 9, 9, 9, 9},
       {10, 10, 10, 10, 10, 10, 10, 10, 10, 0}},
      {"one day with an empty close",
       gap,
       1,
       38,
       {18, 18, 18, 9, 9, 9, 0, 0, 0, 0},
       {20, 20, 20, 10, 10, 0, 0, 0, 0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const TMoveOdds odds = HistoricalMoveOdds(c.Closes, c.Days, 20);
    EXPECT_EQ(odds.Days, c.Days);
    EXPECT_EQ(odds.Windows, c.Windows);
    ASSERT_FALSE(odds.TooLittleHistory);
    ASSERT_EQ(odds.Rows.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
      const TMoveOddsRow& row = odds.Rows[i];
      SCOPED_TRACE("level " + std::to_string(row.Change));
      EXPECT_EQ(row.Change, static_cast<int>(i) + 1);
      EXPECT_EQ(row.UpCount, c.Up[i]);
      EXPECT_EQ(row.DownCount, c.Down[i]);
      EXPECT_DOUBLE_EQ(row.UpShare, 100.0 * c.Up[i] / c.Windows);
      EXPECT_DOUBLE_EQ(row.DownShare, 100.0 * c.Down[i] / c.Windows);
    }
  }
}

TEST(MoveOdds, FewerThanThirtyWindowsAreTooLittleHistory) {
  const std::vector<float> thirtyOne(31, 100);
  struct TCase {
    const char* Label;
    std::vector<float> Closes;
    int Days;
    int Windows;
    bool TooLittle;
  };
  const TCase cases[] = {
      {"30 windows", thirtyOne, 1, 30, false},
      {"29 windows", std::vector<float>(30, 100), 1, 29, true},
      {"30 windows of 10 days", std::vector<float>(40, 100), 10, 30, false},
      {"a window as long as the series", thirtyOne, 31, 0, true},
      {"no days", thirtyOne, 0, 0, true},
      {"negative days", thirtyOne, -5, 0, true},
      {"no closes", {}, 1, 0, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const TMoveOdds odds = HistoricalMoveOdds(c.Closes, c.Days, 20);
    EXPECT_EQ(odds.Windows, c.Windows);
    EXPECT_EQ(odds.TooLittleHistory, c.TooLittle);
    EXPECT_EQ(odds.Rows.empty(), c.TooLittle);
  }
  EXPECT_STREQ(kTooLittleHistory, "too little history");
}

TEST(MoveOdds, TheModelColumnIsTheProbabilitiesReportsLognormalColumn) {
  // The probabilities report at 20 trading days and a true volatility of 20 % prints these
  // lognormal chances for the rows +1 % .. +10 % and -1 % .. -10 %.
  const std::array<double, 10> reportUp = {41.8, 35.0, 28.8, 23.1, 18.2, 14.0, 10.6, 7.9, 5.7, 4.0};
  const std::array<double, 10> reportDown = {43.9, 36.8, 30.1, 23.9, 18.5,
                                             13.8, 10.0, 7.0,  4.7,  3.1};
  const std::vector<float> closes(60, 1002.31f);
  const TMoveOdds odds = HistoricalMoveOdds(closes, 20, 20);
  ASSERT_EQ(odds.Rows.size(), 10u);
  for (std::size_t i = 0; i < 10; ++i) {
    const TMoveOddsRow& row = odds.Rows[i];
    SCOPED_TRACE(row.Change);
    ASSERT_TRUE(row.UpModel && row.DownModel);
    EXPECT_NEAR(*row.UpModel, reportUp[i], 0.05);
    EXPECT_NEAR(*row.DownModel, reportDown[i], 0.05);
  }
}

TEST(MoveOdds, TheModelIsEmptyWhereItCannotBeEvaluated) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::vector<float> lastEmpty(40, 100);
  lastEmpty.back() = 0;
  struct TCase {
    const char* Label;
    std::vector<float> Closes;
    float Volatility;
    bool HasModel;
    double Up1;  // the model's chance of ending beyond +1 %, when it has one
  };
  const TCase cases[] = {
      {"a volatility of 0: the spread 0 gives even chances", std::vector<float>(40, 100), 0, true,
       50},
      {"a volatility that is not a number", std::vector<float>(40, 100), nan, false, 0},
      {"an infinite volatility", std::vector<float>(40, 100), inf, false, 0},
      {"a last close of 0", lastEmpty, 20, false, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const TMoveOdds odds = HistoricalMoveOdds(c.Closes, 1, c.Volatility);
    ASSERT_EQ(odds.Rows.size(), 10u);
    for (const TMoveOddsRow& row : odds.Rows) {
      EXPECT_EQ(row.UpModel.has_value(), c.HasModel) << row.Change;
      EXPECT_EQ(row.DownModel.has_value(), c.HasModel) << row.Change;
    }
    if (c.HasModel) {
      EXPECT_DOUBLE_EQ(*odds.Rows[0].UpModel, c.Up1);
    }
  }
}

}  // namespace
}  // namespace valquor
