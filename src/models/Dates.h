#pragma once
// Calendar dates as day numbers: whole days counted from 30 December 1899 (day 0), the
// platform's date value. Proleptic Gregorian calendar.

#include <optional>

namespace valquor {

struct TCalendarDate {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  bool operator==(const TCalendarDate&) const = default;
};

// The day number of a date; nothing for an impossible date (30 February, month 13) or a year
// outside 1..9999.
[[nodiscard]] std::optional<int> EncodeDate(int year, int month, int day);
// The calendar date of a day number (day numbers of years 1..9999 only; others are clamped).
[[nodiscard]] TCalendarDate DecodeDate(int dayNumber);
// Weekday of a day number, Sunday = 1 through Saturday = 7.
[[nodiscard]] int DayOfWeek(int dayNumber);

}  // namespace valquor
