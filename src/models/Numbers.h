#pragma once
// Typed text to numbers and premiums back to text. Either decimal mark is accepted; a text that
// is not a number costs one message and gives -999, which the callers' own range checks refuse.

#include <optional>
#include <string>
#include <string_view>

#include "models/MessageSink.h"

namespace valquor {

// The value a malformed number text gives.
inline constexpr float kBadNumber = -999.0f;

// An edit box's text as a single-precision number. "" gives 0 without a message. Blanks and
// control characters around the number are ignored; the first "." or "," is read as the decimal
// mark whatever the locale; then an optional sign, digits with at most
// one decimal mark and an optional exponent (E or e). Anything else, or a magnitude beyond the
// single-precision range, shows "'StrToFloat' error2: " + text and gives -999. Magnitudes below
// the smallest single round to 0. decimalMark is the user's locale's, '.' or ','.
[[nodiscard]] float ParseNumber(std::string_view text, char decimalMark, TMessageSink& messages);

// The number an edit box's text holds under ParseNumber's rules, without a message; nothing when
// ParseNumber would show its message.
[[nodiscard]] std::optional<float> TryParseNumber(std::string_view text, char decimalMark);

// As ParseNumber, for the price-file reader: "" is malformed too, and the message is
// "'StrToFloat' error22: " + text.
[[nodiscard]] float ParseFloat(std::string_view text, char decimalMark, TMessageSink& messages);

// text without leading and trailing blanks and control characters (bytes up to ' ').
[[nodiscard]] std::string_view StripBlanks(std::string_view text);

// text with its first comma, if any, replaced by a point.
[[nodiscard]] std::string CommaToPoint(std::string_view text);
// text with its first point, if any, replaced by a comma.
[[nodiscard]] std::string PointToComma(std::string_view text);

// A premium as text: 5 decimals from 0.00001 up to (not including) 0.5, else 2 decimals; a point
// as decimal mark, a leading "-" for negative values, no blanks. A value that is not finite is
// written "0.00".
[[nodiscard]] std::string FormatPremium(float x);

}  // namespace valquor
