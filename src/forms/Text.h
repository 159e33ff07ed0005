#pragma once
// Small text helpers of the form model: comparisons without regard to letter case (ASCII, as
// the profile files and component names use them), line splitting, trimming and the toolkit's
// integer conversion.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valquor {

// Equal when equal after ASCII upper-casing.
[[nodiscard]] bool SameText(std::string_view a, std::string_view b);
// <0, 0, >0 like strcmp, after ASCII upper-casing.
[[nodiscard]] int CompareText(std::string_view a, std::string_view b);
[[nodiscard]] std::string UpperCase(std::string_view text);
[[nodiscard]] std::string LowerCase(std::string_view text);
// Without leading and trailing blanks and control characters (bytes up to ' ').
[[nodiscard]] std::string Trim(std::string_view text);
// Splits at LF, CR LF or CR. A final line end adds no empty line; "" gives no lines.
[[nodiscard]] std::vector<std::string> SplitLines(std::string_view text);

// The toolkit's integer conversion: optional leading blanks, an optional sign, then decimal
// digits or a hexadecimal number after "$" or "0x"; nothing after it; within 32 bits.
[[nodiscard]] std::optional<int> TryStrToInt(std::string_view text);
// As TryStrToInt, but a text it refuses throws EConvertError with the message
// "'<text>' is not a valid integer value".
[[nodiscard]] int StrToInt(std::string_view text);
// The message of a refused integer conversion.
[[nodiscard]] std::string InvalidIntegerMessage(std::string_view text);

}  // namespace valquor
