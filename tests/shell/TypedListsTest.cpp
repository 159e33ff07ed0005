// Texts typed into the drop-down lists of the main window: an item in another letter case or
// with blanks around it is that item, shown as listed; the formula list refuses any other text;
// the number of steps stays within the tree's 1 to 9999.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/FormTestSupport.h"
#include "shell/OptionsTerms.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class TypedListsTest : public ::testing::Test, protected TFormFixture {
 protected:
  void Click(TButton& button) {
    Form->RunHandler([&] { button.Click(); });
  }
  // Compute on the Fair value page: the fair value table and the delta report.
  std::vector<std::string> FairValueAndDelta() {
    Form->MainPageControl.SetActivePage(&Form->TabPricing);
    Click(Form->ComputeBtn);
    std::vector<std::string> lines = Form->RichEdit1.Lines();
    for (const std::string& line : Form->RichEdit2.Lines()) lines.push_back(line);
    return lines;
  }
};

TEST_F(TypedListsTest, EveryListTakesItsItemWhateverTheLetterCaseAndBlanks) {
  TFormPersonal& form = Start();
  struct Row {
    TComboBox* List;
    const char* Typed;
    const char* Shown;
  };
  const Row rows[] = {
      {&form.PositionName, "call spread", "Call spread"},
      {&form.PositionName, "  SHORT BUTTERFLY ", "Short butterfly"},
      {&form.PositionName, "call calendar spread**", "Call calendar spread**"},
      {&form.YAxis, " forward", "Forward"},
      {&form.DaysCombo, " 44* ", "44*"},
      {&form.Steps, "7.5 ", "7.5"},
      {&form.AnalysisFormula, "lognormal DISTRIBUTION", "Lognormal distribution"},
      {&form.AnalysisFormula, " medium normal/lognormal", "Medium normal/lognormal"},
      {&form.Formula, "cox-ross-rubenstein ", "Cox-Ross-Rubenstein"},
      {&form.Formula, "  black-scholes", "Black-Scholes"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.List->Name() + " '" + row.Typed + "'");
    row.List->SetText(row.Typed);
    EXPECT_EQ(row.List->Text(), row.Shown);
    EXPECT_EQ(row.List->Items()[static_cast<std::size_t>(row.List->ItemIndex())], row.Shown);
  }
  EXPECT_THAT(Platform.Messages, IsEmpty());
  // The position list's help topic follows the item: Short butterfly is the last.
  form.PositionName.SetText("short butterfly");
  EXPECT_EQ(form.PositionName.HelpContext(), 72);
}

TEST_F(TypedListsTest, ReportsOfTextsTypedLooselyAreThoseOfTheListedTexts) {
  TFormPersonal& form = Start();
  form.PositionName.SetText("Call spread");
  form.YAxis.SetText("Forward");
  form.DaysCombo.SetText("5");
  const std::vector<std::string> listed = FairValueAndDelta();
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(listed[0], " Call spread - (buy call 1000 & sell call 1010.0)   ");

  form.PositionName.SetText("Call");
  form.YAxis.SetText("Strike");
  form.DaysCombo.SetText("2");
  (void)FairValueAndDelta();
  form.PositionName.SetText("call spread");  // today: "Error: Not recognized: call spread"
  form.YAxis.SetText("FORWARD ");
  form.DaysCombo.SetText(" 5");
  EXPECT_EQ(FairValueAndDelta(), listed);
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

TEST_F(TypedListsTest, TheFormulaListRefusesAnyOtherTextAndKeepsThePreviousFormula) {
  TFormPersonal& form = Start();
  form.Formula.SetText("Cox-Ross-Rubenstein");
  for (const char* typed : {"Binomial", "black scholes", "Integration", "Blah"}) {
    SCOPED_TRACE(typed);
    form.RunHandler([&] { form.Formula.SetText(typed); });
    EXPECT_EQ(form.Formula.Text(), "Cox-Ross-Rubenstein");
    EXPECT_THAT(Platform.TakeMessages(), ElementsAre(std::string("Unknown formula: ") + typed));
  }

  // Each of the five formulas by a loosely typed name: the kind it selects and the fair value
  // table's third line, which names the formula as listed.
  struct Row {
    const char* Typed;
    std::uint8_t Kind;
    const char* FormulaLine;
  };
  const Row rows[] = {
      {"black-scholes", kFormulaBlackScholes,
       " Formula = Black-Scholes   (Risk-free interest = drift = 0.03)"},
      {"COX-ROSS-RUBENSTEIN", kFormulaBinomial,
       " Formula = Cox-Ross-Rubenstein   (Risk-free interest = drift = 0.03)"},
      {"Integration normal distribution ", kFormulaIntNormal,
       " Formula = Integration normal distribution   (Forward = 1002.31)"},
      {" integration lognormal distribution", kFormulaIntLognormal,
       " Formula = Integration lognormal distribution   (Forward = 1002.31)"},
      {"integration medium distribution", kFormulaIntMedium,
       " Formula = Integration medium distribution   (Forward = 1002.31)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Typed);
    form.RunHandler([&] { form.Formula.SetText(row.Typed); });
    const std::vector<std::string> lines = FairValueAndDelta();
    EXPECT_EQ(SelectedFormula(form.Formula.Text()), row.Kind);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], row.FormulaLine);
    EXPECT_THAT(Platform.TakeMessages(), IsEmpty());
  }
}

