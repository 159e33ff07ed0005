#pragma once
// The standard normal distribution function and the chance that a lognormal price ends below a
// level. Both let arithmetic faults reach the caller as ArithmeticFault.

namespace valquor {

// Standard normal distribution function, Abramowitz and Stegun 26.2.17 (absolute error below
// 7.5e-8). NormalCdf(+-infinity) is 1 and 0; a NaN argument throws ArithmeticFault.
[[nodiscard]] double NormalCdf(double x);

// Probability that a lognormal price with mean `forward` and log-standard deviation `spread`
// over the period ends below `level`: N((ln level - ln forward + spread^2/2) / spread); 0.5 when
// spread is not positive. Throws ArithmeticFault for ln of a non-positive forward (always) or
// level (when spread > 0), and for NaN arguments or intermediates.
[[nodiscard]] double ProbabilityBelow(double level, double forward, double spread);

}  // namespace valquor
