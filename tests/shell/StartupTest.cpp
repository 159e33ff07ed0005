#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "forms/FileReplace.h"
#include "forms/SettingsFiles.h"
#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StartupTest : public ::testing::Test, protected TFormFixture {};

// The 52 listed properties that the main window has, by section and key.
const std::set<std::string> kMainWindowKeys = {
    "FormPersonal/Height",
    "FormPersonal/Left",
    "FormPersonal/Top",
    "FormPersonal/Width",
    "FormPersonal\\AnalysisFormula/Text",
    "FormPersonal\\CalcDays/Text",
    "FormPersonal\\Call3/Text",
    "FormPersonal\\CostOfCarry/Text",
    "FormPersonal\\Days1/Text",
    "FormPersonal\\Days7/Text",
    "FormPersonal\\Days9/Text",
    "FormPersonal\\DaysCombo/Text",
    "FormPersonal\\DaysEdit/Text",
    "FormPersonal\\Formula/Text",
    "FormPersonal\\ForwardEdit/Text",
    "FormPersonal\\PositionName/Text",
    "FormPersonal\\Premium7/Text",
    "FormPersonal\\Price7/Text",
    "FormPersonal\\Price9/Text",
    "FormPersonal\\PriceEdit/Text",
    "FormPersonal\\Put3/Text",
    "FormPersonal\\Riskfree7/Text",
    "FormPersonal\\RiskFree9/Text",
    "FormPersonal\\RiskFreeInterest/Text",
    "FormPersonal\\Steps/Text",
    "FormPersonal\\Strike7/Text",
    "FormPersonal\\Strike9/Text",
    "FormPersonal\\StrikeEdit/Text",
    "FormPersonal\\TrueVolEdit/Text",
    "FormPersonal\\Vol9/Text",
    "FormPersonal\\VolEdit/Text",
    "FormPersonal\\WhatIfDays/Text",
    "FormPersonal\\WhatIfPrice/Text",
    "FormPersonal\\WhatIfVol/Text",
    "FormPersonal\\YAxis/Text",
    "FormPersonal\\Label43/Caption",
    "FormPersonal\\Label45/Caption",
    "FormPersonal\\BothLocked/Checked",
    "FormPersonal\\Locked/Checked",
    "FormPersonal\\MainForwardLock/Checked",
    "FormPersonal\\UseCustomInput/Checked",
    "FormPersonal\\UseTradingDays/Checked",
    "FormPersonal\\DaysOption/ItemIndex",
    "FormPersonal\\DaysOption7/ItemIndex",
    "FormPersonal\\ExpirationStyle/ItemIndex",
    "FormPersonal\\HVWindow/ItemIndex",
    "FormPersonal\\OptionType7/ItemIndex",
    "FormPersonal\\NumberOfIntervals/Value",
    "FormPersonal\\NumberOfSteps/Value",
    "FormPersonal\\MainPageControl/TabPosition",
    "FormPersonal\\PageControl1/TabPosition",
    "FormPersonal\\PageControl2/TabPosition",
    "FormPersonal\\PageControl3/TabPosition",
};

