#pragma once
// The fixed-width cells of the tabular reports: values (six characters, decimals chosen by
// magnitude), statistics (the same with other thresholds) and day counts (five characters).
// A point is the decimal mark whatever the locale.

#include <string>

namespace valquor {

// What a cell shows for a number whose text would take ten characters or more, or for a value
// that is not a number at all: six characters no reader can take for a figure.
inline constexpr const char* kOverflowCell = " #####";
// The same for a day cell.
inline constexpr const char* kOverflowDays = " ####";

// A value in six characters, right-aligned: 2 decimals for -10 < value < 9.95, 1 decimal for
// 9.95 <= value < 999.5 and -1000 < value <= -10, none beyond. A text of 7 characters becomes
// its characters 2 to 4 and a blank, 8 its characters 2 to 5, 9 its characters 2 to 4 and "~";
// 10 or more (from 1e9 up, from -1e8 down) and non-finite values give kOverflowCell.
[[nodiscard]] std::string FormatCell(float value);

// As FormatCell with the thresholds of the payoff statistics: no decimals for |value| >= 50,
// 1 decimal for 1 <= |value| < 50, 2 decimals below 1.
[[nodiscard]] std::string FormatStatCell(float value);

// A day count right-aligned in 5 characters; 6 characters stand, 7 to 9 are cut as the value
// cells are, 10 or more give kOverflowDays.
[[nodiscard]] std::string FormatDays(int n);

// A whole number for a report: value rounded to the nearest integer (ties to even), saturated
// at the 32-bit range; NaN gives 0.
[[nodiscard]] int RoundToInt(double value);

}  // namespace valquor
