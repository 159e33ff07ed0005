#include "models/Option365.h"

#include "models/BlackScholes.h"

namespace valquor {

float TOption365::Value(bool isPut, int days, float strike, float price, float volatility) {
  return detail::BlackScholesValue(messages_, 365.0, RiskFree, isPut, days, strike, price,
                                   volatility);
}

}  // namespace valquor
