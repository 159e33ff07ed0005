#pragma once
// Black-Scholes value of a European call or put on a calendar-day year (T = days / 365): the twin
// of TOption for callers that count all days to expiration.

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"

namespace valquor {

class TOption365 {
 public:
  explicit TOption365(TMessageSink& messages) : messages_(messages) {}

  // Risk-free rate as a fraction; written by this component's own users only.
  float RiskFree = 0.0f;

  // As TOption::Value (same checks, messages and precision) with days counted as calendar days.
  [[nodiscard]] float Value(bool isPut, int days, float strike, float price, float volatility);

 private:
  TMessageSink& messages_;
};

}  // namespace valquor
