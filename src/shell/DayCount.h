#pragma once
// Days between two dates, as the Options page counts them: from the day after the start up to
// and including the end, all days and Monday-to-Friday days (public holidays are not known).

namespace valquor {

struct TDayCount {
  int Calendar = 0;
  int Trading = 0;
};

// Day numbers as in models/Dates.h; an end before the day after the start counts nothing.
// Any int is accepted (no overflow for far-apart dates: counts are capped at INT_MAX).
[[nodiscard]] TDayCount CountDays(int startDate, int endDate);

}  // namespace valquor
