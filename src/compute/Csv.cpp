#include "compute/Csv.h"

#include <charconv>
#include <cmath>

namespace valquor {

std::string CsvNumber(float value) {
  if (!std::isfinite(value)) return {};
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  if (error != std::errc()) return {};
  return std::string(text, end);
}

std::string CsvNumber(std::optional<float> value) {
  return value ? CsvNumber(*value) : std::string();
}

std::string CsvInteger(long long value) { return std::to_string(value); }

std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

std::string CsvText(const TCsvTable& table) {
  std::string text;
  const auto record = [&text](const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) text += ',';
      text += CsvField(fields[i]);
    }
    text += "\r\n";
  };
  record(table.Header);
  for (const std::vector<std::string>& row : table.Rows) record(row);
  return text;
}

}  // namespace valquor