TEST_F(StartupTest, AFirstStartShowsTheLayoutDefaultsAndTheFirstCloseWritesThreeFiles) {
  Platform.TodayValue = 46364;  // 2026-12-08
  TFormPersonal& form = Start();
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_EQ(form.StrikeEdit.Text(), "1000");
  EXPECT_TRUE(form.UseTradingDays.Checked());
  EXPECT_EQ(form.RiskFreeInterest.Text(), "0.03");
  EXPECT_EQ(form.PageControl1.ActivePage(), &form.TabSheet1);
  EXPECT_EQ(form.MainPageControl.ActivePage(), &form.TabPricing);  // no stored sub-page
  EXPECT_EQ(form.DaysEdit.Text(), "0");                            // the grid load found no file
  EXPECT_EQ(form.RichEdit1.Font().Name, "Courier new");
  EXPECT_EQ(form.RichEdit1.Font().Size, 10);
  EXPECT_EQ(form.RichEdit3.Font().Name, "Courier new");
  EXPECT_EQ(form.StartDate.Date(), 46364);
  EXPECT_EQ(form.EndDate.Date(), 46394);
  EXPECT_EQ(form.PositionName.HelpContext(), 45);
  EXPECT_TRUE(form.StartupDone);
  EXPECT_FALSE(std::filesystem::exists(Folder.Path() / "valqor11.ini"));

  Stop();
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_EQ(Keys("valqor11.ini"), kMainWindowKeys);
  const TIniProfile saver(File("valqor11.ini"));
  EXPECT_EQ(saver.ReadString("FormPersonal\\UseTradingDays", "Checked", ""), "TRUE");
  EXPECT_EQ(saver.ReadString("FormPersonal\\RiskFreeInterest", "Text", ""), "0.03");
  EXPECT_EQ(saver.ReadString("FormPersonal", "Height", ""), "472");
  EXPECT_EQ(saver.ReadString("FormPersonal\\DaysEdit", "Text", ""), "0");
  EXPECT_EQ(ReadText("valquor.ini"), "[System font]\nName=Courier new\nSize=10\n");
  EXPECT_EQ(ReadText("system/valquor.ini"), "[System]\nCurrentTab=TabPricing\n");
  // The three files are distinct, and the program settings file keeps the whole name.
  EXPECT_EQ(ProgramSettingsPath(Platform), File("valquor.ini"));
  EXPECT_EQ(SystemFolderFile(Platform), File("system/valquor.ini"));
}

TEST_F(StartupTest, EveryListedFieldKeepsItsValueFromOneRunToTheNext) {
  TFormPersonal& form = Start();
  form.StrikeEdit.SetText("1050");
  form.Formula.SetText("Cox-Ross-Rubenstein");
  form.RiskFreeInterest.SetText("0.05");
  form.UseTradingDays.SetChecked(false);
  form.DaysOption.SetItemIndex(1);
  form.ExpirationStyle.SetItemIndex(1);
  form.NumberOfSteps.SetValue(450);
  form.Strike9.SetText("95");
  form.Label43.SetCaption("Cox-Ross-Rubenstein");
  form.LatestFirst.SetChecked(true);  // not listed
  form.Days1.SetText("30");
  form.DaysCombo.SetText("5*");
  form.MainPageControl.SetActivePage(&form.TabDelta);
  form.Left = 120;
  Stop();

  TFormPersonal& again = Start();
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_EQ(again.StrikeEdit.Text(), "1050");
  EXPECT_EQ(again.Formula.Text(), "Cox-Ross-Rubenstein");
  EXPECT_EQ(again.RiskFreeInterest.Text(), "0.05");
  EXPECT_FALSE(again.UseTradingDays.Checked());
  EXPECT_EQ(again.DaysOption.ItemIndex(), 1);
  EXPECT_EQ(again.ExpirationStyle.ItemIndex(), 1);
  EXPECT_EQ(again.NumberOfSteps.Value(), 450);
  EXPECT_EQ(again.Strike9.Text(), "95");
  EXPECT_EQ(again.Label43.Caption(), "Cox-Ross-Rubenstein");
  EXPECT_FALSE(again.LatestFirst.Checked());
  EXPECT_EQ(again.Days1.Text(), "30");
  EXPECT_EQ(again.DaysCombo.Text(), "5*");
  EXPECT_EQ(again.MainPageControl.ActivePage(), &again.TabDelta);
  EXPECT_EQ(again.Left, 120);
}

// The day step is restored before the price: its change handler waits for the price, so a
// stock far below the default price of 1000 shows no forward warning at the start.
TEST_F(StartupTest, TheDayStepComesBackWithTheForwardItWasClosedWith) {
  TFormPersonal& form = Start();
  form.StrikeEdit.SetText("100");
  form.PriceEdit.SetText("100");
  form.DaysCombo.SetText("11*");
  const std::string forward = form.ForwardEdit.Text();
  EXPECT_EQ(forward, "102.57");  // 100 grown at 3 % over 220 trading days
  Stop();
  EXPECT_THAT(Platform.Messages, IsEmpty());

  TFormPersonal& again = Start();
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_EQ(again.DaysCombo.Text(), "11*");
  EXPECT_EQ(again.ForwardEdit.Text(), forward);
  // After the start the day step refreshes the forward again as it changes.
  again.DaysCombo.SetText("2");
  EXPECT_EQ(again.ForwardEdit.Text(), "100.23");
}

