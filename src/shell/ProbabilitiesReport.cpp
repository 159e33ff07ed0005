#include "forms/Text.h"
#include "shell/PricingReports.h"

namespace valquor {

TProbabilitiesRequest TPricingReports::ReadProbabilities(const TPanelReading& panel) {
  TProbabilitiesRequest request;
  request.Days = StrToInt(form_.CalcDays.Text());
  request.DaysText = form_.CalcDays.Text();
  request.Forward = panel.Inputs.Forward;
  request.TrueVolatility = panel.Inputs.TrueVolatility;
  request.Wide = form_.MoreInt.Checked();
  return request;
}

}  // namespace valquor
