#include "models/Option.h"

#include "models/BlackScholes.h"

namespace valquor {

float TOption::Value(bool isPut, int days, float strike, float price, float volatility) {
  return detail::BlackScholesValue(messages_, 260.0, RiskFree, isPut, days, strike, price,
                                   volatility);
}

}  // namespace valquor
