// The Chart tab of the Volatility page and the smile of the implied-volatility analysis: what
// Compute reads (the series last read, the window, the Analysis page's days and true volatility,
// the two implied volatilities), what it writes into the charts, grids and fields, its refusals
// and the exports it keeps.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "forms/Text.h"
#include "models/Dates.h"
#include "models/Format.h"
#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr int kRecords = 90;
constexpr int kBadRecord = 85;  // its high lies below its low

// A price file of kRecords weekdays from Monday 5 March 2001: the open is the close before, the
// high and low lie 0.8 above and 0.7 below the two; record kBadRecord has them swapped.
std::string PriceFile() {
  std::string text = "D;O;H;L;C;V;S;0.01;1;2;Chart\r\n";
  int day = *EncodeDate(2001, 3, 5);
  double close = 100;
  for (int i = 1; i <= kRecords; ++i) {
    while (DayOfWeek(day) == 1 || DayOfWeek(day) == 7) ++day;
    const double open = close;
    close = 100 + 6 * std::sin(i / 4.0) + 0.05 * i;
    double high = std::max(open, close) + 0.8;
    double low = std::min(open, close) - 0.7;
    if (i == kBadRecord) std::swap(high, low);
    const TCalendarDate date = DecodeDate(day);
    char line[128];
    std::snprintf(line, sizeof line, "%04d%02d%02d;%.2f;%.2f;%.2f;%.2f;1000;0\r\n", date.Year,
                  date.Month, date.Day, open, high, low, close);
    text += line;
    ++day;
  }
  return text;
}

std::vector<std::string> Row(const TStringGrid& grid, int row) {
  std::vector<std::string> cells;
  for (int col = 0; col < grid.ColCount(); ++col) cells.push_back(grid.Cell(col, row));
  return cells;
}

std::vector<std::string> SeriesNames(const TChart& chart) {
  std::vector<std::string> names;
  for (const TChartSeries& s : chart.Data().Series) names.push_back(s.Name);
  return names;
}

class VolatilityChartTest : public ::testing::Test, protected TFormFixture {
 protected:
  TFormPersonal& StartWithFile() {
    TFormPersonal& form = Start();
    WriteText("chart.txt", PriceFile());
    form.RunHandler([&] { form.Volatility.ReadPriceFile(File("chart.txt").string()); });
    Platform.Messages.clear();
    return form;
  }
  void Click(TFormPersonal& form, TButton& button) {
    form.RunHandler([&] { button.Click(); });
  }
  // The close-to-close cone of the series in the window, as the core computes it.
  static TVolatilityCone ConeOf(TFormPersonal& form, bool closesOnly) {
    return VolatilityCone(closesOnly ? ClosesOf(form.Prices1) : ColumnsOf(form.Prices1));
  }
};

