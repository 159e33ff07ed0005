#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "models/Option.h"
#include "models/OptionInt.h"
#include "models/RecordingSink.h"

namespace valquor {
namespace {

using ::testing::Message;

constexpr bool kCall = false;
constexpr bool kPut = true;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Sums {
  float Upper = 0.0f;
  float Shifted = 0.0f;
};

struct IntCase {
  std::uint8_t Kind;
  int Intervals;
  bool IsPut;
  int Days;
  float Strike, Price, Volatility;
};

Message Label(const IntCase& c) {
  return Message() << "kind " << int{c.Kind} << " intervals " << c.Intervals << " "
                   << (c.IsPut ? "put" : "call") << " days " << c.Days << " strike " << c.Strike
                   << " price " << c.Price << " vol " << c.Volatility;
}

Sums Values(TOptionInt& option, const IntCase& c) {
  option.Distribution = c.Kind;
  option.Intervals = c.Intervals;
  Sums sums{-1.0f, -1.0f};
  option.Values(c.IsPut, c.Days, c.Strike, c.Price, c.Volatility, sums.Upper, sums.Shifted);
  return sums;
}

// The sums as the algorithm states them: every grid point from 3 to N + 1, through the public
// distribution, grid and payoff functions.
Sums LiteralValues(TOptionInt& option, const IntCase& c) {
  option.Distribution = c.Kind;
  option.Intervals = c.Intervals;
  const double spread =
      std::sqrt(static_cast<double>(c.Days) / option.DaysPerYear) * 0.01 * c.Volatility;
  double upper = 0.0;
  double shifted = 0.0;
  double previous = 0.0;
  double beforePrevious = 0.0;
  for (int j = 3; j <= c.Intervals + 1; ++j) {
    const float x = option.GridPrice(j, c.Price);
    const double f = option.DistributionCdf(c.Kind, x, c.Price, spread);
    const double payoff = PayoffAt(c.IsPut, x, c.Strike);
    upper += payoff * std::fabs(f - previous);
    shifted += payoff * std::fabs(previous - beforePrevious);
    beforePrevious = previous;
    previous = f;
  }
  return {static_cast<float>(upper), static_cast<float>(shifted)};
}

TEST(OptionIntTest, SumsOfTheAtTheMoneyCall) {
  // Black-Scholes gives 4.9759 for this call; the sums bracket it and close in as N grows.
  const struct {
    IntCase Terms;
    float Upper, Shifted;
  } kCases[] = {
      {{kNormalDistribution, 400, kCall, 20, 100, 100, 45}, 5.6208f, 7.0692f},
      {{kNormalDistribution, 1000, kCall, 20, 100, 100, 45}, 5.2318f, 5.7637f},
      {{kNormalDistribution, 5000, kCall, 20, 100, 100, 45}, 5.0292f, 5.1305f},
      {{kLognormalDistribution, 5000, kCall, 20, 100, 100, 45}, 5.0235f, 5.1198f},
  };
  TRecordingSink platform;
  TOptionInt option(platform);
  for (const auto& c : kCases) {
    SCOPED_TRACE(Label(c.Terms));
    const Sums sums = Values(option, c.Terms);
    EXPECT_NEAR(sums.Upper, c.Upper, 5e-5f);
    EXPECT_NEAR(sums.Shifted, c.Shifted, 5e-5f);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionIntTest, SkippingTermsWithoutPayoffOrMassLeavesTheSumsUnchanged) {
  const IntCase kTerms[] = {
      {0, 0, kCall, 20, 100, 100, 45},  {0, 0, kPut, 20, 100, 100, 45},
      {0, 0, kCall, 260, 130, 100, 45}, {0, 0, kPut, 520, 70, 100, 80},
      {0, 0, kPut, 5, 98, 100, 15},     {0, 0, kCall, 2600, 400, 100, 60},
      {0, 0, kCall, 20, 0.0f, 100, 45},
  };
  TRecordingSink platform;
  TOptionInt option(platform);
  for (const std::uint8_t kind :
       {kNormalDistribution, kLognormalDistribution, kMediumDistribution}) {
    for (const int intervals : {2, 3, 7, 400, 1001, 5000}) {
      for (IntCase c : kTerms) {
        c.Kind = kind;
        c.Intervals = intervals;
        SCOPED_TRACE(Label(c));
        const Sums expected = LiteralValues(option, c);
        const Sums actual = Values(option, c);
        EXPECT_EQ(actual.Upper, expected.Upper);
        EXPECT_EQ(actual.Shifted, expected.Shifted);
      }
    }
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionIntTest, SumsWithoutAGrid) {
  const struct {
    IntCase Terms;
    float Expected;
  } kCases[] = {
      {{kNormalDistribution, 400, kCall, 20, 100, 0.05f, 45}, 0.0f},
      {{kNormalDistribution, 400, kPut, 20, 100, 0.05f, 45}, 0.0f},
      {{kNormalDistribution, 400, kCall, 0, 100, 110, 45}, 10.0f},
      {{kNormalDistribution, 400, kPut, 0, 100, 110, 45}, 0.0f},
      {{kLognormalDistribution, 400, kPut, -7, 100, 90, 45}, 10.0f},
      {{kNormalDistribution, 400, kCall, 20, 100, 110, 0.0005f}, 10.0f},
      {{kNormalDistribution, 400, kCall, 0, 100, 100.00005f, 45}, 0.0f},
      {{kNormalDistribution, 1, kCall, 20, 100, 100, 45}, 0.0f},
      {{kNormalDistribution, 0, kCall, 20, 100, 100, 45}, 0.0f},
      {{kNormalDistribution, -5, kPut, 20, 100, 100, 45}, 0.0f},
      {{0, 400, kCall, 20, 100, 100, 45}, 0.0f},
      {{4, 400, kPut, 20, 100, 100, 45}, 0.0f},
  };
  TRecordingSink platform;
  TOptionInt option(platform);
  for (const auto& c : kCases) {
    SCOPED_TRACE(Label(c.Terms));
    const Sums sums = Values(option, c.Terms);
    EXPECT_EQ(sums.Upper, c.Expected);
    EXPECT_EQ(sums.Shifted, c.Expected);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionIntTest, SpreadBelowOneTenThousandthShowsError1090) {
  TRecordingSink platform;
  TOptionInt option(platform);
  const Sums sums = Values(option, {kNormalDistribution, 400, kCall, 1, 100, 100, 0.1f});
  EXPECT_EQ(sums.Upper, 0.0f);
  EXPECT_EQ(sums.Shifted, 0.0f);
  EXPECT_EQ(platform.Messages,
            std::vector<std::string>{"Option Error: 1090: Days= 1 Vol= 0.100000001490116"});
}

TEST(OptionIntTest, ArithmeticFaultsReachTheCaller) {
  TRecordingSink platform;
  TOptionInt option(platform);
  const IntCase kCases[] = {
      {kNormalDistribution, 400, kCall, 20, 100, kNaN, 45},
      {kNormalDistribution, 400, kCall, 20, kNaN, 100, 45},
      {kNormalDistribution, 400, kPut, 20, 100, 100, kNaN},
      // The grid reaches ten times the price.
      {kNormalDistribution, 400, kCall, 20, 100, 1e38f, 45},
  };
  for (const IntCase& c : kCases) {
    SCOPED_TRACE(Label(c));
    EXPECT_THROW((void)Values(option, c), ArithmeticFault);
  }
  for (const int daysPerYear : {0, -260}) {
    SCOPED_TRACE(Message() << "days per year " << daysPerYear);
    option.DaysPerYear = daysPerYear;
    EXPECT_THROW((void)Values(option, {kNormalDistribution, 400, kCall, 20, 100, 100, 45}),
                 ArithmeticFault);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionIntTest, LognormalMeanOfTheSumsApproachesBlackScholesWithoutInterest) {
  TRecordingSink platform;
  TOption blackScholes(platform);
  TOptionInt option(platform);
  for (const bool isPut : {kCall, kPut}) {
    for (const float strike : {90.0f, 100.0f, 115.0f}) {
      double previousError = std::numeric_limits<double>::infinity();
      for (const int intervals : {1000, 5000, 25000, 150000}) {
        const IntCase c{kLognormalDistribution, intervals, isPut, 60, strike, 100, 30};
        SCOPED_TRACE(Label(c));
        const Sums sums = Values(option, c);
        const double error = std::fabs((double{sums.Upper} + sums.Shifted) / 2.0 -
                                       blackScholes.Value(isPut, 60, strike, 100, 30));
        EXPECT_LT(error, previousError);
        previousError = error;
      }
      // The mean is off by about a grid step (10 * price / N) times the chance of a payoff.
      EXPECT_LT(previousError, 10 * 100.0 / 150000);
    }
  }
}

TEST(OptionIntTest, DistributionFunctionsByKind) {
  TRecordingSink platform;
  TOptionInt option(platform);
  EXPECT_NEAR(NormalPriceCdf(110, 100, 0.1), 0.841344746, 7.5e-8);
  EXPECT_NEAR(option.DistributionCdf(kNormalDistribution, 80, 100, 0.1), 0.022750132, 7.5e-8);
  EXPECT_NEAR(option.LognormalPriceCdf(100, 100, 0.2), 0.539827837, 7.5e-8);
  EXPECT_NEAR(option.DistributionCdf(kLognormalDistribution, 100 * std::exp(0.18), 100, 0.2),
              0.841344746, 7.5e-8);
  EXPECT_NEAR(option.MediumPriceCdf(100, 100, 0.2), (0.5 + 0.539827837) / 2, 1e-7);
  EXPECT_EQ(option.DistributionCdf(0, 100, 100, 0.2), 0.0);
  EXPECT_EQ(option.DistributionCdf(4, 100, 100, 0.2), 0.0);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionIntTest, LognormalWithoutSpreadShowsErrror678) {
  TRecordingSink platform;
  TOptionInt option(platform);
  EXPECT_EQ(option.LognormalPriceCdf(100, 100, 0.0), 0.0);
  EXPECT_EQ(option.DistributionCdf(kLognormalDistribution, 100, 100, -0.2), 0.0);
  // The medium kind halves the normal value beside it.
  EXPECT_NEAR(option.MediumPriceCdf(110, 100, -0.1), 0.158655254 / 2, 1e-7);
  EXPECT_EQ(platform.Messages,
            (std::vector<std::string>{"Errror 678", "Errror 678", "Errror 678"}));
}

TEST(OptionIntTest, DistributionFunctionFaultsReachTheCaller) {
  TRecordingSink platform;
  TOptionInt option(platform);
  EXPECT_THROW((void)NormalPriceCdf(100, 0, 0.2), ArithmeticFault);
  EXPECT_THROW((void)NormalPriceCdf(100, 100, 0), ArithmeticFault);
  EXPECT_THROW((void)NormalPriceCdf(kNaN, 100, 0.2), ArithmeticFault);
  EXPECT_THROW((void)option.MediumPriceCdf(100, 100, 0), ArithmeticFault);
  EXPECT_THROW((void)option.LognormalPriceCdf(0, 100, 0.2), ArithmeticFault);
  EXPECT_THROW((void)option.LognormalPriceCdf(100, -1, 0.2), ArithmeticFault);
  EXPECT_THROW((void)option.LognormalPriceCdf(100, 100, kNaN), ArithmeticFault);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(GridPriceTest, TenTimesThePriceAcrossTheIntervals) {
  const struct {
    int J;
    float Price;
    int Intervals;
    float Expected;
  } kCases[] = {
      {0, 100, 400, 0.0f},
      {1, 100, 400, 2.5f},
      {40, 100, 400, 100.0f},
      {400, 100, 400, 1000.0f},
      {401, 100, 400, 1002.5f},
      {3, 50, 1000, 1.5f},
      {150000, 100, 150000, 1000.0f},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Message() << "j " << c.J << " price " << c.Price << " intervals " << c.Intervals);
    EXPECT_NEAR(GridPrice(c.J, c.Price, c.Intervals), c.Expected, c.Expected * 1e-6f);
  }
  TRecordingSink platform;
  TOptionInt option(platform);
  option.Intervals = 1000;
  EXPECT_EQ(option.GridPrice(250, 80), 200.0f);
  EXPECT_THROW((void)GridPrice(1, 100, 0), ArithmeticFault);
  EXPECT_THROW((void)GridPrice(1, 100, -4), ArithmeticFault);
  EXPECT_THROW((void)GridPrice(400, 1e38f, 100), ArithmeticFault);
}

// A position table over the grid built on `price` with `intervals` intervals.
template <class Position>
std::vector<float> PositionTable(int intervals, float price, Position&& value) {
  std::vector<float> values(static_cast<std::size_t>(intervals) + 1);
  for (int k = 0; k <= intervals; ++k) values[k] = value(GridPrice(k, price, intervals));
  return values;
}

PayoffStats Request(float price, float forward, float trueVol, int days, float entry, float cost) {
  PayoffStats stats;
  stats.Price = price;
  stats.Forward = forward;
  stats.TrueVol = trueVol;
  stats.Days = days;
  stats.CostPerTrade = cost;
  stats.Row.EntryValue = entry;
  // Left over from an earlier column: all of it must go.
  stats.GainSum1 = stats.LossMass2 = 7.0f;
  stats.Row.Spare = stats.Row.AvgGain1 = stats.Row.Expected2 = 7.0f;
  return stats;
}

TEST(AnalysePayoffTest, LongCallUnderTheNormalDistribution) {
  TRecordingSink platform;
  TOptionInt option(platform);
  option.Intervals = 1000;
  option.Distribution = kNormalDistribution;
  const auto values = PositionTable(1000, 100, [](float x) { return PayoffAt(kCall, x, 100); });
  PayoffStats stats = Request(100, 100, 20, 260, 0, 0);
  ASSERT_TRUE(option.AnalysePayoff(stats, values));

  // Grid step 1; the price spreads with standard deviation 20 around 100. The gain masses are
  // those above 101 (above each grid point) and above 100 (below each grid point).
  EXPECT_NEAR(stats.Row.GainChance1, 1 - 0.519938806, 1e-6);
  EXPECT_NEAR(stats.Row.GainChance2, 0.5, 1e-6);
  EXPECT_NEAR(stats.GainMass1 + stats.LossMass1, 1.0, 1e-6);
  // The two sums bracket the expected payoff 20 / sqrt(2 pi).
  EXPECT_NEAR((stats.GainSum1 + stats.GainSum2) / 2, 7.978846, 0.01);
  EXPECT_LT(stats.GainSum1, 7.978846);
  EXPECT_GT(stats.GainSum2, 7.978846);
  EXPECT_EQ(stats.LossSum1, 0.0f);
  EXPECT_EQ(stats.Row.AvgLoss1, 0.0f);
  EXPECT_EQ(stats.Row.AvgLoss2, 0.0f);
  // The averages widened into a range four times their difference, about the same middle.
  const double average1 = double{stats.GainSum1} / stats.GainMass1;
  const double average2 = double{stats.GainSum2} / stats.GainMass2;
  EXPECT_NEAR(stats.Row.AvgGain1, average1 - 1.5 * std::fabs(average2 - average1), 1e-4);
  EXPECT_NEAR(stats.Row.AvgGain2, average2 + 1.5 * std::fabs(average2 - average1), 1e-4);
  EXPECT_EQ(stats.Row.EntryValue, 0.0f);
  EXPECT_EQ(stats.Row.Spare, 0.0f);
  EXPECT_EQ(stats.Row.Expected1, 0.0f);
  EXPECT_EQ(stats.Row.Expected2, 0.0f);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(AnalysePayoffTest, ResultsOfExactlyZeroAndBelowAreLosses) {
  TRecordingSink platform;
  TOptionInt option(platform);
  option.Intervals = 400;
  for (const std::uint8_t kind :
       {kNormalDistribution, kLognormalDistribution, kMediumDistribution}) {
    SCOPED_TRACE(Message() << "kind " << int{kind});
    option.Distribution = kind;
    // Worth its entry value plus costs everywhere.
    PayoffStats evenStats = Request(100, 103, 30, 130, 4.5f, 0.5f);
    ASSERT_TRUE(option.AnalysePayoff(evenStats, std::vector<float>(401, 5.0f)));
    EXPECT_EQ(evenStats.Row.GainChance1, 0.0f);
    EXPECT_EQ(evenStats.Row.GainChance2, 0.0f);
    EXPECT_EQ(evenStats.Row.AvgLoss1, 0.0f);
    EXPECT_EQ(evenStats.Row.AvgLoss2, 0.0f);
    EXPECT_NEAR(evenStats.LossMass1, 1.0f, 1e-5f);
    EXPECT_EQ(evenStats.Row.EntryValue, 4.5f);
    // Losing 1.5 everywhere.
    PayoffStats losingStats = Request(100, 103, 30, 130, 3.0f, 0.5f);
    ASSERT_TRUE(option.AnalysePayoff(losingStats, std::vector<float>(401, 2.0f)));
    EXPECT_EQ(losingStats.Row.GainChance1, 0.0f);
    EXPECT_NEAR(losingStats.Row.AvgLoss1, -1.5f, 1e-5f);
    EXPECT_NEAR(losingStats.Row.AvgLoss2, -1.5f, 1e-5f);
    EXPECT_LE(losingStats.Row.AvgLoss1, losingStats.Row.AvgLoss2);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(AnalysePayoffTest, NoDaysOrNoTrueVolatilityLeaveZeroedStatistics) {
  const struct {
    int Days;
    float TrueVol;
    bool Accepted;
  } kCases[] = {
      {0, 30, true}, {0, 0, true}, {20, 0, false}, {20, -5, false}, {20, kNaN, false},
  };
  TRecordingSink platform;
  TOptionInt option(platform);
  const std::vector<float> values(401, 5.0f);
  for (const auto& c : kCases) {
    SCOPED_TRACE(Message() << "days " << c.Days << " true vol " << c.TrueVol);
    PayoffStats stats = Request(100, 100, c.TrueVol, c.Days, 2.5f, 0.1f);
    EXPECT_EQ(option.AnalysePayoff(stats, values), c.Accepted);
    EXPECT_EQ(stats.GainSum1, 0.0f);
    EXPECT_EQ(stats.LossMass2, 0.0f);
    EXPECT_EQ(stats.Row.AvgGain1, 0.0f);
    EXPECT_EQ(stats.Row.Spare, 0.0f);
    EXPECT_EQ(stats.Row.Expected2, 0.0f);
    EXPECT_EQ(stats.Row.EntryValue, 2.5f);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(AnalysePayoffTest, RefusedRequests) {
  TRecordingSink platform;
  TOptionInt option(platform);
  const std::vector<float> values(401, 5.0f);
  PayoffStats negativeDays = Request(100, 100, 30, -1, 0, 0);
  EXPECT_THROW((void)option.AnalysePayoff(negativeDays, values), ArithmeticFault);
  PayoffStats shortTable = Request(100, 100, 30, 20, 0, 0);
  EXPECT_THROW((void)option.AnalysePayoff(shortTable, std::vector<float>(400, 5.0f)),
               std::invalid_argument);
  PayoffStats notANumber = Request(100, 100, 30, 20, 0, 0);
  std::vector<float> badValues = values;
  badValues[200] = kNaN;
  EXPECT_THROW((void)option.AnalysePayoff(notANumber, badValues), ArithmeticFault);
  for (const std::uint8_t kind :
       {kNormalDistribution, kLognormalDistribution, kMediumDistribution}) {
    SCOPED_TRACE(Message() << "kind " << int{kind});
    option.Distribution = kind;
    PayoffStats noForward = Request(100, 0, 30, 20, 0, 0);
    EXPECT_THROW((void)option.AnalysePayoff(noForward, values), ArithmeticFault);
  }
  option.Distribution = kLognormalDistribution;
  PayoffStats noPrice = Request(0, 100, 30, 20, 0, 0);
  EXPECT_THROW((void)option.AnalysePayoff(noPrice, values), ArithmeticFault);
  EXPECT_TRUE(platform.Messages.empty());
}

}  // namespace
}  // namespace valquor
