#include "models/Single.h"

#include <cmath>
#include <limits>
#include <string>

#include "models/ArithmeticFault.h"
#include "models/Format.h"

namespace valquor {
namespace {

bool InSingleRange(double value) {
  return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

double Growth(float rate, int days, int daysPerYear) {
  const float years = static_cast<float>(static_cast<double>(days) / daysPerYear);
  const double exponent = static_cast<double>(rate) * static_cast<double>(years);
  const double growth = std::exp(exponent);
  if (!std::isfinite(growth)) throw ArithmeticFault("exp of " + FormatGeneral15(exponent));
  return growth;
}

}  // namespace

float ToSingle(double value, std::string_view what) {
  if (!InSingleRange(value)) throw ArithmeticFault(std::string(what) + " out of range");
  return static_cast<float>(value);
}

float ForwardOf(float rate, int days, int daysPerYear, float amount) {
  const double result = static_cast<double>(amount) * Growth(rate, days, daysPerYear);
  if (!InSingleRange(result)) {
    throw ArithmeticFault("forward of " + FormatGeneral15(amount) + " out of range");
  }
  return static_cast<float>(result);
}

float PresentOf(float rate, int days, int daysPerYear, float amount) {
  const double growth = Growth(rate, days, daysPerYear);
  if (growth == 0.0) throw ArithmeticFault("division by a growth factor of 0");
  const double result = static_cast<double>(amount) / growth;
  if (!InSingleRange(result)) {
    throw ArithmeticFault("present value of " + FormatGeneral15(amount) + " out of range");
  }
  return static_cast<float>(result);
}

}  // namespace valquor
