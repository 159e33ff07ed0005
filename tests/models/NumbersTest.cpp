#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "models/Numbers.h"
#include "models/RecordingSink.h"

namespace valquor {
namespace {

using ::testing::Message;

const char kMarks[] = {'.', ','};

struct ParseCase {
  const char* Text;
  float Expected;
};

TEST(ParseNumberTest, ReadsEitherDecimalMarkInEitherLocale) {
  const ParseCase kCases[] = {
      {"12.5", 12.5f},
      {"12,5", 12.5f},
      {" 7 ", 7.0f},
      {"1e3", 1000.0f},
      {"-2,5", -2.5f},
      {"-2.5", -2.5f},
      {"+4", 4.0f},
      {".5", 0.5f},
      {"5.", 5.0f},
      {"0,25E+1", 2.5f},
      {"1E-2", 0.01f},
      {"\t3\r\n", 3.0f},
      {"007", 7.0f},
      {"0", 0.0f},
      {"3.4028235e38", std::numeric_limits<float>::max()},
      {"1e-50", 0.0f},
      {"-1e-60", 0.0f},
      {"0.000000000000000000000000000000000000000000000000001", 0.0f},
  };
  for (const char mark : kMarks) {
    for (const ParseCase& c : kCases) {
      SCOPED_TRACE(Message() << "mark '" << mark << "', text \"" << c.Text << "\"");
      TRecordingSink platform;
      platform.Mark = mark;
      EXPECT_EQ(ParseNumber(c.Text, platform.Mark, platform), c.Expected);
      EXPECT_EQ(ParseFloat(c.Text, platform.Mark, platform), c.Expected);
      EXPECT_TRUE(platform.Messages.empty());
    }
  }
}

TEST(ParseNumberTest, MalformedTextShowsOneMessageWithTheTextAsPassedAndGivesMinus999) {
  const char* const kTexts[] = {"1,234.5", "1.234,5", "   ",   "1e39",  "-3.5e38", "abc",
                                "1e",      "1e+",     "--1",   "1.2.3", "1,2,3",   "inf",
                                "nan",     "0x10",    "1 000", ".",     "e5",      "-",
                                " 12a ",   "12.5%",   "1e5.5"};
  for (const char mark : kMarks) {
    for (const char* text : kTexts) {
      SCOPED_TRACE(Message() << "mark '" << mark << "', text \"" << text << "\"");
      TRecordingSink platform;
      platform.Mark = mark;
      EXPECT_EQ(ParseNumber(text, platform.Mark, platform), -999.0f);
      EXPECT_EQ(platform.TakeMessages(),
                std::vector<std::string>{"'StrToFloat' error2: " + std::string(text)});
      EXPECT_EQ(ParseFloat(text, platform.Mark, platform), -999.0f);
      EXPECT_EQ(platform.TakeMessages(),
                std::vector<std::string>{"'StrToFloat' error22: " + std::string(text)});
    }
  }
}

TEST(ParseNumberTest, EmptyTextIsZeroForTheEditBoxesButMalformedForThePriceFile) {
  TRecordingSink platform;
  EXPECT_EQ(ParseNumber("", platform.Mark, platform), 0.0f);
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_EQ(ParseFloat("", platform.Mark, platform), -999.0f);
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"'StrToFloat' error22: "});
}

TEST(ParseNumberTest, ReadsTheDecimalMarkAtEveryCall) {
  TRecordingSink platform;
  platform.Mark = ',';
  EXPECT_EQ(ParseNumber("1.5", platform.Mark, platform), 1.5f);
  platform.Mark = '.';
  EXPECT_EQ(ParseNumber("1,5", platform.Mark, platform), 1.5f);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(DecimalMarkTest, ReplacesOnlyTheFirstMark) {
  EXPECT_EQ(CommaToPoint("1,2,3"), "1.2,3");
  EXPECT_EQ(CommaToPoint("12.5"), "12.5");
  EXPECT_EQ(PointToComma("1.2.3"), "1,2.3");
  EXPECT_EQ(PointToComma(""), "");
}

TEST(FormatPremiumTest, TwoDecimalsAtAndAboveOneHalfAndBelowOneHundredThousandthElseFive) {
  const struct {
    float Value;
    const char* Expected;
  } kCases[] = {
      {0.0f, "0.00"},
      {0.25f, "0.25000"},
      {0.5f, "0.50"},
      {12.345f, "12.35"},
      {-0.3f, "-0.30"},
      {0.0001f, "0.00010"},
      {0.49999f, "0.49999"},
      {0.000004f, "0.00"},
      {1234567.0f, "1234567.00"},
      {0.125f, "0.12500"},
      {2.675f, "2.67"},
      {-12.5f, "-12.50"},
      {std::numeric_limits<float>::quiet_NaN(), "0.00"},
      {std::numeric_limits<float>::infinity(), "0.00"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EQ(FormatPremium(c.Value), c.Expected);
  }
}

}  // namespace
}  // namespace valquor