TEST_F(VolatilityChartTest, APriceFileWithABadHighLowRecordFillsThePage) {
  TFormPersonal& form = StartWithFile();
  ASSERT_EQ(form.Prices1.Count, kRecords);
  form.HVWindow.SetItemIndex(0);  // 10 days
  form.DaysEdit.SetText("15");
  Click(form, form.HVChartBtn);
  EXPECT_THAT(Platform.Messages, IsEmpty());

  // The closes against their dates.
  const TChartData& closes = form.HVCloseChart.Data();
  EXPECT_EQ(closes.XKind, TChartAxisKind::Date);
  ASSERT_THAT(SeriesNames(form.HVCloseChart), ElementsAre("Close"));
  ASSERT_EQ(closes.Series[0].Points.size(), static_cast<std::size_t>(kRecords));
  EXPECT_EQ(closes.Series[0].Points.front().X, static_cast<float>(*EncodeDate(2001, 3, 5)));
  EXPECT_EQ(closes.Series[0].Points.back().Y, form.Prices1.Close[kRecords]);

  // The rolling 10-day estimators, from the eleventh record on, each the core's window.
  const TChartData& rolling = form.HVChart.Data();
  EXPECT_EQ(rolling.YTitle, "10-day volatility %");
  EXPECT_THAT(SeriesNames(form.HVChart), ElementsAre("Close-to-close", "Parkinson", "Garman-Klass",
                                                     "Rogers-Satchell", "Yang-Zhang"));
  const TVolatilityEstimators core(ColumnsOf(form.Prices1));
  for (std::size_t e = 0; e < kEstimators.size(); ++e) {
    SCOPED_TRACE(e);
    const std::vector<TChartPoint>& points = rolling.Series[e].Points;
    ASSERT_EQ(points.size(), static_cast<std::size_t>(kRecords - 10));
    EXPECT_EQ(points.front().X, static_cast<float>(form.Prices1.Date[11]));
    EXPECT_EQ(points.back().Y, static_cast<float>(*core.At(kRecords - 1, 10)->Values[e]));
  }

  // The current estimators: all three windows fit; the bad record lies in the last 10 days.
  const TStringGrid& grid = form.EstimatorsGrid;
  EXPECT_THAT(Row(grid, 0), ElementsAre("Estimator", "10 days", "21 days", "63 days"));
  const char* names[] = {"Close-to-close", "Parkinson", "Garman-Klass", "Rogers-Satchell",
                         "Yang-Zhang"};
  for (int r = 1; r <= 5; ++r) {
    SCOPED_TRACE(names[r - 1]);
    EXPECT_EQ(grid.Cell(0, r), names[r - 1]);
    for (int c = 1; c <= 3; ++c) {
      const auto value = core.At(kRecords - 1, kEstimatorWindows[c - 1])->Values[r - 1];
      ASSERT_TRUE(value.has_value());
      EXPECT_EQ(grid.Cell(c, r), FormatFixed(*value, 1));
    }
  }
  EXPECT_EQ(form.SkippedLabel.Caption(),
            "Skipped records: 1 of the last 63 days (missing or inconsistent open, high or low)");

  // The cone: 90 records reach 63 days, not 126 or 252.
  EXPECT_THAT(Row(form.ConeGrid, 0),
              ElementsAre("Window", "Minimum", "25th", "Median", "75th", "Maximum", "Latest"));
  const TVolatilityCone cone = ConeOf(form, false);
  for (int r = 1; r <= 7; ++r) {
    SCOPED_TRACE(r);
    const TConeRow& row = cone[static_cast<std::size_t>(r - 1)];
    EXPECT_EQ(form.ConeGrid.Cell(0, r), std::to_string(row.Window) + " days");
    EXPECT_EQ(form.ConeGrid.Cell(3, r).empty(), row.Window > 63);
    if (row.Median) {
      EXPECT_EQ(form.ConeGrid.Cell(3, r), FormatFixed(*row.Median, 1));
    }
  }
  EXPECT_THAT(SeriesNames(form.ConeChart),
              ElementsAre("Maximum", "75th percentile", "Median", "25th percentile", "Minimum",
                          "Latest", "Implied volatility"));
  EXPECT_EQ(form.ConeChart.Data().Series[2].Points.size(), 5u);  // 5 .. 63 days

  // Move odds over the Analysis page's 20 days: 70 windows.
  EXPECT_EQ(form.MoveOddsLabel.Caption(),
            "70 windows of 20 trading days: your own history against the lognormal model at "
            "20.0 % true volatility");
  EXPECT_THAT(Row(form.MoveOddsGrid, 0),
              ElementsAre("Move", "Up: history", "Up: model", "Down: history", "Down: model"));
  const TMoveOdds odds =
      HistoricalMoveOdds(std::span<const float>(&form.Prices1.Close[1], kRecords), 20, 20.0f);
  for (int r = 1; r <= 10; ++r) {
    SCOPED_TRACE(r);
    const TMoveOddsRow& row = odds.Rows[static_cast<std::size_t>(r - 1)];
    EXPECT_THAT(Row(form.MoveOddsGrid, r),
                ElementsAre(std::to_string(r) + " %", FormatFixed(row.UpShare, 1),
                            FormatFixed(*row.UpModel, 1), FormatFixed(row.DownShare, 1),
                            FormatFixed(*row.DownModel, 1)));
  }

  // The window chosen is kept between runs.
  form.HVWindow.SetItemIndex(2);
  Stop();
  EXPECT_EQ(Start().HVWindow.ItemIndex(), 2);
}

