#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "PriceColumnsSupport.h"
#include "volatility/VolatilityCone.h"

namespace valquor {
namespace {

using voltest::TSeries;

TEST(VolatilityCone, PercentilesInterpolateBetweenOrderStatistics) {
  struct TCase {
    const char* Label;
    std::vector<double> Sorted;
    double P;
    double Expected;
  };
  const TCase cases[] = {
      {"25th of four: position 0.75", {10, 20, 30, 40}, 0.25, 17.5},
      {"median of four: between the middle two", {10, 20, 30, 40}, 0.5, 25},
      {"75th of four: position 2.25", {10, 20, 30, 40}, 0.75, 32.5},
      {"minimum", {10, 20, 30, 40}, 0, 10},
      {"maximum", {10, 20, 30, 40}, 1, 40},
      {"median of five: the middle value", {1, 2, 4, 8, 16}, 0.5, 4},
      {"25th of five: the second value", {1, 2, 4, 8, 16}, 0.25, 2},
      {"10th of six: position 0.5", {0, 6, 7, 8, 9, 10}, 0.1, 3},
      {"one value", {7}, 0.25, 7},
      {"below 0 is the minimum", {10, 20}, -1, 10},
      {"above 1 is the maximum", {10, 20}, 2, 20},
      {"no values", {}, 0.5, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    EXPECT_DOUBLE_EQ(Percentile(c.Sorted, c.P), c.Expected);
  }
}

TEST(VolatilityCone, SpreadsTheRollingCloseToCloseVolatilityOfAKnownSeries) {
  // Thirteen closes: eight 5-day windows and three 10-day windows, worked out by hand.
  const TSeries series =
      TSeries::Closes({100, 102, 101, 103, 104, 102, 105, 107, 106, 108, 107, 110, 109});
  const TVolatilityCone cone = VolatilityCone(series.Columns());
  struct TCase {
    int Window;
    int Count;
    double Minimum, P25, Median, P75, Maximum, Latest;
  };
  const TCase cases[] = {
      {5, 8, 28.066641308, 28.673264978, 29.556999344, 32.234249390, 33.495315597, 29.108167066},
      {10, 3, 27.441926403, 28.048335015, 28.654743628, 28.716581369, 28.778419109, 28.654743628},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Window);
    const auto row = std::find_if(cone.begin(), cone.end(),
                                  [&](const TConeRow& r) { return r.Window == c.Window; });
    ASSERT_NE(row, cone.end());
    EXPECT_EQ(row->Count(), c.Count);
    ASSERT_TRUE(row->Minimum && row->Percentile25 && row->Median && row->Percentile75 &&
                row->Maximum && row->Latest);
    EXPECT_NEAR(*row->Minimum, c.Minimum, 1e-6);
    EXPECT_NEAR(*row->Percentile25, c.P25, 1e-6);
    EXPECT_NEAR(*row->Median, c.Median, 1e-6);
    EXPECT_NEAR(*row->Percentile75, c.P75, 1e-6);
    EXPECT_NEAR(*row->Maximum, c.Maximum, 1e-6);
    EXPECT_NEAR(*row->Latest, c.Latest, 1e-6);
  }
  // The windows of 21 days and more are longer than the data.
  for (const TConeRow& row : cone) {
    if (row.Window <= 10) continue;
    SCOPED_TRACE(row.Window);
    EXPECT_EQ(row.Count(), 0);
    EXPECT_FALSE(row.Minimum || row.Median || row.Maximum || row.Latest);
  }
}

TEST(VolatilityCone, PicksTheWindowClosestToTheDaysToExpiry) {
  const int cases[][2] = {{-5, 5},  {0, 5},    {7, 5},     {8, 10},    {15, 10},
                          {16, 21}, {31, 21},  {32, 42},   {52, 42},   {53, 63},
                          {94, 63}, {95, 126}, {189, 126}, {190, 252}, {100000, 252}};
  for (const auto& [days, window] : cases) {
    SCOPED_TRACE(days);
    EXPECT_EQ(ClosestConeWindow(days), window);
  }
}

TEST(VolatilityCone, WritesOrdinals) {
  const std::pair<int, const char*> cases[] = {
      {0, "0th"},     {1, "1st"},       {2, "2nd"},     {3, "3rd"},     {4, "4th"},
      {11, "11th"},   {12, "12th"},     {13, "13th"},   {21, "21st"},   {22, "22nd"},
      {23, "23rd"},   {83, "83rd"},     {100, "100th"}, {101, "101st"}, {111, "111th"},
      {112, "112th"}, {1002, "1002nd"},
  };
  for (const auto& [n, text] : cases) EXPECT_EQ(Ordinal(n), text) << n;
}

TEST(VolatilityCone, PlacesAnImpliedVolatilityAndSaysWhereItSits) {
  TVolatilityCone cone;
  for (std::size_t i = 0; i < kConeWindows.size(); ++i) cone[i].Window = kConeWindows[i];
  cone[2].Volatilities = {10, 20, 30, 40, 50};  // 21 days
  cone[1].Volatilities = {10, 20, 20, 20, 30};  // 10 days
  cone[0].Volatilities = {25};                  // 5 days
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct TCase {
    double Volatility;
    int Days;
    TIVPlace Place;
    double Percentile;
    const char* Text;
  };
  const TCase cases[] = {
      {45.4, 20, TIVPlace::Inside, 88.5, "45.4 % is at the 88th percentile of 21-day volatility"},
      {30, 21, TIVPlace::Inside, 50, "30.0 % is at the 50th percentile of 21-day volatility"},
      {43.2, 21, TIVPlace::Inside, 83, "43.2 % is at the 83rd percentile of 21-day volatility"},
      {10, 21, TIVPlace::Inside, 0, "10.0 % is at the 0th percentile of 21-day volatility"},
      {50, 21, TIVPlace::Inside, 100, "50.0 % is at the 100th percentile of 21-day volatility"},
      {9.5, 21, TIVPlace::Below, 0, "9.5 % is below every 21-day volatility"},
      {61.2, 30, TIVPlace::Above, 0, "61.2 % is above every 21-day volatility"},
      {20, 10, TIVPlace::Inside, 50, "20.0 % is at the 50th percentile of 10-day volatility"},
      {25, 5, TIVPlace::Inside, 50, "25.0 % is at the 50th percentile of 5-day volatility"},
      {45.4, 252, TIVPlace::NoHistory, 0, "45.4 %: too little history for 252-day volatility"},
      {0, 21, TIVPlace::NoVolatility, 0, "No implied volatility to place"},
      {-999, 21, TIVPlace::NoVolatility, 0, "No implied volatility to place"},
      {nan, 21, TIVPlace::NoVolatility, 0, "No implied volatility to place"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TIVPercentile placed = PlaceOnCone(cone, c.Volatility, c.Days);
    EXPECT_EQ(placed.Window, ClosestConeWindow(c.Days));
    EXPECT_EQ(placed.Place, c.Place);
    if (c.Place == TIVPlace::Inside) {
      EXPECT_NEAR(placed.Percentile, c.Percentile, 1e-9);
    }
    EXPECT_EQ(placed.Text, c.Text);
  }
}

TEST(VolatilityCone, AnImpliedVolatilityOnAPercentileLineReadsThatPercentile) {
  const TSeries series =
      TSeries::Closes({100, 102, 101, 103, 104, 102, 105, 107, 106, 108, 107, 110, 109});
  const TVolatilityCone cone = VolatilityCone(series.Columns());
  const TConeRow& five = cone[0];
  ASSERT_EQ(five.Window, 5);
  ASSERT_TRUE(five.Percentile25 && five.Median && five.Percentile75);
  EXPECT_NEAR(PlaceOnCone(cone, *five.Percentile25, 5).Percentile, 25, 1e-9);
  EXPECT_NEAR(PlaceOnCone(cone, *five.Median, 5).Percentile, 50, 1e-9);
  EXPECT_NEAR(PlaceOnCone(cone, *five.Percentile75, 5).Percentile, 75, 1e-9);
}

}  // namespace
}  // namespace valquor
