#include "models/OptionCRR365.h"

#include "models/BinomialTree.h"

namespace valquor {

TOptionCRR365::TOptionCRR365(TMessageSink& messages)
    : messages_(messages), workspace_(std::make_unique<detail::TTreeWorkspace>()) {}

TOptionCRR365::~TOptionCRR365() = default;

float TOptionCRR365::Value(bool isPut, int days, float strike, float price, float volatility,
                           float carry, int stepCount) {
  return detail::BinomialValue(messages_, *workspace_, 365.0, American, RiskFree, isPut, days,
                               strike, price, volatility, carry, stepCount);
}

}  // namespace valquor
