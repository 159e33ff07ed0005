#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "models/Dates.h"
#include "models/Format.h"

namespace valquor {
namespace {

TEST(FormatFixedTest, RoundsHalvesAwayFromZeroAndKeepsTheSign) {
  struct Case {
    double Value;
    int Decimals;
    int Width;
    const char* Expected;
  };
  const Case kCases[] = {
      {1002.3051, 2, 0, "1002.31"},
      {0.125, 2, 0, "0.13"},  // an exact half
      {2.5, 0, 0, "3"},
      {-2.5, 0, 4, "  -3"},
      {-0.001, 2, 9, "    -0.00"},
      {0.0, 2, 0, "0.00"},
      {-0.0, 2, 0, "0.00"},
      {9.995, 2, 0, "9.99"},  // 9.995 is stored a little below the half
      {99.999, 1, 6, " 100.0"},
      {1234.5, 1, 5, "1234.5"},  // wider than asked: not cut
      {std::numeric_limits<double>::quiet_NaN(), 2, 0, "0.00"},
      {std::numeric_limits<double>::infinity(), 1, 0, "0.0"},
      {static_cast<double>(0.1f), 15, 0, "0.100000001490116"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EQ(FormatFixed(c.Value, c.Decimals, c.Width), c.Expected);
  }
}

TEST(FormatGeneral15Test, WritesFifteenSignificantDigits) {
  EXPECT_EQ(FormatGeneral15(static_cast<double>(0.1f)), "0.100000001490116");
  EXPECT_EQ(FormatGeneral15(20.0), "20");
  EXPECT_EQ(FormatGeneral15(1e20), "1E20");
  EXPECT_EQ(FormatGeneral15(0.0), "0");
}

TEST(DatesTest, DayNumbersFollowTheCalendar) {
  struct Case {
    int Year, Month, Day, Number, Weekday;
  };
  const Case kCases[] = {
      {1899, 12, 30, 0, 7},     // a Saturday
      {1970, 1, 1, 25569, 5},   // a Thursday
      {2000, 2, 29, 36585, 3},  // a Tuesday, leap day
      {2026, 12, 8, 46364, 3},  // a Tuesday
      {1899, 12, 29, -1, 6},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Number);
    EXPECT_EQ(EncodeDate(c.Year, c.Month, c.Day), c.Number);
    EXPECT_EQ(DecodeDate(c.Number), (TCalendarDate{c.Year, c.Month, c.Day}));
    EXPECT_EQ(DayOfWeek(c.Number), c.Weekday);
  }
  EXPECT_FALSE(EncodeDate(2001, 2, 29));
  EXPECT_FALSE(EncodeDate(2001, 13, 1));
  EXPECT_FALSE(EncodeDate(0, 1, 1));
}

}  // namespace
}  // namespace valquor