TEST_F(StartupTest, OnlyAStoredSizeCountsAsTheUsersSize) {
  TFormPersonal& form = Start();
  EXPECT_FALSE(form.SizeStored);  // no settings: the view may choose a first size
  form.Width = 645;               // the smallest, as the user left it
  form.Height = 472;
  Stop();
  EXPECT_TRUE(Start().SizeStored);
  // A file with the height alone still holds a size of the user's.
  WriteText("valqor11.ini", "[FormPersonal]\nHeight=500\n");
  EXPECT_TRUE(Start().SizeStored);
  WriteText("valqor11.ini", "[FormPersonal]\nLeft=10\n");
  EXPECT_FALSE(Start().SizeStored);
}

TEST_F(StartupTest, TheStoredSubPageIsComparedExactly) {
  struct Row {
    const char* Stored;  // nullptr: no system-folder file
    const char* Expected;
  };
  const Row rows[] = {{"TabPricing", "TabPricing"},     {"TabDelta", "TabDelta"},
                      {"TabProfitLoss", "TabAnalysis"}, {"tabpricing", "TabAnalysis"},
                      {"TabAnalysis", "TabAnalysis"},   {"", "TabPricing"},
                      {nullptr, "TabPricing"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Stored != nullptr ? row.Stored : "(no file)");
    std::filesystem::remove_all(Folder.Path() / "system");
    if (row.Stored != nullptr) {
      WriteText("system/valquor.ini", std::string("[System]\nCurrentTab=") + row.Stored + "\n");
    }
    const TFormPersonal& form = Start();
    EXPECT_EQ(form.MainPageControl.ActivePage()->Name(), row.Expected);
  }
}

TEST_F(StartupTest, TheSubPageInViewIsStoredByItsName) {
  struct Row {
    const char* Page;
    const char* Stored;
  };
  const Row rows[] = {
      {"TabPricing", "TabPricing"}, {"TabDelta", "TabDelta"}, {"TabAnalysis", "TabProfitLoss"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Page);
    TFormPersonal& form = Start();
    form.MainPageControl.SetActivePage(dynamic_cast<TTabSheet*>(form.FindComponent(row.Page)));
    Stop();
    EXPECT_EQ(TIniProfile(File("system/valquor.ini")).ReadString("System", "CurrentTab", ""),
              row.Stored);
  }
}

TEST_F(StartupTest, TheReportFontComesBackAtTheFirstActivationOnly) {
  struct Row {
    const char* Stored;
    const char* Name;
    int Size;
  };
  const Row rows[] = {
      {"[System font]\nName=DejaVu Sans Mono\nSize=14\n", "DejaVu Sans Mono", 14},
      {"[system font]\nname=Liberation Mono\n", "Liberation Mono", 10},
      {"[System font]\nSize=abc\n", "Courier new", 10},
      {"[System font]\nSize=0\n", "Courier new", 10},
      {"[System font]\nSize=-3\n", "Courier new", 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Stored);
    WriteText("valquor.ini", row.Stored);
    Form = std::make_unique<TFormPersonal>(Platform);
    TFormPersonal& form = *Form;
    form.Show();
    form.RichEdit2.Add("a report computed before the first activation");
    form.Activate();
    EXPECT_THAT(form.RichEdit2.Lines(), IsEmpty());
    for (TRichEdit* pane : form.ReportPanes()) {
      SCOPED_TRACE(pane->Name());
      EXPECT_EQ(pane->Font().Name, row.Name);
      EXPECT_EQ(pane->Font().Size, row.Size);
    }
    // Switching away and back reloads nothing.
    form.RichEdit2.Add("line");
    WriteText("valquor.ini", "[System font]\nName=Other\nSize=20\n");
    form.Activate();
    EXPECT_THAT(form.RichEdit2.Lines(), ElementsAre("line"));
    EXPECT_EQ(form.RichEdit1.Font().Name, row.Name);
    Form.reset();
  }
}

