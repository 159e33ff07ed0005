#pragma once
// Internal to the reports: the lognormal chance of ending below a level, the rules under table
// headings, day counts that cannot overflow, and texts cut on character boundaries.

#include <cstddef>
#include <string>
#include <string_view>

namespace valquor::detail {

// The chance that a lognormal price with mean `forward` and log-spread `spread` ends below
// `level` (ProbabilityBelow), and 0 for a level of 0 or less: such a price never ends there.
// A forward of 0 or less is outside the distribution and throws ArithmeticFault.
[[nodiscard]] double ChanceBelow(double level, double forward, double spread);

// A blank followed by `dashes` dashes: the rule under the headings of the tables.
[[nodiscard]] std::string Rule(int dashes);

// A 32-bit day count plus `extra`, saturated at the largest day count.
[[nodiscard]] int AddDays(int days, int extra);

// The first `count` characters of a UTF-8 text (a lead byte and its continuation bytes make one
// character), never part of one; the whole text when it has fewer.
[[nodiscard]] std::string FirstCharacters(std::string_view text, std::size_t count);

// The square root of the trading-day year, for spreads over a number of trading days.
[[nodiscard]] double SqrtTradingYear();

}  // namespace valquor::detail
