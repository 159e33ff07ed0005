#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Text.h"
#include "reports/OptionCalculatorImplied.h"
#include "reports/OverUnder.h"
#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class OverUnderTest : public ::testing::Test, protected TFormFixture {
 protected:
  void SetUp() override {
    Start();
    Form->RunHandler([&] { Form->Button10.Click(); });
    Platform.Messages.clear();
  }
  TFormWiz& Dialog() { return Form->FormWiz; }
  void Compute() {
    Form->RunHandler([&] { Dialog().OKBtn.Click(); });
  }
  const std::vector<std::string>& Report() { return Dialog().RichEdit1.Lines(); }
};

// Worked by hand with Black-Scholes at the Options page's rate 0.03, 30 trading days
// (T = 30 / 260), volatility 25 %, strike 100: the forward 101 stands for the price
// 101 e^(-0.03 T) = 100.65099, where the call is worth 3.91352 and the put 2.91698.
TEST_F(OverUnderTest, SetsTheMarketPremiumAgainstTheFairValue) {
  struct Row {
    const char* Label;
    int Type;
    const char* Premium;
    std::vector<std::string> Figures;  // lines 6 to 11
  };
  const Row rows[] = {
      // 5 - 3.91352 = 1.08648, 27.76 % of the fair value; 33.1 % values the call at 5.0058.
      {"an overpriced call",
       0,
       "5",
       {"Fair value:                  3.91", "Market premium:              5.00",
        "Difference:                  1.09", "Difference in percent:      27.76%",
        "Verdict:               overpriced", "Implied volatility:         33.10%"}},
      // 2.5 - 2.91698 = -0.41698, -14.29 %; 21.9 % values the put at 2.50014.
      {"an underpriced put",
       1,
       "2.5",
       {"Fair value:                  2.92", "Market premium:              2.50",
        "Difference:                 -0.42", "Difference in percent:     -14.29%",
        "Verdict:              underpriced", "Implied volatility:         21.90%"}},
      // 2.93 - 2.91698 = 0.01302, 0.45 %: within 1 % of the fair value.
      {"a fair put",
       1,
       "2.93",
       {"Fair value:                  2.92", "Market premium:              2.93",
        "Difference:                  0.01", "Difference in percent:       0.45%",
        "Verdict:                     fair", "Implied volatility:         25.10%"}},
      // Below the call's worth at the lowest volatility (its discounted intrinsic value 0.997).
      {"a call below its lowest value",
       0,
       "0.5",
       {"Fair value:                  3.91", "Market premium:              0.50",
        "Difference:                 -3.41", "Difference in percent:     -87.22%",
        "Verdict:              underpriced", kNoImpliedVolatilityMessage}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Label);
    Dialog().OptionType.SetItemIndex(row.Type);
    Dialog().Premium.SetText(row.Premium);
    Compute();
    EXPECT_THAT(Platform.Messages, IsEmpty());
    std::vector<std::string> expected = {row.Type == 0 ? "Call 100" : "Put 100", "Trading days: 30",
                                         "Model: Black-Scholes, rate 0.03, 260-day year",
                                         "Forward price: 101", "Volatility: 25%"};
    expected.insert(expected.end(), row.Figures.begin(), row.Figures.end());
    EXPECT_THAT(Report(), ElementsAreArray(expected));
  }
}

TEST_F(OverUnderTest, NamesTheTreeAndItsCalendarYear) {
  Form->Formula.SetText("Cox-Ross-Rubenstein");
  Form->ExpirationStyle.SetItemIndex(1);
  Form->NumberOfSteps.SetText("120");
  Dialog().DaysOption.SetItemIndex(1);
  Compute();
  ASSERT_EQ(Report().size(), 11u);
  EXPECT_EQ(Report()[1], "Days (all): 30");
  EXPECT_EQ(Report()[2],
            "Model: Binomial, American, 120 steps, rate 0.03, carry 0.03, 365-day year");
}

TEST_F(OverUnderTest, RefusesFieldsItCannotUse) {
  struct Row {
    const char* Field;
    const char* Text;
    const char* Message;
  };
  const Row rows[] = {
      {"Strike", "0", "Strike input error"},
      {"Premium", "-1", kOverUnderPremiumMessage},
      {"Premium", "abc", "'StrToFloat' error2: abc"},
      {"ForwardPrice", "0", kOverUnderForwardMessage},
      {"Vol", "0", "Volatility input error"},
      {"Days", "0", "Days input error"},
      {"Days", "2.5", "'2.5' is not a valid integer value"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Field) + "=" + row.Text);
    TEdit& field = dynamic_cast<TEdit&>(*Dialog().FindComponent(row.Field));
    const std::string previous = field.Text();
    field.SetText(row.Text);
    Dialog().RichEdit1.SetText("previous report");
    Platform.Messages.clear();
    Compute();
    EXPECT_THAT(Platform.Messages, ElementsAre(row.Message));
    EXPECT_THAT(Report(), ElementsAre("previous report"));
    field.SetText(previous);
  }
}

// Copy puts the report on the clipboard; Export writes over-under.csv from the figures.
TEST_F(OverUnderTest, CopyAndExportTheReport) {
  Compute();
  Form->RunHandler([&] { Dialog().CopyBtn.Click(); });
  EXPECT_EQ(Platform.Clipboard, Dialog().RichEdit1.Text());
  Platform.FileAnswers.push_back(File("ou.csv").string());
  Form->RunHandler([&] { Dialog().ExportBtn.Click(); });
  ASSERT_FALSE(Platform.FileRequests.empty());
  EXPECT_EQ(Platform.FileRequests.back().FileName, "over-under.csv");
  const std::vector<std::string> lines = SplitLines(ReadText("ou.csv"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "Option,Strike,Days,Day counting,Forward price,Volatility,Fair value,Market premium,"
            "Difference,Difference %,Verdict,Implied volatility");
  EXPECT_EQ(lines[1].substr(0, 35), "Call,100,30,Trading days,101,25,3.9");
  EXPECT_NE(lines[1].find(",overpriced,33.1"), std::string::npos) << lines[1];
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

}  // namespace
}  // namespace valquor
