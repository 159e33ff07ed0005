#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CalculatorPagesTest : public ::testing::Test, protected TFormFixture {
 protected:
  void Click(TButton& button) {
    Form->RunHandler([&] { button.Click(); });
  }
  // Strike 100, price 100, volatility 20, 260 days.
  void TypeCalculatorExample() {
    Form->Strike9.SetText("100");
    Form->Price9.SetText("100");
    Form->Vol9.SetText("20");
    Form->Days9.SetText("260");
  }
};

TEST_F(CalculatorPagesTest, TheCalculatorNamesTheModelOfItsLastCompute) {
  struct Row {
    const char* Formula;
    int Style;
    int DayCounting;
    const char* Days;
    const char* Premium;
    const char* Model;
  };
  const Row rows[] = {
      {"Black-Scholes", 0, 0, "260", "10.45", "Black-Scholes, rate 0.05, 260-day year"},
      {"Black-Scholes", 1, 1, "365", "10.45", "Black-Scholes, rate 0.05, 365-day year"},
      {"Cox-Ross-Rubenstein", 0, 0, "260", "10.44",
       "Binomial, European, 300 steps, rate 0.05, carry 0.05, 260-day year"},
      {"Cox-Ross-Rubenstein", 1, 1, "365", "10.44",
       "Binomial, American, 300 steps, rate 0.05, carry 0.05, 365-day year"},
      {"Integration normal distribution", 1, 0, "260", "10.44",
       "Binomial, American, 300 steps, rate 0.05, carry 0.05, 260-day year"},
  };
  TFormPersonal& form = Start();
  TypeCalculatorExample();
  EXPECT_EQ(form.CalcModelLabel.Caption(), "");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Model);
    form.Formula.SetText(row.Formula);
    form.ExpirationStyle.SetItemIndex(row.Style);
    form.DaysOption.SetItemIndex(row.DayCounting);
    form.Days9.SetText(row.Days);
    Click(form.Button9);
    EXPECT_EQ(form.Edit8.Text(), row.Premium);
    EXPECT_EQ(form.CalcModelLabel.Caption(), row.Model);
  }
  // A refused Compute leaves the result and its line as they were.
  form.Vol9.SetText("0");
  Click(form.Button9);
  EXPECT_EQ(form.CalcModelLabel.Caption(), rows[4].Model);
  EXPECT_THAT(Platform.Messages, ElementsAre("Volatility input error"));
}

// A command stops at the first number it cannot read: that one message, and no output changes.
TEST_F(CalculatorPagesTest, TheCalculatorStopsAtTheFirstNumberItCannotRead) {
  TFormPersonal& form = Start();
  for (TEdit* field :
       {&form.Strike9, &form.Price9, &form.RiskFree9, &form.CostofCarry9, &form.Vol9}) {
    SCOPED_TRACE(field->Name());
    TypeCalculatorExample();
    form.RiskFree9.SetText("0.05");
    Click(form.Button9);
    const std::string premium = form.Edit8.Text();
    const std::string model = form.CalcModelLabel.Caption();
    ASSERT_EQ(premium, "10.45");
    Platform.Messages.clear();
    field->SetText("1O");
    Platform.Messages.clear();
    Click(form.Button9);
    EXPECT_THAT(Platform.Messages, ElementsAre("'StrToFloat' error2: 1O"));
    EXPECT_EQ(form.Edit8.Text(), premium);
    EXPECT_EQ(form.Edit3.Text(), "33%");
    EXPECT_EQ(form.CalcModelLabel.Caption(), model);
  }
}

// The first cell of the default fair value table and the Analysis page's calculator line.
std::string FairValueCell(TFormPersonal& form) {
  form.MainPageControl.SetActivePage(&form.TabPricing);
  form.RunHandler([&] { form.ComputeBtn.Click(); });
  const std::vector<std::string>& lines = form.RichEdit1.Lines();
  return lines.size() > 7 ? lines[7].substr(0, 14) : std::string();
}
std::string AnalysisCallLine(TFormPersonal& form) {
  form.MainPageControl.SetActivePage(&form.TabAnalysis);
  form.RunHandler([&] { form.ComputeBtn.Click(); });
  for (const std::string& line : form.RichEdit10.Lines()) {
    if (line.rfind(" Call =", 0) == 0) return line;
  }
  return {};
}

