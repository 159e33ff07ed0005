#include "shell/PricingReports.h"

#include "models/Numbers.h"
#include "reports/ReportSupport.h"

namespace valquor {

TPricingReports::TPricingReports(TFormPersonalControls& form, TModelDispatch& dispatch,
                                 TPlatform& platform, TReportPanel& panel)
    : form_(form),
      dispatch_(dispatch),
      platform_(platform),
      panel_(panel),
      payoffValues_(kMaxPayoffIntervals + 1, 0.0f) {}

int TPricingReports::PositionCode() {
  const std::string& name = form_.PositionName.Text();
  const std::vector<std::string>& names = TFormPersonalControls::PositionNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i) + 1;
  }
  platform_.ShowMessage("Error: Not recognized: " + name, TMessageKind::Error);
  throw EAbort();
}

bool TPricingReports::StrikeAxis() const { return form_.YAxis.Text() == "Strike"; }

bool TPricingReports::PriceIsInput() const {
  return StrikeAxis() && !form_.MainForwardLock.Checked();
}

void TPricingReports::RequirePositiveForward(float forward) {
  if (forward > 0) return;
  platform_.ShowMessage("Forward must be > 0", TMessageKind::Error);
  throw EAbort();
}

float TPricingReports::LegValue(const TLeg& leg, int days, float strike, float underlying,
                                float volatility, float& firstEstimate, float& secondEstimate) {
  switch (leg.Kind) {
    case TLegKind::Call:
      return dispatch_.CallValue(days, firstEstimate, strike, underlying, volatility,
                                 secondEstimate);
    case TLegKind::Put:
      return dispatch_.PutValue(days, firstEstimate, strike, underlying, volatility,
                                secondEstimate);
    case TLegKind::Stock:
      break;
  }
  // A share is worth the underlying it is valued at, under every formula.
  firstEstimate = underlying;
  secondEstimate = underlying;
  return underlying;
}

float TPricingReports::PositionValue(int days, int code, float strike, float underlying,
                                     float volatility, float& firstEstimate,
                                     float& secondEstimate) {
  firstEstimate = 0;
  secondEstimate = 0;
  if (days < 0) {
    platform_.ShowMessage("Internal error: Days < 0", TMessageKind::Error);
    return 0;
  }
  if (!(underlying > 0) || !(strike > 0)) return 0;

  const float step = panel_.Inputs.StrikeStep;
  double value = 0;
  double first = 0;
  double second = 0;
  for (const TLeg& leg : PositionLegs(code)) {
    const float legStrike = leg.StrikeShift > 0   ? strike + step
                            : leg.StrikeShift < 0 ? strike - step
                                                  : strike;
    // The estimates stay untouched when the formula is unknown: they count as 0 then.
    float legFirst = 0;
    float legSecond = 0;
    const float legValue = LegValue(leg, detail::AddDays(days, leg.ExtraDays), legStrike,
                                    underlying, volatility, legFirst, legSecond);
    value += leg.Count * static_cast<double>(legValue);
    first += leg.Count * static_cast<double>(legFirst);
    second += leg.Count * static_cast<double>(legSecond);
  }
  const float result = detail::ToSingle(value, "position value");
  firstEstimate = detail::ToSingle(first, "position value");
  secondEstimate = detail::ToSingle(second, "position value");
  if (code == 1 && !(result >= 0)) platform_.ShowMessage("Error call", TMessageKind::Error);
  dispatch_.RefreshModelRates();
  return result;
}

void TPricingReports::UseCustomInputClick() {
  const bool custom = form_.UseCustomInput.Checked();
  for (TEdit* edit : {&form_.Call3, &form_.Put3}) {
    edit->SetEnabled(custom);
    edit->SetColor(custom ? clWindow : clBtnFace);
  }
}

}  // namespace valquor
