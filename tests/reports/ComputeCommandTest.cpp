#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ReportsFixture.h"
#include "compute/Csv.h"

namespace valquor {
namespace {

// Compute as one command: every field read before anything is computed, the reports written
// together with their exports, progress counted, and a stop that leaves everything as it was.
class ComputeCommandTest : public ReportsTest {
 protected:
  ComputeCommandTest() {
    for (TRichEdit* pane : Panes()) pane->SetText("previous");
    form.ForwardEdit.SetText("999");  // a command that runs writes the forward over it
  }
  std::vector<TRichEdit*> Panes() {
    return {&form.RichEdit1, &form.RichEdit2, &form.RichEdit3, &form.RichEdit8, &form.RichEdit10};
  }
  // Types text into an edit box or editable list by its name; returns what it held.
  std::string Type(const std::string& name, const std::string& text) {
    TComponent* control = form.FindComponent(name);
    if (auto* edit = dynamic_cast<TEdit*>(control)) {
      std::string before = edit->Text();
      edit->SetText(text);
      return before;
    }
    auto* list = dynamic_cast<TComboBox*>(control);
    EXPECT_NE(list, nullptr) << name;
    if (list == nullptr) return "";
    std::string before = list->Text();
    list->SetText(text);
    return before;
  }
  // The panes that still show "previous".
  std::vector<std::string> Untouched() {
    std::vector<std::string> names;
    for (TRichEdit* pane : Panes()) {
      if (pane->Lines() == std::vector<std::string>{"previous"}) names.push_back(pane->Name());
    }
    return names;
  }
};
INSTANTIATE_TEST_SUITE_P(Workers, ComputeCommandTest, kWorkerCounts);

const std::vector<std::string> kAllPanes = {"RichEdit1", "RichEdit2", "RichEdit3", "RichEdit8",
                                            "RichEdit10"};

TEST_P(ComputeCommandTest, StopsAtTheFirstNumberItCannotRead) {
  const struct {
    const char* Field;
    const char* Text;
    bool Analysis;
    std::vector<std::string> Messages;
  } kCases[] = {
      {"StrikeEdit", "nan", false, {"'StrToFloat' error2: nan"}},
      {"VolEdit", "nan", false, {"'StrToFloat' error2: nan"}},
      {"VolEdit", "nan", true, {"'StrToFloat' error2: nan"}},
      {"PriceEdit", "10oo", false, {"'StrToFloat' error2: 10oo"}},
      {"TrueVolEdit", "x", false, {"'StrToFloat' error2: x"}},
      {"RiskFreeInterest", "5%", false, {"'StrToFloat' error2: 5%"}},
      {"Steps", "ten", true, {"'StrToFloat' error2: ten"}},
      {"CalcDays", "20 days", true, {"'StrToFloat' error2: 20 days"}},
      {"SumDividends", "1,2,3", true, {"'StrToFloat' error2: 1,2,3"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.Field) + "=" + c.Text);
    const std::string before = Type(c.Field, c.Text);
    if (c.Analysis) {
      ComputeAnalysisPage();
    } else {
      ComputeFairValuePage();
    }
    EXPECT_EQ(platform.TakeMessages(), c.Messages);
    EXPECT_EQ(Untouched(), kAllPanes);
    EXPECT_EQ(form.ForwardEdit.Text(), "999");
    EXPECT_FALSE(exports.Find(form.RichEdit1).has_value());
    Type(c.Field, before);
  }
}

TEST_P(ComputeCommandTest, ANumberReadOnlyByATreeOrTypedPremiumsStopsToo) {
  const struct {
    const char* Formula;
    bool Custom;
    const char* Field;
    bool Analysis;
  } kCases[] = {
      {"Cox-Ross-Rubenstein", false, "CostOfCarry", false},
      {"Cox-Ross-Rubenstein", false, "CostOfCarry", true},
      {"Black-Scholes", true, "Call3", true},
      {"Black-Scholes", true, "Put3", true},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Field);
    form.Formula.SetText(c.Formula);
    form.UseCustomInput.SetChecked(c.Custom);
    const std::string before = Type(c.Field, "abc");
    if (c.Analysis) {
      ComputeAnalysisPage();
    } else {
      ComputeFairValuePage();
    }
    EXPECT_EQ(platform.TakeMessages(), std::vector<std::string>{"'StrToFloat' error2: abc"});
    EXPECT_EQ(Untouched(), kAllPanes);
    Type(c.Field, before);
  }
  // Black-Scholes reads no carry.
  form.Formula.SetText("Black-Scholes");
  form.CostOfCarry.SetText("abc");
  ComputeFairValuePage();
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_P(ComputeCommandTest, AnAnalysisDayCountThatIsNoWholeNumberKeepsTheCalculator) {
  // The calculator rounds 2.5 days; the probabilities need a whole number and end the command.
  form.CalcDays.SetText("2.5");
  ComputeAnalysisPage();
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"'2.5' is not a valid integer value"});
  EXPECT_EQ(Untouched(),
            (std::vector<std::string>{"RichEdit1", "RichEdit2", "RichEdit3", "RichEdit8"}));
  EXPECT_EQ(form.ForwardEdit.Text(), "1002.31");
}

