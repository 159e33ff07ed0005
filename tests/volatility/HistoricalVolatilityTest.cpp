#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "VolatilityTestSupport.h"
#include "volatility/HistoricalVolatility.h"

namespace valquor {
namespace {

using voltest::Day;
using voltest::TradingDays;

// A series of closes, oldest first; the dates, when given, belong to them.
std::unique_ptr<TPrices> Series(TPlatform& platform, const std::vector<float>& closes,
                                const std::vector<int>& days = {}) {
  auto prices = std::make_unique<TPrices>(platform);
  prices->Count = static_cast<int>(closes.size());
  for (std::size_t i = 0; i < closes.size(); ++i) {
    prices->Close[i + 1] = closes[i];
    if (i < days.size()) prices->Date[i + 1] = days[i];
  }
  return prices;
}

std::vector<float> Repeat(float value, int count, std::vector<float> tail = {}) {
  std::vector<float> closes(static_cast<std::size_t>(count), value);
  closes.insert(closes.end(), tail.begin(), tail.end());
  return closes;
}

TEST(DailyVolatility, AveragesMovesAndSmoothsTheirSquares) {
  struct TCase {
    const char* Label;
    std::vector<float> Closes;
    int Move;
    int Window;
    float Expected;  // 100 * sqrt(E) * sqrt(260) / newest close
  };
  const std::vector<TCase> cases = {
      // D = 1 throughout, E = 1 (cumulative mean: the window is longer than the series).
      {"alternating closes", {100, 101, 100, 101}, 1, 21, 15.96487f},
      {"a constant series", Repeat(50, 30), 1, 21, 0},
      {"a newest close of 0", {100, 101, 100, 0}, 1, 21, 0},
      {"a newest close below 0.00001", {100, 101, 100, 0.000005f}, 2, 21, 0},
      // D[2] = |104 - 100| / 2 = 2 = D[1]; E = 4.
      {"two-day moves of two closes", {100, 104}, 2, 21, 31.00868f},
      // One move of 10 at the newest close: smoothed, E = 100 * 2 / 22; else E = 100 / 30.
      {"a jump, smoothed", Repeat(100, 29, {110}), 1, 21, 44.19749f},
      {"a jump, cumulative", Repeat(100, 29, {110}), 1, 42, 26.76291f},
      // The move of 10 averaged over two and five days: D = 5 and 2.
      {"a jump over two days", Repeat(100, 29, {110}), 2, 21, 22.09875f},
      {"a jump over five days", Repeat(100, 29, {110}), 5, 21, 8.83950f},
      {"a jump over five days, cumulative", Repeat(100, 29, {110}), 5, 63, 5.35258f},
      // 62 closes: a window of 62 smooths (E = 100 * 2 / 63), one of 63 takes the mean.
      {"62 closes, window 62", Repeat(100, 61, {110}), 1, 62, 26.11793f},
      {"62 closes, window 63", Repeat(100, 61, {110}), 1, 63, 18.61650f},
      {"one close", {100}, 1, 21, 0},
      {"no close", {}, 1, 21, 0},
  };
  TScriptedPlatform platform;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto prices = Series(platform, c.Closes);
    EXPECT_NEAR(DailyVolatility(*prices, c.Move, c.Window), c.Expected, 2e-4);
  }
}

TEST(WeeklyChange, CountsEachPercentStepCompounded) {
  struct TCase {
    float Previous;
    float Current;
    float Expected;
    float Tolerance;
  };
  const TCase cases[] = {
      {100, 110, 9.5786f, 5e-5f},                 // ln 1.1 / ln 1.01
      {100, 90, -10.5886f, 5e-5f},                // ln 0.9 / ln 1.01
      {100, 101, 1, 0},                           // one step exactly
      {100, 100.00005f, 100.00005f - 100.0f, 0},  // below 0.0001 %: the plain difference
      {0, 5, 5, 0},                               // no percentage of a zero close
      {-999, 100, 1099, 0},
      {100, 0, -100, 0},  // no logarithm of 0: the plain difference
      {100, -5, -105, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Previous << " to " << c.Current);
    EXPECT_NEAR(WeeklyChange(c.Previous, c.Current), c.Expected, c.Tolerance);
  }
}

TEST(WeekEndCloses, TakesTheLastCloseOfEveryEndedWeek) {
  struct TCase {
    const char* Label;
    std::vector<int> Days;
    std::vector<float> Closes;
    std::vector<float> Expected;
  };
  const int monday = Day(2001, 3, 5);
  const std::vector<int> weeks = TradingDays(monday, 17);  // three weeks and two days
  std::vector<float> closes;
  for (int i = 1; i <= 17; ++i) closes.push_back(static_cast<float>(100 + i));
  std::vector<float> zeroMonday = closes;
  zeroMonday[5] = 0;  // the second Monday
  const std::vector<TCase> cases = {
      {"three weeks and two days", weeks, closes, {105, 110, 115}},
      // The zero close ends no week; the Tuesday after it does, with the Monday's close.
      {"a Monday close of 0", weeks, zeroMonday, {0, 110, 115}},
      {"Wednesday to a later Thursday", {monday + 2, monday + 10, monday + 11}, {1, 2, 3}, {}},
      {"one close", {monday}, {1}, {}},
  };
  TScriptedPlatform platform;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto prices = Series(platform, c.Closes, c.Days);
    EXPECT_EQ(WeekEndCloses(*prices), c.Expected);
  }
}

