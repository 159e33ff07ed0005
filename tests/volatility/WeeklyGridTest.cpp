#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "VolatilityTestSupport.h"
#include "volatility/HistoricalVolatility.h"

namespace valquor {
namespace {

using voltest::TVolatilityWindow;

void SetCloses(TVolatilityWindow& window, const std::vector<std::string>& closes) {
  for (int row = 1; row <= kWeekRows; ++row) {
    const std::size_t i = static_cast<std::size_t>(row - 1);
    window.Form.WeeksGrid.SetCell(1, row, i < closes.size() ? closes[i] : "");
  }
}

std::vector<std::string> Closes(const TVolatilityWindow& window) {
  std::vector<std::string> closes;
  for (int row = 1; row <= kWeekRows; ++row) closes.push_back(window.Form.WeeksGrid.Cell(1, row));
  return closes;
}

TEST(WeeklyGrid, HasItsHeadingsAndWeekLabels) {
  const auto window = voltest::NewWindow();
  const TStringGrid& grid = window->Form.WeeksGrid;
  EXPECT_EQ(grid.Cell(0, 0), "Week");
  EXPECT_EQ(grid.Cell(1, 0), "Close");
  const std::pair<int, const char*> labels[] = {{1, "  0"}, {2, " -1"}, {11, "-10"}, {13, "-12"}};
  for (const auto& [row, label] : labels) EXPECT_EQ(grid.Cell(0, row), label);
  ASSERT_EQ(grid.ColWidths.size(), 2u);
  EXPECT_EQ(grid.ColWidths[1], (3 * grid.DefaultColWidth + 1) / 2);
  EXPECT_EQ(window->Form.Grid.Cell(1, 0), "Strike");
  EXPECT_EQ(window->Form.Grid.Cell(2, 0), "Call");
  EXPECT_EQ(window->Form.Grid.Cell(3, 0), "Put");
}

TEST(WeeklyGrid, ComputeAppendsTheWeeklyVolatility) {
  struct TCase {
    const char* Label;
    std::vector<std::string> Closes;  // rows 1.. (newest first)
    const char* Count;                // "" : nothing written
    const char* Volatility;
    std::vector<std::string> Messages;
  };
  // sqrt(9.5786^2 / 2) * 100 * sqrt(52) / 110 = 44.40; with 121 below 110 the second change is
  // 10.5365 and sqrt((9.5786^2 + 10.5365^2) / 3) * 100 * sqrt(52) / 121 = 48.995.
  const std::vector<TCase> cases = {
      {"two closes", {"100", "110"}, "2", "44", {}},
      {"an empty row between", {"100", "110", "", "121"}, "3", "49", {}},
      {"a zero between positive closes", {"100", "0", "110"}, "", "", {}},
      {"a close that is no number", {"100", "x", "110"}, "", "", {"'StrToFloat' error2: x"}},
      {"one close", {"100"}, "", "", {}},
      // The last close typed is 0 or below: the last positive close above it divides.
      {"a last close of 0", {"100", "110", "0"}, "2", "44", {}},
      // A command stops at the first number it cannot read.
      {"a last close that is no number",
       {"100", "110", "", "abc"},
       "",
       "",
       {"'StrToFloat' error2: abc"}},
      {"closes too large", {"1e38", "3e38"}, "2", "0", {kVolatilityRangeMessage}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto window = voltest::NewWindow();
    SetCloses(*window, c.Closes);
    window->Form.RichEdit9.Add("earlier");
    window->Run([&] { window->Pages.WeeklyBtnClick(); });
    std::vector<std::string> expected = {"earlier"};
    if (*c.Count != '\0') {
      expected.insert(expected.end(),
                      {" Historical volatility", " (Computing volatility using weekly data)",
                       std::string(" Count = ") + c.Count,
                       std::string(" Volatility = ") + c.Volatility + "%", ""});
    }
    EXPECT_EQ(window->Form.RichEdit9.Lines(), expected);
    EXPECT_EQ(window->Platform.Messages, c.Messages);
  }
}

// The export holds a row for every report in the pane: it grows with each Compute and starts
// again once the pane was emptied.
TEST(WeeklyGrid, ComputeTwiceAddsASecondBlockAndASecondRow) {
  const auto window = voltest::NewWindow();
  SetCloses(*window, {"100", "110"});
  window->Pages.WeeklyBtnClick();
  SetCloses(*window, {"100", "110", "", "121"});
  window->Pages.WeeklyBtnClick();
  ASSERT_EQ(window->Form.RichEdit9.Lines().size(), 10u);
  EXPECT_EQ(window->Form.RichEdit9.Lines()[3], " Volatility = 44%");
  EXPECT_EQ(window->Form.RichEdit9.Lines()[8], " Volatility = 49%");
  std::optional<TExports::TExport> kept = window->Exports.Find(window->Form.RichEdit9);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->FileName, "weekly-volatility.csv");
  ASSERT_EQ(kept->Table->Rows.size(), 2u);
  EXPECT_EQ(kept->Table->Header, (std::vector<std::string>{"Report", "Count", "Volatility"}));
  EXPECT_EQ(kept->Table->Rows[1][0], "2");
  EXPECT_EQ(kept->Table->Rows[1][1], "3");
  EXPECT_NEAR(std::stof(kept->Table->Rows[0][2]), 44.40f, 0.005f);
  EXPECT_NEAR(std::stof(kept->Table->Rows[1][2]), 48.995f, 0.005f);

  window->Pages.Button3Click();
  EXPECT_FALSE(window->Exports.Find(window->Form.RichEdit9));
  SetCloses(*window, {"100", "110"});
  window->Pages.WeeklyBtnClick();
  kept = window->Exports.Find(window->Form.RichEdit9);
  ASSERT_TRUE(kept);
  ASSERT_EQ(kept->Table->Rows.size(), 1u);
  EXPECT_EQ(kept->Table->Rows[0][0], "1");
}

TEST(WeeklyGrid, ClearEmptiesThePaneAndTheCloses) {
  const auto window = voltest::NewWindow();
  SetCloses(*window, {"100", "110", "120"});
  window->Form.RichEdit9.Add("report");
  window->Pages.Button3Click();
  EXPECT_TRUE(window->Form.RichEdit9.Lines().empty());
  EXPECT_EQ(Closes(*window), std::vector<std::string>(kWeekRows));
  EXPECT_EQ(window->Form.WeeksGrid.Cell(0, 13), "-12");
}

TEST(WeeklyGrid, RowButtonsMoveEveryClose) {
  std::vector<std::string> full;
  for (int row = 1; row <= kWeekRows; ++row) full.push_back(std::to_string(100 + row));
  const auto window = voltest::NewWindow();
  SetCloses(*window, full);
  window->Pages.BitBtn2Click();
  std::vector<std::string> down = {""};
  down.insert(down.end(), full.begin(), full.end() - 1);
  EXPECT_EQ(Closes(*window), down);

  SetCloses(*window, full);
  window->Pages.BitBtn3Click();
  std::vector<std::string> up(full.begin() + 1, full.end());
  up.push_back("");
  EXPECT_EQ(Closes(*window), up);
}

TEST(WeeklyGrid, SavesAndLoadsTheRowsThatHoldText) {
  const auto window = voltest::NewWindow();
  const auto file = window->Scratch / "weeks.dat";
  voltest::WriteFile(file, "[Other]\nKeep=1\n[EndOfWeek]\nWeek-7=old\n");
  SetCloses(*window, {"100", "", "", "", "104,5"});
  window->Pages.SaveWeeks(file);
  const std::string text = voltest::ReadFile(file);
  EXPECT_NE(text.find("[Other]\nKeep=1\n"), std::string::npos);
  EXPECT_NE(text.find("[EndOfWeek]\nWeek-1=100\nWeek-5=104,5\n"), std::string::npos);
  EXPECT_EQ(text.find("Week-7"), std::string::npos);

  SetCloses(*window, {"9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9"});
  window->Pages.LoadWeeks(file);
  std::vector<std::string> expected(kWeekRows);
  expected[0] = "100";
  expected[4] = "104,5";
  EXPECT_EQ(Closes(*window), expected);

  window->Pages.LoadWeeks(window->Scratch / "missing.dat");
  EXPECT_EQ(Closes(*window), std::vector<std::string>(kWeekRows));
}

TEST(WeeklyGrid, SaveAndLoadButtonsAskForAWeeklyDataFile) {
  const auto window = voltest::NewWindow();
  auto& platform = window->Platform;
  const auto file = window->Scratch / "chosen.dat";
  SetCloses(*window, {"100", "110"});
  window->Pages.Button12Click();  // cancelled
  EXPECT_FALSE(std::filesystem::exists(file));
  platform.FileAnswers.push_back(file.string());
  window->Pages.Button12Click();
  SetCloses(*window, {});
  window->Pages.Button13Click();  // cancelled
  EXPECT_EQ(Closes(*window), std::vector<std::string>(kWeekRows));
  platform.FileAnswers.push_back(file.string());
  window->Pages.Button13Click();
  EXPECT_EQ(window->Form.WeeksGrid.Cell(1, 2), "110");

  ASSERT_EQ(platform.FileRequests.size(), 4u);
  for (const TFileDialogRequest& request : platform.FileRequests) {
    EXPECT_EQ(request.Filter, "Weekly data|*.dat|All files|*.*");
    EXPECT_EQ(request.DefaultExt, "dat");
    EXPECT_EQ(request.InitialDir, window->Scratch.Path().string());
  }
}

}  // namespace
}  // namespace valquor
