#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class RiskReportTest : public ::testing::Test, protected TFormFixture {
 protected:
  void SetUp() override {
    Start();
    Form->RunHandler([&] { Form->Button11.Click(); });
    Platform.Messages.clear();
  }
  TFormWiz2& Dialog() { return Form->FormWiz2; }
  void Compute() {
    Form->RunHandler([&] { Dialog().OKBtn.Click(); });
  }
  const std::vector<std::string>& Report() { return Dialog().RichEdit1.Lines(); }
};

TEST_F(RiskReportTest, TheLayoutDefaultsGiveTheWorkedExample) {
  EXPECT_EQ(Dialog().PageControl1.ActivePage(), &Dialog().TabSheet5);  // opens on "Result"
  Compute();
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_THAT(
      Report(),
      ElementsAre("Call 100", "Trading days: 20", "Days in position: 2", "Formula: Black-Scholes",
                  "Expiration type: Eurpean", "Price: 101", "Volatility: 100%", "Sigma: 8.86",
                  "P(2*sigma down): 1.55%", "P(2*sigma up): 2.98%", "Premium: 5.00",
                  "Fair price: 11.77", "New fair price if down: 3.51", "Money at risk: 1.49"));
  // The report leaves its rate, formula and exercise style in the models.
  EXPECT_FLOAT_EQ(Form->Option1.RiskFree, 0.05f);
  EXPECT_FLOAT_EQ(Form->OptionCRR3651.RiskFree, 0.05f);
  EXPECT_EQ(Form->Dispatch.FormulaKind, kFormulaBlackScholes);
  EXPECT_FALSE(Platform.Busy);
  EXPECT_EQ(Platform.BusyOnCount, 1);
}

// Held for all the days to expiration, the option has expired after the move: a call two
// sigma down from 101 (83.28) and a put two sigma up (118.72), both at strike 100, are worth
// nothing, so the whole premium is at risk, whatever the type and the day counting.
TEST_F(RiskReportTest, TheFairPricesAfterTheMoveUseTheDaysLeftAfterHoldingThePosition) {
  struct Row {
    int Type;
    int Counting;
    const char* Line1;
    const char* Line2;
    const char* AfterMove;
  };
  const Row rows[] = {
      {0, 0, "Call 100", "Trading days: 2", "New fair price if down: 0.00"},
      {0, 1, "Call 100", "Days (all): 2", "New fair price if down: 0.00"},
      {1, 0, "Put 100", "Trading days: 2", "New fair price if up: 0.00"},
      {1, 1, "Put 100", "Days (all): 2", "New fair price if up: 0.00"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Line1) + " / " + row.Line2);
    Dialog().OptionType.SetItemIndex(row.Type);
    Dialog().DaysOption.SetItemIndex(row.Counting);
    Dialog().Days.SetText("2");
    Dialog().DaysInPosition.SetText("2");
    Compute();
    EXPECT_THAT(Platform.Messages, IsEmpty());
    ASSERT_EQ(Report().size(), 14u);
    EXPECT_EQ(Report()[0], row.Line1);
    EXPECT_EQ(Report()[1], row.Line2);
    EXPECT_EQ(Report()[7], "Sigma: 8.86");
    EXPECT_NE(Report()[11], "Fair price: 0.00");  // two days before expiration it is worth more
    EXPECT_EQ(Report()[12], row.AfterMove);
    EXPECT_EQ(Report()[13], "Money at risk: 5.00");
  }
}

TEST_F(RiskReportTest, NoTimeInThePositionMeansNoMove) {
  Dialog().DaysInPosition.SetText("0");
  Compute();
  ASSERT_EQ(Report().size(), 14u);
  EXPECT_EQ(Report()[7], "Sigma: 0.00");
  EXPECT_EQ(Report()[8], "P(2*sigma down): 50.00%");
  EXPECT_EQ(Report()[9], "P(2*sigma up): 50.00%");
  EXPECT_EQ(Report()[11], "Fair price: 11.77");
  EXPECT_EQ(Report()[12], "New fair price if down: 11.77");
  EXPECT_EQ(Report()[13], "Money at risk: 0.00");  // premium below the fair price
}

TEST_F(RiskReportTest, WithoutATypeOrADayCountingTheirLinesAreLeftOut) {
  Dialog().OptionType.SetItemIndex(-1);
  Dialog().DaysOption.SetItemIndex(-1);
  Compute();
  // Without a day counting the forward grows on the calendar-day year: a little less.
  EXPECT_THAT(Report(), ElementsAre("Formula: Black-Scholes", "Expiration type: Eurpean",
                                    "Price: 101", "Volatility: 100%", "Sigma: 8.86",
                                    "P(2*sigma down): 1.55%", "P(2*sigma up): 2.97%",
                                    "Premium: 5.00", "Fair price: 0.00", "Money at risk: 0.00"));
}

