#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <sstream>

#include "ValquorVersion.h"
#include "cli/Cli.h"
#include "compute/Csv.h"
#include "forms/ScriptedPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

// One run of the driver in a settings folder of its own.
struct TRun {
  int Status = 0;
  std::string Out;
  std::string Err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("valquor-cli-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  TRun Run(std::vector<std::string> args, bool save = false) {
    args.insert(args.begin(), {"--settings-dir", folder_.string()});
    if (save) args.insert(args.begin(), "--save");
    std::ostringstream out, err;
    TRun run;
    run.Status = RunCli(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
  }

  fs::path folder_;
};

const std::vector<std::string> kCalculatorExample = {"Strike9=100", "Price9=100", "Vol9=20",
                                                     "Days9=260", "RiskFree9=0.05"};

std::vector<std::string> With(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(CliTest, CalculatorPricesOneOption) {
  const TRun run =
      Run(With(kCalculatorExample, {"click", "Button9", "print", "Edit8", "print", "Edit3", "print",
                                    "Label43", "print", "Label45", "print", "CostofCarry9"}));
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "10.45\n33%\nBlack-Scholes\nEuropean\n0.05\n");
  EXPECT_EQ(run.Err, "");
}

TEST_F(CliTest, CalculatorVariants) {
  struct Case {
    std::vector<std::string> Steps;
    std::string Out;  // Edit8, then Label45
  };
  const Case kCases[] = {
      // A calendar year counted in all days gives the same premium.
      {{"Days9=365", "DaysOption=All days"}, "10.45\nEuropean\n"},
      {{"Days9=365", "DaysOption=1"}, "10.45\nEuropean\n"},
      // The binomial model, American put; Black-Scholes reports European whatever the style.
      {{"Formula=Cox-Ross-Rubenstein", "ExpirationStyle=American", "OptionType9=Put"},
       "6.09\nAmerican\n"},
      {{"ExpirationStyle=American", "OptionType9=Put"}, "5.57\nEuropean\n"},
      // Any Formula text other than exactly "Black-Scholes" takes the tree.
      {{"Formula=Integration normal distribution"}, "10.44\nEuropean\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Out);
    const TRun run = Run(With(With(kCalculatorExample, c.Steps),
                              {"click", "Button9", "print", "Edit8", "print", "Label45"}));
    EXPECT_EQ(run.Out, c.Out);
    EXPECT_EQ(run.Err, "");
  }
}

TEST_F(CliTest, CalculatorRefusesBadTermsAndKeepsItsOutputs) {
  struct Case {
    std::vector<std::string> Steps;
    std::string Err;
  };
  const Case kCases[] = {
      {{}, "message: Strike input error\n"},
      {{"Strike9=100"}, "message: Price input error\n"},
      {{"Strike9=100", "Price9=100"}, "message: Days input error\n"},
      {{"Strike9=100", "Price9=100", "Days9=20"}, "message: Volatility input error\n"},
      // A command stops at the first number it cannot read.
      {{"Strike9=1OO"}, "message: 'StrToFloat' error2: 1OO\n"},
      {{"Strike9=100", "Price9=100", "Days9=1.5"}, "message: '1.5' is not a valid integer value\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Err);
    const TRun run = Run(With(
        c.Steps, {"click", "Button9", "print", "Edit8", "print", "Edit3", "print", "Label43"}));
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out, "0\n0\n-\n");
    EXPECT_EQ(run.Err, c.Err);
  }
}

TEST_F(CliTest, APutPricedAboveItsStrikeHasNoChanceOfGain) {
  // A negative rate lifts the discounted strike above the strike itself.
  const TRun run = Run({"Strike9=100", "Price9=1", "Vol9=20", "Days9=260", "RiskFree9=-0.5",
                        "OptionType9=Put", "click", "Button9", "print", "Edit8", "print", "Edit3"});
  EXPECT_EQ(run.Out, "163.87\n0%\n");
  EXPECT_EQ(run.Err, "");
}

TEST_F(CliTest, MalformedOptionsRateIsReportedOnceForItsChange) {
  // The change reads the rate once per model; one action shows a text once.
  const TRun run = Run({"RiskFreeInterest=0.0x"});
  EXPECT_EQ(run.Err, "message: 'StrToFloat' error2: 0.0x\n");
}

TEST_F(CliTest, UsageErrorsExitWithStatusTwo) {
  const std::vector<std::vector<std::string>> kCases = {
      {"NoSuchControl=1"},
      {"frobnicate"},
      {"click"},
      {"Call3=2"},  // disabled until custom input is on
      {"Edit8=3"},  // an output field
      {"Grid[9,9]=1"},
      {"Grid[0,1]=1"},
      {"page StrikeEdit"},
      {"StartDate=2026-02-30"},
      {"UseTradingDays=maybe"},
      {"OptionType9=Straddle"},
      {"font", "Courier"},
      {"--bogus"},
  };
  for (const auto& steps : kCases) {
    SCOPED_TRACE(steps.front());
    std::vector<std::string> args;
    for (const std::string& s : steps) {
      std::istringstream words(s);
      for (std::string w; words >> w;) args.push_back(w);
    }
    const TRun run = Run(args);
    EXPECT_EQ(run.Status, 2);
    EXPECT_NE(run.Err.find("valquor-cli: "), std::string::npos) << run.Err;
  }
}

TEST_F(CliTest, ControlsAreSetAsAUserWould) {
  const TRun run = Run({"click",        "UseCustomInput",  "Call3=2.5",
                        "print",        "Call3",           "UseTradingDays=off",
                        "print",        "UseTradingDays",  "StartDate=2026-12-04",
                        "print",        "StartDate",       "Grid[1,1]=110",
                        "print",        "Grid[1,1]",       "NumberOfSteps=450",
                        "print",        "NumberOfSteps",   "page",
                        "TabProb",      "print",           "PageControl1",
                        "print",        "MainPageControl", "print",
                        "PageControl3", "print",           "TabProb",
                        "print",        "Button10"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Out,
            "2.5\noff\n2026-12-04\n110\n450\nTabSheet1\nTabAnalysis\nTabProb\nProbabilities\n"
            "O/U Calculator\n");
}

TEST_F(CliTest, ClipboardStepsAndCopyHeadings) {
  const TRun run = Run({"paste", "abc", "copied", "page", "TabDelta", "click", "CopyBtn", "copied",
                        "page", "TabPL", "click", "CopyBtn", "copied", "page", "TabPricing",
                        "click", "CopyBtn", "copied"});
  EXPECT_EQ(run.Out, "abc\n *** Delta ***\n\n *** Analysis ***\n");
}

TEST_F(CliTest, TheRiskGraphPrintsItsChartAndGreeksAsTabSeparatedRows) {
  const TRun run = Run({"page", "TabGraph", "print", "GraphChart", "click", "ComputeBtn", "print",
                        "GraphChart", "print", "GreeksGrid", "print", "ProfitChanceEdit"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  std::vector<std::string> lines;
  std::istringstream in(run.Out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  // Nothing drawn prints nothing; then the axes, four series of 201 points, seven marks, the
  // five rows of the greeks and the chance.
  ASSERT_EQ(lines.size(), 1u + 4 * 202 + 7 + 5 + 1);
  EXPECT_EQ(lines[0], "axes\tPrice\tP&L\tnumber");
  EXPECT_EQ(lines[1], "series\t20 days left\tline\t201");
  EXPECT_EQ(lines[2].substr(0, 19), "point\t20 days left\t");
  EXPECT_EQ(lines[203], "series\t13 days left\tline\t201");
  EXPECT_EQ(lines[809], "mark\txline\tdashed\t-2\xCF\x83\t891.114");
  EXPECT_EQ(lines[813], "mark\txline\tsolid\tcurrent price\t1000");
  EXPECT_EQ(lines[814], "mark\tyline\tsolid\tzero\t0");
  EXPECT_EQ(lines[815].substr(0, 35), "mark\txline\tdotted\tbreakeven\t1023.27");
  EXPECT_EQ(lines[816].substr(0, 20), "Side\tQuantity\tStrike");
  EXPECT_EQ(lines[817].substr(0, 27), "Buy call\t1\t1000.00\t20\t23.27");
  EXPECT_EQ(lines[818].substr(0, 6), "Total\t");
  EXPECT_EQ(lines[821], "35.3%");
}

TEST_F(CliTest, TheVolatilityChartPrintsAndExportsItsTablesAndTheSmile) {
  // Forty weekdays of a price file, the open the close before, the high and low around both.
  std::string prices = "D;O;H;L;C;V;S;0;0;0;Cli\n";
  float close = 100;
  for (int i = 0; i < 40; ++i) {
    const float open = close;
    close = 100.0f + static_cast<float>((i * 7) % 9) - 4.0f;
    const float high = std::max(open, close) + 1, low = std::min(open, close) - 1;
    const int date = 20010000 + 100 * (3 + i / 20) + 1 + i % 20;
    std::ostringstream line;
    line << date << ';' << open << ';' << high << ';' << low << ';' << close << ";1;0\n";
    prices += line.str();
  }
  const fs::path file = folder_ / "prices.txt";
  { std::ofstream(file) << prices; }
  const auto path = [&](const char* name) { return (folder_ / name).string(); };
  const TRun run = Run({"open",
                        file.string(),
                        "click",
                        "Button1",
                        "page",
                        "TabHVChart",
                        "HVWindow=10 days",
                        "CalcDays=5",
                        "click",
                        "HVChartBtn",
                        "print",
                        "EstimatorsGrid",
                        "print",
                        "HVChart",
                        "export",
                        "EstimatorsGrid",
                        path("e.csv"),
                        "export",
                        "ConeGrid",
                        path("c.csv"),
                        "export",
                        "MoveOddsGrid",
                        path("m.csv"),
                        "export",
                        "HVCloseChart",
                        path("closes.csv"),
                        "export",
                        "HVChart",
                        path("hv.csv"),
                        "page",
                        "TabSheet3",
                        "Grid[1,1]=80",
                        "Grid[2,1]=0.5",
                        "Grid[3,1]=0.2",
                        "Grid[1,2]=100",
                        "Grid[2,2]=3.25",
                        "Grid[3,2]=2.95",
                        "DaysEdit=25",
                        "ForwardRes=100.29",
                        "click",
                        "Locked",
                        "click",
                        "VolAnalysis",
                        "print",
                        "SmileLeftOut",
                        "export",
                        "SmileChart",
                        path("smile.csv")});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  std::vector<std::string> lines;
  std::istringstream in(run.Out);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  // Six rows of the estimators, the chart's axes, five series of 30 points, the left-out line.
  ASSERT_EQ(lines.size(), 6u + 1 + 5 * 31 + 1);
  EXPECT_EQ(lines[0], "Estimator\t10 days\t21 days\t63 days");
  EXPECT_EQ(lines[5].substr(0, 11), "Yang-Zhang\t");
  EXPECT_EQ(lines[5].substr(lines[5].size() - 1), "\t");  // 63 days: longer than the data
  EXPECT_EQ(lines[6], "axes\tDate\t10-day volatility %\tdate");
  EXPECT_EQ(lines[7], "series\tClose-to-close\tline\t30");
  EXPECT_EQ(lines.back(),
            "Left out (no volatility from 0.1 % to 200 % gives the premium): 80 call");

  const auto header = [&](const char* name) {
    std::ifstream csv(folder_ / name, std::ios::binary);
    std::string line;
    std::getline(csv, line);
    return line;
  };
  EXPECT_EQ(header("e.csv"), "Estimator,10 days,21 days,63 days\r");
  EXPECT_EQ(header("c.csv").substr(0, 15), "Window,Windows,");
  EXPECT_EQ(header("m.csv").substr(0, 7), "Move %,");
  EXPECT_EQ(header("closes.csv"), "Record,Date,Close\r");
  EXPECT_EQ(header("hv.csv").substr(0, 27), "Record,Date,Close-to-close,");
  EXPECT_EQ(header("smile.csv"), "Strike,Call IV %,Put IV %\r");
}

TEST_F(CliTest, HelpDocumentsTheSteps) {
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"--help"}, out, err), 0);
  for (const char* word : {"--settings-dir", "--save", "NAME=TEXT", "click NAME", "page NAME",
                           "print NAME", "paste TEXT", "copied", "open FILE", "font NAME:SIZE",
                           "export NAME FILE", "message: TEXT", "VALQUOR_THREADS", "--version"}) {
    EXPECT_NE(out.str().find(word), std::string::npos) << word;
  }
}

TEST_F(CliTest, VersionNamesTheProgramAndItsRelease) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--version"}, {"--save", "--version", "click", "NoSuchButton"}}) {
    SCOPED_TRACE(args.front());
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, out, err), 0);
    EXPECT_EQ(out.str(), std::string("valquor-cli ") + kValquorVersion + "\n");
    EXPECT_EQ(err.str(), "");
  }
  // MAJOR.MINOR.PATCH, as the package and the metainfo carry it.
  EXPECT_TRUE(std::regex_match(kValquorVersion, std::regex(R"([0-9]+\.[0-9]+\.[0-9]+)")));
}

