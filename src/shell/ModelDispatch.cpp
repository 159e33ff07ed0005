#include "shell/ModelDispatch.h"

#include <cmath>
#include <string_view>

#include "models/Format.h"
#include "models/Numbers.h"
#include "models/Single.h"
#include "shell/OptionsTerms.h"

namespace valquor {

TModelDispatch::TModelDispatch(TPlatform& platform, const TDispatchInputs& inputs)
    : Option1(platform),
      OptionCRR1(platform),
      OptionInt1(platform),
      Option3651(platform),
      OptionCRR3651(platform),
      platform_(platform),
      inputs_(inputs) {}

std::uint8_t TModelDispatch::SelectedFormula() const {
  return valquor::SelectedFormula(inputs_.FormulaText());
}

float TModelDispatch::Value(bool isPut, int days, float& firstEstimate, float strike, float price,
                            float volatility, float& secondEstimate) {
  switch (FormulaKind) {
    case kFormulaBlackScholes: {
      const float v = Option1.Value(isPut, days, strike, price, volatility);
      firstEstimate = v;
      secondEstimate = v;
      return v;
    }
    case kFormulaBinomial: {
      const int style = inputs_.ExpirationStyleIndex();
      if (style == 0) OptionCRR1.American = false;
      if (style == 1) OptionCRR1.American = true;
      OptionCRR1.RiskFree = ParseNumber(inputs_.RiskFreeInterestText(), platform_);
      const float carry = ParseNumber(inputs_.CostOfCarryText(), platform_);
      const int steps = inputs_.NumberOfStepsValue();
      const float v = OptionCRR1.Value(isPut, days, strike, price, volatility, carry, steps);
      firstEstimate = v;
      secondEstimate = v;
      return v;
    }
    case kFormulaIntNormal:
    case kFormulaIntLognormal:
    case kFormulaIntMedium: {
      OptionInt1.Distribution = static_cast<std::uint8_t>(FormulaKind - 2);
      OptionInt1.Values(isPut, days, strike, price, volatility, firstEstimate, secondEstimate);
      return (firstEstimate + secondEstimate) / 2.0f;
    }
    default:
      platform_.ShowMessage(isPut ? "Error 809" : "Error 807", TMessageKind::Error);
      return 0.0f;
  }
}

float TModelDispatch::CallValue(int days, float& firstEstimate, float strike, float price,
                                float volatility, float& secondEstimate) {
  return Value(false, days, firstEstimate, strike, price, volatility, secondEstimate);
}

float TModelDispatch::PutValue(int days, float& firstEstimate, float strike, float price,
                               float volatility, float& secondEstimate) {
  return Value(true, days, firstEstimate, strike, price, volatility, secondEstimate);
}

float TModelDispatch::ForwardOf(int days, bool tradingDays, float amount) {
  return valquor::ForwardOf(ParseNumber(inputs_.RiskFreeInterestText(), platform_), days,
                            tradingDays ? kTradingDaysPerYear : kCalendarDaysPerYear, amount);
}

float TModelDispatch::PresentOf(int days, bool tradingDays, float amount) {
  return valquor::PresentOf(ParseNumber(inputs_.RiskFreeInterestText(), platform_), days,
                            tradingDays ? kTradingDaysPerYear : kCalendarDaysPerYear, amount);
}

void TModelDispatch::RefreshModelRates() {
  Option1.RiskFree = ParseNumber(inputs_.RiskFreeInterestText(), platform_);
  OptionCRR1.RiskFree = ParseNumber(inputs_.RiskFreeInterestText(), platform_);
}

}  // namespace valquor
