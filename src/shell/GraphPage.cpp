#include "shell/GraphPage.h"

#include <memory>
#include <string>
#include <vector>

#include "forms/Text.h"
#include "models/Numbers.h"
#include "shell/FormPersonal.h"
#include "shell/OptionsTerms.h"

namespace valquor {
namespace {

// The distribution of the Payoff page's AnalysisFormula text.
std::uint8_t DistributionOf(const std::string& text) {
  if (text == "Normal distribution") return kNormalDistribution;
  if (text == "Lognormal distribution") return kLognormalDistribution;
  return kMediumDistribution;
}

TChartMarkStyle StyleOf(TGraphMarkerKind kind) {
  switch (kind) {
    case TGraphMarkerKind::Sigma:
      return TChartMarkStyle::Dashed;
    case TGraphMarkerKind::Breakeven:
      return TChartMarkStyle::Dotted;
    default:
      return TChartMarkStyle::Solid;
  }
}

TChartData ChartOf(const TGraphResult& result) {
  TChartData chart;
  chart.XTitle = "Price";
  chart.YTitle = "P&L";
  for (const TGraphLine& line : result.Lines) {
    TChartSeries series;
    series.Name = LineLabel(line.DaysLeft);
    for (std::size_t i = 0; i < result.Prices.size(); ++i) {
      series.Points.push_back({result.Prices[i], line.PL[i]});
    }
    chart.Series.push_back(std::move(series));
  }
  for (const TGraphMarker& marker : result.Markers) {
    const TChartMarkKind kind =
        marker.Kind == TGraphMarkerKind::Zero ? TChartMarkKind::YLine : TChartMarkKind::XLine;
    chart.Marks.push_back({kind, StyleOf(marker.Kind), marker.Label, marker.Value});
  }
  return chart;
}

void WriteGraph(TFormPersonal& form, const TGraphResult& result) {
  form.GraphChart.SetFont(form.RichEdit1.Font());
  form.GraphChart.SetData(ChartOf(result));
  form.Exports.Set(form.GraphChart, GraphCsv(result), "risk-graph.csv");

  const std::vector<std::vector<std::string>> cells = GreeksCells(result);
  TStringGrid& grid = form.GreeksGrid;
  for (int row = 0; row < grid.RowCount(); ++row) {
    for (int col = 0; col < grid.ColCount(); ++col) {
      const auto r = static_cast<std::size_t>(row);
      const auto c = static_cast<std::size_t>(col);
      grid.SetCell(col, row, r < cells.size() && c < cells[r].size() ? cells[r][c] : "");
    }
  }
  form.Exports.Set(grid, GreeksCsv(result), "greeks.csv");

  const TGraphSummary& summary = result.Summary;
  form.BreakevenEdit.SetText(BreakevensText(summary));
  form.MaxProfitEdit.SetText(ExtremeText(summary.MaxProfit, summary.InRange));
  form.MaxLossEdit.SetText(ExtremeText(summary.MaxLoss, summary.InRange));
  form.ProfitChanceEdit.SetText(ChanceText(summary));
  form.ExpectedPLEdit.SetText(ExpectedText(summary));
}

}  // namespace

TGraphRequest ReadGraphRequest(TFormPersonal& form) {
  TPlatform& platform = form.Platform;
  const auto number = [&](const TEdit& edit) { return ReadCommandNumber(edit.Text(), platform); };
  TGraphRequest request;
  request.PositionCode = form.Reports.PositionCode();
  request.StrikeStep =
      form.Steps.Text().empty() ? 10.0f : ReadCommandNumber(form.Steps.Text(), platform);
  request.Strike = number(form.StrikeEdit);
  request.ForwardLocked = form.MainForwardLock.Checked();
  if (request.ForwardLocked) {
    request.Forward = number(form.ForwardEdit);
  } else {
    request.Price = number(form.PriceEdit);
  }
  request.Volatility = number(form.VolEdit);
  bool american = form.OptionCRR1.American;
  request.Terms = ReadOptionsTerms(form, platform, american);
  // The forward grows at the Options page's rate under every formula.
  request.Rate =
      request.Terms.Integration() ? number(form.RiskFreeInterest) : request.Terms.RiskFree;
  request.Days = StrToInt(form.CalcDays.Text());
  request.TrueVolatility = number(form.TrueVolEdit);
  request.Distribution = DistributionOf(form.AnalysisFormula.Text());
  request.WhatIfPrice = number(form.WhatIfPrice);
  request.WhatIfDays = StrToInt(form.WhatIfDays.Text());
  request.WhatIfVol = number(form.WhatIfVol);
  return request;
}

TCommand GraphCommand(TFormPersonal& form, const TGraphRequest& request) {
  auto result = std::make_shared<TGraphResult>();
  TCommandStage stage;
  stage.Compute = [request, result](TComputeContext& context) {
    *result = ComputeGraph(request, context);
  };
  stage.Apply = [&form, result] { WriteGraph(form, *result); };
  TCommand command;
  command.Stages.push_back(std::move(stage));
  return command;
}

void GraphCompute(TFormPersonal& form) {
  const TGraphRequest request = ReadGraphRequest(form);
  form.RunCommand(GraphCommand(form, request));
}

void WhatIfChange(TFormPersonal& form) {
  if (form.GraphChart.Empty()) return;
  const char mark = form.Platform.DecimalMark();
  if (!TryParseNumber(form.WhatIfPrice.Text(), mark) || !TryStrToInt(form.WhatIfDays.Text()) ||
      !TryParseNumber(form.WhatIfVol.Text(), mark)) {
    return;  // still being typed
  }
  TBusyCursor busy(form.Platform);
  GraphCompute(form);
}

void ConnectGraphPage(TFormPersonal& form) {
  for (TEdit* edit : {&form.WhatIfPrice, &form.WhatIfDays, &form.WhatIfVol}) {
    edit->OnChange = [&form] { WhatIfChange(form); };
  }
}

}  // namespace valquor
