#pragma once
// Internal to the reports: storing computed amounts in single
// precision, and the lognormal chance of ending below a level.

#include <string>
#include <string_view>
#include <vector>

#include "models/Single.h"

namespace valquor::detail {

using valquor::ToSingle;

// The chance that a lognormal price with mean `forward` and log-spread `spread` ends below
// `level` (ProbabilityBelow), and 0 for a level of 0 or less: such a price never ends there.
// A forward of 0 or less is outside the distribution and throws ArithmeticFault.
[[nodiscard]] double ChanceBelow(double level, double forward, double spread);

// A blank followed by `dashes` dashes: the rule under the headings of the tables.
[[nodiscard]] std::string Rule(int dashes);

// A 32-bit day count plus `extra`, saturated at the largest day count.
[[nodiscard]] int AddDays(int days, int extra);

}  // namespace valquor::detail
