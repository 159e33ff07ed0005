// The Graph page of the main window: Compute (and Enter) with the page in view draws the chart,
// the greeks and the figures at expiration from the fields as they stand; a command stops at
// the first number it cannot read; the what-if fields redraw; the exports; the what-ifs are
// kept between runs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/FormTestSupport.h"
#include "shell/GraphPage.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class GraphPageTest : public ::testing::Test, protected TFormFixture {
 protected:
  // The window at its first start with the Graph page in view.
  TFormPersonal& StartOnGraph() {
    TFormPersonal& form = Start();
    form.RunHandler([&] { form.MainPageControl.SetActivePage(&form.TabGraph); });
    return form;
  }
  void Compute(TFormPersonal& form) {
    form.RunHandler([&] { form.ComputeBtn.Click(); });
  }
  static std::vector<std::string> SeriesNames(const TFormPersonal& form) {
    std::vector<std::string> names;
    for (const TChartSeries& s : form.GraphChart.Data().Series) names.push_back(s.Name);
    return names;
  }
  static std::vector<std::string> Row(const TStringGrid& grid, int row) {
    std::vector<std::string> cells;
    for (int col = 0; col < grid.ColCount(); ++col) cells.push_back(grid.Cell(col, row));
    return cells;
  }
};

TEST_F(GraphPageTest, ComputeWithTheGraphInViewDrawsTheShippedDefaults) {
  TFormPersonal& form = StartOnGraph();
  Compute(form);
  EXPECT_THAT(Platform.Messages, IsEmpty());

  // A call at 1000, 20 trading days, Black-Scholes at 3 %: premium 23.2726, forward 1002.3104;
  // true volatility 20 % under the normal distribution of the Payoff page.
  EXPECT_THAT(SeriesNames(form),
              ElementsAre("20 days left", "13 days left", "7 days left", "0 days left"));
  const TChartData& chart = form.GraphChart.Data();
  EXPECT_EQ(chart.XTitle, "Price");
  EXPECT_EQ(chart.YTitle, "P&L");
  for (const TChartSeries& s : chart.Series) EXPECT_EQ(s.Points.size(), 201u);
  // The normal price's range: the forward plus and minus three of its standard deviations.
  EXPECT_NEAR(chart.Series[0].Points.front().X, 1002.3104 * (1 - 3 * 0.0554700), 0.01);
  EXPECT_NEAR(chart.Series[0].Points.back().X, 1002.3104 * (1 + 3 * 0.0554700), 0.01);
  std::vector<std::string> marks;
  for (const TChartMark& m : chart.Marks) marks.push_back(m.Label);
  EXPECT_THAT(marks, ElementsAre("-2\xCF\x83", "-1\xCF\x83", "+1\xCF\x83", "+2\xCF\x83",
                                 "current price", "zero", "breakeven"));
  EXPECT_EQ(chart.Marks[4].Value, 1000.0f);
  EXPECT_EQ(chart.Marks[5].Kind, TChartMarkKind::YLine);
  EXPECT_EQ(chart.Marks[0].Style, TChartMarkStyle::Dashed);

  EXPECT_EQ(form.BreakevenEdit.Text(), "1023.27");
  EXPECT_EQ(form.MaxProfitEdit.Text(), "unlimited");
  EXPECT_EQ(form.MaxLossEdit.Text(), "23.27");
  EXPECT_EQ(form.ProfitChanceEdit.Text(), "35.3%");
  EXPECT_EQ(form.ExpectedPLEdit.Text(), "0.08");

  const TStringGrid& grid = form.GreeksGrid;
  EXPECT_THAT(Row(grid, 0), ElementsAre("Side", "Quantity", "Strike", "Days", "Value", "Delta",
                                        "Gamma", "Theta/trading day", "Theta/calendar day",
                                        "Vega/vol point", "Rho/rate point"));
  EXPECT_THAT(Row(grid, 1), ElementsAre("Buy call", "1", "1000.00", "20", "23.27", "0.5276",
                                        "0.007175", "-0.6101", "-0.4346", "1.1038", "0.3880"));
  EXPECT_THAT(Row(grid, 2), ElementsAre("Total", "", "", "", "23.27", "0.5276", "0.007175",
                                        "-0.6101", "-0.4346", "1.1038", "0.3880"));
  EXPECT_THAT(Row(grid, 3), ElementsAre("", "", "", "", "", "", "", "", "", "", ""));

  // The other pages' panes and the forward field are left alone.
  EXPECT_THAT(form.RichEdit1.Lines(), IsEmpty());
  EXPECT_THAT(form.RichEdit3.Lines(), IsEmpty());
  EXPECT_EQ(form.ForwardEdit.Text(), "1000");

  // Both tables are kept for export under their file names.
  const std::filesystem::path file = File("graph.csv");
  EXPECT_EQ(form.Exports.Write(form.GraphChart, file.string(), Platform), 0);
  const std::string csv = ReadText("graph.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\r')),
            "price,20 days left,13 days left,7 days left,0 days left");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 202);
  EXPECT_EQ(form.Exports.Find(form.GraphChart)->FileName, "risk-graph.csv");
  EXPECT_EQ(form.Exports.Find(form.GreeksGrid)->FileName, "greeks.csv");
  EXPECT_EQ(form.Exports.Write(form.GreeksGrid, File("greeks.csv").string(), Platform), 0);
  EXPECT_EQ(ReadText("greeks.csv").substr(0, 40), "Side,Quantity,Strike,Days,Value,Delta,Ga");
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

