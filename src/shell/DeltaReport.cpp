#include "forms/Text.h"
#include "shell/PricingReports.h"

namespace valquor {

TDeltaRequest TPricingReports::ReadDelta(const TFairValueRequest& fairValue) {
  TDeltaRequest request;
  request.Code = fairValue.Code;
  request.PositionName = fairValue.PositionName;
  // The panel's strike, price and volatility as the fair value report read them, at the days
  // of the Delta page.
  request.Strike = fairValue.Inputs.Strike;
  request.Price = fairValue.Inputs.Price;
  request.Volatility = fairValue.Inputs.Volatility;
  request.StrikeStep = fairValue.Inputs.StrikeStep;
  request.Terms = fairValue.Terms;
  request.StrikeText = form_.StrikeEdit.Text();
  request.PriceText = form_.PriceEdit.Text();
  request.VolatilityText = form_.VolEdit.Text();
  request.DaysText = form_.Days1.Text();
  request.Days = StrToInt(form_.Days1.Text());
  return request;
}

}  // namespace valquor