TEST_F(StartupTest, AChosenFontIsStoredByNameAndSize) {
  TFormPersonal& form = Start();
  TFontSpec chosen;
  chosen.Name = "Liberation Mono";
  chosen.Size = 12;
  chosen.Bold = true;
  Platform.FontAnswers.push_back(chosen);
  form.RichEdit1.Add("report");
  form.RunHandler([&] { form.Button6.Click(); });
  EXPECT_THAT(form.RichEdit1.Lines(), IsEmpty());
  Stop();
  EXPECT_EQ(ReadText("valquor.ini"), "[System font]\nName=Liberation Mono\nSize=12\n");
  TFormPersonal& again = Start();
  EXPECT_EQ(again.RichEdit6.Font().Name, "Liberation Mono");
  EXPECT_FALSE(again.RichEdit6.Font().Bold);  // only name and size outlive the program
}

TEST_F(StartupTest, AStoredNumberThatDoesNotConvertCostsOnlyItsOwnField) {
  WriteText("valqor11.ini",
            "[FormPersonal\\ExpirationStyle]\nItemIndex=abc\n"
            "[FormPersonal\\UseTradingDays]\nChecked=true\n"
            "[FormPersonal\\NumberOfSteps]\nValue=450\n"
            "[FormPersonal\\DaysOption]\nItemIndex=1\n"
            "[FormPersonal\\StrikeEdit]\nText=1050\n");
  TFormPersonal& form = Start();
  EXPECT_THAT(Platform.Messages, ElementsAre("'abc' is not a valid integer value"));
  EXPECT_EQ(form.ExpirationStyle.ItemIndex(), 0);
  EXPECT_TRUE(form.UseTradingDays.Checked());  // "true" in lower case is not a Boolean text
  EXPECT_EQ(form.NumberOfSteps.Value(), 450);  // fields after the bad one are restored
  EXPECT_EQ(form.DaysOption.ItemIndex(), 1);
  EXPECT_EQ(form.StrikeEdit.Text(), "1050");
  Stop();
  const TIniProfile saver(File("valqor11.ini"));
  EXPECT_EQ(saver.ReadString("FormPersonal\\NumberOfSteps", "Value", ""), "450");
  EXPECT_EQ(saver.ReadString("FormPersonal\\ExpirationStyle", "ItemIndex", ""), "0");
}

TEST_F(StartupTest, AnEmptiedFieldGetsItsStoredTextBack) {
  TFormPersonal& form = Start();
  form.StrikeEdit.SetText("1050");
  Stop();
  Start().StrikeEdit.SetText("");
  Stop();
  EXPECT_EQ(Start().StrikeEdit.Text(), "1050");
}

TEST_F(StartupTest, ClosingStoresTheFieldsFirstAndReportsEachUnwritableFileOnce) {
  TFormPersonal& form = Start();
  form.Grid.SetCell(1, 1, "100");  // makes the implied-volatility grid worth saving
  // Every file's place is taken by a folder: nothing can be written.
  std::filesystem::create_directories(File("valqor11.ini"));
  std::filesystem::create_directories(File("valquor.ini"));
  std::filesystem::create_directories(File("system/valquor.ini"));
  form.RunHandler([&] { form.Close(); });
  EXPECT_THAT(Platform.Messages,
              ElementsAre("Unable to write to " + File("valqor11.ini").string(),
                          "Unable to write to " + File("system/valquor.ini").string(),
                          "Unable to write to " + File("valquor.ini").string()));
  EXPECT_FALSE(form.Visible());  // the window closes all the same
}

