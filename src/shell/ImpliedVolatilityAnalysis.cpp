// The "Implied volatility" tab: one volatility and one underlying price fitted to the call and
// put premiums of up to five strikes, the fit's error and each premium's own volatility.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/IniProfile.h"
#include "forms/SettingsFiles.h"
#include "forms/Text.h"
#include "shell/OptionsTerms.h"
#include "shell/VolatilityCharts.h"
#include "shell/VolatilityPages.h"
#include "volatility/ImpliedVolatilityReport.h"

namespace valquor {
namespace {

constexpr const char* kSystemSection = "System";
constexpr int kStrikeColumn = 1;
constexpr int kCallColumn = 2;
constexpr int kPutColumn = 3;

}  // namespace

void TVolatilityPages::VolAnalysisClick() {
  panel_.RefreshReportInputs();
  TImpliedVolatilityAnalysisRequest request;
  TAnalysisTable& table = request.Table;
  table.Days = StrToInt(form_.DaysEdit.Text());
  // The forward grows at the Options page's rate whatever the formula.
  request.Rate = ReadCommandNumber(form_.RiskFreeInterest.Text(), platform_);
  request.Terms = ReadOptionsTerms(form_, platform_, american_);
  if (table.Days < 1) {
    platform_.ShowMessage("Days error", TMessageKind::Error);
    return;
  }
  request.Locked = form_.Locked.Checked();
  request.BothLocked = form_.BothLocked.Checked();
  if (request.Locked && ReadCommandNumber(form_.ForwardRes.Text(), platform_) < 0.001f) {
    platform_.ShowMessage("Implied forward locked to zero", TMessageKind::Error);
    return;
  }

  TBusyCursor busy(platform_);
  const TStringGrid& grid = form_.Grid;
  const TNumberReader read = [this](std::string_view text) {
    return ReadCommandNumber(text, platform_);
  };
  for (int r = 1; r <= kStrikeRows; ++r) {
    const std::string strikeText = grid.Cell(kStrikeColumn, r);
    request.StrikeTexts[static_cast<std::size_t>(r)] = strikeText;
    if (strikeText.empty()) continue;
    table.K[r] = read(strikeText);
    if (table.K[r] > 0) {
      table.CM[r] = MediumPrice(grid.Cell(kCallColumn, r), read);
      table.PM[r] = MediumPrice(grid.Cell(kPutColumn, r), read);
    }
  }
  request.TypedForward = ReadCommandNumber(form_.ForwardRes.Text(), platform_);
  request.TypedVolatility = ReadCommandNumber(form_.VolRes.Text(), platform_);
  request.FormulaText = form_.Formula.Text();
  request.RateText = form_.RiskFreeInterest.Text();

  auto result = std::make_shared<TImpliedVolatilityAnalysisResult>();
  TCommand command;
  TCommandStage& stage = command.Stages.emplace_back();
  stage.Compute = [request, result](TComputeContext& context) {
    *result = ComputeImpliedVolatilityAnalysis(request, context);
  };
  stage.Apply = [this, request, result] {
    std::vector<std::string> lines = RenderImpliedVolatilityAnalysis(request, *result);
    form_.ForwardRes.SetText(result->Forward);
    form_.VolRes.SetText(result->AverageVolatility);
    form_.DevLabel.SetCaption(result->Deviation);
    detail::ReplaceLines(form_.RichEdit6, lines);
    exports_.Set(form_.RichEdit6, ImpliedVolatilityAnalysisCsv(request, *result),
                 "implied-volatility.csv");
  };
  // The smile, at the fitted price (nothing without a fit).
  auto smile = std::make_shared<std::optional<TSmileData>>();
  TCommandStage& smileStage = command.Stages.emplace_back();
  smileStage.Compute = [request, result, smile](TComputeContext& context) {
    if (result->Volatility != 0 && result->Price > 0) {
      *smile = ComputeSmile(request.Table, request.Terms, result->Price, context);
    }
  };
  smileStage.Apply = [this, result, smile] {
    const TSmileData data = smile->value_or(TSmileData{});
    form_.SmileChart.SetData(SmileChartOf(data, result->Volatility, result->ForwardPrice));
    form_.SmileLeftOut.SetCaption(LeftOutLine(data));
    if (!data.Points.empty() || !data.LeftOut.empty()) {
      exports_.Set(form_.SmileChart, SmileCsv(data), "smile.csv");
    } else {
      exports_.Clear(form_.SmileChart);
    }
  };
  run_(std::move(command));
}

void TVolatilityPages::LockedClick() {
  if (form_.Locked.Checked()) {
    form_.ForwardRes.SetEnabled(false);
  } else {
    form_.ForwardRes.SetEnabled(!form_.BothLocked.Checked());
  }
}

void TVolatilityPages::BothLockedClick() {
  if (form_.BothLocked.Checked()) {
    form_.ForwardRes.SetEnabled(false);
    form_.VolRes.SetEnabled(false);
  } else {
    form_.ForwardRes.SetEnabled(true);
    form_.VolRes.SetEnabled(true);
    if (form_.Locked.Checked()) form_.ForwardRes.SetEnabled(false);
  }
}

void TVolatilityPages::BtnSaveClick() {
  TIniProfile settings(SystemFolderFile(platform_), SettingsLockFile(platform_));
  settings.BeginUpdate();
  SaveGrid(settings);
  settings.EndUpdate();
}

bool TVolatilityPages::SaveGrid(TIniProfile& settings) {
  const TStringGrid& grid = form_.Grid;
  bool anyStrike = false;
  for (int r = 1; r <= kStrikeRows; ++r)
    anyStrike = anyStrike || !grid.Cell(kStrikeColumn, r).empty();
  if (!anyStrike) return false;
  // All rows and the days in one save: a strike is never stored beside another's premiums.
  settings.BeginUpdate();
  for (int r = 1; r <= kStrikeRows; ++r) {
    const std::string row = std::to_string(r);
    settings.WriteString(kSystemSection, "Strike" + row, grid.Cell(kStrikeColumn, r));
    settings.WriteString(kSystemSection, "Call" + row, grid.Cell(kCallColumn, r));
    settings.WriteString(kSystemSection, "Put" + row, grid.Cell(kPutColumn, r));
  }
  settings.WriteString(kSystemSection, "Days", form_.DaysEdit.Text());
  settings.EndUpdate();
  return true;
}

void TVolatilityPages::BtnLoadClick() {
  const TIniProfile settings(SystemFolderFile(platform_));
  TStringGrid& grid = form_.Grid;
  for (int r = 1; r <= kStrikeRows; ++r) {
    const std::string row = std::to_string(r);
    grid.SetCell(kStrikeColumn, r, settings.ReadString(kSystemSection, "Strike" + row, ""));
    grid.SetCell(kCallColumn, r, settings.ReadString(kSystemSection, "Call" + row, ""));
    grid.SetCell(kPutColumn, r, settings.ReadString(kSystemSection, "Put" + row, ""));
  }
  form_.DaysEdit.SetText(settings.ReadString(kSystemSection, "Days", "0"));
}

}  // namespace valquor
