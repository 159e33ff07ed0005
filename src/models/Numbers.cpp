#include "models/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>

#include "models/Format.h"

namespace valquor {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the locale's float syntax: [sign] digits [mark digits] [(E|e) [sign] digits], with at
// least one digit before the exponent. The std::from_chars conversion that does the rounding
// knows neither a leading "+" nor a comma, so the text is rewritten for it first.
std::optional<float> ReadFloat(std::string_view text, char mark) {
  std::string plain;
  plain.reserve(text.size());
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // The decimal exponent of the first significant digit, without the written exponent: how far
  // the value lies above or below 1, which decides between overflow and underflow.
  std::int64_t leadExponent = 0;
  bool significant = false;
  bool seenMark = false;
  int mantissaDigits = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      ++mantissaDigits;
      if (c != '0') significant = true;
      if (!seenMark && significant) ++leadExponent;  // 123: the 1 stands at 10^2
      if (seenMark && !significant) --leadExponent;  // 0.05: the 5 stands at 10^-2
      plain.push_back(c);
    } else if (c == mark && !seenMark) {
      seenMark = true;
      plain.push_back('.');
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  std::int64_t writtenExponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    plain.push_back('e');
    ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      minus = text[i] == '-';
      plain.push_back(text[i++]);
    }
    const std::size_t firstDigit = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      plain.push_back(text[i]);
      if (writtenExponent < 1'000'000'000) writtenExponent = writtenExponent * 10 + (text[i] - '0');
    }
    if (i == firstDigit) return std::nullopt;
    if (minus) writtenExponent = -writtenExponent;
  }
  if (i != text.size()) return std::nullopt;

  float value = 0.0f;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too small for a single rounds to 0; too large is a failure.
    if (significant && leadExponent - 1 + writtenExponent < 0) return 0.0f;
    return std::nullopt;
  }
  if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

float Convert(std::string_view text, char decimalMark, TMessageSink& messages,
              std::string_view messagePrefix) {
  const char mark = decimalMark == ',' ? ',' : '.';
  const std::string marked =
      mark == ',' ? PointToComma(StripBlanks(text)) : CommaToPoint(StripBlanks(text));
  if (const std::optional<float> value = ReadFloat(marked, mark)) return *value;
  messages.ShowMessage(std::string(messagePrefix) + std::string(text), TMessageKind::Error);
  return kBadNumber;
}

std::string ReplaceFirst(std::string_view text, char from, char to) {
  std::string result(text);
  if (const std::size_t at = result.find(from); at != std::string::npos) result[at] = to;
  return result;
}

}  // namespace

std::string_view StripBlanks(std::string_view text) {
  const auto isSpace = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

float ParseNumber(std::string_view text, char decimalMark, TMessageSink& messages) {
  if (text.empty()) return 0.0f;
  return Convert(text, decimalMark, messages, "'StrToFloat' error2: ");
}

std::optional<float> TryParseNumber(std::string_view text, char decimalMark) {
  if (text.empty()) return 0.0f;
  const char mark = decimalMark == ',' ? ',' : '.';
  return ReadFloat(mark == ',' ? PointToComma(StripBlanks(text)) : CommaToPoint(StripBlanks(text)),
                   mark);
}

float ParseFloat(std::string_view text, char decimalMark, TMessageSink& messages) {
  return Convert(text, decimalMark, messages, "'StrToFloat' error22: ");
}

std::string CommaToPoint(std::string_view text) { return ReplaceFirst(text, ',', '.'); }

std::string PointToComma(std::string_view text) { return ReplaceFirst(text, '.', ','); }

std::string FormatPremium(float x) {
  if (!std::isfinite(x)) return "0.00";
  const double value = x;
  const int decimals = value < 0.00001 || value >= 0.5 ? 2 : 5;
  return FormatFixed(value, decimals);
}

}  // namespace valquor
