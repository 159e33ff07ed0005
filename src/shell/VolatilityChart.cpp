// The "Chart" tab of the Volatility page: the closes and the rolling volatility of the series
// last read, the current estimators, the volatility cone with the implied volatilities placed on
// it and the historical move odds; and the smile of the implied-volatility analysis.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/Text.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "shell/VolatilityCharts.h"
#include "shell/VolatilityPages.h"

namespace valquor {
namespace {

void FillGrid(TStringGrid& grid, const TGridCells& cells) {
  for (int row = 0; row < grid.RowCount(); ++row) {
    for (int col = 0; col < grid.ColCount(); ++col) {
      const auto r = static_cast<std::size_t>(row);
      const auto c = static_cast<std::size_t>(col);
      grid.SetCell(col, row, r < cells.size() && c < cells[r].size() ? cells[r][c] : "");
    }
  }
}

// The x value of a record: its date when the series has dates, else its number.
float XOf(const TVolatilityInsightResult& result, int record) {
  const auto i = static_cast<std::size_t>(record - 1);
  if (i < result.Dates.size() && result.Dates[i] > 0) return static_cast<float>(result.Dates[i]);
  return static_cast<float>(record);
}

bool HasDates(const TVolatilityInsightResult& result) {
  return !result.Dates.empty() && result.Dates.front() > 0;
}

// An implied volatility placed on the cone, as one point at its window.
void AddPlace(TChartData& chart, const std::string& name, const TIVPercentile& place,
              const std::optional<TImpliedPoint>& point) {
  if (!point || place.Place == TIVPlace::NoVolatility) return;
  TChartSeries series;
  series.Name = name;
  series.Style = TChartSeriesStyle::Points;
  series.Points.push_back({static_cast<float>(place.Window), point->Volatility});
  chart.Series.push_back(std::move(series));
}

}  // namespace

TChartData CloseChartOf(const TVolatilityInsightResult& result) {
  TChartData chart;
  chart.XTitle = HasDates(result) ? "Date" : "Record";
  chart.YTitle = "Close";
  chart.XKind = HasDates(result) ? TChartAxisKind::Date : TChartAxisKind::Number;
  TChartSeries closes;
  closes.Name = "Close";
  for (std::size_t i = 0; i < result.Closes.size(); ++i) {
    if (!(result.Closes[i] > 0)) continue;
    closes.Points.push_back({XOf(result, static_cast<int>(i) + 1), result.Closes[i]});
  }
  if (!closes.Points.empty()) chart.Series.push_back(std::move(closes));
  return chart;
}

TChartData RollingChartOf(const TVolatilityInsightResult& result, int window) {
  TChartData chart;
  chart.XTitle = HasDates(result) ? "Date" : "Record";
  chart.YTitle = std::to_string(window) + "-day volatility %";
  chart.XKind = HasDates(result) ? TChartAxisKind::Date : TChartAxisKind::Number;
  for (std::size_t e = 0; e < kEstimators.size(); ++e) {
    TChartSeries series;
    series.Name = std::string(EstimatorName(kEstimators[e]));
    for (const TRollingPoint& point : result.Rolling) {
      const std::optional<double>& value = point.Values[e];
      if (!value) continue;
      series.Points.push_back({XOf(result, point.Record), static_cast<float>(*value)});
    }
    if (!series.Points.empty()) chart.Series.push_back(std::move(series));
  }
  return chart;
}

TChartData ConeChartOf(const TVolatilityInsightResult& result,
                       const TVolatilityInsightRequest& request) {
  TChartData chart;
  chart.XTitle = "Window (trading days)";
  chart.YTitle = "Volatility %";
  const char* names[] = {"Maximum",         "75th percentile", "Median",
                         "25th percentile", "Minimum",         "Latest"};
  for (int line = 0; line < 6; ++line) {
    TChartSeries series;
    series.Name = names[line];
    for (const TConeRow& row : result.Cone) {
      const std::optional<double>* values[] = {&row.Maximum,      &row.Percentile75, &row.Median,
                                               &row.Percentile25, &row.Minimum,      &row.Latest};
      if (!*values[line]) continue;
      series.Points.push_back({static_cast<float>(row.Window), static_cast<float>(**values[line])});
    }
    if (!series.Points.empty()) chart.Series.push_back(std::move(series));
  }
  if (!chart.Series.empty()) {
    AddPlace(chart, "IV Calculator", result.CalculatorPlace, request.Calculator);
    AddPlace(chart, "Implied volatility", result.AnalysisPlace, request.Analysis);
  }
  return chart;
}

TChartData SmileChartOf(const TSmileData& smile, float volatility, float forward) {
  TChartData chart;
  chart.XTitle = "Strike";
  chart.YTitle = "Implied volatility %";
  TChartSeries calls;
  calls.Name = "Call";
  TChartSeries puts;
  puts.Name = "Put";
  for (const TSmilePoint& point : smile.Points) {
    if (point.CallVolatility) calls.Points.push_back({point.Strike, *point.CallVolatility});
    if (point.PutVolatility) puts.Points.push_back({point.Strike, *point.PutVolatility});
  }
  for (TChartSeries* series : {&calls, &puts}) {
    if (!series->Points.empty()) chart.Series.push_back(std::move(*series));
  }
  if (chart.Series.empty()) return chart;
  chart.Marks.push_back({TChartMarkKind::YLine, TChartMarkStyle::Dashed,
                         "fitted " + FormatFixed(volatility, 1) + " %", volatility});
  chart.Marks.push_back({TChartMarkKind::XLine, TChartMarkStyle::Dotted, "forward", forward});
  return chart;
}

void TVolatilityPages::HVChartBtnClick() {
  if (!LastRead || Prices1.Count < 1) {
    platform_.ShowMessage(kNoPriceSeriesMessage, TMessageKind::Error);
    return;
  }
  TVolatilityInsightRequest request;
  request.Prices = std::make_shared<const TPriceSeries>(Prices1);
  request.ClosesOnly = *LastRead == THistoricalSource::Clipboard;
  const int choice = form_.HVWindow.ItemIndex();
  request.Window = choice >= 0 && choice < static_cast<int>(kEstimatorWindows.size())
                       ? kEstimatorWindows[static_cast<std::size_t>(choice)]
                       : kDefaultEstimatorWindow;
  request.MoveDays = StrToInt(form_.CalcDays.Text());
  request.TrueVolatility = ReadCommandNumber(form_.TrueVolEdit.Text(), platform_);
  request.Calculator = LastImplied;
  // The analysis' volatility as it stands in VolRes, over DaysEdit's trading days.
  const std::optional<float> analysis =
      TryParseNumber(form_.VolRes.Text(), platform_.DecimalMark());
  const std::optional<int> analysisDays = TryStrToInt(form_.DaysEdit.Text());
  if (analysis && analysisDays && *analysisDays >= 1)
    request.Analysis = TImpliedPoint{*analysis, *analysisDays};

  run_(OneStageCommand(
      std::move(request), ComputeVolatilityInsight,
      [this](const TVolatilityInsightRequest& request, const TVolatilityInsightResult& result) {
        TFormPersonalControls& f = form_;
        f.HVCloseChart.SetData(CloseChartOf(result));
        exports_.Set(f.HVCloseChart, ClosesCsv(result), "closes.csv");
        f.HVChart.SetData(RollingChartOf(result, request.Window));
        exports_.Set(f.HVChart, RollingCsv(result), "rolling-volatility.csv");
        FillGrid(f.EstimatorsGrid, EstimatorCells(result));
        exports_.Set(f.EstimatorsGrid, EstimatorsCsv(result), "estimators.csv");
        f.SkippedLabel.SetCaption(SkippedText(request, result));
        f.ConeChart.SetData(ConeChartOf(result, request));
        exports_.Set(f.ConeChart, ConeCsv(result), "volatility-cone.csv");
        FillGrid(f.ConeGrid, ConeCells(result));
        exports_.Set(f.ConeGrid, ConeCsv(result), "volatility-cone.csv");
        f.IVPercentileEdit.SetText(PercentileText(result));
        FillGrid(f.MoveOddsGrid, MoveOddsCells(result));
        exports_.Set(f.MoveOddsGrid, MoveOddsCsv(result), "move-odds.csv");
        f.MoveOddsLabel.SetCaption(MoveOddsText(request, result));
      }));
}

}  // namespace valquor
