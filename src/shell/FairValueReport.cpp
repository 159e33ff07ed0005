#include "reports/DaySteps.h"
#include "shell/OptionsTerms.h"
#include "shell/PricingReports.h"

namespace valquor {

TFairValueRequest TPricingReports::ReadFairValue(const TPanelReading& panel, TPlatform& platform) {
  TFairValueRequest request;
  request.Code = PositionCode();
  request.PositionName = form_.PositionName.Text();
  request.Inputs = panel.Inputs;
  request.StrikeAxis = StrikeAxis();
  request.Locked = form_.MainForwardLock.Checked();
  request.DayStep = FindDayStep(form_.DaysCombo.Text());
  // An unknown position ends the report before it values anything: nothing more is read.
  if (request.Code != 0) {
    request.Terms = ReadOptionsTerms(form_, platform, panel_.American);
    request.Rate = ReadCommandNumber(form_.RiskFreeInterest.Text(), platform);
  }
  request.YAxisText = form_.YAxis.Text();
  request.PriceText = form_.PriceEdit.Text();
  request.ForwardText = panel.ForwardText;
  request.StrikeText = form_.StrikeEdit.Text();
  request.VolatilityText = form_.VolEdit.Text();
  request.FormulaText = form_.Formula.Text();
  request.RateText = form_.RiskFreeInterest.Text();
  return request;
}

}  // namespace valquor
