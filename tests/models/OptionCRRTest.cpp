#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "models/BinomialTree.h"
#include "models/Option.h"
#include "models/OptionCRR.h"
#include "models/OptionCRR365.h"
#include "models/RecordingSink.h"

namespace valquor {
namespace {

using ::testing::Message;

constexpr bool kCall = false;
constexpr bool kPut = true;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct TreeCase {
  bool American;
  bool IsPut;
  int Days;
  float Strike, Price, Volatility, Carry, RiskFree;
  int Steps;
};

Message Label(const TreeCase& c) {
  return Message() << (c.American ? "American " : "European ") << (c.IsPut ? "put" : "call")
                   << " days " << c.Days << " strike " << c.Strike << " price " << c.Price
                   << " vol " << c.Volatility << " carry " << c.Carry << " rate " << c.RiskFree
                   << " steps " << c.Steps;
}

float CrrValue(TOptionCRR& option, const TreeCase& c) {
  option.American = c.American;
  option.RiskFree = c.RiskFree;
  return option.Value(c.IsPut, c.Days, c.Strike, c.Price, c.Volatility, c.Carry, c.Steps);
}

float BlackScholes(const TreeCase& c) {
  TRecordingSink platform;
  TOption option(platform);
  option.RiskFree = c.RiskFree;
  return option.Value(c.IsPut, c.Days, c.Strike, c.Price, c.Volatility);
}

// The straightforward tree's value of c, or NaN when it faults.
float PlainValue(const TreeCase& c, detail::TTreeWorkspace& workspace) {
  TRecordingSink platform;
  try {
    return detail::BinomialValue(platform, workspace, 260.0, c.American, c.RiskFree, c.IsPut,
                                 c.Days, c.Strike, c.Price, c.Volatility, c.Carry, c.Steps,
                                 detail::TreeForm::Plain);
  } catch (const ArithmeticFault&) {
    return kNaN;
  }
}

TEST(OptionCRRTest, TreeValues) {
  const struct {
    TreeCase Terms;
    float Expected;
  } kCases[] = {
      {{false, kCall, 260, 100, 100, 20, 0.05f, 0.05f, 300}, 10.4439f},
      {{false, kPut, 260, 100, 100, 20, 0.05f, 0.05f, 300}, 5.5669f},
      {{true, kPut, 260, 100, 100, 20, 0.05f, 0.05f, 300}, 6.0877f},
      {{true, kCall, 260, 100, 100, 20, 0.05f, 0.05f, 300}, 10.4439f},
      {{false, kCall, 260, 100, 100, 20, 0.0f, 0.0f, 300}, 7.9590f},
  };
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const auto& c : kCases) {
    SCOPED_TRACE(Label(c.Terms));
    EXPECT_NEAR(CrrValue(option, c.Terms), c.Expected, 5e-5f);
  }
  option.American = false;
  const float european = option.Value(kCall, 260, 100, 100, 20, 0.05f, 300);
  option.American = true;
  EXPECT_EQ(option.Value(kCall, 260, 100, 100, 20, 0.05f, 300), european);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionCRRTest, ValuesWithoutATreeAndSilentZeros) {
  const struct {
    TreeCase Terms;
    float Expected;
  } kCases[] = {
      {{false, kCall, 260, 100, 0.05f, 20, 0.05f, 0.05f, 300}, 0.0f},
      {{true, kPut, 260, 100, 0.05f, 20, 0.05f, 0.05f, 300}, 0.0f},
      {{false, kCall, 0, 100, 100.00005f, 20, 0.05f, 0.05f, 300}, 0.0f},
      {{false, kCall, 0, 100, 110, 20, 0.05f, 0.05f, 300}, 10.0f},
      {{true, kPut, -3, 110, 100, 20, 0.05f, 0.05f, 300}, 10.0f},
      {{false, kCall, 30, 100, 110, 0.0009f, 0.05f, 0.05f, 300}, 10.0f},
      // No lower limit on the strike.
      {{false, kCall, 0, -5, 100, 20, 0.05f, 0.05f, 300}, 105.0f},
      // A negative carry (a malformed one reads as -999) gives 0 without a message.
      {{false, kCall, 260, 100, 100, 20, -0.01f, 0.05f, 300}, 0.0f},
      {{true, kPut, 260, 100, 100, 20, -999.0f, 0.05f, 300}, 0.0f},
      {{false, kCall, 260, 100, 100, 20, 0.05f, 0.05f, 0}, 0.0f},
      {{false, kCall, 260, 100, 100, 20, 0.05f, 0.05f, -5}, 0.0f},
      {{true, kPut, 260, 100, 100, 20, 0.05f, 0.05f, std::numeric_limits<int>::min()}, 0.0f},
  };
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const auto& c : kCases) {
    SCOPED_TRACE(Label(c.Terms));
    EXPECT_EQ(CrrValue(option, c.Terms), c.Expected);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionCRRTest, MessagesForTooManyStepsAndTooSmallASpread) {
  TRecordingSink platform;
  TOptionCRR option(platform);
  TOptionCRR365 option365(platform);
  EXPECT_EQ(option.Value(kCall, 260, 100, 100, 20, 0.05f, 10000), 0.0f);
  EXPECT_EQ(option.Value(kPut, 1, 100, 100, 0.1f, 0.05f, 300), 0.0f);
  EXPECT_EQ(option365.Value(kPut, 260, 100, 100, 20, 0.05f, 10000), 0.0f);
  EXPECT_EQ(option.Value(kPut, 260, 100, 100, 20, 0.05f, std::numeric_limits<int>::max()), 0.0f);
  EXPECT_EQ(option365.Value(kCall, 1, 100, 100, 0.1f, 0.05f, 300), 0.0f);
  // The spread is checked before the carry and the steps.
  EXPECT_EQ(option.Value(kCall, 1, 100, 100, 0.1f, -1.0f, 10000), 0.0f);
  EXPECT_EQ(platform.Messages, (std::vector<std::string>{
                                   "Number of steps too large",
                                   "Option Error: 1086: Days= 1 Vol= 0.100000001490116",
                                   "Number of steps too large",
                                   "Number of steps too large",
                                   "Option Error: 1086: Days= 1 Vol= 0.100000001490116",
                                   "Option Error: 1086: Days= 1 Vol= 0.100000001490116",
                               }));
  platform.Messages.clear();
  option.RiskFree = 0.05f;
  const float value = option.Value(kCall, 260, 100, 100, 20, 0.05f, 9999);
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_NEAR(value, 10.4506f, 0.002f);
}

TEST(OptionCRRTest, FaultsInsideTheTreeReachTheCaller) {
  const TreeCase kCases[] = {
      {false, kCall, 260, 100, kNaN, 20, 0.05f, 0.05f, 300},
      {false, kCall, 260, kNaN, 100, 20, 0.05f, 0.05f, 300},
      {true, kPut, 260, 100, 100, kNaN, 0.05f, 0.05f, 300},
      {true, kPut, 260, 100, 100, 20, kNaN, 0.05f, 300},
      {false, kCall, 260, 100, 100, 20, 0.05f, kNaN, 300},
      // e^(carry dt) and e^(-rate dt) overflow.
      {false, kCall, 260, 100, 100, 20, 1e30f, 0.05f, 300},
      {false, kCall, 260, 100, 100, 20, 1e6f, 0.05f, 1},
      {true, kPut, 260, 100, 100, 20, 0.05f, -1e30f, 300},
      // sigma sqrt(T) and u overflow.
      {false, kCall, 260, 100, 100, std::numeric_limits<float>::max(), 0.05f, 0.05f, 300},
      {true, kPut, 260, 100, 100, 1e6f, 0.05f, 0.05f, 1},
      // p far above 1 lets the backward induction grow without bound.
      {false, kCall, 260, 100, 100, 0.5f, 5.0f, 0.05f, 9999},
  };
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const TreeCase& c : kCases) {
    SCOPED_TRACE(Label(c));
    EXPECT_THROW((void)CrrValue(option, c), ArithmeticFault);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionCRRTest, PIsUsedAsItComesOutEvenOutsideZeroToOne) {
  // sigma sqrt(dt) = 0.001 against a carry of 5 % over a one-step year: p is about 26, and the
  // tree's put comes out negative.
  const TreeCase c{false, kPut, 260, 100, 100, 0.1f, 0.05f, 0.05f, 1};
  auto plain = std::make_unique<detail::TTreeWorkspace>();
  const float literal = PlainValue(c, *plain);
  ASSERT_LT(literal, 0.0f);
  TRecordingSink platform;
  TOptionCRR option(platform);
  EXPECT_EQ(CrrValue(option, c), literal);
}

TEST(OptionCRRTest, ConvergesToBlackScholesWhenCarryEqualsTheRate) {
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const bool isPut : {kCall, kPut}) {
    for (const float strike : {80.0f, 100.0f, 120.0f}) {
      for (const float rate : {0.0f, 0.05f}) {
        const TreeCase c{false, isPut, 260, strike, 100, 25, rate, rate, 5000};
        SCOPED_TRACE(Label(c));
        EXPECT_NEAR(CrrValue(option, c), BlackScholes(c), 0.002f);
      }
    }
  }
}

