#include "models/Platform.h"

#include <fmt/format.h>

#include "models/Dates.h"

namespace valquor {

std::string TPlatform::FormatShortDate(int dayNumber) {
  const TCalendarDate d = DecodeDate(dayNumber);
  return fmt::format("{:04}-{:02}-{:02}", d.Year, d.Month, d.Day);
}

}  // namespace valquor
