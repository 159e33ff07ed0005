#pragma once
// The implied volatility of one option's premium, for the IV Calculator and the over/under
// calculator: a coarse-to-fine grid search of three passes of 19 candidates (steps 10, 1 and
// 0.1 from the centre 100), each pass centred on the winner of the one before. All arithmetic in
// single precision. Ties keep the earliest candidate; an error that is not a number never wins.
// The candidates of a pass may be valued on every worker: the result is the same whatever their
// number.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>

#include "compute/Engine.h"
#include "models/ValuationTerms.h"

namespace valquor {

// Candidates of a grid pass.
inline constexpr std::size_t kGridCandidates = 19;

// An error measure of a candidate volatility (percent) or underlying price.
using TErrorMeasure = std::function<float(float)>;
// The same, valued with a worker's valuer.
using TValuedError = std::function<float(float, TValuer&)>;

// The volatilities of one pass: centre - 9 step .. centre + 9 step, each at least 0.1.
[[nodiscard]] std::array<float, kGridCandidates> VolGridCandidates(float step, float centre);

// The place of the first smallest error below limit; nothing when none is below it.
[[nodiscard]] std::optional<std::size_t> GridWinner(std::span<const float> errors, float limit);

// One volatility pass: the candidate with the smallest error below 10000, or 0 when none is.
[[nodiscard]] float VolGridPass(float step, float centre, const TErrorMeasure& error);
// The same with the 19 errors valued as units of the context (one unit of progress each).
[[nodiscard]] float VolGridPass(float step, float centre, TComputeContext& context,
                                const TValuedError& error);

// The three volatility passes. The result is a multiple of 0.1 from 0.1 to 199.9, or 0 when a
// pass finds no error below 10000.
[[nodiscard]] float SearchVolatility(const TErrorMeasure& error);
// The same on the context's workers, each candidate one unit of progress (plan kSearchUnits).
[[nodiscard]] float SearchVolatility(TComputeContext& context, const TValuedError& error);
inline constexpr std::size_t kSearchUnits = 3 * kGridCandidates;

// The bounds of the volatility search, in percent, as the refusal names them.
inline constexpr float kLowestImpliedVolatility = 0.1f;
inline constexpr float kHighestImpliedVolatility = 200.0f;
// Shown when no volatility from the lowest to the highest values the option at the premium.
inline constexpr const char* kNoImpliedVolatilityMessage =
    "No volatility from 0.1 % to 200 % gives this premium";

struct TImpliedVolatilityRequest {
  float Strike = 0;   // > 0
  float Price = 0;    // > 0
  float Premium = 0;  // the market premium
  int Days = 0;       // > 0, counted against Terms.DaysPerYear
  bool IsPut = false;
  TValuationTerms Terms;
  // A premium of exactly 0 gives the search's floor, 0.1, without a valuation.
  bool ZeroPremiumGivesFloor = false;
};

// The volatility in percent that values the option at the premium, or nothing when no
// volatility from 0.1 % to 200 % gives the premium within half a cent: the search's winner is
// kept when it values the option within half a cent of the premium, or when the premium lies
// between the values at 0.1 % and 200 % (less and more half a cent), which the grid's step of
// 0.1 cannot always meet. Model messages go to the context. Plan kSearchUnits first; the check
// of the bounds plans its own two.
[[nodiscard]] std::optional<float> ImpliedVolatility(const TImpliedVolatilityRequest& request,
                                                     TComputeContext& context);

// The IV Calculator: ImpliedVolatility, planned, and kNoImpliedVolatilityMessage when there is
// none.
[[nodiscard]] std::optional<float> ComputeIVCalculator(const TImpliedVolatilityRequest& request,
                                                       TComputeContext& context);

}  // namespace valquor