TEST(OptionCRRTest, AmericanIsWorthAtLeastEuropeanAndIntrinsic) {
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const bool isPut : {kCall, kPut}) {
    for (const float strike : {70.0f, 100.0f, 130.0f}) {
      for (const float rate : {0.02f, 0.08f}) {
        for (const float carry : {0.0f, rate}) {
          TreeCase c{false, isPut, 390, strike, 100, 30, carry, rate, 300};
          SCOPED_TRACE(Label(c));
          const float european = CrrValue(option, c);
          c.American = true;
          const float american = CrrValue(option, c);
          EXPECT_GE(american, european);
          EXPECT_GE(american, isPut ? strike - 100 : 100 - strike);
        }
      }
    }
  }
}

// The fast tree against the straightforward one: same value and same node storage, bit for bit,
// for every vector tail length, both styles and both option types.
TEST(OptionCRRTest, FastTreeEqualsTheStraightforwardTreeBitForBit) {
  const TreeCase kTerms[] = {
      {false, kCall, 260, 100, 100, 20, 0.05f, 0.05f, 0},
      {false, kCall, 60, 110, 90, 45, 0.0f, 0.08f, 0},   // carry below the rate
      {false, kCall, 500, 95, 100, 30, 0.1f, 0.02f, 0},  // carry above the rate
  };
  std::vector<int> stepCounts;
  for (int steps = 1; steps <= 40; ++steps) stepCounts.push_back(steps);
  for (const int steps : {63, 64, 65, 255, 256, 257, 1000, 2049}) stepCounts.push_back(steps);

  auto plain = std::make_unique<detail::TTreeWorkspace>();
  auto fast = std::make_unique<detail::TTreeWorkspace>();
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const TreeCase& terms : kTerms) {
    for (const int steps : stepCounts) {
      for (const bool american : {false, true}) {
        for (const bool isPut : {kCall, kPut}) {
          TreeCase c = terms;
          c.Steps = steps;
          c.American = american;
          c.IsPut = isPut;
          SCOPED_TRACE(Label(c));
          const float expected = PlainValue(c, *plain);
          const float actual =
              detail::BinomialValue(platform, *fast, 260.0, american, c.RiskFree, isPut, c.Days,
                                    c.Strike, c.Price, c.Volatility, c.Carry, steps);
          ASSERT_EQ(std::bit_cast<std::uint32_t>(actual), std::bit_cast<std::uint32_t>(expected));
          const auto plainNodes = plain->Nodes(steps);
          const auto fastNodes = fast->Nodes(steps);
          for (int i = 0; i <= steps; ++i) {
            ASSERT_EQ(std::bit_cast<std::uint32_t>(fastNodes[i]),
                      std::bit_cast<std::uint32_t>(plainNodes[i]))
                << "node " << i;
          }
          ASSERT_EQ(std::bit_cast<std::uint32_t>(CrrValue(option, c)),
                    std::bit_cast<std::uint32_t>(expected));
        }
      }
    }
  }
}