TEST_F(GraphPageTest, ACommandStopsAtTheFirstTextItCannotReadAndWritesNothing) {
  struct TCase {
    const char* Field;
    const char* Text;
    std::vector<std::string> Messages;
  };
  const TCase cases[] = {
      {"PositionName", "Strangle", {"Error: Not recognized: Strangle"}},
      {"StrikeEdit", "1,000.5", {"'StrToFloat' error2: 1,000.5"}},
      {"VolEdit", "abc", {"'StrToFloat' error2: abc"}},
      {"CalcDays", "2.5", {"'2.5' is not a valid integer value"}},
      {"TrueVolEdit", "x", {"'StrToFloat' error2: x"}},
      {"WhatIfDays", "one", {"'one' is not a valid integer value"}},
      {"TrueVolEdit", "0", {"True volatility must be > 0"}},
      {"CalcDays", "0", {"Trading days to expiration must be > 0"}},
      {"WhatIfDays", "21", {"What-if days must be between 0 and the trading days to expiration"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Field) + "=" + c.Text);
    TFormPersonal& form = StartOnGraph();
    auto* edit = dynamic_cast<TEdit*>(form.FindComponent(c.Field));
    auto* list = dynamic_cast<TComboBox*>(form.FindComponent(c.Field));
    const std::string before = edit != nullptr ? edit->Text() : list->Text();
    form.RunHandler([&] { edit != nullptr ? edit->SetText(c.Text) : list->SetText(c.Text); });
    Platform.Messages.clear();
    Compute(form);
    EXPECT_EQ(Platform.Messages, c.Messages);
    EXPECT_TRUE(form.GraphChart.Empty());
    EXPECT_EQ(form.BreakevenEdit.Text(), "");
    EXPECT_EQ(form.GreeksGrid.Cell(0, 0), "");
    EXPECT_FALSE(form.Exports.Find(form.GraphChart));
    // The next case starts from the shipped defaults again.
    form.RunHandler([&] { edit != nullptr ? edit->SetText(before) : list->SetText(before); });
    Stop();
  }
  // A locked forward is read, the price is not.
  TFormPersonal& form = StartOnGraph();
  form.RunHandler([&] {
    form.MainForwardLock.SetChecked(true);
    form.ForwardEdit.SetText("1010");
    form.PriceEdit.SetText("not read");
  });
  Platform.Messages.clear();
  Compute(form);
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_EQ(form.GraphChart.Data().Marks[4].Label, "current price");
  EXPECT_NEAR(form.GraphChart.Data().Marks[4].Value, 1010 / std::exp(0.03 * 20 / 260.0), 1e-3);
}

TEST_F(GraphPageTest, WhatIfFieldsRedrawAGraphAlreadyDrawn) {
  TFormPersonal& form = StartOnGraph();
  // Nothing drawn yet: a what-if change draws nothing.
  form.RunHandler([&] { form.WhatIfDays.SetText("5"); });
  EXPECT_TRUE(form.GraphChart.Empty());
  Compute(form);
  EXPECT_THAT(SeriesNames(form),
              ElementsAre("15 days left", "10 days left", "5 days left", "0 days left"));
  const std::string delta = form.GreeksGrid.Cell(5, 1);

  // A text on its way to a number redraws nothing and shows nothing.
  form.RunHandler([&] { form.WhatIfPrice.SetText("-"); });
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_EQ(form.GreeksGrid.Cell(5, 1), delta);
  form.RunHandler([&] { form.WhatIfPrice.SetText("-5"); });
  EXPECT_THAT(Platform.Messages, IsEmpty());
  EXPECT_LT(std::stod(form.GreeksGrid.Cell(5, 1)), std::stod(delta));
  const std::vector<TChartMark>& marks = form.GraphChart.Data().Marks;
  ASSERT_EQ(marks[5].Label, "what-if price");
  EXPECT_EQ(marks[5].Value, 950.0f);

  form.RunHandler([&] { form.WhatIfVol.SetText("10"); });
  EXPECT_EQ(form.GreeksGrid.Cell(7, 1).substr(0, 1), "-");
  EXPECT_EQ(form.BreakevenEdit.Text(), "1023.27");  // the figures at expiration stay

  // Days beyond expiration are refused once, and the graph stays as it was.
  form.RunHandler([&] { form.WhatIfDays.SetText("30"); });
  EXPECT_THAT(Platform.TakeMessages(),
              ElementsAre("What-if days must be between 0 and the trading days to expiration"));
  EXPECT_EQ(SeriesNames(form).front(), "15 days left");
}

