#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "models/Option.h"
#include "models/Option365.h"
#include "models/RecordingSink.h"

namespace valquor {
namespace {

using ::testing::Message;

constexpr bool kCall = false;
constexpr bool kPut = true;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kMaxFloat = std::numeric_limits<float>::max();

struct PriceCase {
  bool IsPut;
  int Days;
  float Strike, Price, Volatility, RiskFree;
  float Expected;
  float Tolerance;
};

Message Label(const PriceCase& c) {
  return Message() << (c.IsPut ? "put" : "call") << " days " << c.Days << " strike " << c.Strike
                   << " price " << c.Price << " vol " << c.Volatility << " rate " << c.RiskFree;
}

TEST(OptionTest, BlackScholesValues) {
  // Five-decimal figures come from single precision and the polynomial normal distribution
  // (7.96558 where the exact value is 7.965567).
  const PriceCase kCases[] = {
      {kCall, 260, 100, 100, 20, 0.0f, 7.96558f, 2e-5f},
      {kPut, 260, 100, 100, 20, 0.0f, 7.96558f, 2e-5f},
      {kCall, 260, 100, 100, 20, 0.05f, 10.45058f, 2e-5f},
      {kPut, 260, 100, 100, 20, 0.05f, 5.57352f, 2e-5f},
      {kCall, 20, 100, 100, 45, 0.0f, 4.97588f, 2e-5f},
      {kPut, 20, 100, 100, 45, 0.0f, 4.97588f, 2e-5f},
      // Far out of the money: no negative premium.
      {kCall, 5, 300, 100, 10, 0.0f, 0.0f, 0.0f},
      // Years beyond counting or a volatility beyond reason: a call is worth the price.
      {kCall, std::numeric_limits<int>::max(), 100, 100, 20, 0.05f, 100.0f, 1e-4f},
      {kCall, 260, 100, 100, 1e30f, 0.05f, 100.0f, 1e-4f},
  };
  for (const PriceCase& c : kCases) {
    SCOPED_TRACE(Label(c));
    TRecordingSink platform;
    TOption option(platform);
    option.RiskFree = c.RiskFree;
    EXPECT_NEAR(option.Value(c.IsPut, c.Days, c.Strike, c.Price, c.Volatility), c.Expected,
                c.Tolerance);
    EXPECT_TRUE(platform.Messages.empty());
  }
}

TEST(OptionTest, NoStrikeOrPriceIsWorthNothingAndNoTimeOrVolatilityTheIntrinsicValue) {
  const PriceCase kCases[] = {
      {kCall, 260, 0, 100, 20, 0.05f, 0, 0},
      {kPut, 260, 0, 100, 20, 0.05f, 0, 0},
      {kPut, 260, 0.0009f, 100, 20, 0.0f, 0, 0},
      {kPut, 260, 100, 0.0009f, 20, 0.0f, 0, 0},
      {kCall, 0, 90, 100, 20, 0.05f, 10, 0},
      {kPut, 0, 90, 100, 20, 0.05f, 0, 0},
      {kCall, 0, 90, 100, 0, 0.05f, 10, 0},
      {kCall, 20, 90, 100, 0, 0.05f, 10, 0},
      {kPut, 20, 90, 100, 0, 0.05f, 0, 0},
      {kPut, 20, 110, 100, 0.0009f, 0, 10, 0},
      {kCall, -5, 90, 100, 20, 0.0f, 10, 0},
      {kPut, std::numeric_limits<int>::min(), 110, 100, 20, 0.0f, 10, 0},
      {kCall, 20, 90, 100, -20, 0.0f, 10, 0},
      {kCall, 0, 100, 100.00005f, 20, 0.0f, 0, 0},
  };
  for (const PriceCase& c : kCases) {
    SCOPED_TRACE(Label(c));
    TRecordingSink platform;
    TOption option(platform);
    option.RiskFree = c.RiskFree;
    EXPECT_EQ(option.Value(c.IsPut, c.Days, c.Strike, c.Price, c.Volatility), c.Expected);
    EXPECT_TRUE(platform.Messages.empty());
  }
}

TEST(OptionTest, SpreadBelowOneTenThousandthShowsItsDaysAndVolatility) {
  TRecordingSink platform;
  TOption option(platform);
  TOption365 option365(platform);
  EXPECT_EQ(option.Value(kCall, 1, 100, 100, 0.1f), 0.0f);
  EXPECT_EQ(option365.Value(kPut, 1, 100, 100, 0.1f), 0.0f);
  EXPECT_EQ(option.Value(kCall, 2, 100, 100, 0.05f), 0.0f);
  EXPECT_EQ(platform.Messages,
            (std::vector<std::string>{"Option Error: 1086: Days= 1 Vol= 0.100000001490116",
                                      "Option Error: 1086: Days= 1 Vol= 0.100000001490116",
                                      "Option Error: 1086: Days= 2 Vol= 0.0500000007450581"}));
}

TEST(OptionTest, ArithmeticFaultShowsOptionError1088AndGivesZero) {
  const PriceCase kCases[] = {
      {kCall, 260, 100, kNaN, 20, 0.05f, 0, 0},
      {kPut, 260, kNaN, 100, 20, 0.05f, 0, 0},
      {kCall, 0, 100, 100, kNaN, 0.05f, 0, 0},
      {kCall, 260, 100, 100, 20, kNaN, 0, 0},
      // e^(-rate T) overflows.
      {kPut, 260, 100, 100, 20, -1000.0f, 0, 0},
      // The premium leaves the single-precision range.
      {kPut, 260, 100, 100, 20, -87.0f, 0, 0},
      {kPut, 260, kMaxFloat, 1, 20, -1.0f, 0, 0},
  };
  for (const PriceCase& c : kCases) {
    SCOPED_TRACE(Label(c));
    TRecordingSink platform;
    TOption option(platform);
    option.RiskFree = c.RiskFree;
    EXPECT_EQ(option.Value(c.IsPut, c.Days, c.Strike, c.Price, c.Volatility), 0.0f);
    EXPECT_EQ(platform.Messages, std::vector<std::string>{"Option Error: 1088"});
  }
}

TEST(OptionTest, PutCallParity) {
  TRecordingSink platform;
  TOption option(platform);
  for (const float rate : {0.0f, 0.05f}) {
    for (const int days : {20, 130, 260, 600}) {
      for (const float strike : {80.0f, 100.0f, 120.0f}) {
        for (const float volatility : {10.0f, 45.0f}) {
          SCOPED_TRACE(Message() << "rate " << rate << " days " << days << " strike " << strike
                                 << " vol " << volatility);
          option.RiskFree = rate;
          const double call = option.Value(kCall, days, strike, 100, volatility);
          const double put = option.Value(kPut, days, strike, 100, volatility);
          const double years = static_cast<float>(days / 260.0);
          EXPECT_NEAR(call - put, 100 - strike * std::exp(-rate * years), 5e-5);
        }
      }
    }
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(Option365Test, CountsAYearAs365CalendarDays) {
  TRecordingSink platform;
  TOption option(platform);
  TOption365 option365(platform);
  for (const float rate : {0.0f, 0.05f}) {
    for (const bool isPut : {kCall, kPut}) {
      for (const float strike : {90.0f, 100.0f, 115.0f}) {
        SCOPED_TRACE(Message() << (isPut ? "put" : "call") << " rate " << rate << " strike "
                               << strike);
        option.RiskFree = rate;
        option365.RiskFree = rate;
        EXPECT_EQ(option365.Value(isPut, 365, strike, 100, 20),
                  option.Value(isPut, 260, strike, 100, 20));
      }
    }
    // 260 calendar days are less than a year; a call is worth less for them.
    EXPECT_LT(option365.Value(kCall, 260, 100, 100, 20), option.Value(kCall, 260, 100, 100, 20));
  }
  option365.RiskFree = 0.05f;
  EXPECT_NEAR(option365.Value(kCall, 365, 100, 100, 20), 10.45058f, 2e-5f);
}

}  // namespace
}  // namespace valquor
