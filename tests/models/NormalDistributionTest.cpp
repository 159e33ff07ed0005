#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "models/NormalDistribution.h"
#include "models/ArithmeticFault.h"

namespace valquor {
namespace {

using ::testing::Message;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(NormalCdfTest, MatchesTabulatedValuesWithinTheApproximationError) {
  // Standard normal distribution, Abramowitz and Stegun table 26.1 and its complements.
  const struct {
    double X;
    double Expected;
  } kCases[] = {
      {0.0, 0.5},          {0.5, 0.691462461},  {1.0, 0.841344746},  {-1.0, 0.158655254},
      {1.96, 0.975002105}, {-2.5, 0.006209665}, {-3.0, 0.001349898}, {4.0, 0.999968329},
      {-6.0, 9.8659e-10},  {40.0, 1.0},         {-40.0, 0.0},        {kInfinity, 1.0},
      {-kInfinity, 0.0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Message() << "x = " << c.X);
    EXPECT_NEAR(NormalCdf(c.X), c.Expected, 7.5e-8);
  }
}

TEST(NormalCdfTest, UndefinedArgumentIsAnArithmeticFault) {
  EXPECT_THROW((void)NormalCdf(kNaN), ArithmeticFault);
}

TEST(ProbabilityBelowTest, LognormalChanceOfEndingBelowALevel) {
  const struct {
    double Level, Forward, Spread, Expected, Tolerance;
  } kCases[] = {
      // At the forward itself: N(spread / 2).
      {100.0, 100.0, 0.2, 0.539827837, 1e-7},
      {50.0, 50.0, 1.0, 0.691462461, 1e-7},
      // Break-even of a call premium 10.4506 on strike 100, forward 103.045, spread 0.2.
      {110.4506, 103.045, 0.2, 0.67257, 5e-5},
      // No spread: even odds, whatever the level.
      {100.0, 100.0, 0.0, 0.5, 0.0},
      {1.0, 100.0, 0.0, 0.5, 0.0},
      {0.0, 100.0, 0.0, 0.5, 0.0},
      {-5.0, 100.0, -0.3, 0.5, 0.0},
      {kInfinity, 100.0, 0.2, 1.0, 0.0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Message() << "level " << c.Level << ", forward " << c.Forward << ", spread "
                           << c.Spread);
    EXPECT_NEAR(ProbabilityBelow(c.Level, c.Forward, c.Spread), c.Expected, c.Tolerance);
  }
}

TEST(ProbabilityBelowTest, LogarithmOfANonPositiveNumberReachesTheCaller) {
  const struct {
    double Level, Forward, Spread;
  } kCases[] = {
      {100.0, 0.0, 0.2},  {100.0, -3.0, 0.2},   {100.0, 0.0, 0.0},
      {0.0, 100.0, 0.2},  {-1.0, 100.0, 0.2},   {kNaN, 100.0, 0.2},
      {100.0, kNaN, 0.2}, {100.0, 100.0, kNaN}, {100.0, kInfinity, kInfinity},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(Message() << "level " << c.Level << ", forward " << c.Forward << ", spread "
                           << c.Spread);
    EXPECT_THROW((void)ProbabilityBelow(c.Level, c.Forward, c.Spread), ArithmeticFault);
  }
}

}  // namespace
}  // namespace valquor
