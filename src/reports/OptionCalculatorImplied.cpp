#include "reports/OptionCalculatorImplied.h"

#include <cmath>
#include <limits>
#include <vector>

namespace valquor {
namespace {

// An error the volatility passes accept: below this.
constexpr float kVolErrorLimit = 10000;
// Half a cent: a volatility reproduces a premium when it values the option this close to it.
constexpr double kPremiumTolerance = 0.005;

struct TPassOutcome {
  float Winner = 0;
  float Error = 0;  // the winner's error; not finite when there is no winner
};

TPassOutcome Pick(const std::array<float, kGridCandidates>& candidates,
                  std::span<const float> errors) {
  const std::optional<std::size_t> winner = GridWinner(errors, kVolErrorLimit);
  if (!winner) return {0, std::numeric_limits<float>::infinity()};
  return {candidates[*winner], errors[*winner]};
}

TPassOutcome ValuedPass(float step, float centre, TComputeContext& context,
                        const TValuedError& error) {
  const std::array<float, kGridCandidates> candidates = VolGridCandidates(step, centre);
  const std::vector<float> errors = context.Map<float>(
      candidates.size(),
      [&](std::size_t i, TValuer& valuer) { return error(candidates[i], valuer); });
  return Pick(candidates, errors);
}

TPassOutcome ValuedSearch(TComputeContext& context, const TValuedError& error) {
  const TPassOutcome first = ValuedPass(10, 100, context, error);
  const TPassOutcome second = ValuedPass(1, first.Winner, context, error);
  return ValuedPass(0.1f, second.Winner, context, error);
}

}  // namespace

std::array<float, kGridCandidates> VolGridCandidates(float step, float centre) {
  std::array<float, kGridCandidates> candidates{};
  for (std::size_t i = 0; i < kGridCandidates; ++i) {
    float v = (centre - 9 * step) + static_cast<float>(i) * step;
    if (v < 0.1f) v = 0.1f;
    candidates[i] = v;
  }
  return candidates;
}

std::optional<std::size_t> GridWinner(std::span<const float> errors, float limit) {
  std::optional<std::size_t> winner;
  float best = limit;
  for (std::size_t i = 0; i < errors.size(); ++i) {
    if (errors[i] < best) {
      best = errors[i];
      winner = i;
    }
  }
  return winner;
}

float VolGridPass(float step, float centre, const TErrorMeasure& error) {
  const std::array<float, kGridCandidates> candidates = VolGridCandidates(step, centre);
  std::array<float, kGridCandidates> errors{};
  for (std::size_t i = 0; i < kGridCandidates; ++i) errors[i] = error(candidates[i]);
  return Pick(candidates, errors).Winner;
}

float VolGridPass(float step, float centre, TComputeContext& context, const TValuedError& error) {
  return ValuedPass(step, centre, context, error).Winner;
}

float SearchVolatility(const TErrorMeasure& error) {
  const float v1 = VolGridPass(10, 100, error);
  const float v2 = VolGridPass(1, v1, error);
  return VolGridPass(0.1f, v2, error);
}

float SearchVolatility(TComputeContext& context, const TValuedError& error) {
  return ValuedSearch(context, error).Winner;
}

std::optional<float> ImpliedVolatility(const TImpliedVolatilityRequest& request,
                                       TComputeContext& context) {
  const float premium = request.Premium;
  if (request.ZeroPremiumGivesFloor && premium == 0) {
    // Every candidate fits a premium of 0 equally: each pass keeps its first.
    return SearchVolatility([](float) { return 0.0f; });
  }
  const auto value = [&request](float volatility, TValuer& valuer) {
    return valuer.Value(request.Terms, request.IsPut, request.Days, request.Strike, request.Price,
                        volatility);
  };
  const TPassOutcome found = ValuedSearch(context, [&](float volatility, TValuer& valuer) {
    return std::fabs(value(volatility, valuer) - premium);
  });
  if (found.Winner > 0 && double{found.Error} <= kPremiumTolerance) return found.Winner;

  // The grid may miss the premium by more than half a cent where the value moves fast with the
  // volatility; the premium is still reproduced by some volatility when it lies between the
  // values at the bounds.
  context.Control().Plan(2);
  const std::vector<float> bounds = context.Map<float>(2, [&](std::size_t i, TValuer& valuer) {
    return value(i == 0 ? kLowestImpliedVolatility : kHighestImpliedVolatility, valuer);
  });
  const bool within = double{premium} >= double{bounds[0]} - kPremiumTolerance &&
                      double{premium} <= double{bounds[1]} + kPremiumTolerance;
  if (found.Winner > 0 && within) return found.Winner;
  return std::nullopt;
}

std::optional<float> ComputeIVCalculator(const TImpliedVolatilityRequest& request,
                                         TComputeContext& context) {
  context.Control().Plan(kSearchUnits);
  const std::optional<float> implied = ImpliedVolatility(request, context);
  if (!implied) context.Messages().ShowMessage(kNoImpliedVolatilityMessage, TMessageKind::Error);
  return implied;
}

}  // namespace valquor
