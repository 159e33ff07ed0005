#include <gtest/gtest.h>

#include "forms/Text.h"
#include "forms/Platform.h"

namespace valquor {
namespace {

TEST(StrToIntTest, AcceptsWhatTheToolkitAccepts) {
  struct Case {
    const char* Text;
    std::optional<int> Expected;
  };
  const Case kCases[] = {
      {"20", 20},
      {"  20", 20},
      {"-7", -7},
      {"+7", 7},
      {"$1F", 31},
      {"0x10", 16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"", std::nullopt},
      {"1.5", std::nullopt},
      {"20 ", std::nullopt},
      {"abc", std::nullopt},
      {"-", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(TryStrToInt(c.Text), c.Expected);
  }
}

TEST(StrToIntTest, RefusalCarriesTheToolkitsMessage) {
  try {
    (void)StrToInt("1.5");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'1.5' is not a valid integer value");
  }
  EXPECT_THROW((void)StrToInt(""), EConvertError);
}

TEST(TextTest, CaseInsensitiveComparisonAndSplitting) {
  EXPECT_TRUE(SameText("FormPersonal\\StrikeEdit", "formpersonal\\strikeedit"));
  EXPECT_FALSE(SameText("Strike", "Strike7"));
  EXPECT_LT(CompareText("Height", "left"), 0);
  EXPECT_EQ(Trim(" \t 7 \r\n"), "7");

  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines("a\nb\r\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
}

}  // namespace
}  // namespace valquor