TEST(OptionCRRTest, CallWhoseNodePricesOverflowKeepsTheTreesAccuracy) {
  const TreeCase kCases[] = {
      // The top node price passes the single-precision range...
      {false, kCall, 260, 100, 100, 86, 0.05f, 0.05f, 9999},
      // ...and from about 89 % so does u^9999 itself.
      {false, kCall, 260, 100, 100, 150, 0.05f, 0.05f, 9999},
      {true, kCall, 260, 100, 100, 150, 0.05f, 0.05f, 9999},
      {false, kCall, 260, 120, 100, 150, 0.0f, 0.0f, 9999},
      {false, kCall, 260, 80, 100, 400, 0.02f, 0.02f, 9999},
      {false, kCall, 1300, 100, 100, 150, 0.05f, 0.05f, 5000},
  };
  auto plain = std::make_unique<detail::TTreeWorkspace>();
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const TreeCase& c : kCases) {
    SCOPED_TRACE(Label(c));
    EXPECT_FALSE(std::isfinite(PlainValue(c, *plain)));
    EXPECT_NEAR(CrrValue(option, c), BlackScholes(c), 0.01f);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionCRRTest, WithoutOverflowTheResultsStayThoseOfTheStraightforwardTree) {
  const TreeCase kCases[] = {
      {false, kCall, 260, 100, 100, 80, 0.05f, 0.05f, 9999},
      {false, kPut, 260, 100, 100, 80, 0.05f, 0.05f, 9999},
  };
  auto plain = std::make_unique<detail::TTreeWorkspace>();
  TRecordingSink platform;
  TOptionCRR option(platform);
  for (const TreeCase& c : kCases) {
    SCOPED_TRACE(Label(c));
    const float expected = PlainValue(c, *plain);
    ASSERT_TRUE(std::isfinite(expected));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(CrrValue(option, c)),
              std::bit_cast<std::uint32_t>(expected));
  }
}