TEST_F(CliTest, OneActionShowsEachMessageOnce) {
  // 407 boxes in the window once: three texts, each once.
  const TRun run = Run({"DaysCombo=3", "page", "TabPricing", "click", "ComputeBtn"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err,
            "message: DaysStep error\nmessage: Error 33\nmessage: Internal error: Days < 0\n");
}

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The steps run on a window whose panes hold exports made here, as a report's command keeps
// them.
class CliExportTest : public CliTest {
 protected:
  struct TStepsRun {
    int Status = 0;
    std::string Out;
    std::vector<std::string> Messages;
  };
  TStepsRun Steps(const std::vector<std::string>& steps,
                  const std::function<void(TFormPersonal&)>& prepare) {
    TScriptedPlatform platform;
    platform.Folder = folder_;
    TFormPersonal form(platform);
    form.RunHandler([&] { form.Show(); });
    prepare(form);
    std::ostringstream out;
    TStepsRun run;
    run.Status = RunCliSteps(form, platform, steps, 0, out);
    run.Out = out.str();
    run.Messages = platform.Messages;
    return run;
  }
};

TEST_F(CliExportTest, ExportWritesTheTableKeptForTheNamedControl) {
  const TCsvTable fair{{"Strike", "20"}, {{"950", CsvNumber(56.5f)}, {"1000", "12"}}};
  const TCsvTable risk{{"Line", "Value"}, {{"Money at risk", CsvNumber(1.49f)}}};
  const fs::path fairFile = folder_ / "fair.csv";
  const fs::path riskFile = folder_ / "risk.csv";
  const TStepsRun run = Steps({"export", "RichEdit1", fairFile.string(), "export",
                               "FormWiz2.RichEdit1", riskFile.string(), "print", "StrikeEdit"},
                              [&](TFormPersonal& form) {
                                form.Exports.Set(form.RichEdit1, fair, "fair-value.csv");
                                form.Exports.Set(form.FormWiz2.RichEdit1, risk, "risk.csv");
                              });
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "1000\n");
  EXPECT_TRUE(run.Messages.empty());
  EXPECT_EQ(ReadWhole(fairFile), "Strike,20\r\n950,56.5\r\n1000,12\r\n");
  EXPECT_EQ(ReadWhole(riskFile), CsvText(risk));
}

