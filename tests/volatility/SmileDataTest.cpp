#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "models/Option.h"
#include "forms/ScriptedPlatform.h"
#include "volatility/SmileData.h"

namespace valquor {
namespace {

TEST(SmileData, FindsTheVolatilityThatReproducesAPremiumWithinHalfACent) {
  const float inf = std::numeric_limits<float>::infinity();
  const TSmileValuation linear = [](bool, float, float v) { return v / 10; };
  const TSmileValuation step = [](bool, float, float v) { return v < 50 ? 1.0f : 2.0f; };
  const TSmileValuation broken = [](bool, float, float v) {
    return v > 100 ? std::numeric_limits<float>::quiet_NaN() : v / 10;
  };
  struct TCase {
    const char* Label;
    const TSmileValuation* Value;
    float Premium;
    bool Found;
  };
  const TCase cases[] = {
      {"inside the range", &linear, 4.54f, true},
      {"the value at 0.1 %", &linear, 0.01f, true},
      {"the value at 200 %", &linear, 20, true},
      {"below the value at 0.1 %", &linear, 0.001f, false},
      {"above the value at 200 %", &linear, 20.01f, false},
      {"a jump over the premium", &step, 1.5f, false},
      {"a value that is not a number on the way", &broken, 15, false},
      {"an infinite premium", &linear, inf, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto volatility = PremiumVolatility(*c.Value, false, 100, c.Premium);
    ASSERT_EQ(volatility.has_value(), c.Found);
    if (!volatility) continue;
    EXPECT_GE(*volatility, 0.1f);
    EXPECT_LE(*volatility, 200.0f);
    EXPECT_LE(std::fabs((*c.Value)(false, 100, *volatility) - c.Premium), 0.005);
  }
}

TEST(SmileData, GivesEachStrikesCallAndPutVolatilityAndListsThoseLeftOut) {
  // Black-Scholes, price 100, 20 trading days, rate 0.05; premiums made at known volatilities.
  TScriptedPlatform platform;
  TOption option(platform);
  option.RiskFree = 0.05f;
  const TSmileValuation value = [&](bool isPut, float strike, float volatility) {
    return option.Value(isPut, 20, strike, 100, volatility);
  };
  const std::vector<TSmileQuote> quotes = {
      {110, value(false, 110, 30), value(true, 110, 35)},
      {100, value(false, 100, 25), 0},  // no put premium
      {90, 50, value(true, 90, 45)},    // a call no volatility up to 200 % reaches
      {92.5, 60, -999},                 // the same; an unreadable put is not given
      {80, 15, 0},                      // a call below its intrinsic value of about 20
      {0, 5, 5},                        // no strike: no row
  };
  const TSmileData smile = SmileData(quotes, value);

  struct TPoint {
    float Strike;
    float Call;  // 0: none
    float Put;
  };
  const TPoint expected[] = {{90, 0, 45}, {100, 25, 0}, {110, 30, 35}};
  ASSERT_EQ(smile.Points.size(), std::size(expected));
  for (std::size_t i = 0; i < smile.Points.size(); ++i) {
    const TSmilePoint& point = smile.Points[i];
    SCOPED_TRACE(point.Strike);
    EXPECT_EQ(point.Strike, expected[i].Strike);
    EXPECT_EQ(point.CallVolatility.has_value(), expected[i].Call > 0);
    EXPECT_EQ(point.PutVolatility.has_value(), expected[i].Put > 0);
    // Half a cent of premium is a few hundredths of a volatility point at these strikes.
    if (point.CallVolatility) {
      EXPECT_NEAR(*point.CallVolatility, expected[i].Call, 0.1);
    }
    if (point.PutVolatility) {
      EXPECT_NEAR(*point.PutVolatility, expected[i].Put, 0.1);
    }
  }
  ASSERT_EQ(smile.LeftOut.size(), 3u);
  EXPECT_EQ(LeftOutLine(smile),
            "Left out (no volatility from 0.1 % to 200 % gives the premium): 90 call, 92.5 call, "
            "80 call");
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_EQ(LeftOutLine(SmileData(std::vector<TSmileQuote>{}, value)), "");
}

}  // namespace
}  // namespace valquor