TEST(OptionCRRTest, PutOnAnOverflowingLatticeStaysSound) {
  // u^9999 overflows, which only ever concerns nodes where a put pays nothing.
  TRecordingSink platform;
  TOptionCRR option(platform);
  const TreeCase european{false, kPut, 260, 100, 100, 150, 0.05f, 0.05f, 9999};
  EXPECT_NEAR(CrrValue(option, european), BlackScholes(european), 0.01f);
  TreeCase american = european;
  american.American = true;
  EXPECT_GE(CrrValue(option, american), CrrValue(option, european));
}

TEST(OptionCRR365Test, CountsAYearAs365CalendarDays) {
  TRecordingSink platform;
  TOptionCRR option(platform);
  TOptionCRR365 option365(platform);
  for (const bool american : {false, true}) {
    for (const bool isPut : {kCall, kPut}) {
      SCOPED_TRACE(Message() << (american ? "American " : "European ") << (isPut ? "put" : "call"));
      option.American = option365.American = american;
      option.RiskFree = option365.RiskFree = 0.05f;
      const float trading = option.Value(isPut, 260, 100, 100, 20, 0.03f, 300);
      EXPECT_EQ(option365.Value(isPut, 365, 100, 100, 20, 0.03f, 300), trading);
      EXPECT_LT(option365.Value(isPut, 260, 100, 100, 20, 0.03f, 300), trading);
    }
  }
}

TEST(PowerTest, ExponentialOfTheScaledLogarithmInSinglePrecision) {
  EXPECT_EQ(Power(2.0f, 10.0f), 1024.0f);
  EXPECT_EQ(Power(1.5f, 0.0f), 1.0f);
  EXPECT_NEAR(Power(1.01f, 300.0f), 19.7884f, 1e-3f);
  EXPECT_EQ(Power(0.5f, 200.0f), 0.0f);  // below the single-precision range
  EXPECT_THROW((void)Power(0.0f, 2.0f), ArithmeticFault);
  EXPECT_THROW((void)Power(-2.0f, 2.0f), ArithmeticFault);
  EXPECT_THROW((void)Power(kNaN, 2.0f), ArithmeticFault);
  EXPECT_THROW((void)Power(10.0f, 39.0f), ArithmeticFault);
}

}  // namespace
}  // namespace valquor