TEST_F(RiskReportTest, TheBinomialFormulaNamesItsExerciseStyle) {
  struct Row {
    const char* Formula;
    int Style;
    const char* Line4;
    const char* Line5;
  };
  const Row rows[] = {
      {"Cox-Ross-Rubenstein", 1, "Formula: Cox-Ross-Rubenstein", "Expiration type: American"},
      {"Cox-Ross-Rubenstein", 0, "Formula: Cox-Ross-Rubenstein", "Expiration type: Eurpean"},
      {"Black-Scholes", 1, "Formula: Black-Scholes", "Expiration type: Eurpean"},
      {"black-scholes", 1, "Formula: Cox-Ross-Rubenstein", "Expiration type: American"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Formula) + " " + std::to_string(row.Style));
    Form->Formula.SetText(row.Formula);
    Form->ExpirationStyle.SetItemIndex(row.Style);
    Compute();
    ASSERT_EQ(Report().size(), 14u);
    EXPECT_EQ(Report()[3], row.Line4);
    EXPECT_EQ(Report()[4], row.Line5);
  }
}

TEST_F(RiskReportTest, TextsThatAreNotNumbers) {
  struct Row {
    const char* Field;
    const char* Text;
    std::vector<std::string> Messages;
    bool Written;  // the report was replaced
  };
  const Row rows[] = {
      {"Premium", "abc", {"'StrToFloat' error2: abc"}, true},
      {"Days", "x", {"'x' is not a valid integer value"}, false},
      {"DaysInPosition", "1.5", {"'1.5' is not a valid integer value"}, false},
      {"DaysInPosition", "-1", {"Floating point error: square root of -1"}, false},
      {"DaysInPosition", "65", {}, false},  // two sigma down is below zero: no logarithm
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Field) + "=" + row.Text);
    TEdit& field = dynamic_cast<TEdit&>(*Dialog().FindComponent(row.Field));
    const std::string previous = field.Text();
    Dialog().RichEdit1.SetText("previous report");
    field.SetText(row.Text);
    Platform.Messages.clear();
    Compute();
    if (row.Messages.empty()) {
      EXPECT_EQ(Platform.Messages.size(), 1u);
    } else {
      EXPECT_THAT(Platform.Messages, ElementsAreArray(row.Messages));
    }
    if (row.Written) {
      ASSERT_EQ(Report().size(), 14u);
      EXPECT_EQ(Report()[10], "Premium: -999.00");
      EXPECT_EQ(Report()[13], "Money at risk: 0.00");
    } else {
      EXPECT_THAT(Report(), ElementsAre("previous report"));
    }
    EXPECT_FALSE(Platform.Busy);
    field.SetText(previous);
  }
}

TEST_F(RiskReportTest, GetDataFromCalculatorCopiesTheTermsAsTyped) {
  Form->Strike9.SetText("1,050");
  Form->Vol9.SetText("25");
  Form->Days9.SetText("");
  Form->OptionType9.SetItemIndex(1);
  Form->DaysOption.SetItemIndex(1);
  Dialog().Premium.SetText("7");
  for (TForm* dialog : {static_cast<TForm*>(&Form->FormWiz), static_cast<TForm*>(&Dialog())}) {
    SCOPED_TRACE(dialog->Name());
    Form->RunHandler([&] { dynamic_cast<TButton&>(*dialog->FindComponent("Button1")).Click(); });
    EXPECT_EQ(dynamic_cast<TEdit&>(*dialog->FindComponent("Strike")).Text(), "1,050");
    EXPECT_EQ(dynamic_cast<TEdit&>(*dialog->FindComponent("Vol")).Text(), "25");
    EXPECT_EQ(dynamic_cast<TEdit&>(*dialog->FindComponent("Days")).Text(), "");
    EXPECT_EQ(dynamic_cast<TRadioGroup&>(*dialog->FindComponent("OptionType")).ItemIndex(), 1);
    EXPECT_EQ(dynamic_cast<TRadioGroup&>(*dialog->FindComponent("DaysOption")).ItemIndex(), 1);
  }
  EXPECT_EQ(Dialog().Premium.Text(), "7");
  EXPECT_EQ(Dialog().Price.Text(), "101");
  EXPECT_EQ(Form->FormWiz.ForwardPrice.Text(), "101");
}

}  // namespace
}  // namespace valquor
