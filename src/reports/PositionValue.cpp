#include "reports/PositionValue.h"

#include "models/Single.h"
#include "reports/Positions.h"
#include "reports/ReportSupport.h"

namespace valquor {

float OptionValue(TValuer& valuer, TMemoUse memo, const TValuationTerms& terms, bool isPut,
                  int days, float strike, float price, float volatility, float& firstEstimate,
                  float& secondEstimate) {
  // The worker's models report to the unit at hand either way.
  return memo == TMemoUse::Keep ? valuer.Value(terms, isPut, days, strike, price, volatility,
                                               firstEstimate, secondEstimate)
                                : valuer.Models().Value(terms, isPut, days, strike, price,
                                                        volatility, firstEstimate, secondEstimate);
}

TPositionValue PositionValue(TValuer& valuer, const TValuationTerms& terms, int code, int days,
                             float strike, float underlying, float volatility, float strikeStep,
                             TMemoUse memo) {
  if (days < 0) {
    valuer.Messages().ShowMessage("Internal error: Days < 0", TMessageKind::Error);
    return {};
  }
  if (!(underlying > 0) || !(strike > 0)) return {};

  double value = 0;
  double first = 0;
  double second = 0;
  for (const TLeg& leg : PositionLegs(code)) {
    // A share is worth the underlying it is valued at, under every formula.
    float legValue = underlying;
    float legFirst = underlying;
    float legSecond = underlying;
    if (leg.Kind != TLegKind::Stock) {
      const float legStrike = leg.StrikeShift > 0   ? strike + strikeStep
                              : leg.StrikeShift < 0 ? strike - strikeStep
                                                    : strike;
      // The estimates stay untouched when the formula is unknown: they count as 0 then.
      legFirst = 0;
      legSecond = 0;
      legValue = OptionValue(valuer, memo, terms, leg.Kind == TLegKind::Put,
                             detail::AddDays(days, leg.ExtraDays), legStrike, underlying,
                             volatility, legFirst, legSecond);
    }
    value += leg.Count * static_cast<double>(legValue);
    first += leg.Count * static_cast<double>(legFirst);
    second += leg.Count * static_cast<double>(legSecond);
  }
  TPositionValue result;
  result.Value = ToSingle(value, "position value");
  result.First = ToSingle(first, "position value");
  result.Second = ToSingle(second, "position value");
  if (code == 1 && !(result.Value >= 0)) {
    valuer.Messages().ShowMessage("Error call", TMessageKind::Error);
  }
  return result;
}

}  // namespace valquor
