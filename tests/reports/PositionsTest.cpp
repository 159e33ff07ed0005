#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ReportsFixture.h"
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

using PositionTest = ReportsTest;

TEST_F(PositionTest, CodeIsThePlaceOfTheNameAndAnUnknownNameAbandons) {
  const struct {
    const char* Name;
    int Code;
  } kKnown[] = {{"Call", 1},
                {"Put", 4},
                {"Call calendar spread**", 9},
                {"Collars", 26},
                {"Short butterfly", 28},
                {"call", 1},  // the list takes an item whatever its letter case and blanks
                {" Put spread ", 5}};
  for (const auto& c : kKnown) {
    SCOPED_TRACE(c.Name);
    form.PositionName.SetText(c.Name);
    EXPECT_EQ(reports.PositionCode(), c.Code);
  }
  for (const char* name : {"Calls", "Call  spread", "Butterfly"}) {
    SCOPED_TRACE(name);
    form.PositionName.SetText(name);
    EXPECT_THROW((void)reports.PositionCode(), EAbort);
    EXPECT_EQ(platform.TakeMessages(),
              std::vector<std::string>{std::string("Error: Not recognized: ") + name});
  }
}

TEST_F(PositionTest, ValueSumsTheLegsAtTheirStrikesAndDays) {
  panel.RefreshReportInputs();  // Black-Scholes, step 10
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
    float first = -1;
    float second = -1;
    const float value = reports.PositionValue(20, c.Code, 1000, 1000, 20, first, second);
    EXPECT_NEAR(value, c.Expected, 2e-3);
    EXPECT_EQ(first, value);
    EXPECT_EQ(second, value);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(PositionTest, CalendarSpreadAtExpirySubtractsTheIntrinsicValue) {
  panel.RefreshReportInputs();
  float first = 0;
  float second = 0;
  const float farCall = dispatch.CallValue(22, first, 1000, 1010, 20, second);
  EXPECT_FLOAT_EQ(reports.PositionValue(0, 7, 1000, 1010, 20, first, second), farCall - 10);
}

TEST_F(PositionTest, IntegrationFormulasCombineEachEstimate) {
  form.Formula.SetText("Integration normal distribution");
  panel.RefreshReportInputs();
  float callFirst = 0;
  float callSecond = 0;
  float putFirst = 0;
  float putSecond = 0;
  (void)dispatch.CallValue(20, callFirst, 1000, 1000, 20, callSecond);
  (void)dispatch.PutValue(20, putFirst, 1000, 1000, 20, putSecond);
  float first = 0;
  float second = 0;
  const float value = reports.PositionValue(20, 16, 1000, 1000, 20, first, second);
  EXPECT_FLOAT_EQ(first, callFirst + putFirst);
  EXPECT_FLOAT_EQ(second, callSecond + putSecond);
  EXPECT_NE(first, second);
  EXPECT_NEAR(value, (first + second) / 2, 1e-3);
}

TEST_F(PositionTest, RefusedInputsValueToZero) {
  panel.RefreshReportInputs();
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
    float first = -1;
    float second = -1;
    EXPECT_EQ(reports.PositionValue(c.Days, 2, c.Strike, c.Underlying, 20, first, second), 0);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(platform.TakeMessages(), c.Messages);
  }
  // A leg whose strike falls to 0 or below is worth nothing; the others still count.
  float first = 0;
  float second = 0;
  EXPECT_NEAR(reports.PositionValue(20, 3, 5, 1000, 20, first, second),
              dispatch.CallValue(20, first, 5, 1000, 20, second), 1e-3);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(PositionTest, ValueRestoresTheModelRatesAfterwards) {
  panel.RefreshReportInputs();
  dispatch.Option1.RiskFree = 0.5f;  // as a calculator with its own rate leaves it
  float first = 0;
  float second = 0;
  const float atHalf = reports.PositionValue(20, 1, 1000, 1000, 20, first, second);
  EXPECT_FLOAT_EQ(dispatch.Option1.RiskFree, 0.03f);
  EXPECT_FLOAT_EQ(dispatch.OptionCRR1.RiskFree, 0.03f);
  EXPECT_GT(atHalf, reports.PositionValue(20, 1, 1000, 1000, 20, first, second));
}

}  // namespace
}  // namespace valquor