TEST(WeeklyVolatility, SmoothsTheSquaredWeeklyChanges) {
  struct TCase {
    const char* Label;
    std::vector<float> Fridays;  // closes of the Fridays of consecutive weeks
    int Weeks;
    float Expected;
  };
  const std::vector<TCase> cases = {
      // Changes 9.5786 and -11.6475 (11 * 10.5886 / 10); E = 0.6 * 9.5786^2 + 0.4 * 11.6475^2.
      {"two changes, 4 weeks", {100, 110, 99}, 4, 76.15656f},
      {"two changes, 8 weeks", {100, 110, 99}, 8, 73.38670f},
      {"no change", {100, 100, 100}, 4, 0},
      {"one week-end close", {100}, 4, -1},
      {"none", {}, 4, -1},
      {"a newest week-end close of 0", {100, 110, 0}, 4, 0},
  };
  TScriptedPlatform platform;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    // Every week Monday to Friday at the Friday's close, then a Monday that ends the last week.
    std::vector<int> days;
    std::vector<float> closes;
    const std::vector<int> trading =
        TradingDays(Day(2001, 3, 5), static_cast<int>(5 * c.Fridays.size() + 1));
    for (std::size_t i = 0; i < trading.size(); ++i) {
      days.push_back(trading[i]);
      closes.push_back(i / 5 < c.Fridays.size() ? c.Fridays[i / 5] : 50.0f);
    }
    const auto prices = Series(platform, closes, days);
    EXPECT_NEAR(WeeklyVolatility(*prices, c.Weeks), c.Expected, 2e-4);
  }
}

TEST(FormatVolatility, WritesOneDecimalInFiveCharacters) {
  const std::pair<float, const char*> cases[] = {
      {23.456f, " 23.5%"},  {5, "  5.0%"}, {-1, " -1.0%"},
      {1234.5f, "1234.5%"}, {0, "  0.0%"}, {std::numeric_limits<float>::infinity(), "  0.0%"},
  };
  for (const auto& [value, text] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(FormatVolatility(value), text);
  }
}

