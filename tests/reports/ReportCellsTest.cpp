#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

#include "reports/ReportCells.h"

namespace valquor {
namespace {

struct CellCase {
  float Value;
  const char* Expected;
};

TEST(FormatCellTest, ChoosesDecimalsByMagnitudeAndMarksWhatDoesNotFit) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const CellCase kCases[] = {
      {0, "  0.00"},
      {9.94f, "  9.94"},
      {9.95f, "  9.95"},  // 9.95f lies below 9.95
      {10, "  10.0"},
      {999.4f, " 999.4"},
      {999.5f, "  1000"},
      {1000, "  1000"},
      {-9.99f, " -9.99"},
      {-10, " -10.0"},
      {-999.9f, "-999.9"},
      {-1000, " -1000"},
      {-0.001f, " -0.00"},
      {123456, "123456"},
      {999999.4f, "999999"},
      {-99999, "-99999"},
      // A text longer than the cell is never shown with digits cut.
      {999999.5f, kOverflowCell},
      {1234567, kOverflowCell},
      {12345678, kOverflowCell},
      {123456789.0f, kOverflowCell},
      {-100000, kOverflowCell},
      {-1234567, kOverflowCell},
      {-12345678, kOverflowCell},
      {1e9f, kOverflowCell},
      {-1e8f, kOverflowCell},
      {3e38f, kOverflowCell},
      {nan, kOverflowCell},
      {inf, kOverflowCell},
      {-inf, kOverflowCell},
  };
  for (const CellCase& c : kCases) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(FormatCell(c.Value), c.Expected);
  }
}

TEST(FormatCellTest, OverflowCellReadsAsNoNumber) {
  const std::string cell = kOverflowCell;
  EXPECT_EQ(cell.size(), 6u);
  EXPECT_EQ(cell.find_first_of("0123456789.-"), std::string::npos);
}

TEST(FormatStatCellTest, UsesTheStatisticsThresholds) {
  const CellCase kCases[] = {
      {0, "  0.00"},
      {0.999f, "  1.00"},
      {1, "   1.0"},
      {49.94f, "  49.9"},
      {49.96f, "  50.0"},
      {50, "    50"},
      {-0.5f, " -0.50"},
      {-1, "  -1.0"},
      {-49.9f, " -49.9"},
      {-50, "   -50"},
      {999999, "999999"},
      {1234567, kOverflowCell},
      {-100000, kOverflowCell},
      {1e9f, kOverflowCell},
  };
  for (const CellCase& c : kCases) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(FormatStatCell(c.Value), c.Expected);
  }
}

TEST(FormatDaysTest, PadsToFiveAndMarksWhatDoesNotFit) {
  const struct {
    int Days;
    const char* Expected;
  } kCases[] = {
      {0, "    0"},
      {880, "  880"},
      {-1, "   -1"},
      {123456, "123456"},
      {-99999, "-99999"},
      {1234567, kOverflowDays},
      {12345678, kOverflowDays},
      {123456789, kOverflowDays},
      {-100000, kOverflowDays},
      {-12345678, kOverflowDays},
      {1000000000, kOverflowDays},
      {INT_MIN, kOverflowDays},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Days);
    EXPECT_EQ(FormatDays(c.Days), c.Expected);
  }
}

TEST(FormatAxisLabelTest, SevenCharactersAndABlankOrTheMark) {
  const CellCase kCases[] = {
      {0, "    0.0 "},
      {1050, " 1050.0 "},
      {-950, " -950.0 "},
      {999999.9f, "999999.9"},  // eight characters stand without the blank
      {-99999.9f, "-99999.9"},
      {1000000, kOverflowAxis},
      {123456789.0f, kOverflowAxis},
      {1e30f, kOverflowAxis},
      {std::numeric_limits<float>::quiet_NaN(), kOverflowAxis},
  };
  for (const CellCase& c : kCases) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(FormatAxisLabel(c.Value), c.Expected);
  }
  EXPECT_EQ(std::string(kOverflowAxis).size(), 8u);
}

TEST(RoundToIntTest, RoundsTiesToEvenAndSaturates) {
  const struct {
    double Value;
    int Expected;
  } kCases[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {0.4999, 0},
      {1e20, INT_MAX},
      {-1e20, INT_MIN},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(RoundToInt(c.Value), c.Expected);
  }
}

}  // namespace
}  // namespace valquor
