#pragma once
// Implied volatility and implied price by coarse-to-fine grid search: three passes of 19
// candidates, each centred on the winner of the one before with a step ten times finer. All
// arithmetic in single precision. Ties keep the earliest candidate; an error that is not a
// number never wins. The volatility passes are those of the single-option calculators
// (reports/OptionCalculatorImplied.h).

#include <array>
#include <functional>
#include <string_view>

#include "compute/Engine.h"
#include "models/MessageSink.h"
#include "reports/OptionCalculatorImplied.h"

namespace valquor {

// The prices of one pass: centre * (1 + relativeStep * (i - 9)), i = 0..18, without a lower
// bound.
[[nodiscard]] std::array<float, kGridCandidates> PriceGridCandidates(float relativeStep,
                                                                     float centre);

// One pass over the price candidates: the candidate with the smallest error below 10 000 000,
// or 0 when none is below it.
[[nodiscard]] float PriceGridPass(float relativeStep, float centre, const TErrorMeasure& error);
// The same with the 19 errors valued as units of the context (one unit of progress each).
[[nodiscard]] float PriceGridPass(float relativeStep, float centre, TComputeContext& context,
                                  const TValuedError& error);

// The market prices of the implied-volatility analysis for one expiration: rows 1..5 (index 0
// unused) with the strike K (0: the row takes no part) and the medium call and put prices CM
// and PM (0: not given).
struct TAnalysisTable {
  int Days = 0;  // trading days to expiration
  std::array<float, 6> K{};
  std::array<float, 6> CM{};
  std::array<float, 6> PM{};
};

// Reads one number of a grid cell.
using TNumberReader = std::function<float(std::string_view)>;

// The medium price of a grid cell: a premium, or a bid and an ask around its first "-"
// ("2.00-2.20" gives 2.10, "-2" gives 1), each side read by read; an empty cell or side is 0.
[[nodiscard]] float MediumPrice(std::string_view cell, const TNumberReader& read);
// The same, each side read with ParseNumber in the user's decimal mark (a malformed one shows
// its message and counts -999).
[[nodiscard]] float MediumPrice(std::string_view cell, char decimalMark, TMessageSink& messages);

}  // namespace valquor