TEST_F(CliExportTest, AFailedExportEndsTheStepsWithItsStatus) {
  const TCsvTable table{{"Strike"}, {{"1000"}}};
  const struct {
    const char* Label;
    bool Kept;
    std::string File;
    int Status;
    std::string Message;
  } kCases[] = {
      {"nothing kept", false, (folder_ / "a.csv").string(), 2, "Nothing to export"},
      {"no such folder", true, (folder_ / "none" / "a.csv").string(), 1,
       "Unable to write to " + (folder_ / "none" / "a.csv").string()},
      {"a folder", true, folder_.string(), 1, "Unable to write to " + folder_.string()},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Label);
    const TStepsRun run =
        Steps({"export", "RichEdit1", c.File, "print", "StrikeEdit"}, [&](TFormPersonal& form) {
          if (c.Kept) form.Exports.Set(form.RichEdit1, table, "fair-value.csv");
        });
    EXPECT_EQ(run.Status, c.Status);
    EXPECT_EQ(run.Out, "");  // the later step did not run
    EXPECT_EQ(run.Messages, std::vector<std::string>{c.Message});
    EXPECT_FALSE(fs::is_regular_file(c.File));
  }
}

TEST_F(CliTest, AFailedExportStillShutsDownAndSaves) {
  const TRun run = Run({"StrikeEdit=1234", "export", "RichEdit2", (folder_ / "d.csv").string(),
                        "StrikeEdit=999", "print", "StrikeEdit"},
                       /*save=*/true);
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Err, "message: Nothing to export\n");
  EXPECT_EQ(run.Out, "");
  EXPECT_FALSE(fs::exists(folder_ / "d.csv"));
  EXPECT_EQ(Run({"print", "StrikeEdit"}).Out, "1234\n");
  // Usage errors of the step itself.
  for (const std::vector<std::string>& steps : {std::vector<std::string>{"export", "RichEdit1"},
                                                {"export", "NoSuchPane", "x.csv"},
                                                {"export", "Grid[1,1]", "x.csv"}}) {
    SCOPED_TRACE(steps[1]);
    const TRun bad = Run(steps);
    EXPECT_EQ(bad.Status, 2);
    EXPECT_NE(bad.Err.find("valquor-cli: "), std::string::npos) << bad.Err;
  }
}