// A rate typed on one page never reaches another page's reports.
TEST_F(CalculatorPagesTest, ARateTypedOnOnePageNeverReachesAnothersReports) {
  TFormPersonal& form = Start();
  const std::string cell = FairValueCell(form);
  const std::string call = AnalysisCallLine(form);
  ASSERT_EQ(cell, " 1050.0   6.38");
  ASSERT_EQ(call, " Call =  23.27   ( 23.27)   underpricing =   0.00   P(gain) = 34.4%");

  struct Step {
    const char* Label;
    std::function<void()> Run;
  };
  const Step steps[] = {
      {"IV Calculator",
       [&] {
         form.Strike7.SetText("100");
         form.Price7.SetText("100");
         form.Premium7.SetText("5");
         form.Days7.SetText("20");
         form.Riskfree7.SetText("0.20");
         form.RunHandler([&] { form.Button8.Click(); });
         EXPECT_EQ(form.IVModelLabel.Caption(), "Black-Scholes, rate 0.2, 260-day year");
       }},
      {"Calculator",
       [&] {
         TypeCalculatorExample();
         form.RiskFree9.SetText("0.20");
         form.RunHandler([&] { form.Button9.Click(); });
         EXPECT_EQ(form.CalcModelLabel.Caption(), "Black-Scholes, rate 0.2, 260-day year");
       }},
      {"risk calculator",
       [&] {
         form.Riskfree7.SetText("0.20");
         form.RunHandler([&] { form.FormWiz2.OKBtn.Click(); });
         EXPECT_EQ(form.FormWiz2.RichEdit1.Lines().size(), 14u);
       }},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.Label);
    step.Run();
    EXPECT_EQ(FairValueCell(form), cell);
    EXPECT_EQ(AnalysisCallLine(form), call);
  }
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

// Every report of the Volatility and Calculator pages and of both dialogs, under the tree: the
// panes, fields, exports and messages they leave.
std::vector<std::string> RunEveryReport(TFormPersonal& form, TScriptedPlatform& platform,
                                        const std::filesystem::path& folder) {
  form.Formula.SetText("Cox-Ross-Rubenstein");
  form.ExpirationStyle.SetItemIndex(1);
  form.NumberOfSteps.SetText("80");
  std::vector<std::string> out;
  const auto keep = [&out](const std::vector<std::string>& lines) {
    out.insert(out.end(), lines.begin(), lines.end());
  };
  const auto run = [&form](TButton& button) { form.RunHandler([&] { button.Click(); }); };

  // Twenty days a month from March to June 2001.
  std::string file = "D;O;H;L;C;V;S;0;0;0;Every\n";
  for (int i = 0; i < 80; ++i) {
    const std::string close = std::to_string(100 + (i * 37) % 11);
    const int date = 20010000 + 100 * (3 + i / 20) + 1 + i % 20;
    file += std::to_string(date) + ";" + close + ";" + close + ";" + close + ";" + close + ";1;0\n";
  }
  { std::ofstream(folder / "every.txt") << file; }
  form.Volatility.ReadPriceFile((folder / "every.txt").string());
  keep(form.RichEdit4.Lines());
  platform.Clipboard = "101\n102.5\n99\n100\n103\n98.5\n";
  run(form.ClipBoardBtn);
  keep(form.RichEdit4.Lines());
  for (int row = 1; row <= 4; ++row) form.WeeksGrid.SetCell(1, row, std::to_string(100 + row));
  run(form.WeeklyBtn);
  keep(form.RichEdit9.Lines());

  form.Strike7.SetText("100");
  form.Price7.SetText("98");
  form.Premium7.SetText("4.2");
  form.Days7.SetText("30");
  run(form.Button8);
  out.push_back(form.Edit6.Text());

  const char* grid[3][3] = {{"105", "1.5", "6.8"}, {"100", "3.6", "3.9"}, {"95", "7.1", "1.9"}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) form.Grid.SetCell(c + 1, r + 1, grid[r][c]);
  }
  form.DaysEdit.SetText("25");
  run(form.VolAnalysis);
  keep(form.RichEdit6.Lines());
  out.push_back(form.DevLabel.Caption());

  form.Strike9.SetText("100");
  form.Price9.SetText("97");
  form.Vol9.SetText("23");
  form.Days9.SetText("40");
  form.OptionType9.SetItemIndex(1);
  run(form.Button9);
  out.push_back(form.Edit8.Text() + " " + form.Edit3.Text());

  run(form.FormWiz2.OKBtn);
  keep(form.FormWiz2.RichEdit1.Lines());
  run(form.FormWiz.OKBtn);
  keep(form.FormWiz.RichEdit1.Lines());

  for (const TRichEdit* pane : {&form.RichEdit4, &form.RichEdit9, &form.RichEdit6,
                                &form.FormWiz2.RichEdit1, &form.FormWiz.RichEdit1}) {
    const std::optional<TExports::TExport> kept = form.Exports.Find(*pane);
    out.push_back(kept ? CsvText(*kept->Table) : pane->Name() + ": nothing kept");
  }
  keep(platform.Messages);
  return out;
}

TEST_F(CalculatorPagesTest, EveryReportIsTheSameOnAnyNumberOfWorkers) {
  std::vector<std::string> first;
  for (const char* workers : {"1", "2", "7"}) {
    SCOPED_TRACE(workers);
    ::setenv("VALQUOR_THREADS", workers, 1);
    TFormPersonal& form = Start();
    EXPECT_EQ(std::to_string(form.Engine.Workers()), workers);
    const std::vector<std::string> out = RunEveryReport(form, Platform, Folder.Path());
    Platform.Messages.clear();
    if (first.empty()) {
      first = out;
      EXPECT_GT(first.size(), 80u);
    } else {
      EXPECT_EQ(out, first);
    }
  }
  ::unsetenv("VALQUOR_THREADS");
}

}  // namespace
}  // namespace valquor
