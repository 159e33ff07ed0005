// The "IV Calculator" tab: the volatility that values one option at a given premium.

#include <cmath>

#include "forms/Text.h"
#include "models/Numbers.h"
#include "volatility/ImpliedVolatility.h"
#include "shell/VolatilityPages.h"

namespace valquor {

void TVolatilityPages::Button8Click() {
  const float strike = ParseNumber(form_.Strike7.Text(), platform_);
  if (!(strike > 0)) {
    platform_.ShowMessage("Strike input error", TMessageKind::Error);
    return;
  }
  const float price = ParseNumber(form_.Price7.Text(), platform_);
  if (!(price > 0)) {
    platform_.ShowMessage("Price input error", TMessageKind::Error);
    return;
  }
  const float premium = ParseNumber(form_.Premium7.Text(), platform_);
  const float rate = ParseNumber(form_.Riskfree7.Text(), platform_);
  dispatch_.Option1.RiskFree = rate;
  dispatch_.OptionCRR1.RiskFree = rate;
  dispatch_.Option3651.RiskFree = rate;
  dispatch_.OptionCRR3651.RiskFree = rate;
  const int days = StrToInt(form_.Days7.Text());
  if (!(days > 0)) {
    platform_.ShowMessage("Days input error", TMessageKind::Error);
    return;
  }

  TBusyCursor busy(platform_);
  dispatch_.FormulaKind =
      form_.Formula.Text() == "Black-Scholes" ? kFormulaBlackScholes : kFormulaBinomial;
  dispatch_.OptionCRR3651.American = dispatch_.OptionCRR1.American;
  const float carry = ParseNumber(form_.CostOfCarry.Text(), platform_);
  const int steps = StrToInt(form_.NumberOfSteps.Text());

  const bool isPut = form_.OptionType7.ItemIndex() == 1;
  const bool allDays = form_.DaysOption7.ItemIndex() == 1;
  const auto value = [&](float volatility) -> float {
    if (!allDays) return ModelValue(isPut, days, strike, price, volatility);
    if (dispatch_.FormulaKind == kFormulaBlackScholes) {
      return dispatch_.Option3651.Value(isPut, days, strike, price, volatility);
    }
    return dispatch_.OptionCRR3651.Value(isPut, days, strike, price, volatility, carry, steps);
  };
  const float implied = SearchVolatility([&](float volatility) -> float {
    if (!(strike > 0) || !(premium > 0)) return 0;
    return std::fabs(value(volatility) - premium);
  });
  form_.Edit6.SetText(FormatPremium(implied) + "%");

  panel_.RefreshReportInputs();
}

}  // namespace valquor