TEST_F(VolatilityChartTest, ClipboardClosesLeaveTheRangeEstimatorsEmptyAndSayWhy) {
  TFormPersonal& form = StartWithFile();  // a file first: its other columns stay behind
  std::string clipboard;
  for (int i = 0; i < 40; ++i) clipboard += std::to_string(100 + (i * 7) % 5) + "\n";
  Platform.Clipboard = clipboard;
  Click(form, form.ClipBoardBtn);
  Click(form, form.HVChartBtn);
  EXPECT_THAT(Platform.Messages, IsEmpty());

  EXPECT_EQ(form.HVCloseChart.Data().XKind, TChartAxisKind::Number);
  EXPECT_EQ(form.HVCloseChart.Data().Series[0].Points.front().X, 1.0f);
  EXPECT_THAT(SeriesNames(form.HVChart), ElementsAre("Close-to-close"));
  EXPECT_EQ(form.HVChart.Data().Series[0].Points.size(), 40u - 21u);
  EXPECT_FALSE(form.EstimatorsGrid.Cell(1, 1).empty());  // close-to-close, 10 days
  EXPECT_FALSE(form.EstimatorsGrid.Cell(2, 1).empty());  // 21 days
  EXPECT_TRUE(form.EstimatorsGrid.Cell(3, 1).empty());   // 63 days: longer than the data
  for (int r = 2; r <= 5; ++r) {
    SCOPED_TRACE(r);
    for (int c = 1; c <= 3; ++c) EXPECT_TRUE(form.EstimatorsGrid.Cell(c, r).empty());
  }
  EXPECT_EQ(form.SkippedLabel.Caption(),
            "Closes only (clipboard): the range estimators need open, high and low");

  // Reading the file again makes it the source again.
  form.RunHandler([&] { form.Volatility.ReadPriceFile(File("chart.txt").string()); });
  Click(form, form.HVChartBtn);
  EXPECT_EQ(form.HVChart.Data().Series.size(), 5u);
}

