#pragma once
// Cox-Ross-Rubinstein binomial value of a European or American call or put with a cost of carry,
// on a trading-day year (T = days / 260).

#include <memory>

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"

namespace valquor {

namespace detail {
class TTreeWorkspace;
}

// base raised to exponent as e^(exponent * ln base), stored in single precision. Throws
// ArithmeticFault for a base that is not positive (or NaN) and for a result beyond the
// single-precision range; a result below it rounds towards 0.
[[nodiscard]] float Power(float base, float exponent);

class TOptionCRR {
 public:
  // Allocates the node storage and power tables once; a valuation allocates nothing.
  explicit TOptionCRR(TMessageSink& messages);
  ~TOptionCRR();
  TOptionCRR(const TOptionCRR&) = delete;
  TOptionCRR& operator=(const TOptionCRR&) = delete;

  bool American = false;  // false: European exercise; true: American exercise
  float RiskFree = 0.0f;  // risk-free rate as a fraction, used only for discounting

  // The premium of one option on a tree of stepCount steps; volatility in percent, carry (the
  // drift) as a fraction. A price below 0.1 gives 0; days below 1 or a volatility below 0.001 the
  // intrinsic value (0.0001 or less gives 0); sigma * sqrt(T) below 0.0001 shows "Option Error:
  // 1086: Days= <days> Vol= <volatility>" and gives 0; a negative carry or a stepCount below 1
  // gives 0 silently, one above 9999 shows "Number of steps too large" and gives 0. A call whose
  // node prices would overflow is valued by put-call symmetry on the same tree; p is used as it
  // comes out, so outside 0..1 the value can be negative. Other faults (NaN terms, an absurd carry
  // or rate) throw ArithmeticFault.
  [[nodiscard]] float Value(bool isPut, int days, float strike, float price, float volatility,
                            float carry, int stepCount);

 private:
  TMessageSink& messages_;
  std::unique_ptr<detail::TTreeWorkspace> workspace_;
};

}  // namespace valquor
