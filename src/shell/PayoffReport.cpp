#include "reports/DaySteps.h"
#include "shell/OptionsTerms.h"
#include "shell/PricingReports.h"

namespace valquor {
namespace {

std::uint8_t AnalysisDistribution(const std::string& text) {
  if (text == "Normal distribution") return kNormalDistribution;
  if (text == "Lognormal distribution") return kLognormalDistribution;
  return kMediumDistribution;
}

}  // namespace

TPayoffRequest TPricingReports::ReadPayoff(const TPanelReading& panel, TPlatform& platform) {
  TPayoffRequest request;
  request.Code = PositionCode();
  request.PositionName = form_.PositionName.Text();
  request.Inputs = panel.Inputs;
  request.Inputs.StrikeStep =
      form_.Steps.Text().empty() ? 10.0f : ReadCommandNumber(form_.Steps.Text(), platform);
  request.DayStep = FindDayStep(form_.DaysCombo.Text());
  request.Intervals = form_.NumberOfIntervals.Value();
  request.Adjust = form_.Adjust.Value();
  request.Distribution = AnalysisDistribution(form_.AnalysisFormula.Text());
  request.StrikeAxis = StrikeAxis();
  request.Locked = form_.MainForwardLock.Checked();
  // The Options page is read only when the analysis values anything.
  if (PayoffAnalysed(request)) {
    request.Terms = ReadOptionsTerms(form_, platform, panel_.American);
    request.Rate = ReadCommandNumber(form_.RiskFreeInterest.Text(), platform);
  }
  request.VolatilityText = form_.VolEdit.Text();
  request.PriceText = form_.PriceEdit.Text();
  request.ForwardText = panel.ForwardText;
  request.AnalysisFormulaText = form_.AnalysisFormula.Text();
  request.TrueVolatilityText = form_.TrueVolEdit.Text();
  return request;
}

}  // namespace valquor