TEST_F(TypedListsTest, StoredListTextsGoThroughTheSameMatchAndCheck) {
  WriteText("valqor11.ini",
            "[FormPersonal\\Formula]\nText=integration lognormal distribution\n"
            "[FormPersonal\\PositionName]\nText=put spread \n"
            "[FormPersonal\\YAxis]\nText=forward\n");
  TFormPersonal& form = Start();
  EXPECT_THAT(Platform.TakeMessages(), IsEmpty());
  EXPECT_EQ(form.Formula.Text(), "Integration lognormal distribution");
  EXPECT_EQ(form.PositionName.Text(), "Put spread");
  EXPECT_EQ(form.PositionName.HelpContext(), 49);
  EXPECT_EQ(form.YAxis.Text(), "Forward");
  Stop();

  // A stored formula that names none of the list is refused aloud, and the default stays and
  // is stored at the next close.
  WriteText("valqor11.ini", "[FormPersonal\\Formula]\nText=Medium\n");
  TFormPersonal& again = Start();
  EXPECT_THAT(Platform.TakeMessages(), ElementsAre("Unknown formula: Medium"));
  EXPECT_EQ(again.Formula.Text(), "Black-Scholes");
  Stop();
  EXPECT_EQ(TIniProfile(File("valqor11.ini")).ReadString("FormPersonal\\Formula", "Text", ""),
            "Black-Scholes");
}

TEST_F(TypedListsTest, TheNumberOfStepsStaysWithinTheTreesOneTo9999) {
  TFormPersonal& form = Start();
  form.Formula.SetText("Cox-Ross-Rubenstein");
  form.Strike9.SetText("100");
  form.Price9.SetText("100");
  form.Vol9.SetText("20");
  form.Days9.SetText("260");
  // Today 10000 steps give 132 messages and a premium of 0.00.
  form.NumberOfSteps.SetText("10000");
  EXPECT_EQ(form.NumberOfSteps.Text(), "9999");
  Click(form.Button9);
  EXPECT_THAT(Platform.TakeMessages(), IsEmpty());
  EXPECT_EQ(form.Edit8.Text(), "10.45");
  EXPECT_EQ(form.CalcModelLabel.Caption(),
            "Binomial, European, 9999 steps, rate 0.05, carry 0.05, 260-day year");
  form.NumberOfSteps.SetText("0");
  EXPECT_EQ(form.NumberOfSteps.Value(), 1);
  form.NumberOfSteps.StepUp();
  EXPECT_EQ(form.NumberOfSteps.Value(), 51);

  // A command that reads the Options page's terms stops at a step text that is no whole number.
  form.NumberOfSteps.SetText("abc");
  form.RichEdit6.SetText("previous");
  Click(form.VolAnalysis);
  EXPECT_THAT(Platform.TakeMessages(), ElementsAre("'abc' is not a valid integer value"));
  EXPECT_THAT(form.RichEdit6.Lines(), ElementsAre("previous"));
  Stop();

  // A stored 30000, the old box's maximum, comes back as the tree's maximum.
  WriteText("valqor11.ini", "[FormPersonal\\NumberOfSteps]\nValue=30000\n");
  TFormPersonal& again = Start();
  EXPECT_THAT(Platform.TakeMessages(), IsEmpty());
  EXPECT_EQ(again.NumberOfSteps.Value(), 9999);
}

}  // namespace
}  // namespace valquor
