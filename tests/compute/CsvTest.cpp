#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "compute/Csv.h"

namespace valquor {
namespace {

TEST(CsvTest, NumbersAreTheShortestTextThatReadsBackToTheSameSingle) {
  const struct {
    float Value;
    const char* Text;
  } kCases[] = {{0.1f, "0.1"},
                {100.0f, "100"},
                {-2.5f, "-2.5"},
                {1e30f, "1e+30"},
                {10.45058f, "10.45058"},
                {0.0f, "0"},
                {std::numeric_limits<float>::infinity(), ""},
                {std::numeric_limits<float>::quiet_NaN(), ""}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Text);
    const std::string text = CsvNumber(c.Value);
    EXPECT_EQ(text, c.Text);
    if (!text.empty()) {
      float back = 0;
      std::from_chars(text.data(), text.data() + text.size(), back);
      EXPECT_EQ(back, c.Value);
    }
  }
  EXPECT_EQ(CsvNumber(std::optional<float>()), "");
}

TEST(CsvTest, FieldsAreQuotedOnlyWhenTheyMustBe) {
  EXPECT_EQ(CsvField("Strike"), "Strike");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(CsvField(" padded"), "\" padded\"");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvText({{"Strike", "20 days"}, {{"1050", "0.5"}, {"1040", ""}}}),
            "Strike,20 days\r\n1050,0.5\r\n1040,\r\n");
}

}  // namespace
}  // namespace valquor
