#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/CliStep.h"

namespace valquor {
namespace {

const std::vector<std::string> kWindows = {"FormPersonal", "FormWiz", "FormWiz2"};

TCliTarget Target(const std::string& spec, std::size_t window, const std::string& name,
                  std::optional<std::pair<int, int>> cell = std::nullopt) {
  return TCliTarget{spec, window, name, cell};
}

TEST(CliStepTest, StepsReadTheirWordsAndTargets) {
  struct TCase {
    std::vector<std::string> Args;
    TCliStep Expected;
  };
  const auto step = [](TCliStepKind kind, std::size_t words, TCliTarget target,
                       std::string text = {}) {
    TCliStep s;
    s.Kind = kind;
    s.Words = words;
    s.Target = std::move(target);
    s.Text = std::move(text);
    return s;
  };
  TCliStep font;
  font.Kind = TCliStepKind::Font;
  font.Words = 2;
  font.FontName = "Courier new:bold";  // the size follows the last colon
  font.FontSize = 12;
  const std::vector<TCase> kCases = {
      {{"StrikeEdit=1=2"},
       step(TCliStepKind::Set, 1, Target("StrikeEdit", 0, "StrikeEdit"), "1=2")},
      {{"StrikeEdit="}, step(TCliStepKind::Set, 1, Target("StrikeEdit", 0, "StrikeEdit"))},
      {{"click=1"}, step(TCliStepKind::Set, 1, Target("click", 0, "click"), "1")},
      {{"formwiz2.Grid[ 1 ,2]=x"},
       step(TCliStepKind::Set, 1, Target("formwiz2.Grid[ 1 ,2]", 2, "Grid", {{1, 2}}), "x")},
      {{"FORMWIZ.Strike=5"},
       step(TCliStepKind::Set, 1, Target("FORMWIZ.Strike", 1, "Strike"), "5")},
      {{"FormPersonal.A.B=5"},
       step(TCliStepKind::Set, 1, Target("FormPersonal.A.B", 0, "A.B"), "5")},
      {{"click", "ComputeBtn", "print"},
       step(TCliStepKind::Click, 2, Target("ComputeBtn", 0, "ComputeBtn"))},
      {{"page", "TabPricing"}, step(TCliStepKind::Page, 2, Target("TabPricing", 0, "TabPricing"))},
      {{"print", "Grid[-1,0]"},
       step(TCliStepKind::Print, 2, Target("Grid[-1,0]", 0, "Grid", {{-1, 0}}))},
      {{"paste", "@a b"}, step(TCliStepKind::Paste, 2, {}, "@a b")},
      {{"open", ""}, step(TCliStepKind::Open, 2, {}, "")},
      {{"copied", "copied"}, step(TCliStepKind::Copied, 1, {})},
      {{"export", "RichEdit1", "out.csv", "x"},
       step(TCliStepKind::Export, 3, Target("RichEdit1", 0, "RichEdit1"), "out.csv")},
      {{"font", "Courier new:bold: 12"}, font},
  };
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.Args.front() + (c.Args.size() > 1 ? " " + c.Args[1] : ""));
    EXPECT_EQ(ParseCliStep(c.Args, 0, kWindows), c.Expected);
  }
}

TEST(CliStepTest, MalformedStepsAreUsageErrorsNamingTheFault) {
  struct TCase {
    std::vector<std::string> Args;
    std::string Error;
  };
  const std::vector<TCase> kCases = {
      {{"frobnicate"}, "unknown step 'frobnicate'"},
      {{"=5"}, "unknown step '=5'"},
      {{""}, "unknown step ''"},
      {{"click"}, "'click' needs an argument"},
      {{"export", "RichEdit1"}, "'export' needs a control and a file"},
      {{"FormWiz3.Strike=1"}, "unknown window 'FormWiz3' in 'FormWiz3.Strike'"},
      {{".Strike=1"}, "unknown window '' in '.Strike'"},
      {{"print", "Grid[1,2"}, "a grid cell is written NAME[COL,ROW]: 'Grid[1,2'"},
      {{"print", "Grid[1,2]x"}, "a grid cell is written NAME[COL,ROW]: 'Grid[1,2]x'"},
      {{"print", "Grid]1,2["}, "a grid cell is written NAME[COL,ROW]: 'Grid]1,2['"},
      {{"Grid[1]2,]=1"}, "a grid cell is written NAME[COL,ROW]: 'Grid[1]2,]'"},
      {{"Grid[a,2]=1"}, "a grid cell needs whole numbers: 'Grid[a,2]'"},
      {{"Grid[1,99999999999]=1"}, "a grid cell needs whole numbers: 'Grid[1,99999999999]'"},
      {{"font", "Courier"}, "a font is written NAME:SIZE: 'Courier'"},
      {{"font", ":10"}, "a font is written NAME:SIZE: ':10'"},
      {{"font", "Arial:0"}, "a font is written NAME:SIZE: 'Arial:0'"},
      {{"font", "Arial:ten"}, "a font is written NAME:SIZE: 'Arial:ten'"},
  };
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.Args.front());
    try {
      (void)ParseCliStep(c.Args, 0, kWindows);
      ADD_FAILURE() << "read without an error";
    } catch (const ECliUsage& e) {
      EXPECT_EQ(std::string(e.what()), c.Error);
    }
  }
}

TEST(CliStepTest, OptionsEndWhereTheFirstStepStarts) {
  struct TCase {
    std::vector<std::string> Args;
    std::optional<std::string> Folder;
    bool Save, Help, Version;
    std::size_t FirstStep;
  };
  const std::vector<TCase> kCases = {
      {{}, std::nullopt, false, false, false, 0},
      {{"--save", "--settings-dir", "--save", "x=1"}, "--save", true, false, false, 3},
      {{"--settings-dir=", "-h", "--bogus"}, "", false, true, false, 1},
      {{"--settings-dir=a", "--settings-dir=b", "--version", "--bogus"},
       "b",
       false,
       false,
       true,
       2},
      {{"-x", "--save"}, std::nullopt, false, false, false, 0},
  };
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.Args.empty() ? std::string("(none)") : c.Args.front());
    const TCliOptions options = ParseCliOptions(c.Args);
    EXPECT_EQ(options.SettingsFolder, c.Folder);
    EXPECT_EQ(options.Save, c.Save);
    EXPECT_EQ(options.Help, c.Help);
    EXPECT_EQ(options.Version, c.Version);
    EXPECT_EQ(options.FirstStep, c.FirstStep);
  }
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--save", "--settings-dir"}, {"--bogus", "--help"}}) {
    EXPECT_THROW((void)ParseCliOptions(args), ECliUsage) << args.back();
  }
}

}  // namespace
}  // namespace valquor
