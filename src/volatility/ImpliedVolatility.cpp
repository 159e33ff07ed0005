#include "volatility/ImpliedVolatility.h"

#include "models/Numbers.h"

namespace valquor {

float VolGridPass(float step, float centre, const TErrorMeasure& error) {
  float best = 0;
  float bestError = 10000;
  for (int i = 0; i < 19; ++i) {
    float v = (centre - 9 * step) + static_cast<float>(i) * step;
    if (v < 0.1f) v = 0.1f;
    const float e = error(v);
    if (e < bestError) {
      bestError = e;
      best = v;
    }
  }
  return best;
}

float PriceGridPass(float relativeStep, float centre, const TErrorMeasure& error) {
  float best = 0;
  float bestError = 10'000'000;
  for (int i = 0; i < 19; ++i) {
    const float price =
        centre - 9 * centre * relativeStep + static_cast<float>(i) * centre * relativeStep;
    const float e = error(price);
    if (e < bestError) {
      bestError = e;
      best = price;
    }
  }
  return best;
}

float SearchVolatility(const TErrorMeasure& error) {
  const float v1 = VolGridPass(10, 100, error);
  const float v2 = VolGridPass(1, v1, error);
  return VolGridPass(0.1f, v2, error);
}

float MediumPrice(std::string_view cell, char decimalMark, TMessageSink& messages) {
  const std::size_t dash = cell.find('-');
  if (dash == std::string_view::npos) return ParseNumber(cell, decimalMark, messages);
  const float bid = ParseNumber(cell.substr(0, dash), decimalMark, messages);
  const float ask = ParseNumber(cell.substr(dash + 1), decimalMark, messages);
  // Halved in double: two large sides must not overflow on the way.
  return static_cast<float>((double{bid} + double{ask}) / 2);
}

}  // namespace valquor
