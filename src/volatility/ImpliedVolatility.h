#pragma once
// Implied volatility and implied price by coarse-to-fine grid search: three passes of 19
// candidates, each centred on the winner of the one before with a step ten times finer. All
// arithmetic in single precision. Ties keep the earliest candidate; an error that is not a
// number never wins.

#include <array>
#include <functional>
#include <string_view>

#include "models/MessageSink.h"

namespace valquor {

// An error measure of a candidate volatility (percent) or underlying price.
using TErrorMeasure = std::function<float(float)>;

// One pass over the volatilities centre - 9 step .. centre + 9 step, each at least 0.1: the
// candidate with the smallest error below 10000, or 0 when none is below it.
[[nodiscard]] float VolGridPass(float step, float centre, const TErrorMeasure& error);

// One pass over the prices centre * (1 + relativeStep * (i - 9)), i = 0..18, without a lower
// bound: the candidate with the smallest error below 10 000 000, or 0 when none is below it.
[[nodiscard]] float PriceGridPass(float relativeStep, float centre, const TErrorMeasure& error);

// The three volatility passes: steps 10, 1 and 0.1 from the centre 100. The result is a
// multiple of 0.1 from 0.1 to 199.9.
[[nodiscard]] float SearchVolatility(const TErrorMeasure& error);

// The market prices of the implied-volatility analysis for one expiration: rows 1..5 (index 0
// unused) with the strike K (0: the row takes no part) and the medium call and put prices CM
// and PM (0: not given).
struct TAnalysisTable {
  int Days = 0;  // trading days to expiration
  std::array<float, 6> K{};
  std::array<float, 6> CM{};
  std::array<float, 6> PM{};
};

// The medium price of a grid cell: a premium, or a bid and an ask around its first "-"
// ("2.00-2.20" gives 2.10, "-2" gives 1); each side read with ParseNumber in the user's decimal
// mark (a malformed one shows its message and counts -999); an empty cell or side is 0.
[[nodiscard]] float MediumPrice(std::string_view cell, char decimalMark, TMessageSink& messages);

}  // namespace valquor
