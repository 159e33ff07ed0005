#include "forms/Platform.h"

#include <fmt/format.h>

#include "models/Dates.h"
#include "models/Numbers.h"

namespace valquor {

std::string TPlatform::FormatShortDate(int dayNumber) {
  const TCalendarDate d = DecodeDate(dayNumber);
  return fmt::format("{:04}-{:02}-{:02}", d.Year, d.Month, d.Day);
}

float ParseNumber(std::string_view text, TPlatform& platform) {
  return ParseNumber(text, platform.DecimalMark(), platform);
}

float ParseFloat(std::string_view text, TPlatform& platform) {
  return ParseFloat(text, platform.DecimalMark(), platform);
}

float ReadCommandNumber(std::string_view text, TPlatform& platform) {
  if (const std::optional<float> value = TryParseNumber(text, platform.DecimalMark())) {
    return *value;
  }
  (void)ParseNumber(text, platform);  // shows the message
  throw EAbort();
}

}  // namespace valquor
