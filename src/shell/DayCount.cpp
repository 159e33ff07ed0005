#include "shell/DayCount.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace valquor {
namespace {

// Weekday of any day number, Sunday = 0 through Saturday = 6; day 0 (1899-12-30) is a
// Saturday. Also for day numbers outside the years models/Dates.h decodes.
int Weekday(std::int64_t day) { return static_cast<int>(((day + 6) % 7 + 7) % 7); }

int CapInt(std::int64_t n) { return static_cast<int>(std::min<std::int64_t>(n, INT_MAX)); }

}  // namespace

TDayCount CountDays(int startDate, int endDate) {
  const std::int64_t first = static_cast<std::int64_t>(startDate) + 1;
  const std::int64_t last = endDate;
  if (last < first) return {};
  const std::int64_t days = last - first + 1;
  // Whole weeks hold five trading days each; the days left over are counted one by one.
  std::int64_t trading = days / 7 * 5;
  for (std::int64_t d = first + days / 7 * 7; d <= last; ++d) {
    const int weekday = Weekday(d);
    if (weekday != 0 && weekday != 6) ++trading;
  }
  return {CapInt(days), CapInt(trading)};
}

}  // namespace valquor
