#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "forms/Text.h"
#include "models/Format.h"
#include "models/ModelSet.h"
#include "reports/RiskCalculator.h"
#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class RiskReportTest : public ::testing::Test, protected TFormFixture {
 protected:
  // The dialog open, at the volatility of the worked example (100; the dialog's default is 25).
  void SetUp() override {
    Start();
    Form->RunHandler([&] { Form->Button11.Click(); });
    Dialog().Vol.SetText("100");
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
      // A formula typed in another letter case is the listed one.
      {"black-scholes", 1, "Formula: Black-Scholes", "Expiration type: Eurpean"},
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

// Every refusal stops the report at its one message and keeps the previous report.
TEST_F(RiskReportTest, RefusesFieldsItCannotUse) {
  struct Row {
    std::vector<std::pair<const char*, const char*>> Fields;
    std::vector<std::string> Messages;  // empty: one message of the platform's arithmetic
  };
  const Row rows[] = {
      {{{"Premium", "abc"}}, {"'StrToFloat' error2: abc"}},
      {{{"Vol", "nan"}}, {"'StrToFloat' error2: nan"}},
      {{{"Days", "x"}}, {"'x' is not a valid integer value"}},
      {{{"DaysInPosition", "1.5"}}, {"'1.5' is not a valid integer value"}},
      {{{"Vol", "0"}}, {kRiskVolatilityMessage}},
      {{{"Vol", "-1"}, {"Days", "-5"}}, {kRiskVolatilityMessage}},
      {{{"Days", "-5"}}, {kRiskDaysMessage}},
      {{{"DaysInPosition", "-1"}}, {kRiskDaysInPositionMessage}},
      {{{"DaysInPosition", "65"}}, {}},  // two sigma down is below zero: no logarithm
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Fields[0].first) + "=" + row.Fields[0].second);
    std::vector<std::pair<TEdit*, std::string>> previous;
    for (const auto& [name, text] : row.Fields) {
      TEdit& field = dynamic_cast<TEdit&>(*Dialog().FindComponent(name));
      previous.emplace_back(&field, field.Text());
      field.SetText(text);
    }
    Dialog().RichEdit1.SetText("previous report");
    Platform.Messages.clear();
    Compute();
    if (row.Messages.empty()) {
      EXPECT_EQ(Platform.Messages.size(), 1u);
    } else {
      EXPECT_THAT(Platform.Messages, ElementsAreArray(row.Messages));
    }
    EXPECT_THAT(Report(), ElementsAre("previous report"));
    EXPECT_FALSE(Form->Exports.Find(Dialog().RichEdit1));
    EXPECT_FALSE(Platform.Busy);
    for (auto& [field, text] : previous) field->SetText(text);
  }
}

// The dialog's own defaults: a volatility of 25 %. By hand: sigma 25 sqrt(2 / 260) 1.01 = 2.2146,
// the moves to 105.43 and 96.57 about the forward 101.0233 with spread 0.0219265, Black-Scholes
// at 0.05 of 101 for 20 days and of 96.57 for 18 days.
TEST_F(RiskReportTest, ItsDefaultVolatilityIsThatOfATypicalListedOption) {
  TFormWiz2Controls layout;
  Dialog().Vol.SetText(layout.Vol.Text());
  Compute();
  EXPECT_THAT(
      Report(),
      ElementsAre("Call 100", "Trading days: 20", "Days in position: 2", "Formula: Black-Scholes",
                  "Expiration type: Eurpean", "Price: 101", "Volatility: 25%", "Sigma: 2.21",
                  "P(2*sigma down): 2.04%", "P(2*sigma up): 2.51%", "Premium: 5.00",
                  "Fair price: 3.52", "New fair price if down: 1.32", "Money at risk: 3.68"));
}

// The tree values at the risk calculator's own rate (the IV Calculator's field, 0.05), not the
// Options page's: a put of 200 trading days at 100, 101, 25 %, American, 200 steps.
TEST_F(RiskReportTest, TheTreeValuesAtTheCalculatorsOwnRate) {
  Form->Formula.SetText("Cox-Ross-Rubenstein");
  Form->ExpirationStyle.SetItemIndex(1);
  Form->NumberOfSteps.SetText("200");
  Dialog().OptionType.SetItemIndex(1);
  Dialog().Vol.SetText("25");
  Dialog().Days.SetText("200");
  Compute();
  TModelSet models;
  TValuationTerms terms;
  terms.Formula = kFormulaBinomial;
  terms.RiskFree = 0.05f;
  terms.Carry = 0.03f;
  terms.Steps = 200;
  terms.American = true;
  const float fair = models.Value(terms, true, 200, 100, 101, 25);
  ASSERT_EQ(Report().size(), 14u);
  EXPECT_EQ(Report()[11], "Fair price: " + FormatFixed(fair, 2));
  terms.RiskFree = 0.03f;
  EXPECT_NE(FormatFixed(models.Value(terms, true, 200, 100, 101, 25), 2), FormatFixed(fair, 2));
}

// Copy puts the report on the clipboard; Export writes risk.csv from the figures.
TEST_F(RiskReportTest, CopyAndExportTheReport) {
  Form->RunHandler([&] { Dialog().ExportBtn.Click(); });
  EXPECT_THAT(Platform.Messages, ElementsAre("Nothing to export"));
  Platform.Messages.clear();
  Compute();
  Form->RunHandler([&] { Dialog().CopyBtn.Click(); });
  EXPECT_EQ(Platform.Clipboard, Dialog().RichEdit1.Text());
  const std::filesystem::path file = Folder.Path() / "exported.csv";
  Platform.FileAnswers.push_back(file.string());
  Form->RunHandler([&] { Dialog().ExportBtn.Click(); });
  ASSERT_FALSE(Platform.FileRequests.empty());
  EXPECT_EQ(Platform.FileRequests.back().FileName, "risk.csv");
  const std::vector<std::string> lines = SplitLines(ReadText("exported.csv"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "Option,Strike,Days,Day counting,Days in position,Price,Volatility,Sigma,"
            "P(2*sigma down) %,P(2*sigma up) %,Premium,Fair price,New fair price after the move,"
            "Money at risk");
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = lines[1].find(',', start)) != std::string::npos;
       start = comma + 1) {
    fields.push_back(lines[1].substr(start, comma - start));
  }
  fields.push_back(lines[1].substr(start));
  ASSERT_EQ(fields.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + 7),
            (std::vector<std::string>{"Call", "100", "20", "Trading days", "2", "101", "100"}));
  // The figures, to the report's two decimals.
  const char* shown[] = {"8.86", "1.55", "2.98", "5.00", "11.77", "3.51", "1.49"};
  for (std::size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(FormatFixed(std::stod(fields[7 + i]), 2), shown[i]) << fields[7 + i];
  }
  EXPECT_THAT(Platform.Messages, IsEmpty());
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