TEST_F(VolatilityChartTest, MoveOddsNeedThirtyWindows) {
  TFormPersonal& form = StartWithFile();
  struct Case {
    const char* Days;
    std::string Label;
    bool TooLittle;
  };
  const Case cases[] = {
      {"60",
       "30 windows of 60 trading days: your own history against the lognormal model at "
       "20.0 % true volatility",
       false},
      {"61", "29 windows of 61 trading days: too little history", true},
      {"89", "1 window of 89 trading days: too little history", true},
      {"90", "0 windows of 90 trading days: too little history", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Days);
    form.CalcDays.SetText(c.Days);
    Click(form, form.HVChartBtn);
    EXPECT_EQ(form.MoveOddsLabel.Caption(), c.Label);
    if (c.TooLittle) {
      EXPECT_THAT(Row(form.MoveOddsGrid, 1), ElementsAre("too little history", "", "", "", ""));
      EXPECT_THAT(Row(form.MoveOddsGrid, 10), ElementsAre("", "", "", "", ""));
    } else {
      EXPECT_EQ(form.MoveOddsGrid.Cell(0, 10), "10 %");
    }
  }
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

TEST_F(VolatilityChartTest, TheIVPercentilePlacesBothImpliedVolatilities) {
  TFormPersonal& form = StartWithFile();
  const TVolatilityCone cone = ConeOf(form, false);
  const auto text = [&](std::optional<TImpliedPoint> calculator, const std::string& analysis) {
    const std::string first = calculator
                                  ? PlaceOnCone(cone, calculator->Volatility, calculator->Days).Text
                                  : std::string("No implied volatility to place");
    return "IV Calculator: " + first + "; Implied volatility: " + analysis;
  };
  // Before the IV Calculator has a result: only VolRes (45.4) over DaysEdit (15: the 10-day
  // window) is placed; with no days to expiration it is not.
  Click(form, form.HVChartBtn);
  EXPECT_EQ(form.IVPercentileEdit.Text(), text(std::nullopt, "No implied volatility to place"));
  form.DaysEdit.SetText("15");
  Click(form, form.HVChartBtn);
  EXPECT_EQ(form.IVPercentileEdit.Text(), text(std::nullopt, PlaceOnCone(cone, 45.4f, 15).Text));
  EXPECT_NE(form.IVPercentileEdit.Text().find("10-day"), std::string::npos);

  form.Strike7.SetText("100");
  form.Price7.SetText("101");
  form.Premium7.SetText("4.2");
  struct Case {
    int DaysOption;  // 0 trading days, 1 calendar days
    const char* Days;
    int TradingDays;
    const char* Window;
  };
  const Case cases[] = {
      {0, "40", 40, "42-day"},  // 40 lies nearer 42 than 21
      {1, "40", 28, "21-day"},  // 40 calendar days are 28 trading days
      {1, "90", 64, "63-day"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Days + std::string(" ") + std::to_string(c.DaysOption));
    form.DaysOption7.SetItemIndex(c.DaysOption);
    form.Days7.SetText(c.Days);
    Click(form, form.Button8);
    ASSERT_TRUE(form.Volatility.LastImplied.has_value());
    EXPECT_EQ(form.Volatility.LastImplied->Days, c.TradingDays);
    Click(form, form.HVChartBtn);
    const std::string shown = form.IVPercentileEdit.Text();
    EXPECT_EQ(shown, text(form.Volatility.LastImplied, PlaceOnCone(cone, 45.4f, 15).Text));
    EXPECT_NE(shown.substr(0, shown.find(';')).find(c.Window), std::string::npos);
  }

  // VolRes that is no number (or a volatility past the cone) places nothing, and stops nothing.
  form.VolRes.SetText("abc");
  Click(form, form.HVChartBtn);
  EXPECT_THAT(form.IVPercentileEdit.Text(),
              ::testing::EndsWith("; Implied volatility: No implied volatility to place"));
  form.VolRes.SetText("500");
  Click(form, form.HVChartBtn);
  EXPECT_THAT(
      form.IVPercentileEdit.Text(),
      ::testing::EndsWith("; Implied volatility: 500.0 % is above every 10-day volatility"));
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

TEST_F(VolatilityChartTest, AReadingRefusalStopsTheCommandBeforeAnythingIsWritten) {
  TFormPersonal& form = Start();
  Click(form, form.HVChartBtn);
  EXPECT_THAT(Platform.TakeMessages(),
              ElementsAre("No price series: read a price file or the clipboard first"));
  EXPECT_TRUE(form.HVChart.Empty());

  // A price file that cannot be read leaves no series behind.
  WriteText("none.txt", "no header\r\n");
  form.RunHandler([&] { form.Volatility.ReadPriceFile(File("none.txt").string()); });
  Click(form, form.HVChartBtn);
  EXPECT_THAT(Platform.TakeMessages(),
              ElementsAre("No price series: read a price file or the clipboard first"));

  WriteText("chart.txt", PriceFile());
  form.RunHandler([&] { form.Volatility.ReadPriceFile(File("chart.txt").string()); });
  Platform.Messages.clear();
  struct Case {
    TEdit* Field;
    const char* Text;
  };
  const Case cases[] = {{&form.CalcDays, "2x"}, {&form.TrueVolEdit, "abc"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Field->Name());
    const std::string before = c.Field->Text();
    c.Field->SetText(c.Text);
    Click(form, form.HVChartBtn);
    EXPECT_EQ(Platform.TakeMessages().size(), 1u);
    EXPECT_TRUE(form.HVChart.Empty());
    EXPECT_EQ(form.EstimatorsGrid.Cell(1, 1), "");
    EXPECT_EQ(form.IVPercentileEdit.Text(), "");
    c.Field->SetText(before);
  }
  Click(form, form.HVChartBtn);
  EXPECT_FALSE(form.HVChart.Empty());
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

// Fills the implied-volatility grid: strike, call and put per row.
void FillImpliedGrid(TFormPersonal& form, const std::vector<std::vector<std::string>>& rows) {
  for (int r = 1; r <= 5; ++r) {
    for (int c = 1; c <= 3; ++c) {
      const auto row = static_cast<std::size_t>(r - 1);
      form.Grid.SetCell(c, r, row < rows.size() ? rows[row][static_cast<std::size_t>(c - 1)] : "");
    }
  }
}

TEST_F(VolatilityChartTest, TheSmileLeavesOutAPremiumNoVolatilityGives) {
  TFormPersonal& form = Start();
  // The 80 call at 0.50 lies far below its intrinsic value; the 120 put's bid-ask is read at
  // its midpoint.
  FillImpliedGrid(form, {{"80", "0.50", "0.05"},
                         {"100", "3.25", "2.95"},
                         {"110", "0.50", "10.20"},
                         {"120", "0.05", "19.60-19.80"}});
  form.DaysEdit.SetText("25");
  // The forward kept as typed, the volatility fitted.
  form.ForwardRes.SetText("100.29");
  form.RunHandler([&] { form.Locked.SetChecked(true); });
  Click(form, form.VolAnalysis);
  EXPECT_THAT(Platform.Messages, IsEmpty());
  ASSERT_FALSE(form.RichEdit6.Lines().empty());

  EXPECT_EQ(form.SmileLeftOut.Caption(),
            "Left out (no volatility from 0.1 % to 200 % gives the premium): 80 call");
  const TChartData& chart = form.SmileChart.Data();
  EXPECT_EQ(chart.XTitle, "Strike");
  ASSERT_THAT(SeriesNames(form.SmileChart), ElementsAre("Call", "Put"));
  std::vector<float> callStrikes;
  for (const TChartPoint& p : chart.Series[0].Points) callStrikes.push_back(p.X);
  EXPECT_THAT(callStrikes, ElementsAre(100.0f, 110.0f, 120.0f));
  EXPECT_EQ(chart.Series[1].Points.size(), 4u);
  for (const TChartSeries& s : chart.Series) {
    for (const TChartPoint& p : s.Points) {
      EXPECT_GE(p.Y, kSmileLowestVolatility);
      EXPECT_LE(p.Y, kSmileHighestVolatility);
    }
  }
  // The fitted volatility across, the forward up: those of VolRes and ForwardRes.
  ASSERT_EQ(chart.Marks.size(), 2u);
  EXPECT_EQ(chart.Marks[0].Kind, TChartMarkKind::YLine);
  EXPECT_EQ(FormatFixed(chart.Marks[0].Value, 1), Trim(form.VolRes.Text()));
  EXPECT_EQ(chart.Marks[1].Kind, TChartMarkKind::XLine);
  EXPECT_EQ(chart.Marks[1].Label, "forward");
  EXPECT_EQ(FormatFixed(chart.Marks[1].Value, 2), Trim(form.ForwardRes.Text()));

  // The smile's export: strike, call IV, put IV; the 80 call's field empty.
  const std::string path = File("smile.csv").string();
  ASSERT_EQ(form.Exports.Write(form.SmileChart, path, form.Platform), 0);
  std::istringstream csv(ReadText("smile.csv"));
  std::string line;
  std::getline(csv, line);
  EXPECT_EQ(line, "Strike,Call IV %,Put IV %\r");
  std::getline(csv, line);
  EXPECT_EQ(line.substr(0, 4), "80,,");
  int rows = 1;
  while (std::getline(csv, line)) ++rows;
  EXPECT_EQ(rows, 4);

  // Without strikes there is no smile and nothing to export.
  FillImpliedGrid(form, {});
  Click(form, form.VolAnalysis);
  EXPECT_TRUE(form.SmileChart.Empty());
  EXPECT_EQ(form.SmileLeftOut.Caption(), "");
  EXPECT_FALSE(form.Exports.Find(form.SmileChart).has_value());
}

TEST_F(VolatilityChartTest, EveryNewTableIsExportedAndReadsBack) {
  TFormPersonal& form = StartWithFile();
  Click(form, form.HVChartBtn);
  struct Case {
    TControl* Control;
    const char* FileName;
    const char* Header;
    int Rows;
    const char* FirstRow;
  };
  const std::string firstDate = DateText(*EncodeDate(2001, 3, 5));
  const std::string firstClose = "1,2001-03-05," + CsvNumber(form.Prices1.Close[1]);
  const Case cases[] = {
      {&form.EstimatorsGrid, "estimators.csv", "Estimator,10 days,21 days,63 days", 6, nullptr},
      {&form.ConeGrid, "volatility-cone.csv",
       "Window,Windows,Minimum,25th percentile,Median,75th percentile,Maximum,Latest", 7, nullptr},
      {&form.ConeChart, "volatility-cone.csv",
       "Window,Windows,Minimum,25th percentile,Median,75th percentile,Maximum,Latest", 7, nullptr},
      {&form.MoveOddsGrid, "move-odds.csv",
       "Move %,Up history %,Up model %,Down history %,Down model %,Up windows,Down windows,"
       "Windows",
       10, nullptr},
      {&form.HVCloseChart, "closes.csv", "Record,Date,Close", kRecords, firstClose.c_str()},
      {&form.HVChart, "rolling-volatility.csv",
       "Record,Date,Close-to-close,Parkinson,Garman-Klass,Rogers-Satchell,Yang-Zhang",
       kRecords - 21, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Control->Name());
    const auto kept = form.Exports.Find(*c.Control);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->FileName, c.FileName);
    const std::string name = c.Control->Name() + ".csv";
    ASSERT_EQ(form.Exports.Write(*c.Control, File(name).string(), form.Platform), 0);
    std::istringstream csv(ReadText(name));
    std::vector<std::string> lines;
    for (std::string line; std::getline(csv, line);) {
      ASSERT_FALSE(line.empty());
      EXPECT_EQ(line.back(), '\r');
      lines.push_back(line.substr(0, line.size() - 1));
    }
    ASSERT_EQ(static_cast<int>(lines.size()), c.Rows + 1);
    EXPECT_EQ(lines[0], c.Header);
    if (c.FirstRow != nullptr) {
      EXPECT_EQ(lines[1], c.FirstRow);
    }
    for (const std::string& l : lines) {
      EXPECT_EQ(l.find("nan"), std::string::npos);
      EXPECT_EQ(l.find("inf"), std::string::npos);
    }
  }
  // The skipped count of each window, the bad record in all three.
  std::istringstream estimators(ReadText("EstimatorsGrid.csv"));
  std::string last;
  for (std::string line; std::getline(estimators, line);) last = line;
  EXPECT_EQ(last, "Skipped records,1,1,1\r");
  EXPECT_EQ(firstDate, "2001-03-05");
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

}  // namespace
}  // namespace valquor