TEST_P(ComputeCommandTest, EachPaneKeepsItsTableForExport) {
  ComputeFairValuePage();
  ComputeAnalysisPage();
  EXPECT_TRUE(Untouched().empty());
  const struct {
    const TRichEdit* Pane;
    const char* FileName;
    std::vector<std::string> Header;  // the first columns
    std::size_t Rows;
  } kCases[] = {
      {&form.RichEdit1, "fair-value.csv", {"Strike", "20 days"}, 12},
      {&form.RichEdit2, "delta.csv", {"Table", "Change", "Value"}, 30},
      {&form.RichEdit3, "payoff.csv", {"Table", "Line", "20 days"}, 10},
      {&form.RichEdit8, "probabilities.csv", {"Change %", "Forward"}, 21},
      {&form.RichEdit10, "calculator.csv", {"Option", "Market", "Fair"}, 3},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.FileName);
    const std::optional<TExports::TExport> kept = exports.Find(*c.Pane);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->FileName, c.FileName);
    ASSERT_GE(kept->Table->Header.size(), c.Header.size());
    EXPECT_EQ(std::vector<std::string>(
                  kept->Table->Header.begin(),
                  kept->Table->Header.begin() + static_cast<std::ptrdiff_t>(c.Header.size())),
              c.Header);
    EXPECT_EQ(kept->Table->Rows.size(), c.Rows);
    for (const auto& row : kept->Table->Rows) EXPECT_EQ(row.size(), kept->Table->Header.size());
  }
  // A refused payoff analysis keeps the pane and writes no new table.
  form.DaysCombo.SetText("44");
  ComputeAnalysisPage();
  EXPECT_EQ(platform.TakeMessages(),
            std::vector<std::string>{"Payoff analysis becomes inaccurate when days to expiration "
                                     "is larger than 5 months. Reduce timespan."});
  EXPECT_TRUE(exports.Find(form.RichEdit3).has_value());
  EXPECT_EQ(form.RichEdit3.Lines().size(), 18u);
}

TEST_P(ComputeCommandTest, TheRateOfAnEarlierComputeDoesNotReachTheCalculator) {
  // After a Compute at a rate of 0.20 the calculator values at 3 % again: no phantom
  // overpricing.
  form.RiskFreeInterest.SetText("0.2");
  ComputeAnalysisPage();
  form.RiskFreeInterest.SetText("0.03");
  ComputeAnalysisPage();
  ASSERT_GE(form.RichEdit10.Lines().size(), 8u);
  EXPECT_EQ(form.RichEdit10.Lines()[1], " Option type = European    Risk-free interest = 0.030");
  EXPECT_EQ(form.RichEdit10.Lines()[7],
            " Call =  23.27   ( 23.27)   underpricing =   0.00   P(gain) = 34.4%");
}

// Compute through a runner that records the command's progress, or stops it before it starts.
class ProgressTest : public ComputeCommandTest {
 protected:
  void Compute(bool analysis, bool stop) {
    TPricingReports counted(form, platform, panel, exports, [&](TCommand command) {
      TWorkControl control;
      if (stop) control.RequestStop();
      TCommandOutcome outcome = ComputeCommand(command, engine, control);
      fraction = control.Fraction();
      stopped = outcome.Stopped;
      FinishCommand(command, outcome, platform);
    });
    form.MainPageControl.SetActivePage(analysis ? &form.TabAnalysis : &form.TabPricing);
    counted.ComputeBtnClick();
  }
  double fraction = -1;
  bool stopped = false;
};
INSTANTIATE_TEST_SUITE_P(Workers, ProgressTest, kWorkerCounts);

TEST_P(ProgressTest, EveryUnitAnnouncedIsFinished) {
  const struct {
    const char* Label;
    std::function<void(TFormPersonalControls&)> Set;
  } kCases[] = {
      {"defaults", [](TFormPersonalControls&) {}},
      {"tree", [](TFormPersonalControls& f) { f.Formula.SetText("Cox-Ross-Rubenstein"); }},
      {"integration",
       [](TFormPersonalControls& f) { f.Formula.SetText("Integration normal distribution"); }},
      {"calendar", [](TFormPersonalControls& f) { f.PositionName.SetText("Put calendar spread"); }},
      {"locked", [](TFormPersonalControls& f) { f.MainForwardLock.SetChecked(true); }},
      {"few days", [](TFormPersonalControls& f) { f.Days1.SetText("3"); }},
      {"custom", [](TFormPersonalControls& f) { f.UseCustomInput.SetChecked(true); }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Label);
    c.Set(form);
    for (const bool analysis : {false, true}) {
      Compute(analysis, false);
      EXPECT_EQ(fraction, 1.0) << analysis;
    }
  }
  EXPECT_TRUE(Untouched().empty());
}

TEST_P(ProgressTest, AStopLeavesEveryPaneAndFieldAsItWas) {
  for (const bool analysis : {false, true}) {
    Compute(analysis, true);
    EXPECT_TRUE(stopped);
  }
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_EQ(Untouched(), kAllPanes);
  EXPECT_EQ(form.ForwardEdit.Text(), "999");
  EXPECT_FALSE(exports.Find(form.RichEdit3).has_value());
}

TEST_P(ProgressTest, AStopReachesALongComputationWhileItRuns) {
  // Minutes of work on one core: a stop requested once progress shows ends it.
  form.Formula.SetText("Cox-Ross-Rubenstein");
  form.NumberOfSteps.SetText("9999");
  form.PositionName.SetText("Call calendar spread");
  form.MainPageControl.SetActivePage(&form.TabAnalysis);
  TPricingReports counted(form, platform, panel, exports, [&](TCommand command) {
    TWorkControl control;
    std::jthread stopper([&control](std::stop_token) {
      while (control.Fraction() == 0.0) std::this_thread::yield();
      control.RequestStop();
    });
    TCommandOutcome outcome = ComputeCommand(command, engine, control);
    stopped = outcome.Stopped;
    fraction = control.Fraction();
    FinishCommand(command, outcome, platform);
  });
  counted.ComputeBtnClick();
  EXPECT_TRUE(stopped);
  EXPECT_LT(fraction, 0.5);
  EXPECT_EQ(Untouched(), kAllPanes);
  EXPECT_TRUE(platform.Messages.empty());
}

}  // namespace
}  // namespace valquor
