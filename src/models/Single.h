#pragma once
// Storing a computed amount in single precision, and growing or discounting an amount at a rate.

#include <string_view>

namespace valquor {

// value stored in single precision; throws ArithmeticFault naming `what` ("<what> out of
// range") when it is not a number or lies beyond the single-precision range.
[[nodiscard]] float ToSingle(double value, std::string_view what);

// amount grown at rate (a fraction) over days / daysPerYear years (the years stored in single
// precision): amount e^(rate years), in single precision. Throws ArithmeticFault when the growth
// or the result leaves the range.
[[nodiscard]] float ForwardOf(float rate, int days, int daysPerYear, float amount);
// amount discounted the same way: amount / e^(rate years).
[[nodiscard]] float PresentOf(float rate, int days, int daysPerYear, float amount);

}  // namespace valquor