TEST_F(GraphPageTest, EnterOnTheGraphPageComputesTheGraphOnly) {
  TFormPersonal& form = StartOnGraph();
  form.RunHandler([&] { form.PositionName.SetText("Long butterfly"); });
  // Enter presses the default button of the page in view: the Pricing panel's Compute.
  ASSERT_TRUE(form.ComputeBtn.Default);
  Compute(form);
  EXPECT_EQ(form.GreeksGrid.Cell(0, 1), "Buy call");
  EXPECT_EQ(form.GreeksGrid.Cell(2, 1), "1010.00");
  EXPECT_EQ(form.GreeksGrid.Cell(0, 2), "Sell call");
  EXPECT_EQ(form.GreeksGrid.Cell(1, 2), "2");
  EXPECT_EQ(form.GreeksGrid.Cell(0, 4), "Total");
  EXPECT_EQ(form.MaxLossEdit.Text().find("unlimited"), std::string::npos);
  EXPECT_THAT(form.RichEdit1.Lines(), IsEmpty());
  EXPECT_THAT(form.RichEdit2.Lines(), IsEmpty());
}

TEST_F(GraphPageTest, TheWhatIfsAreKeptBetweenRuns) {
  TFormPersonal& form = Start();
  form.WhatIfPrice.SetText("2.5");
  form.WhatIfDays.SetText("4");
  form.WhatIfVol.SetText("-3");
  Stop();
  TFormPersonal& again = Start();
  EXPECT_EQ(again.WhatIfPrice.Text(), "2.5");
  EXPECT_EQ(again.WhatIfDays.Text(), "4");
  EXPECT_EQ(again.WhatIfVol.Text(), "-3");
  EXPECT_TRUE(again.GraphChart.Empty());  // restoring them draws nothing
  EXPECT_THAT(Platform.Messages, IsEmpty());
}

TEST_F(GraphPageTest, CopyWithTheGraphInViewCopiesTheGreeksAndTheFigures) {
  TFormPersonal& form = StartOnGraph();
  Compute(form);
  Platform.StatusNotes.clear();
  form.RunHandler([&] { form.CopyBtn.Click(); });
  EXPECT_THAT(Platform.StatusNotes, ElementsAre("Report copied"));
  EXPECT_THAT(Platform.Messages, IsEmpty());
  std::vector<std::string> lines;
  std::string line;
  for (const char c : Platform.Clipboard) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  ASSERT_GE(lines.size(), 8u);
  EXPECT_EQ(lines[0], " *** Graph ***");
  // Every filled row of the greeks, its cells in order, none of the fair-value table.
  int rows = 0;
  for (int row = 0; row < form.GreeksGrid.RowCount(); ++row) {
    const std::vector<std::string> cells = Row(form.GreeksGrid, row);
    if (cells[0].empty()) continue;
    SCOPED_TRACE(cells[0]);
    const std::string& copied = lines[static_cast<std::size_t>(1 + rows++)];
    std::size_t at = 0;
    for (const std::string& cell : cells) {
      at = copied.find(cell, at);
      ASSERT_NE(at, std::string::npos) << cell;
      at += cell.size();
    }
  }
  EXPECT_GE(rows, 2);
  EXPECT_EQ(Platform.Clipboard.find("Impl.f."), std::string::npos);
  const std::vector<std::string> figures(lines.end() - 5, lines.end());
  EXPECT_THAT(figures, ElementsAre(" Breakevens: " + form.BreakevenEdit.Text(),
                                   " Max profit: " + form.MaxProfitEdit.Text(),
                                   " Max loss: " + form.MaxLossEdit.Text(),
                                   " P(profit): " + form.ProfitChanceEdit.Text(),
                                   " Expected P&L: " + form.ExpectedPLEdit.Text()));
  EXPECT_FALSE(form.BreakevenEdit.Text().empty());
}

}  // namespace
}  // namespace valquor
