#include "shell/OptionsTerms.h"

#include <string>

#include "forms/Text.h"

namespace valquor {

std::uint8_t SelectedFormula(std::string_view text) {
  const std::string_view head = text.substr(0, 3);
  if (head == "Bla") return kFormulaBlackScholes;
  if (head == "Cox") return kFormulaBinomial;
  if (text == "Integration normal distribution") return kFormulaIntNormal;
  if (text == "Integration lognormal distribution") return kFormulaIntLognormal;
  return kFormulaIntMedium;
}

bool AcceptFormulaText(const std::string& text, TPlatform& platform) {
  platform.ShowMessage("Unknown formula: " + text, TMessageKind::Error);
  return false;
}

TValuationTerms ReadOptionsTerms(const TFormPersonalControls& form, TPlatform& platform,
                                 bool& american) {
  TValuationTerms terms;
  terms.Formula = SelectedFormula(form.Formula.Text());
  terms.DaysPerYear = kTradingDaysPerYear;
  switch (terms.Formula) {
    case kFormulaBlackScholes:
      terms.RiskFree = ReadCommandNumber(form.RiskFreeInterest.Text(), platform);
      break;
    case kFormulaBinomial: {
      const int style = form.ExpirationStyle.ItemIndex();
      if (style == 0) american = false;
      if (style == 1) american = true;
      terms.American = american;
      terms.RiskFree = ReadCommandNumber(form.RiskFreeInterest.Text(), platform);
      terms.Carry = ReadCommandNumber(form.CostOfCarry.Text(), platform);
      terms.Steps = StrToInt(form.NumberOfSteps.Text());
      break;
    }
    default:
      terms.Intervals = form.NumberOfIntervals.Value();
      break;
  }
  return terms;
}

}  // namespace valquor
