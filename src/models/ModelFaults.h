#pragma once
// Internal to the models: texts of the valuation messages and of the faults they let reach the
// caller.

#include <cmath>
#include <string>
#include <string_view>

#include "models/Format.h"

namespace valquor::detail {

// "Option Error: <code>: Days= <days> Vol= <volatility, 15 significant digits>".
[[nodiscard]] inline std::string DaysVolMessage(std::string_view code, int days, float volatility) {
  return "Option Error: " + std::string(code) + ": Days= " + std::to_string(days) +
         " Vol= " + FormatGeneral15(volatility);
}

// A number for a fault text; fault texts never show a non-finite number.
[[nodiscard]] inline std::string DescribeNumber(double x) {
  if (std::isnan(x)) return "an undefined number";
  if (std::isinf(x)) return x > 0 ? "an overflowed number" : "a negative overflowed number";
  return FormatGeneral15(x);
}

}  // namespace valquor::detail
