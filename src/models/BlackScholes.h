#pragma once
// Internal to the models: the Black-Scholes valuation shared by TOption (260-day year) and
// TOption365 (365-day year).

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"

namespace valquor::detail {

// The value of a European call or put, years counted as days / daysPerYear. Shows "Option
// Error: 1086: ..." for a spread below 0.0001 and "Option Error: 1088" for an arithmetic fault
// (a NaN argument or a result out of range included), and then gives 0. Never throws.
[[nodiscard]] float BlackScholesValue(TMessageSink& messages, double daysPerYear, float riskFree,
                                      bool isPut, int days, float strike, float price,
                                      float volatility);

}  // namespace valquor::detail
