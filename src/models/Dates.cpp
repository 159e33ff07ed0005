#include "models/Dates.h"

#include <algorithm>

namespace valquor {
namespace {

// Days from 0001-01-01 to 1899-12-30.
constexpr long kDayZeroOffset = 693594;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<int> EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  long days = day;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  const long y = year - 1;
  days += y * 365 + y / 4 - y / 100 + y / 400;
  return static_cast<int>(days - kDayZeroOffset);
}

TCalendarDate DecodeDate(int dayNumber) {
  // Civil-from-days (H. Hinnant), shifted to the 1899-12-30 epoch.
  const long lo = *EncodeDate(1, 1, 1);
  const long hi = *EncodeDate(9999, 12, 31);
  long z = std::clamp<long>(dayNumber, lo, hi) - 25569 + 719468;  // days since 0000-03-01
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  return {y, m, d};
}

int DayOfWeek(int dayNumber) {
  // Day 0 (1899-12-30) was a Saturday.
  const long r = ((static_cast<long>(dayNumber) % 7) + 7 + 6) % 7;  // 0 = Sunday
  return static_cast<int>(r) + 1;
}

}  // namespace valquor