TEST_F(StartupTest, TheShutDownKeepsWhatItDoesNotOwnAndDropsEmptiedWeeks) {
  const std::string longValue(2000, 'v');
  WriteText("valquor.ini",
            "; my notes\n[EndOfWeek]\nWeek-1=100\nWeek-2=101\nNote=keep\nWeek-3=102\n"
            "Week-4=103\nWeek-5=104\n\n[Foreign]\nLong=" +
                longValue + "\n");
  WriteText("system/valquor.ini", "[System]\nOther = kept as typed \nStrike1=90\n");
  TFormPersonal& form = Start();
  EXPECT_EQ(form.WeeksGrid.Cell(1, 5), "104");
  for (int row = 3; row <= 5; ++row) form.WeeksGrid.SetCell(1, row, "");
  form.WeeksGrid.SetCell(1, 7, "99");
  form.Grid.SetCell(1, 1, "110");
  Stop();
  EXPECT_EQ(ReadText("valquor.ini"),
            "; my notes\n[EndOfWeek]\nNote=keep\nWeek-1=100\nWeek-2=101\nWeek-7=99\n\n"
            "[Foreign]\nLong=" +
                longValue + "\n[System font]\nName=Courier new\nSize=10\n");
  const std::string system = ReadText("system/valquor.ini");
  EXPECT_EQ(system.rfind("[System]\nOther = kept as typed \nStrike1=110\n", 0), 0u) << system;
  EXPECT_NE(system.find("CurrentTab=TabPricing\n"), std::string::npos) << system;
}

TEST_F(StartupTest, AFileSizeLimitLeavesEveryFileAsItWasAndSaysSo) {
  const std::string oldMain = "[FormPersonal\\StrikeEdit]\nText=1000\n";
  const std::string oldProgram = "[EndOfWeek]\nWeek-1=100\n";
  const std::string oldSystem = "[System]\nStrike1=100\n";
  WriteText("valqor11.ini", oldMain);
  WriteText("valquor.ini", oldProgram);
  WriteText("system/valquor.ini", oldSystem);
  TFormPersonal& form = Start();
  for (int row = 1; row <= kWeekRows; ++row)
    form.WeeksGrid.SetCell(1, row, "1000.0000" + std::to_string(row));
  for (int row = 1; row <= kStrikeRows; ++row) {
    for (int col = 1; col <= 3; ++col)
      form.Grid.SetCell(col, row, "1000.00000" + std::to_string(col));
  }
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  // In a child process: the limit stays there. Each new file is larger than the limit, each
  // old one smaller.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipeEnds[0]);
    const rlimit limit{128, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    // Closed, not destroyed: the valuation workers were not forked along, nothing may join them.
    form.RunHandler([&] { form.Close(); });
    std::string messages;
    for (const std::string& message : Platform.Messages) messages += message + "\n";
    const ssize_t written = ::write(pipeEnds[1], messages.data(), messages.size());
    ::_exit(written == static_cast<ssize_t>(messages.size()) ? 0 : 3);
  }
  ::close(pipeEnds[1]);
  std::string messages;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
    messages.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(messages, "Unable to write to " + File("valqor11.ini").string() + "\n" +
                          "Unable to write to " + File("system/valquor.ini").string() + "\n" +
                          "Unable to write to " + File("valquor.ini").string() + "\n");
  EXPECT_EQ(ReadText("valqor11.ini"), oldMain);
  EXPECT_EQ(ReadText("valquor.ini"), oldProgram);
  EXPECT_EQ(ReadText("system/valquor.ini"), oldSystem);
  for (const auto& folder : {Folder.Path(), Folder.Path() / "system"}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      EXPECT_FALSE(IsReplacementTemporary(entry.path().filename().string())) << entry.path();
    }
  }
}

TEST_F(StartupTest, AStartRemovesTheTemporaryFilesOfAKilledSave) {
  WriteText(".valqor11.ini.valquor-tmp-Ab12Cd", "[FormPersonal]\nHeight=1\n");
  WriteText("system/.valquor.ini.valquor-tmp-Xy34Zw", "[System]\n");
  WriteText("valquor.ini.keep", "not ours");
  Start();
  EXPECT_FALSE(std::filesystem::exists(File(".valqor11.ini.valquor-tmp-Ab12Cd")));
  EXPECT_FALSE(std::filesystem::exists(File("system/.valquor.ini.valquor-tmp-Xy34Zw")));
  EXPECT_TRUE(std::filesystem::exists(File("valquor.ini.keep")));
}

}  // namespace
}  // namespace valquor
