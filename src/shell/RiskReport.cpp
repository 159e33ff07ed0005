// The risk calculator's report: what part of the premium of a bought call or put is at risk
// when the price moves two standard deviations of the holding period against it.

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "forms/Text.h"
#include "models/Format.h"
#include "models/NormalDistribution.h"
#include "models/Numbers.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

// A result stored in single precision; one that does not fit is the arithmetic fault the
// platform raises on such a store.
float ToSingle(double value, const char* what) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    throw ArithmeticFault(std::string("overflow in ") + what);
  }
  return static_cast<float>(value);
}

// days less daysInPosition without leaving 32 bits; anything below is as expired as INT_MIN.
int DaysLeft(int days, int daysInPosition) {
  const std::int64_t left = static_cast<std::int64_t>(days) - daysInPosition;
  if (left < INT_MIN) return INT_MIN;
  if (left > INT_MAX) return INT_MAX;
  return static_cast<int>(left);
}

std::string TwoDecimals(double value) { return FormatFixed(value, 2); }

}  // namespace

void TFormPersonal::RiskReport() {
  TBusyCursor busy(Platform);
  Panel.RefreshReportInputs();

  TFormWiz2& dialog = FormWiz2;
  const float strike = ParseNumber(dialog.Strike.Text(), Platform);
  const float premium = ParseNumber(dialog.Premium.Text(), Platform);
  const float price = ParseNumber(dialog.Price.Text(), Platform);
  const float volatility = ParseNumber(dialog.Vol.Text(), Platform);
  const int days = StrToInt(dialog.Days.Text());
  const int daysInPosition = StrToInt(dialog.DaysInPosition.Text());

  const float rate = ParseNumber(Riskfree7.Text(), Platform);
  Option1.RiskFree = rate;
  OptionCRR1.RiskFree = rate;
  Option3651.RiskFree = rate;
  OptionCRR3651.RiskFree = rate;
  Dispatch.FormulaKind =
      Formula.Text() == "Black-Scholes" ? kFormulaBlackScholes : kFormulaBinomial;
  OptionCRR3651.American = OptionCRR1.American;
  const float carry = ParseNumber(CostOfCarry.Text(), Platform);
  const int stepCount = StrToInt(NumberOfSteps.Text());

  if (daysInPosition < 0) {
    throw ArithmeticFault("square root of " + std::to_string(daysInPosition));
  }
  const float holdingVol =
      ToSingle(static_cast<double>(volatility) * std::sqrt(static_cast<double>(daysInPosition)) /
                   std::sqrt(double{kTradingDaysPerYear}),
               "the holding period's volatility");
  const float holdingSigma =
      ToSingle(0.01 * static_cast<double>(holdingVol) * static_cast<double>(price), "sigma");
  const float upPrice =
      ToSingle(static_cast<double>(price) + 2.0 * static_cast<double>(holdingSigma), "price up");
  const float downPrice =
      ToSingle(static_cast<double>(price) - 2.0 * static_cast<double>(holdingSigma), "price down");

  const bool tradingDays = dialog.DaysOption.ItemIndex() == 0;
  const bool allDays = dialog.DaysOption.ItemIndex() == 1;
  const float holdingForward = Dispatch.ForwardOf(daysInPosition, tradingDays, price);
  const float spread = ToSingle(0.01 * static_cast<double>(holdingVol), "spread");

  const float probDown =
      ToSingle(100.0 * ProbabilityBelow(downPrice, holdingForward, spread), "the probability down");
  const float probUp = ToSingle(100.0 - 100.0 * ProbabilityBelow(upPrice, holdingForward, spread),
                                "the probability up");

  // Fair values now and after the move; the moved prices are valued with the days left after
  // holding the position, whatever the option type and day counting.
  const bool isCall = dialog.OptionType.ItemIndex() == 0;
  const bool isPut = dialog.OptionType.ItemIndex() == 1;
  const int daysLeft = DaysLeft(days, daysInPosition);
  const auto fairValue = [&](int valueDays, float valuePrice) -> float {
    if (tradingDays) {
      float first = 0;
      float second = 0;
      return isPut ? Dispatch.PutValue(valueDays, first, strike, valuePrice, volatility, second)
                   : Dispatch.CallValue(valueDays, first, strike, valuePrice, volatility, second);
    }
    if (Dispatch.FormulaKind == kFormulaBlackScholes) {
      return Option3651.Value(isPut, valueDays, strike, valuePrice, volatility);
    }
    return OptionCRR3651.Value(isPut, valueDays, strike, valuePrice, volatility, carry, stepCount);
  };
  float fairNow = 0;
  float fairIfUp = 0;
  float fairIfDown = 0;
  if ((isCall || isPut) && (tradingDays || allDays)) {
    fairNow = fairValue(days, price);
    fairIfUp = fairValue(daysLeft, upPrice);
    fairIfDown = fairValue(daysLeft, downPrice);
  }

  double moneyAtRisk = 0;
  if (isCall) moneyAtRisk = static_cast<double>(premium) - fairIfDown;
  if (isPut) moneyAtRisk = static_cast<double>(premium) - fairIfUp;
  if (!(moneyAtRisk > 0) || !std::isfinite(moneyAtRisk)) moneyAtRisk = 0;

  TRichEdit& pane = dialog.RichEdit1;
  pane.Clear();
  if (isCall) pane.Add("Call " + dialog.Strike.Text());
  if (isPut) pane.Add("Put " + dialog.Strike.Text());
  if (tradingDays || allDays) {
    pane.Add((tradingDays ? "Trading days: " : "Days (all): ") + dialog.Days.Text());
    pane.Add("Days in position: " + dialog.DaysInPosition.Text());
  }
  pane.Add(Dispatch.FormulaKind == kFormulaBlackScholes ? "Formula: Black-Scholes"
                                                        : "Formula: Cox-Ross-Rubenstein");
  pane.Add(ExpirationStyle.ItemIndex() == 1 && Dispatch.FormulaKind == kFormulaBinomial
               ? "Expiration type: American"
               : "Expiration type: Eurpean");
  pane.Add("Price: " + dialog.Price.Text());
  pane.Add("Volatility: " + dialog.Vol.Text() + "%");
  pane.Add("Sigma: " + TwoDecimals(holdingSigma));
  pane.Add("P(2*sigma down): " + TwoDecimals(probDown) + "%");
  pane.Add("P(2*sigma up): " + TwoDecimals(probUp) + "%");
  pane.Add("Premium: " + TwoDecimals(premium));
  pane.Add("Fair price: " + TwoDecimals(fairNow));
  if (isCall) pane.Add("New fair price if down: " + TwoDecimals(fairIfDown));
  if (isPut) pane.Add("New fair price if up: " + TwoDecimals(fairIfUp));
  pane.Add("Money at risk: " + TwoDecimals(moneyAtRisk));
}

}  // namespace valquor
