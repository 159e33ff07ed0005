#pragma once
// Tables as CSV text (RFC 4180): fields separated by commas, records ended by CR LF, a field
// quoted when it holds a comma, a quote, a line end or a blank at either end (quotes inside are
// doubled). UTF-8 text, a point as the decimal mark.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valquor {

// One table: a header row naming the columns and rows of fields.
struct TCsvTable {
  std::vector<std::string> Header;
  std::vector<std::vector<std::string>> Rows;
};

// A number as the shortest text that reads back to the same single-precision value ("1.1",
// "1e+30"); a value that is not finite gives the empty field.
[[nodiscard]] std::string CsvNumber(float value);
// The same for an optional number: nothing gives the empty field.
[[nodiscard]] std::string CsvNumber(std::optional<float> value);
// A whole number.
[[nodiscard]] std::string CsvInteger(long long value);

// One field, quoted when it must be.
[[nodiscard]] std::string CsvField(std::string_view text);
// The table's text: the header, then the rows, each ended by CR LF.
[[nodiscard]] std::string CsvText(const TCsvTable& table);

}  // namespace valquor