// Closes 100 for ten trading days from Monday 2001-03-05, then 110 for twenty: one move of 10.
// Daily: E at the newest close is (2/22)(20/22)^19 100 for one-day moves over 21 days and
// 100 / 30 over 42 and 62; the two-day average of 5 enters twice. Weekly: week-end closes
// 100, 100, 110, 110, 110, one change of 9.5786 smoothed over 4, 8 and 12 weeks.
TEST(HistoricalVolatilityReports, WritesTheFileReport) {
  const auto window = voltest::NewWindow();
  std::string text = "D;O;H;L;C;V;S;0.01;1;2;Example Corp\r\n";
  const std::vector<int> days = TradingDays(Day(2001, 3, 5), 30);
  for (std::size_t i = 0; i < days.size(); ++i) {
    const char* close = i < 10 ? "100" : "110";
    text += voltest::DateText(days[i]) + ";" + close + ";" + close + ";" + close + ";" + close +
            ";1000;0\r\n";
  }
  const auto path = window->Scratch / "example.txt";
  voltest::WriteFile(path, text);
  window->Form.RichEdit4.Add("earlier text");
  window->Pages.ReadPriceFile(path.string());
  const std::vector<std::string> expected = {
      " Historical volatility",
      " Example Corp",
      " Count = 30",
      "",
      " 1 month using:",
      "   1 day moves   = 17.9%",
      "   2 days moves  = 12.9%",
      "   1 week moves  = 23.8%",
      "",
      " 2 months using:",
      "   1 day moves   = 26.8%",
      "   2 days moves  = 18.9%",
      "   1 week moves  = 23.0%",
      "",
      " 3 months using:",
      "   1 day moves   = 26.8%",
      "   2 days moves  = 18.9%",
      "   1 week moves  = 20.8%",
  };
  EXPECT_EQ(window->Form.RichEdit4.Lines(), expected);
  EXPECT_TRUE(window->Platform.Messages.empty());
}

// With one close there is no move, and with fewer than two week ends no weekly change: the week
// lines say so.
TEST(HistoricalVolatilityReports, FileReportOfOneCloseShowsNoMove) {
  const auto window = voltest::NewWindow();
  const auto path = window->Scratch / "one.txt";
  voltest::WriteFile(path, "D;O;H;L;C;V;S;0;0;0;One\n20010305;100;100;100;100;1;0\n");
  window->Pages.ReadPriceFile(path.string());
  const std::vector<std::string> expected = {
      " Historical volatility",
      " One",
      " Count = 1",
      "",
      " 1 month using:",
      "   1 day moves   =  0.0%",
      "   2 days moves  =  0.0%",
      "   1 week moves  =  n/a",
      "",
      " 2 months using:",
      "   1 day moves   =  0.0%",
      "   2 days moves  =  0.0%",
      "   1 week moves  =  n/a",
      "",
      " 3 months using:",
      "   1 day moves   =  0.0%",
      "   2 days moves  =  0.0%",
      "   1 week moves  =  n/a",
  };
  EXPECT_EQ(window->Form.RichEdit4.Lines(), expected);
}

