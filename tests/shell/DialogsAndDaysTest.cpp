#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "models/Dates.h"
#include "shell/DayCount.h"
#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::IsEmpty;

class DialogsTest : public ::testing::Test, protected TFormFixture {};

TEST_F(DialogsTest, EachDialogKeepsItsFieldsInTheSharedFileUnderItsOwnSections) {
  TFormPersonal& form = Start();
  form.RunHandler([&] { form.Button10.Click(); });
  EXPECT_TRUE(form.FormWiz.Visible());
  EXPECT_TRUE(form.Visible());  // the main window stays usable beside it
  form.FormWiz.Strike.SetText("105");
  form.FormWiz.ForwardPrice.SetText("110");
  form.FormWiz.Vol.SetText("40");
  form.RunHandler([&] { form.FormWiz.CancelBtn.Click(); });
  EXPECT_FALSE(form.FormWiz.Visible());
  const std::string afterFirst = ReadText("valqor.ini");

  form.RunHandler([&] { form.Button11.Click(); });
  form.FormWiz2.Strike.SetText("95");
  form.FormWiz2.Price.SetText("99");          // not kept
  form.FormWiz2.DaysInPosition.SetText("5");  // not kept
  form.RunHandler([&] { form.FormWiz2.CancelBtn.Click(); });

  const std::set<std::string> expected = {"FormWiz\\Days/Text",
                                          "FormWiz\\DaysOption/ItemIndex",
                                          "FormWiz\\ForwardPrice/Text",
                                          "FormWiz\\OptionType/ItemIndex",
                                          "FormWiz\\Premium/Text",
                                          "FormWiz\\Strike/Text",
                                          "FormWiz\\Vol/Text",
                                          "FormWiz2\\Days/Text",
                                          "FormWiz2\\DaysOption/ItemIndex",
                                          "FormWiz2\\OptionType/ItemIndex",
                                          "FormWiz2\\Premium/Text",
                                          "FormWiz2\\Strike/Text",
                                          "FormWiz2\\Vol/Text"};
  EXPECT_EQ(Keys("valqor.ini"), expected);
  // The risk dialog's store left the over/under dialog's lines as they were.
  EXPECT_EQ(ReadText("valqor.ini").substr(0, afterFirst.size()), afterFirst);

  // A change after the dialog's close is not stored by the main window's close.
  form.FormWiz.Strike.SetText("1");
  Stop();
  TFormPersonal& again = Start();
  EXPECT_EQ(again.FormWiz.Strike.Text(), "100");  // restored at the first showing only
  EXPECT_EQ(again.FormWiz.Vol.Text(), "25");
  again.RunHandler([&] { again.Button10.Click(); });
  again.RunHandler([&] { again.Button11.Click(); });
  EXPECT_EQ(again.FormWiz.Strike.Text(), "105");
  EXPECT_EQ(again.FormWiz.ForwardPrice.Text(), "110");
  EXPECT_EQ(again.FormWiz.Vol.Text(), "40");  // the stored volatility wins over the default 25
  EXPECT_EQ(again.FormWiz2.Vol.Text(), "25");
  EXPECT_EQ(again.FormWiz2.Strike.Text(), "95");
  EXPECT_EQ(again.FormWiz2.Price.Text(), "101");
  EXPECT_EQ(again.FormWiz2.DaysInPosition.Text(), "2");
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

TEST_F(DialogsTest, AnEmptiedDialogFieldKeepsItsStoredValue) {
  TFormPersonal& form = Start();
  form.RunHandler([&] { form.Button10.Click(); });
  form.FormWiz.Strike.SetText("105");
  form.RunHandler([&] { form.FormWiz.CancelBtn.Click(); });
  form.RunHandler([&] { form.Button10.Click(); });
  form.FormWiz.Strike.SetText("");
  form.RunHandler([&] { form.FormWiz.CancelBtn.Click(); });
  EXPECT_EQ(TIniProfile(File("valqor.ini")).ReadString("FormWiz\\Strike", "Text", ""), "105");
}

// Counting by hand: 2026-12-04 is a Friday, 2026-12-05 a Saturday, 2026-12-07 a Monday.
TEST(DayCountTest, CountsFromTheDayAfterTheStartToTheEnd) {
  const int friday = *EncodeDate(2026, 12, 4);
  struct Row {
    const char* Label;
    int Start;
    int End;
    int Calendar;
    int Trading;
  };
  const Row rows[] = {
      {"same day", friday, friday, 0, 0},
      {"end before start", friday, friday - 5, 0, 0},
      {"Friday to Monday", friday, friday + 3, 3, 1},
      {"Monday to Monday", friday + 3, friday + 10, 7, 5},
      {"Saturday to Sunday", friday + 1, friday + 2, 1, 0},
      {"Friday to Saturday", friday, friday + 1, 1, 0},
      {"Thursday to Friday", friday - 1, friday, 1, 1},
      {"a year", *EncodeDate(2025, 12, 31), *EncodeDate(2026, 12, 31), 365, 261},
      {"the first day numbers", -1, 6, 7, 5},
      {"far apart", INT_MIN, INT_MAX, INT_MAX, INT_MAX},
      {"far apart, end first", INT_MAX, INT_MIN, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Label);
    const TDayCount count = CountDays(row.Start, row.End);
    EXPECT_EQ(count.Calendar, row.Calendar);
    EXPECT_EQ(count.Trading, row.Trading);
  }
}

TEST(DayCountTest, AgreesWithCountingDayByDay) {
  const int base = *EncodeDate(2024, 2, 20);
  for (int start = base; start < base + 9; ++start) {
    for (int end = start - 2; end < start + 40; ++end) {
      SCOPED_TRACE(std::to_string(start) + " to " + std::to_string(end));
      int calendar = 0;
      int trading = 0;
      for (int d = start + 1; d <= end; ++d) {
        ++calendar;
        if (DayOfWeek(d) != 1 && DayOfWeek(d) != 7) ++trading;
      }
      const TDayCount count = CountDays(start, end);
      EXPECT_EQ(count.Calendar, calendar);
      EXPECT_EQ(count.Trading, trading);
    }
  }
}

TEST_F(DialogsTest, TheStartUpDatesCountThirtyDaysOrTheirTradingDays) {
  const int sunday = *EncodeDate(2026, 12, 6);
  // Sunday to Saturday as today.
  const int expectedTrading[] = {22, 22, 22, 22, 21, 20, 21};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    Platform.TodayValue = sunday + i;
    TFormPersonal& form = Start();
    form.RunHandler([&] { form.Button5.Click(); });
    EXPECT_EQ(form.CompDays.Caption(), std::to_string(expectedTrading[i]));
    form.UseTradingDays.SetChecked(false);
    form.RunHandler([&] { form.Button5.Click(); });
    EXPECT_EQ(form.CompDays.Caption(), "30");
  }
}

}  // namespace
}  // namespace valquor
