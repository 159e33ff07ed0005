#include "models/ModelDispatch.h"

#include <cmath>
#include <string_view>

#include "models/Format.h"
#include "models/Numbers.h"

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
  const std::string text = inputs_.FormulaText();
  const std::string_view head = std::string_view(text).substr(0, 3);
  if (head == "Bla") return kFormulaBlackScholes;
  if (head == "Cox") return kFormulaBinomial;
  if (text == "Integration normal distribution") return kFormulaIntNormal;
  if (text == "Integration lognormal distribution") return kFormulaIntLognormal;
  return kFormulaIntMedium;
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

double TModelDispatch::Growth(int days, bool tradingDays) {
  const float rate = ParseNumber(inputs_.RiskFreeInterestText(), platform_);
  const float years = static_cast<float>(static_cast<double>(days) / (tradingDays ? 260.0 : 365.0));
  const double growth = std::exp(static_cast<double>(rate) * static_cast<double>(years));
  if (!std::isfinite(growth)) {
    throw ArithmeticFault("exp of " + FormatGeneral15(static_cast<double>(rate) * years));
  }
  return growth;
}

float TModelDispatch::ForwardOf(int days, bool tradingDays, float amount) {
  const double result = static_cast<double>(amount) * Growth(days, tradingDays);
  if (!std::isfinite(result) || std::fabs(result) > 3.4028234663852886e38) {
    throw ArithmeticFault("forward of " + FormatGeneral15(amount) + " out of range");
  }
  return static_cast<float>(result);
}

float TModelDispatch::PresentOf(int days, bool tradingDays, float amount) {
  const double growth = Growth(days, tradingDays);
  if (growth == 0.0) throw ArithmeticFault("division by a growth factor of 0");
  const double result = static_cast<double>(amount) / growth;
  if (!std::isfinite(result) || std::fabs(result) > 3.4028234663852886e38) {
    throw ArithmeticFault("present value of " + FormatGeneral15(amount) + " out of range");
  }
  return static_cast<float>(result);
}

void TModelDispatch::RefreshModelRates() {
  Option1.RiskFree = ParseNumber(inputs_.RiskFreeInterestText(), platform_);
  OptionCRR1.RiskFree = ParseNumber(inputs_.RiskFreeInterestText(), platform_);
}

}  // namespace valquor
