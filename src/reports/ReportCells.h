#pragma once
// The fixed-width cells of the tabular reports: values (six characters, decimals chosen by
// magnitude), statistics (the same with other thresholds) and day counts (five characters).
// A point is the decimal mark whatever the locale.

#include <string>

namespace valquor {

// What a cell shows for a number whose text does not fit it, or for a value that is not a number
// at all: six characters no reader can take for a figure. A number is never shown with digits
// cut off.
inline constexpr const char* kOverflowCell = " #####";
// The same for a day cell.
inline constexpr const char* kOverflowDays = " ####";
// The same for the row label of a table (eight characters).
inline constexpr const char* kOverflowAxis = "  ##### ";

// A value in six characters, right-aligned: 2 decimals for -10 < value < 9.95, 1 decimal for
// 9.95 <= value < 999.5 and -1000 < value <= -10, none beyond (from 1e6 up, from -1e5 down the
// text is longer). A longer text and a non-finite value give kOverflowCell.
[[nodiscard]] std::string FormatCell(float value);

// As FormatCell with the thresholds of the payoff statistics: no decimals for |value| >= 50,
// 1 decimal for 1 <= |value| < 50, 2 decimals below 1.
[[nodiscard]] std::string FormatStatCell(float value);

// A day count right-aligned in 5 characters; a text of 6 characters stands (it takes the blank
// before the cell), a longer one gives kOverflowDays.
[[nodiscard]] std::string FormatDays(int n);

// The label of a table row: the value with 1 decimal right-aligned in 7 characters and a blank; a
// text of 8 characters stands without the blank, a longer one (or a non-finite value) gives
// kOverflowAxis.
[[nodiscard]] std::string FormatAxisLabel(float value);

// A whole number for a report: value rounded to the nearest integer (ties to even), saturated
// at the 32-bit range; NaN gives 0.
[[nodiscard]] int RoundToInt(double value);

}  // namespace valquor
