#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ReportsFixture.h"
#include "models/ModelSet.h"
#include "reports/PositionValue.h"
#include "reports/Positions.h"

namespace valquor {
namespace {

TEST(PositionDescriptionTest, WritesTheLegsForEitherAxis) {
  const auto strike = TPositionAxis::Strike;
  const auto forward = TPositionAxis::Forward;
  const struct {
    int Code;
    TPositionAxis Axis;
    float Strike;
    float Step;
    const char* Expected;
  } kCases[] = {
      {1, strike, 1000, 10, "(buy call <strike>)   "},
      {2, strike, 1000, 10, "(buy call <strike> & sell call <strike> + 10.0)   "},
      {3, strike, 1000, 7.5f, "(buy call <strike> & sell call <strike> - 7.5)   "},
      {5, forward, 1000, 10, "(buy put 1000 & sell put 990.0)   "},
      {6, forward, 1000, 2.5f, "(buy put 1000 & sell put 1002.5)   "},
      {8, strike, 1000, 10,
       "(buy call <strike> 2nd next month & sell call <strike> this month)   "},
      {12, forward, 1000, 2.5f, "(buy call 1000 3rd next month & sell call 997.5 this month)   "},
      {15, forward, 1000, 10, "(buy put 1000 3rd next month & sell put 1000 this month)   "},
      {17, strike, 1000, 10, "(sell call <strike> & sell put <strike>)   "},
      {20, strike, 1000, 10, "(buy stock 1002.31)   "},
      {21, forward, 1000, 10, "(sell stock 1002.31)   "},
      {23, forward, 1000, 10, "(buy put 1000 and sell call 1000)   "},
      {24, forward, 1000, 10, "(buy stock 1000 & and buy 2 * put 1000)   "},
      {26, strike, 1000, 10, "(buy stock <strike> & and sell call <strike> & buy put <strike>)   "},
      {27, forward, 1000, 10, "(buy call 1010.0 & sell 2 * call 1000 & buy call 990.0)   "},
      {28, strike, 1000, 5,
       "(sell call <strike> + 5.0 & buy 2 * call <strike> & sell call <strike> - 5.0)   "},
      // The strike on the forward axis is rounded to a whole number, ties to even.
      {1, forward, 1000.5f, 10, "(buy call 1000)   "},
      {1, forward, 1001.5f, 10, "(buy call 1002)   "},
      {0, strike, 1000, 10, ""},
      {29, forward, 1000, 10, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Code);
    EXPECT_EQ(PositionDescription(c.Code, c.Axis, c.Strike, c.Step, 1002.31f), c.Expected);
  }
}

class PositionCodeTest : public ReportsTest {};
INSTANTIATE_TEST_SUITE_P(Workers, PositionCodeTest, ::testing::Values(1));

TEST_P(PositionCodeTest, CodeIsThePlaceOfTheNameAndAnUnknownNameHasNone) {
  const struct {
    const char* Name;
    int Code;
  } kCases[] = {{"Call", 1},
                {"Put", 4},
                {"Call calendar spread**", 9},
                {"Collars", 26},
                {"Short butterfly", 28},
                {"call", 1},  // the list takes an item whatever its letter case and blanks
                {" Put spread ", 5},
                {"Calls", 0},
                {"Call  spread", 0},
                {"Butterfly", 0}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Name);
    form.PositionName.SetText(c.Name);
    EXPECT_EQ(reports.PositionCode(), c.Code);
  }
}

// Positions valued one valuation at a time on a model set of their own.
class PositionValueTest : public ::testing::Test {
 protected:
  PositionValueTest() {
    terms.Formula = kFormulaBlackScholes;
    terms.RiskFree = 0.03f;
  }
  TPositionValue Value(int code, int days, float strike, float underlying) {
    return PositionValue(valuer, terms, code, days, strike, underlying, 20, 10);
  }
  float Option(bool isPut, int days, float strike, float price) {
    return models.Value(terms, isPut, days, strike, price, 20);
  }

  TValuationTerms terms;
  TModelSet models;
  TMessageLog log;
  TValuer valuer{models, nullptr, log};
};

TEST_F(PositionValueTest, SumsTheLegsAtTheirStrikesAndDays) {
  // Black-Scholes at strike 1000, price 1000, 20 % and 20 days with 3 % interest: call 23.2727,
  // put 20.9676. Shares count at the underlying. Synthetic futures follow put-call parity,
  // 1000 - 1000 e^(-0.03 * 20 / 260) = 2.3050, and the collar is worth the discounted strike.
  const struct {
    int Code;
    double Expected;
  } kCases[] = {
      {2, 4.6869},    {3, -5.4023}, {5, 4.5747},   {6, -5.2901},   {7, 11.1850},    {9, 27.4705},
      {10, 5.7827},   {13, 8.6556}, {16, 44.2403}, {17, -44.2403}, {18, -23.2727},  {19, -20.9676},
      {20, 1000},     {21, -1000},  {22, 2.3050},  {23, -2.3050},  {24, 1041.9353}, {25, 976.7273},
      {26, 997.6950}, {27, 0.7154}, {28, -0.7154},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Code);
    const TPositionValue value = Value(c.Code, 20, 1000, 1000);
    EXPECT_NEAR(value.Value, c.Expected, 2e-3);
    EXPECT_EQ(value.First, value.Value);
    EXPECT_EQ(value.Second, value.Value);
  }
  EXPECT_TRUE(log.Messages.empty());
}

TEST_F(PositionValueTest, CalendarSpreadAtExpirySubtractsTheIntrinsicValue) {
  EXPECT_FLOAT_EQ(Value(7, 0, 1000, 1010).Value, Option(false, 22, 1000, 1010) - 10);
}

TEST_F(PositionValueTest, IntegrationFormulasCombineEachEstimate) {
  terms.Formula = kFormulaIntNormal;
  terms.Intervals = 1000;
  float callFirst = 0;
  float callSecond = 0;
  float putFirst = 0;
  float putSecond = 0;
  (void)models.Value(terms, false, 20, 1000, 1000, 20, callFirst, callSecond);
  (void)models.Value(terms, true, 20, 1000, 1000, 20, putFirst, putSecond);
  const TPositionValue value = Value(16, 20, 1000, 1000);
  EXPECT_FLOAT_EQ(value.First, callFirst + putFirst);
  EXPECT_FLOAT_EQ(value.Second, callSecond + putSecond);
  EXPECT_NE(value.First, value.Second);
  EXPECT_NEAR(value.Value, (value.First + value.Second) / 2, 1e-3);
}

TEST_F(PositionValueTest, RefusedInputsValueToZero) {
  const struct {
    int Days;
    float Strike;
    float Underlying;
    std::vector<std::string> Messages;
  } kCases[] = {
      {-1, 1000, 1000, {"Internal error: Days < 0"}},
      {20, 0, 1000, {}},
      {20, -5, 1000, {}},
      {20, 1000, 0, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.Days) + " " + std::to_string(c.Strike));
    const TPositionValue value = Value(2, c.Days, c.Strike, c.Underlying);
    EXPECT_EQ(value.Value, 0);
    EXPECT_EQ(value.First, 0);
    EXPECT_EQ(value.Second, 0);
    EXPECT_EQ(log.Texts(), c.Messages);
    log.Messages.clear();
  }
  // A leg whose strike falls to 0 or below is worth nothing; the others still count.
  EXPECT_NEAR(Value(3, 20, 5, 1000).Value, Option(false, 20, 5, 1000), 1e-3);
  EXPECT_TRUE(log.Messages.empty());
}

}  // namespace
}  // namespace valquor