TEST(HistoricalVolatilityReports, ReportsAFileThatCannotBeReadBelowThePaneText) {
  struct TCase {
    const char* Label;
    const char* Content;  // nullptr: no file
    bool Report;
  };
  const TCase cases[] = {
      {"no file", nullptr, false},
      {"not a price file", "Date,Open,High\n", false},
      {"an open above the high", "D;O;H;L;C;V;S;0;0;0;X\n20010305;11;10;9;10;1;0\n", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto window = voltest::NewWindow();
    const std::string path = (window->Scratch / "p.txt").string();
    if (c.Content != nullptr) voltest::WriteFile(path, c.Content);
    window->Form.RichEdit4.Add("earlier text");
    window->Pages.ReadPriceFile(path);
    const auto& lines = window->Form.RichEdit4.Lines();
    if (c.Report) {
      ASSERT_EQ(lines.size(), 18u);
      EXPECT_EQ(lines[2], " Count = 1");
    } else {
      const std::vector<std::string> expected = {
          "earlier text", path,
          "Could not open file " + std::to_string(window->Pages.Prices1.Status)};
      EXPECT_EQ(lines, expected);
    }
  }
}

TEST(HistoricalVolatilityReports, FileButtonRemembersTheFolderAndTheFile) {
  const auto window = voltest::NewWindow();
  auto& platform = window->Platform;
  const auto path = window->Scratch / "data" / "example.txt";
  std::filesystem::create_directories(path.parent_path());
  voltest::WriteFile(path, "D;O;H;L;C;V;S;0;0;0;X\n20010305;10;10;10;10;1;0\n");

  window->Pages.FileBtnClick();  // cancelled
  platform.FileAnswers.push_back(path.string());
  window->Pages.FileBtnClick();
  platform.FileAnswers.push_back((window->Scratch / "other.txt").string());
  window->Pages.FileBtnClick();

  ASSERT_EQ(platform.FileRequests.size(), 3u);
  const TFileDialogRequest& first = platform.FileRequests[0];
  EXPECT_EQ(first.Filter, "Textfiles|*.txt|All files|*.*");
  EXPECT_EQ(first.InitialDir, window->Scratch.Path().string());  // no file chosen yet
  EXPECT_EQ(first.FileName, "");
  EXPECT_EQ(platform.FileRequests[1].InitialDir, window->Scratch.Path().string());
  EXPECT_EQ(platform.FileRequests[2].InitialDir, path.parent_path().string());
  EXPECT_EQ(platform.FileRequests[2].FileName, path.string());
  const std::string settings = voltest::ReadFile(window->Scratch / "system" / "valquor.ini");
  EXPECT_NE(settings.find("Directory=" + window->Scratch.Path().string() + "\n"),
            std::string::npos);
  EXPECT_NE(settings.find("LastFile=" + (window->Scratch / "other.txt").string()),
            std::string::npos);
}

TEST(HistoricalVolatilityReports, FileButtonStartsAtTheDefaultFolderWithAFileButNoFolder) {
  const auto window = voltest::NewWindow();
  std::filesystem::create_directories(window->Scratch / "system");
  voltest::WriteFile(window->Scratch / "system" / "valquor.ini", "[Files]\nLastFile=x.txt\n");
  window->Pages.FileBtnClick();
  ASSERT_EQ(window->Platform.FileRequests.size(), 1u);
  EXPECT_EQ(window->Platform.FileRequests[0].InitialDir, "c:\\");
  EXPECT_EQ(window->Platform.FileRequests[0].FileName, "x.txt");
}

// Thirty closes, newest first: 110, then 100 twenty-nine times (see the daily cases above).
TEST(HistoricalVolatilityReports, WritesTheClipboardReport) {
  const auto window = voltest::NewWindow();
  std::string clipboard = "110 2001-04-13\r\n";
  for (int i = 0; i < 29; ++i) clipboard += "100;x\r\n";
  window->Platform.Clipboard = clipboard;
  window->Form.RichEdit4.Add("earlier text");
  window->Pages.ClipBoardBtnClick();
  const std::vector<std::string> expected = {
      " Historical volatility",
      " ",
      " Count = 30",
      " 1 month:",
      "",
      "   1 days move  = 44.2%",
      "   2 days move  = 22.1%",
      "   1 week move  =  8.8%",
      "",
      " 2 months:",
      "   1 days move  = 26.8%",
      "   2 days move  = 13.4%",
      "   1 week move  =  5.4%",
      "",
      " 3 months:",
      "   1 days move  = 26.8%",
      "   2 days move  = 13.4%",
      "   1 week move  =  5.4%",
  };
  EXPECT_EQ(window->Form.RichEdit4.Lines(), expected);
  EXPECT_TRUE(window->Platform.Messages.empty());
}

TEST(HistoricalVolatilityReports, ReadsClosesFromClipboardLines) {
  struct TCase {
    const char* Label;
    std::string Clipboard;
    bool LatestFirst;
    std::vector<float> Closes;  // Close[1..]; empty: no series read
    const char* PaneLine;       // the pane's first line
    std::vector<std::string> Messages;
  };
  const std::vector<TCase> cases = {
      {"newest first",
       "100\n101\n102\n103\n",
       false,
       {103, 102, 101, 100},
       " Historical volatility",
       {}},
      {"oldest first",
       "100\n101\n102\n103\n",
       true,
       {100, 101, 102, 103},
       " Historical volatility",
       {}},
      {"carriage returns",
       "100\r101\r102\r103",
       true,
       {100, 101, 102, 103},
       " Historical volatility",
       {}},
      {"three lines", "100\n101\n102\n", false, {}, "Unsufficient data in clipboard", {}},
      {"single characters are closes",
       "1\n\n101.5\n2\n",
       true,
       {1, 101.5f, 2},
       " Historical volatility",
       {}},
      {"blanks around lines",
       "  100  \n\t101\n102 \n 103\r\n",
       true,
       {100, 101, 102, 103},
       " Historical volatility",
       {}},
      {"empty lines between",
       "100\n\n   \n101\n\n102\n",
       false,
       {102, 101, 100},
       " Historical volatility",
       {}},
      {"closes of 0 or less",
       "100\n0\n-5\n101\n",
       true,
       {100, 101},
       " Historical volatility",
       {kCloseRefusedMessage}},
      {"no close above 0",
       "0\n-1\n \n\n",
       true,
       {},
       "Could not read data in clipboard",
       {kCloseRefusedMessage}},
      // Only the first 64 KiB of a line are read: here its zeros, not the 5 after them.
      {"a line longer than 64 KiB",
       std::string(kMaxPriceLineLength, '0') + "5\n1\n2\n33\n",
       true,
       {1, 2, 33},
       " Historical volatility",
       {kCloseRefusedMessage}},
      {"blank, semicolon and tab",
       "101.5 2001-03-15\n101.5;x\n2001-03-15\t101.5\n55\n",
       true,
       {101.5f, 101.5f, 55},
       " Historical volatility",
       {"'StrToFloat' error2: 2001-03-15\t101.5"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto window = voltest::NewWindow();
    window->Platform.Clipboard = c.Clipboard;
    window->Form.LatestFirst.SetChecked(c.LatestFirst);
    window->Pages.Prices1.Count = 7;
    window->Pages.ClipBoardBtnClick();
    const TPrices& prices = window->Pages.Prices1;
    if (c.Closes.empty()) {
      EXPECT_EQ(prices.Count, 7);
    } else {
      ASSERT_EQ(prices.Count, static_cast<int>(c.Closes.size()));
      for (std::size_t i = 0; i < c.Closes.size(); ++i) EXPECT_EQ(prices.Close[i + 1], c.Closes[i]);
    }
    ASSERT_FALSE(window->Form.RichEdit4.Lines().empty());
    EXPECT_EQ(window->Form.RichEdit4.Lines()[0], c.PaneLine);
    EXPECT_EQ(window->Platform.Messages, c.Messages);
  }
}

TEST(HistoricalVolatilityReports, KeepsTheNewest3000ClosesOfTheClipboard) {
  for (const bool latestFirst : {false, true}) {
    SCOPED_TRACE(latestFirst ? "oldest first" : "newest first");
    const auto window = voltest::NewWindow();
    // Closes 1001 .. 4005, oldest to newest.
    std::vector<std::string> lines;
    for (int i = 1; i <= 3005; ++i) lines.push_back(std::to_string(1000 + i));
    if (!latestFirst) std::reverse(lines.begin(), lines.end());
    std::string clipboard;
    for (const std::string& line : lines) clipboard += line + "\n";
    window->Platform.Clipboard = clipboard;
    window->Form.LatestFirst.SetChecked(latestFirst);
    window->Pages.ClipBoardBtnClick();
    const TPrices& prices = window->Pages.Prices1;
    EXPECT_EQ(prices.Count, 3000);
    EXPECT_EQ(prices.Close[1], 1006);
    EXPECT_EQ(prices.Close[3000], 4005);
    EXPECT_EQ(window->Platform.Messages,
              std::vector<std::string>{
                  "The clipboard holds 3005 closes: only the newest 3000 were read"});
    EXPECT_EQ(window->Form.RichEdit4.Lines()[2], " Count = 3000");
  }
}

TEST(HistoricalVolatilityReports, SaysSoWhenClosesAreTooLargeForAVolatility) {
  const auto window = voltest::NewWindow();
  window->Platform.Clipboard = "3e38\n1\n3e38\n1\n3e38\n";
  window->Pages.ClipBoardBtnClick();
  EXPECT_EQ(window->Platform.Messages, std::vector<std::string>{kVolatilityRangeMessage});
  for (const std::string& line : window->Form.RichEdit4.Lines()) {
    EXPECT_EQ(line.find("nan"), std::string::npos) << line;
    EXPECT_EQ(line.find("inf"), std::string::npos) << line;
  }
  EXPECT_EQ(window->Form.RichEdit4.Lines()[5], "   1 days move  =  0.0%");
}

TEST(HistoricalVolatilityReports, RefusesAFileWhoseLastCloseIsZeroOrLess) {
  for (const char* last : {"0", "-5"}) {
    SCOPED_TRACE(last);
    const auto window = voltest::NewWindow();
    const auto path = window->Scratch / "last.txt";
    voltest::WriteFile(path, std::string("D;O;H;L;C;V;S;0;0;0;X\n20010305;100;100;100;100;1;0\n") +
                                 "20010306;" + last + ";" + last + ";" + last + ";" + last +
                                 ";1;0\n");
    window->Form.RichEdit4.Add("earlier text");
    window->Pages.ReadPriceFile(path.string());
    EXPECT_EQ(window->Platform.Messages, std::vector<std::string>{kLastCloseMessage});
    EXPECT_EQ(window->Form.RichEdit4.Lines(), std::vector<std::string>{"earlier text"});
  }
}

// The table behind the pane holds the same volatilities the pane shows, unrounded; a week line
// without week ends is an empty field.
TEST(HistoricalVolatilityReports, KeepTheirTableForExport) {
  const auto window = voltest::NewWindow();
  const auto path = window->Scratch / "one.txt";
  voltest::WriteFile(path, "D;O;H;L;C;V;S;0;0;0;One\n20010305;100;100;100;100;1;0\n");
  window->Pages.ReadPriceFile(path.string());
  std::optional<TExports::TExport> kept = window->Exports.Find(window->Form.RichEdit4);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->FileName, "historical-volatility.csv");
  EXPECT_EQ(CsvText(*kept->Table),
            "Moves,1 month,2 months,3 months\r\n1 day,0,0,0\r\n2 days,0,0,0\r\n"
            "1 week,,,\r\n");

  std::string clipboard = "110 2001-04-13\r\n";
  for (int i = 0; i < 29; ++i) clipboard += "100;x\r\n";
  window->Platform.Clipboard = clipboard;
  window->Pages.ClipBoardBtnClick();
  kept = window->Exports.Find(window->Form.RichEdit4);
  ASSERT_TRUE(kept);
  const TCsvTable& table = *kept->Table;
  ASSERT_EQ(table.Rows.size(), 3u);
  // Rows: moves; columns: periods. Pane lines 5-7, 10-12 and 15-17 hold the same figures.
  const std::size_t paneLine[3][3] = {{5, 10, 15}, {6, 11, 16}, {7, 12, 17}};
  for (std::size_t move = 0; move < 3; ++move) {
    for (std::size_t period = 0; period < 3; ++period) {
      const std::string& line = window->Form.RichEdit4.Lines()[paneLine[move][period]];
      const float shown = std::stof(line.substr(line.find('=') + 1));
      EXPECT_NEAR(std::stof(table.Rows[move][period + 1]), shown, 0.05f) << line;
    }
  }
  // A change of the pane forgets the table.
  window->Form.RichEdit4.Add("typed");
  EXPECT_FALSE(window->Exports.Find(window->Form.RichEdit4));
}

}  // namespace
}  // namespace valquor
