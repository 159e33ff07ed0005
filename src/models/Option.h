#pragma once
// Black-Scholes value of a European call or put on a trading-day year (T = days / 260).

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"

namespace valquor {

class TOption {
 public:
  explicit TOption(TMessageSink& messages) : messages_(messages) {}

  // Risk-free rate as a fraction (0.03 = 3 %): the drift of the underlying and the discount rate.
  float RiskFree = 0.0f;

  // The premium of one option (never negative). volatility is in percent. A strike or price below
  // 0.001 gives 0; days below 1 or a volatility below 0.001 the intrinsic value (below 0.0001
  // gives 0). Shows "Option Error: 1086: Days= <days> Vol= <volatility>" when sigma * sqrt(T) is
  // below 0.0001 and "Option Error: 1088" on an arithmetic fault (NaN arguments included), and
  // then gives 0. Never throws.
  [[nodiscard]] float Value(bool isPut, int days, float strike, float price, float volatility);

 private:
  TMessageSink& messages_;
};

}  // namespace valquor
