#pragma once
// Internal to the models: the normal distribution function without the argument check, for the
// valuation loops that have checked their arguments already.

#include <cmath>

namespace valquor::detail {

// Abramowitz and Stegun 26.2.17; x must not be NaN.
[[nodiscard]] inline double NormalCdfKernel(double x) {
  constexpr double kInverseSqrtTwoPi = 0.3989422804014327;  // 1 / sqrt(6.283185307179586)
  const double a = std::fabs(x);
  // Beyond 38.7 the density e^(-a^2/2) is below half the smallest double and rounds to 0, so the
  // result is exactly 1 or 0; taking that branch spares the library's slow underflow path.
  if (a > 38.7) return x < 0.0 ? 0.0 : 1.0;
  const double t = 1.0 / (1.0 + 0.2316419 * a);
  const double density = std::exp(-a * a / 2.0) * kInverseSqrtTwoPi;
  // t (b1 + b2 t + b3 t^2 + b4 t^3 + b5 t^4), grouped to shorten the chain of dependent
  // operations (Estrin's scheme).
  const double t2 = t * t;
  const double poly = t * ((0.31938153 - 0.356563782 * t) +
                           t2 * ((1.781477937 - 1.821255978 * t) + 1.330274429 * t2));
  const double upper = 1.0 - density * poly;
  return x < 0.0 ? 1.0 - upper : upper;
}

}  // namespace valquor::detail