TEST_F(CliTest, SettingsAreWrittenOnlyWithSave) {
  (void)Run({"StrikeEdit=1234"});
  EXPECT_TRUE(fs::is_empty(folder_));
  (void)Run({"StrikeEdit=1234"}, /*save=*/true);
  EXPECT_TRUE(fs::exists(folder_ / "valqor11.ini"));
  const TRun again = Run({"print", "StrikeEdit"});
  EXPECT_EQ(again.Out, "1234\n");
}

void WriteFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

TEST_F(CliTest, WithoutSaveOnlyTheFourSettingsFilesAreCopied) {
  // The main window's file is a link to a regular file elsewhere; the others are plain files.
  const fs::path elsewhere = folder_ / "elsewhere";
  WriteFile(elsewhere / "main.ini", "[FormPersonal\\StrikeEdit]\nText=1234\n");
  fs::create_symlink(elsewhere / "main.ini", folder_ / "valqor11.ini");
  WriteFile(folder_ / "valqor.ini", "[FormWiz2\\Vol]\nText=33\n");
  WriteFile(folder_ / "valquor.ini", "[EndOfWeek]\nWeek-1=101\n");
  WriteFile(folder_ / "system" / "valquor.ini", "[System]\nCurrentTab=TabDelta\n");
  // What is not a settings file: an editor's lock link that points nowhere, a link to a
  // folder (with a FIFO in it, which no copy can take), other files and folders.
  fs::create_symlink("trader@host.1234:1700000000", folder_ / ".#valqor11.ini");
  fs::create_directories(elsewhere / "tree" / "deep");
  ASSERT_EQ(::mkfifo((elsewhere / "tree" / "pipe").c_str(), 0644), 0);
  fs::create_directory_symlink(elsewhere / "tree", folder_ / "tree");
  WriteFile(folder_ / "notes.txt", "x");

  const TRun run = Run({"print", "StrikeEdit", "print", "MainPageControl", "print",
                        "WeeksGrid[1,1]", "FormWiz2.Price=1", "print", "FormWiz2.Vol"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(run.Out, "1234\nTabDelta\n101\n33\n");
  // The run wrote nothing where it read.
  EXPECT_EQ(fs::read_symlink(folder_ / "valqor11.ini"), elsewhere / "main.ini");
  EXPECT_FALSE(fs::exists(folder_ / ".valquor.lock"));
}

TEST_F(CliTest, SaveExitsOneWhenASettingsFileCannotBeWritten) {
  EXPECT_EQ(Run({"StrikeEdit=1234"}, /*save=*/true).Status, 0);
  // Each file in turn: its place is taken by a folder.
  for (const char* name : {"valqor11.ini", "valquor.ini", "system/valquor.ini"}) {
    SCOPED_TRACE(name);
    const fs::path file = folder_ / name;
    fs::remove(file);
    fs::create_directories(file);
    const TRun run = Run({"StrikeEdit=1234"}, /*save=*/true);
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "message: Unable to write to " + file.string() + "\n");
    // Without --save the same run writes only its scratch copy: no failure.
    EXPECT_EQ(Run({"StrikeEdit=1234"}).Status, 0);
    fs::remove(file);
  }
  // The dialogs' file, written when the dialog closes.
  fs::create_directories(folder_ / "valqor.ini");
  const TRun dialog = Run({"FormWiz2.Vol=30", "click", "FormWiz2.CancelBtn"}, /*save=*/true);
  EXPECT_EQ(dialog.Status, 1);
  EXPECT_NE(dialog.Err.find("message: Unable to write to " + (folder_ / "valqor.ini").string()),
            std::string::npos)
      << dialog.Err;
}

TEST_F(CliTest, SaveAsRootLeavesTheFilesToTheirOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root";
  constexpr uid_t kUser = 4242;
  constexpr gid_t kGroup = 4343;
  ASSERT_EQ(::chown(folder_.c_str(), kUser, kGroup), 0);
  WriteFile(folder_ / "valqor11.ini", "[FormPersonal\\StrikeEdit]\nText=1000\n");
  ASSERT_EQ(::chown((folder_ / "valqor11.ini").c_str(), kUser, kGroup), 0);
  ASSERT_EQ(::chmod((folder_ / "valqor11.ini").c_str(), 0600), 0);
  // A file the user marked read-only stays as it is, and the run says so.
  WriteFile(folder_ / "valquor.ini", "[System font]\nName=Courier new\nSize=10\n");
  ASSERT_EQ(::chmod((folder_ / "valquor.ini").c_str(), 0444), 0);

  const TRun run = Run({"StrikeEdit=1234"}, /*save=*/true);
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "message: Unable to write to " + (folder_ / "valquor.ini").string() + "\n");
  for (const char* name : {"valqor11.ini", "system", "system/valquor.ini", ".valquor.lock"}) {
    SCOPED_TRACE(name);
    struct stat info {};
    ASSERT_EQ(::stat((folder_ / name).c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kUser);
    EXPECT_EQ(info.st_gid, kGroup);
  }
  struct stat info {};
  ASSERT_EQ(::stat((folder_ / "valqor11.ini").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);
  EXPECT_EQ(Run({"print", "StrikeEdit"}).Out, "1234\n");
}

}  // namespace
}  // namespace valquor
