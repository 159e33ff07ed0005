#include "volatility/ImpliedVolatility.h"

#include <vector>

#include "models/Numbers.h"

namespace valquor {
namespace {

constexpr float kPriceErrorLimit = 10'000'000;

}  // namespace

std::array<float, kGridCandidates> PriceGridCandidates(float relativeStep, float centre) {
  std::array<float, kGridCandidates> candidates{};
  for (std::size_t i = 0; i < kGridCandidates; ++i) {
    candidates[i] =
        centre - 9 * centre * relativeStep + static_cast<float>(i) * centre * relativeStep;
  }
  return candidates;
}

float PriceGridPass(float relativeStep, float centre, const TErrorMeasure& error) {
  const std::array<float, kGridCandidates> candidates = PriceGridCandidates(relativeStep, centre);
  std::array<float, kGridCandidates> errors{};
  for (std::size_t i = 0; i < kGridCandidates; ++i) errors[i] = error(candidates[i]);
  const std::optional<std::size_t> winner = GridWinner(errors, kPriceErrorLimit);
  return winner ? candidates[*winner] : 0.0f;
}

float PriceGridPass(float relativeStep, float centre, TComputeContext& context,
                    const TValuedError& error) {
  const std::array<float, kGridCandidates> candidates = PriceGridCandidates(relativeStep, centre);
  const std::vector<float> errors = context.Map<float>(
      candidates.size(),
      [&](std::size_t i, TValuer& valuer) { return error(candidates[i], valuer); });
  const std::optional<std::size_t> winner = GridWinner(errors, kPriceErrorLimit);
  return winner ? candidates[*winner] : 0.0f;
}

float MediumPrice(std::string_view cell, const TNumberReader& read) {
  const std::size_t dash = cell.find('-');
  if (dash == std::string_view::npos) return read(cell);
  const float bid = read(cell.substr(0, dash));
  const float ask = read(cell.substr(dash + 1));
  // Halved in double: two large sides must not overflow on the way.
  return static_cast<float>((double{bid} + double{ask}) / 2);
}

float MediumPrice(std::string_view cell, char decimalMark, TMessageSink& messages) {
  return MediumPrice(
      cell, [&](std::string_view text) { return ParseNumber(text, decimalMark, messages); });
}

}  // namespace valquor
