#pragma once
// Fixed-point number texts for reports and fields: a point as the decimal mark whatever the
// locale, a leading hyphen-minus for negative values, no thousands separators. Exact halves
// round away from zero, as every report has always printed them.

#include <string>

namespace valquor {

// value with `decimals` decimals, right-aligned in `width` characters; a longer text is not
// cut. A value that is not finite is written as 0 (callers report such values themselves).
// A negative value that rounds to zero keeps its sign: -0.001 with 2 decimals is "-0.00".
[[nodiscard]] std::string FormatFixed(double value, int decimals, int width = 0);

// value in general format with up to 15 significant digits, no exponent for everyday
// magnitudes: 0.1f gives "0.100000001490116", 20 gives "20", 1e20 gives "1E20".
[[nodiscard]] std::string FormatGeneral15(double value);

// Right-aligns text in width characters (longer texts unchanged).
[[nodiscard]] std::string PadLeft(const std::string& text, int width);

}  // namespace valquor
