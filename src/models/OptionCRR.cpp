#include "models/OptionCRR.h"

#include <cmath>

#include "models/BinomialTree.h"
#include "models/ModelFaults.h"

namespace valquor {

float Power(float base, float exponent) {
  if (!(base > 0.0f)) throw ArithmeticFault("ln of " + detail::DescribeNumber(base));
  const float result = detail::PowerFromLog(std::log(double{base}), exponent);
  if (!std::isfinite(result)) {
    throw ArithmeticFault("overflow of " + detail::DescribeNumber(base) + " to the power " +
                          detail::DescribeNumber(exponent));
  }
  return result;
}

TOptionCRR::TOptionCRR(TMessageSink& messages)
    : messages_(messages), workspace_(std::make_unique<detail::TTreeWorkspace>()) {}

TOptionCRR::~TOptionCRR() = default;

float TOptionCRR::Value(bool isPut, int days, float strike, float price, float volatility,
                        float carry, int stepCount) {
  return detail::BinomialValue(messages_, *workspace_, 260.0, American, RiskFree, isPut, days,
                               strike, price, volatility, carry, stepCount);
}

}  // namespace valquor
