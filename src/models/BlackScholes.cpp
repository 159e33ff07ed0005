#include "models/BlackScholes.h"

#include <cmath>

#include "models/ModelFaults.h"
#include "models/NormalKernel.h"

namespace valquor::detail {
namespace {

float Fault1088(TMessageSink& messages) {
  messages.ShowMessage("Option Error: 1088", TMessageKind::Error);
  return 0.0f;
}

}  // namespace

float BlackScholesValue(TMessageSink& messages, double daysPerYear, float riskFree, bool isPut,
                        int days, float strike, float price, float volatility) {
  if (std::isnan(strike) || std::isnan(price) || std::isnan(volatility)) {
    return Fault1088(messages);
  }
  if (strike < 0.001 || price < 0.001) return 0.0f;

  if (days < 1 || volatility < 0.001) {
    const double intrinsic =
        isPut ? double{strike} - double{price} : double{price} - double{strike};
    if (intrinsic < 0.0001) return 0.0f;
    const auto result = static_cast<float>(intrinsic);
    return std::isfinite(result) ? result : Fault1088(messages);
  }

  // T, sigma, s, d1 and d2 are kept in single precision; the rest is formed in double.
  const auto years = static_cast<float>(days / daysPerYear);
  const auto sigma = static_cast<float>(0.01 * volatility);
  const double rootYears = std::sqrt(double{years});
  const auto spread = static_cast<float>(sigma * rootYears);
  if (!std::isfinite(spread)) return Fault1088(messages);
  if (spread < 0.0001) {
    messages.ShowMessage(DaysVolMessage("1086", days, volatility), TMessageKind::Error);
    return 0.0f;
  }
  const double rate = riskFree;
  const auto d1 = static_cast<float>(
      (std::log(double{price} / double{strike}) + (rate + double{sigma} * sigma / 2.0) * years) /
      spread);
  const auto d2 = static_cast<float>(d1 - rootYears * sigma);
  if (!std::isfinite(d1) || !std::isfinite(d2)) return Fault1088(messages);

  const double discount = std::exp(-rate * years);
  const double value =
      isPut ? double{strike} * discount * NormalCdfKernel(-double{d2}) -
                  double{price} * NormalCdfKernel(-double{d1})
            : double{price} * NormalCdfKernel(d1) - double{strike} * discount * NormalCdfKernel(d2);
  const auto result = static_cast<float>(value);
  if (!std::isfinite(result)) return Fault1088(messages);
  return result < 0.0f ? 0.0f : result;
}

}  // namespace valquor::detail
