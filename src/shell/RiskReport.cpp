// The reports of the two calculator dialogs: the risk calculator's (what part of the premium of
// a bought call or put is at risk when the price moves two standard deviations of the holding
// period against it) and the over/under calculator's (a market premium against its fair value).

#include <memory>
#include <string>
#include <vector>

#include "forms/Text.h"
#include "reports/OptionCalculator.h"
#include "reports/OverUnder.h"
#include "reports/RiskCalculator.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

// Refuses a field's value with a message naming the field: the command stops there.
void Refuse(TPlatform& platform, const char* message) {
  platform.ShowMessage(message, TMessageKind::Error);
  throw EAbort();
}

}  // namespace

TCalculatorPageTerms TFormPersonal::CalculatorPageTerms() const {
  return {Strike9.Text(), Vol9.Text(), Days9.Text(), OptionType9.ItemIndex(),
          DaysOption.ItemIndex()};
}

void TFormPersonal::RiskReport() {
  TBusyCursor busy(Platform);
  Panel.RefreshReportInputs();

  const TFormWiz2& dialog = FormWiz2;
  TRiskRequest request;
  request.Strike = ReadCommandNumber(dialog.Strike.Text(), Platform);
  request.Premium = ReadCommandNumber(dialog.Premium.Text(), Platform);
  request.Price = ReadCommandNumber(dialog.Price.Text(), Platform);
  request.Volatility = ReadCommandNumber(dialog.Vol.Text(), Platform);
  request.Days = StrToInt(dialog.Days.Text());
  request.DaysInPosition = StrToInt(dialog.DaysInPosition.Text());

  // The calculators' formula at the IV Calculator's rate, with the Options page's carry, steps
  // and exercise style.
  TValuationTerms& terms = request.Terms;
  terms.RiskFree = ReadCommandNumber(Riskfree7.Text(), Platform);
  terms.Formula = CalculatorFormula(Formula.Text());
  request.StyleIndex = ExpirationStyle.ItemIndex();
  if (request.StyleIndex == 0) TreeAmerican = false;
  if (request.StyleIndex == 1) TreeAmerican = true;
  terms.American = TreeAmerican;
  terms.Carry = ReadCommandNumber(CostOfCarry.Text(), Platform);
  terms.Steps = StrToInt(NumberOfSteps.Text());
  request.ForwardRate = ReadCommandNumber(RiskFreeInterest.Text(), Platform);

  if (!(request.Volatility > 0)) Refuse(Platform, kRiskVolatilityMessage);
  if (request.Days < 0) Refuse(Platform, kRiskDaysMessage);
  if (request.DaysInPosition < 0) Refuse(Platform, kRiskDaysInPositionMessage);

  request.IsCall = dialog.OptionType.ItemIndex() == 0;
  request.IsPut = dialog.OptionType.ItemIndex() == 1;
  request.TradingDays = dialog.DaysOption.ItemIndex() == 0;
  request.AllDays = dialog.DaysOption.ItemIndex() == 1;
  terms.DaysPerYear = request.AllDays ? kCalendarDaysPerYear : kTradingDaysPerYear;
  request.StrikeText = dialog.Strike.Text();
  request.DaysText = dialog.Days.Text();
  request.DaysInPositionText = dialog.DaysInPosition.Text();
  request.PriceText = dialog.Price.Text();
  request.VolText = dialog.Vol.Text();

  RunCommand(OneStageCommand(std::move(request), ComputeRisk,
                             [this](const TRiskRequest& in, const TRiskResult& result) {
                               std::vector<std::string> lines = RenderRisk(in, result);
                               detail::ReplaceLines(FormWiz2.RichEdit1, lines);
                               Exports.Set(FormWiz2.RichEdit1, RiskCsv(in, result), "risk.csv");
                             }));
}

void TFormPersonal::OverUnderReport() {
  TBusyCursor busy(Platform);
  const TFormWiz& dialog = FormWiz;
  TOverUnderRequest request;
  request.Strike = ReadCommandNumber(dialog.Strike.Text(), Platform);
  if (!(request.Strike > 0)) Refuse(Platform, "Strike input error");
  request.Premium = ReadCommandNumber(dialog.Premium.Text(), Platform);
  if (!(request.Premium >= 0)) Refuse(Platform, kOverUnderPremiumMessage);
  request.Forward = ReadCommandNumber(dialog.ForwardPrice.Text(), Platform);
  if (!(request.Forward > 0)) Refuse(Platform, kOverUnderForwardMessage);
  request.Volatility = ReadCommandNumber(dialog.Vol.Text(), Platform);
  if (!(request.Volatility > 0)) Refuse(Platform, "Volatility input error");
  request.Days = StrToInt(dialog.Days.Text());
  if (!(request.Days > 0)) Refuse(Platform, "Days input error");

  // The calculators' formula under the Options page's rate, carry, steps and exercise style.
  TValuationTerms& terms = request.Terms;
  terms.Formula = CalculatorFormula(Formula.Text());
  terms.RiskFree = ReadCommandNumber(RiskFreeInterest.Text(), Platform);
  if (terms.Formula == kFormulaBinomial) {
    const int style = ExpirationStyle.ItemIndex();
    if (style == 0) TreeAmerican = false;
    if (style == 1) TreeAmerican = true;
    terms.American = TreeAmerican;
    terms.Carry = ReadCommandNumber(CostOfCarry.Text(), Platform);
    terms.Steps = NumberOfSteps.Value();
  }
  terms.DaysPerYear =
      dialog.DaysOption.ItemIndex() == 1 ? kCalendarDaysPerYear : kTradingDaysPerYear;
  request.IsPut = dialog.OptionType.ItemIndex() == 1;
  request.StrikeText = dialog.Strike.Text();
  request.DaysText = dialog.Days.Text();
  request.ForwardText = dialog.ForwardPrice.Text();
  request.VolText = dialog.Vol.Text();

  RunCommand(OneStageCommand(std::move(request), ComputeOverUnder,
                             [this](const TOverUnderRequest& in, const TOverUnderResult& result) {
                               std::vector<std::string> lines = RenderOverUnder(in, result);
                               detail::ReplaceLines(FormWiz.RichEdit1, lines);
                               Exports.Set(FormWiz.RichEdit1, OverUnderCsv(in, result),
                                           "over-under.csv");
                             }));
}

}  // namespace valquor
