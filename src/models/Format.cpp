#include "models/Format.h"

#include <fmt/format.h>

#include <cmath>

namespace valquor {

std::string PadLeft(const std::string& text, int width) {
  if (width <= 0 || static_cast<int>(text.size()) >= width) return text;
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string FormatFixed(double value, int decimals, int width) {
  if (!std::isfinite(value)) value = 0;
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  const bool negative = std::signbit(value) && value != 0;
  const double magnitude = std::fabs(value);
  // The exact decimal expansion of a double ends within 1074 digits; one of a value that came
  // from single precision within about 150. A tie at `decimals` shows as a 5 followed only by
  // zeros in the expansion, which 400 further digits decide for every value reports meet.
  std::string digits = fmt::format("{:.{}f}", magnitude, decimals + 400);
  const std::size_t point = digits.find('.');
  const std::size_t cut = point + 1 + static_cast<std::size_t>(decimals);
  const bool roundUp = digits[cut] >= '5';
  digits.resize(decimals == 0 ? point : cut);
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0; --i) {
      if (digits[i] == '.') continue;
      if (digits[i] == '9') {
        digits[i] = '0';
      } else {
        ++digits[i];
        break;
      }
    }
    if (i < 0) digits.insert(digits.begin(), '1');
  }
  if (negative) digits.insert(digits.begin(), '-');
  return PadLeft(digits, width);
}

std::string FormatGeneral15(double value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0) return "0";
  std::string text = fmt::format("{:.15G}", value);
  // "1E+20" is written "1E20", "1E-05" as "1E-5".
  const std::size_t e = text.find('E');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    const bool minus = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.erase(0, 1);
    while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
    text = mantissa + "E" + (minus ? "-" : "") + exponent;
  }
  return text;
}

}  // namespace valquor
