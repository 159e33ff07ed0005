// The "IV Calculator" tab: the volatility that values one option at a given premium.

#include <memory>
#include <optional>

#include "forms/Text.h"
#include "models/Numbers.h"
#include "reports/OptionCalculator.h"
#include "reports/OptionCalculatorImplied.h"
#include "shell/VolatilityPages.h"

namespace valquor {

void TVolatilityPages::Button8Click() {
  TImpliedVolatilityRequest request;
  request.ZeroPremiumGivesFloor = true;
  request.Strike = ReadCommandNumber(form_.Strike7.Text(), platform_);
  if (!(request.Strike > 0)) {
    platform_.ShowMessage("Strike input error", TMessageKind::Error);
    return;
  }
  request.Price = ReadCommandNumber(form_.Price7.Text(), platform_);
  if (!(request.Price > 0)) {
    platform_.ShowMessage("Price input error", TMessageKind::Error);
    return;
  }
  request.Premium = ReadCommandNumber(form_.Premium7.Text(), platform_);
  TValuationTerms& terms = request.Terms;
  terms.RiskFree = ReadCommandNumber(form_.Riskfree7.Text(), platform_);
  request.Days = StrToInt(form_.Days7.Text());
  if (!(request.Days > 0)) {
    platform_.ShowMessage("Days input error", TMessageKind::Error);
    return;
  }

  TBusyCursor busy(platform_);
  // The calculators' formula at this page's rate, with the Options page's carry, steps and
  // exercise style.
  terms.Formula = CalculatorFormula(form_.Formula.Text());
  if (terms.Formula == kFormulaBinomial) {
    terms.Carry = ReadCommandNumber(form_.CostOfCarry.Text(), platform_);
    const int style = form_.ExpirationStyle.ItemIndex();
    if (style == 0) american_ = false;
    if (style == 1) american_ = true;
    terms.American = american_;
  }
  terms.Steps = StrToInt(form_.NumberOfSteps.Text());
  terms.DaysPerYear =
      form_.DaysOption7.ItemIndex() == 1 ? kCalendarDaysPerYear : kTradingDaysPerYear;
  request.IsPut = form_.OptionType7.ItemIndex() == 1;

  run_(OneStageCommand(
      std::move(request), ComputeIVCalculator,
      [this](const TImpliedVolatilityRequest& request, const std::optional<float>& implied) {
        if (implied) {
          form_.Edit6.SetText(FormatPremium(*implied) + "%");
          form_.IVModelLabel.SetCaption(ModelDescription(request.Terms));
          LastImplied = TImpliedPoint{
              *implied,
              TradingDaysOf(request.Days, request.Terms.DaysPerYear == kCalendarDaysPerYear)};
        }
        panel_.RefreshReportInputs();
      }));
}

}  // namespace valquor
