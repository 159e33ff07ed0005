#pragma once
// Cox-Ross-Rubinstein binomial value on a calendar-day year (T = days / 365): the twin of
// TOptionCRR for callers that count all days to expiration.

#include <memory>

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"
#include "models/OptionCRR.h"

namespace valquor {

class TOptionCRR365 {
 public:
  explicit TOptionCRR365(TMessageSink& messages);
  ~TOptionCRR365();
  TOptionCRR365(const TOptionCRR365&) = delete;
  TOptionCRR365& operator=(const TOptionCRR365&) = delete;

  bool American = false;  // written by this component's own users only
  float RiskFree = 0.0f;

  // As TOptionCRR::Value (same checks, messages, limits and precision) with days counted as
  // calendar days.
  [[nodiscard]] float Value(bool isPut, int days, float strike, float price, float volatility,
                            float carry, int stepCount);

 private:
  TMessageSink& messages_;
  std::unique_ptr<detail::TTreeWorkspace> workspace_;
};

}  // namespace valquor
