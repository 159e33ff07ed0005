// The Calculator page: the premium of one call or put at the page's own rate and carry, and the
// chance that buying it at that premium gains.

#include <memory>

#include "forms/Text.h"
#include "reports/OptionCalculator.h"
#include "shell/FormPersonal.h"

namespace valquor {

void TFormPersonal::Button9Click() {
  Panel.RefreshReportInputs();
  TOptionCalculatorRequest request;
  request.Strike = ReadCommandNumber(Strike9.Text(), Platform);
  if (!(request.Strike > 0)) {
    Platform.ShowMessage("Strike input error", TMessageKind::Error);
    return;
  }
  request.Price = ReadCommandNumber(Price9.Text(), Platform);
  if (!(request.Price > 0)) {
    Platform.ShowMessage("Price input error", TMessageKind::Error);
    return;
  }
  TValuationTerms& terms = request.Terms;
  terms.RiskFree = ReadCommandNumber(RiskFree9.Text(), Platform);
  request.StyleIndex = ExpirationStyle.ItemIndex();
  if (request.StyleIndex == 0) TreeAmerican = false;
  if (request.StyleIndex == 1) TreeAmerican = true;
  terms.American = TreeAmerican;
  terms.Carry = ReadCommandNumber(CostofCarry9.Text(), Platform);
  terms.Steps = StrToInt(NumberOfSteps.Text());
  request.Days = StrToInt(Days9.Text());
  if (!(request.Days > 0)) {
    Platform.ShowMessage("Days input error", TMessageKind::Error);
    return;
  }
  request.Volatility = ReadCommandNumber(Vol9.Text(), Platform);
  if (!(request.Volatility > 0)) {
    Platform.ShowMessage("Volatility input error", TMessageKind::Error);
    return;
  }

  TBusyCursor busy(Platform);
  request.IsPut = OptionType9.ItemIndex() == 1;
  terms.DaysPerYear = DaysOption.ItemIndex() == 1 ? kCalendarDaysPerYear : kTradingDaysPerYear;
  terms.Formula = CalculatorFormula(Formula.Text());
  // The forward the chance of a gain is measured against grows at the Options page's rate.
  request.ForwardRate = ReadCommandNumber(RiskFreeInterest.Text(), Platform);

  RunCommand(OneStageCommand(
      std::move(request), ComputeOptionCalculator,
      [this](const TOptionCalculatorRequest& request, const TOptionCalculatorResult& result) {
        const TOptionCalculatorFields fields = RenderOptionCalculator(request, result);
        Label43.SetCaption(fields.Formula);
        Label45.SetCaption(fields.Style);
        Edit8.SetText(fields.Premium);
        Edit3.SetText(fields.Gain);
        CalcModelLabel.SetCaption(fields.Model);
        Panel.RefreshReportInputs();
      }));
}

}  // namespace valquor
