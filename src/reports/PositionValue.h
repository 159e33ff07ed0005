#pragma once
// The value of a position of the catalogue (reports/Positions.h) under given valuation terms:
// the one way every Pricing report values a position.

#include "compute/Engine.h"
#include "models/ValuationTerms.h"

namespace valquor {

// Whether a valuation is kept in the computation's memo, so that whoever asks for it again gets it
// without valuing (TValuer::Value), or made on the worker's models alone: for the many
// valuations of a grid that nothing else in the computation can ask for, where keeping them all
// would cost more than it saves.
enum class TMemoUse { Keep, Skip };

// A position's value with the two estimates of the formula (for the integration formulas the
// value is their mean; for the others all three are equal).
struct TPositionValue {
  float Value = 0;
  float First = 0;
  float Second = 0;
};

// Position `code` (1 to 28) at `days` trading days, base strike `strike`, underlying `underlying`
// and volatility (percent), through valuer under terms. Option legs are valued at strike,
// strike + strikeStep or strike - strikeStep and at days + 22, 44 or 66; a share bought is worth
// the underlying, one sold minus that; bought legs add, sold legs subtract. Days < 0 shows
// "Internal error: Days < 0" and gives 0; a strike or underlying not above 0 gives 0 silently;
// a call (code 1) below 0 shows "Error call" and keeps its value. A code outside 1 to 28 gives 0.
// Throws ArithmeticFault when a sum leaves the single-precision range.
[[nodiscard]] TPositionValue PositionValue(TValuer& valuer, const TValuationTerms& terms, int code,
                                           int days, float strike, float underlying,
                                           float volatility, float strikeStep,
                                           TMemoUse memo = TMemoUse::Keep);

// One option under terms through valuer, kept in the memo or not.
[[nodiscard]] float OptionValue(TValuer& valuer, TMemoUse memo, const TValuationTerms& terms,
                                bool isPut, int days, float strike, float price, float volatility,
                                float& firstEstimate, float& secondEstimate);

}  // namespace valquor
