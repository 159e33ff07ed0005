#include "forms/Text.h"

#include <cstdint>

#include "models/Numbers.h"
#include "forms/Platform.h"

namespace valquor {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

int CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(Upper(a[i]));
    const unsigned char y = static_cast<unsigned char>(Upper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string UpperCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = Upper(c);
  return s;
}

std::string LowerCase(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = Lower(c);
  return s;
}

std::string Trim(std::string_view text) { return std::string(StripBlanks(text)); }

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || text[i] == '\r') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::optional<int> TryStrToInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit =
        base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > 0x100000000LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (base == 16 && !negative && value > INT32_MAX && value <= UINT32_MAX) {
    value -= 0x100000000LL;  // hexadecimal texts cover the whole 32 bits
  }
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

int StrToInt(std::string_view text) {
  const std::optional<int> value = TryStrToInt(text);
  if (!value) throw EConvertError(InvalidIntegerMessage(text));
  return *value;
}

std::string InvalidIntegerMessage(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 32);
  message.append(1, '\'').append(text).append("' is not a valid integer value");
  return message;
}

}  // namespace valquor
