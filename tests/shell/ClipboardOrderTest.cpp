// The clipboard's order box on "HV using daily data": captioned by what it does, and reading
// newest-first closes unchecked and oldest-first closes checked to the same report.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ClipboardOrderTest : public ::testing::Test, protected TFormFixture {
 protected:
  // The report of the closes pasted as lines, with the box as given.
  std::vector<std::string> Report(const std::vector<std::string>& lines, bool firstIsOldest) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    Platform.Clipboard = text;
    Form->LatestFirst.SetChecked(firstIsOldest);
    Form->RunHandler([&] { Form->ClipBoardBtn.Click(); });
    return Form->RichEdit4.Lines();
  }
};

TEST_F(ClipboardOrderTest, TheBoxSaysWhichLineIsTheOldestAndExplainsBothStates) {
  TFormPersonal& form = Start();
  EXPECT_EQ(form.LatestFirst.Name(), "LatestFirst");  // the name scripts use
  EXPECT_EQ(form.LatestFirst.Caption, "First line is oldest");
  EXPECT_FALSE(form.LatestFirst.Checked());
  EXPECT_THAT(form.LatestFirst.WhatsThis, HasSubstr("Off: the first line is the newest close"));
  EXPECT_THAT(form.LatestFirst.WhatsThis, HasSubstr("On: the first line is the oldest close"));
  EXPECT_THAT(form.LatestFirst.WhatsThis, HasSubstr("\n  101.50\n  100.00\n"));
}

TEST_F(ClipboardOrderTest, NewestFirstUncheckedAndOldestFirstCheckedGiveTheSameFigures) {
  Start();
  // Seventy closes, oldest first, with a rise that the order decides the sign of.
  std::vector<std::string> oldestFirst;
  for (int day = 0; day < 70; ++day) {
    const int cents = 10000 + 40 * day + (day % 3 == 0 ? 150 : 0) - (day % 5 == 0 ? 90 : 0);
    oldestFirst.push_back(std::to_string(cents / 100) + "." + std::to_string(cents % 100 / 10) +
                          std::to_string(cents % 10));
  }
  std::vector<std::string> newestFirst(oldestFirst.rbegin(), oldestFirst.rend());

  const std::vector<std::string> fromNewestFirst = Report(newestFirst, false);
  const std::vector<std::string> fromOldestFirst = Report(oldestFirst, true);
  ASSERT_EQ(fromNewestFirst.size(), 18u);
  EXPECT_EQ(fromNewestFirst[2], " Count = 70");
  EXPECT_EQ(fromNewestFirst, fromOldestFirst);
  EXPECT_THAT(Platform.Messages, IsEmpty());

  // The wrong state reads the series backwards: the volatility is measured against the oldest
  // close instead of the newest, and the figures differ.
  EXPECT_NE(Report(newestFirst, true), fromNewestFirst);
  EXPECT_NE(Report(oldestFirst, false), fromNewestFirst);
}

}  // namespace
}  // namespace valquor
