#include "models/ModelSet.h"

namespace valquor {

TModelSet::TModelSet()
    : Option1(Messages),
      OptionCRR1(Messages),
      OptionInt1(Messages),
      Option3651(Messages),
      OptionCRR3651(Messages) {}

float TModelSet::Value(const TValuationTerms& terms, bool isPut, int days, float strike,
                       float price, float volatility, float& firstEstimate, float& secondEstimate) {
  const bool calendarDays = terms.DaysPerYear == kCalendarDaysPerYear;
  float v = 0.0f;
  switch (terms.Formula) {
    case kFormulaBlackScholes:
      if (calendarDays) {
        Option3651.RiskFree = terms.RiskFree;
        v = Option3651.Value(isPut, days, strike, price, volatility);
      } else {
        Option1.RiskFree = terms.RiskFree;
        v = Option1.Value(isPut, days, strike, price, volatility);
      }
      break;
    case kFormulaBinomial:
      if (calendarDays) {
        OptionCRR3651.American = terms.American;
        OptionCRR3651.RiskFree = terms.RiskFree;
        v = OptionCRR3651.Value(isPut, days, strike, price, volatility, terms.Carry, terms.Steps);
      } else {
        OptionCRR1.American = terms.American;
        OptionCRR1.RiskFree = terms.RiskFree;
        v = OptionCRR1.Value(isPut, days, strike, price, volatility, terms.Carry, terms.Steps);
      }
      break;
    case kFormulaIntNormal:
    case kFormulaIntLognormal:
    case kFormulaIntMedium:
      OptionInt1.Intervals = terms.Intervals;
      OptionInt1.Distribution = static_cast<std::uint8_t>(terms.Formula - 2);
      OptionInt1.Values(isPut, days, strike, price, volatility, firstEstimate, secondEstimate);
      return (firstEstimate + secondEstimate) / 2.0f;
    default:
      Messages.ShowMessage(isPut ? "Error 809" : "Error 807", TMessageKind::Error);
      return 0.0f;
  }
  firstEstimate = v;
  secondEstimate = v;
  return v;
}

float TModelSet::Value(const TValuationTerms& terms, bool isPut, int days, float strike,
                       float price, float volatility) {
  float first = 0.0f;
  float second = 0.0f;
  return Value(terms, isPut, days, strike, price, volatility, first, second);
}

}  // namespace valquor
