// The "HV using weekly data" tab: up to 13 weekly closes typed into WeeksGrid, newest in row 1.

#include <memory>
#include <optional>
#include <string>

#include "forms/IniProfile.h"
#include "forms/SettingsFiles.h"
#include "forms/Text.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "shell/VolatilityPages.h"
#include "volatility/HistoricalVolatility.h"

namespace valquor {
namespace {

constexpr const char* kWeeksSection = "EndOfWeek";
constexpr int kCloseColumn = 1;

std::string WeekKey(int row) { return "Week-" + std::to_string(row); }

// Whether a key is one that LoadWeeks reads.
bool IsWeekKey(std::string_view key) {
  for (int row = 1; row <= kWeekRows; ++row) {
    if (SameText(key, WeekKey(row))) return true;
  }
  return false;
}

TFileDialogRequest WeeklyFileRequest(TPlatform& platform) {
  TFileDialogRequest request;
  request.Filter = "Weekly data|*.dat|All files|*.*";
  request.InitialDir = ProgramFolder(platform).string();
  request.DefaultExt = "dat";
  return request;
}

}  // namespace

void TVolatilityPages::WeeklyBtnClick() {
  TWeeklyGridRequest request;
  for (int row = 1; row <= kWeekRows; ++row) {
    const std::string text = form_.WeeksGrid.Cell(kCloseColumn, row);
    request.Closes.push_back(
        text.empty() ? std::nullopt : std::optional<float>(ReadCommandNumber(text, platform_)));
  }
  run_(OneStageCommand(
      std::move(request), ComputeWeeklyGrid,
      [this](const TWeeklyGridRequest& /*request*/, const TWeeklyGridResult& result) {
        if (result.Count == 0) return;
        TRichEdit& pane = form_.RichEdit9;
        // The table grows with the pane: it holds a row for every report appended since the pane
        // was last emptied or changed otherwise.
        TCsvTable table;
        table.Header = WeeklyGridCsvHeader();
        if (const std::optional<TExports::TExport> kept = exports_.Find(pane)) table = *kept->Table;
        table.Rows.push_back(WeeklyGridCsvRow(static_cast<int>(table.Rows.size()) + 1, result));
        for (std::string& line : RenderWeeklyGrid(result)) pane.Add(std::move(line));
        exports_.Set(pane, std::move(table), "weekly-volatility.csv");
      }));
}

void TVolatilityPages::Button3Click() {
  form_.RichEdit9.Clear();
  for (int row = 1; row <= kWeekRows; ++row) form_.WeeksGrid.SetCell(kCloseColumn, row, "");
}

void TVolatilityPages::BitBtn2Click() {
  TStringGrid& grid = form_.WeeksGrid;
  for (int row = kWeekRows; row >= 2; --row) {
    grid.SetCell(kCloseColumn, row, grid.Cell(kCloseColumn, row - 1));
  }
  grid.SetCell(kCloseColumn, 1, "");
}

void TVolatilityPages::BitBtn3Click() {
  TStringGrid& grid = form_.WeeksGrid;
  for (int row = 1; row <= kWeekRows - 1; ++row) {
    grid.SetCell(kCloseColumn, row, grid.Cell(kCloseColumn, row + 1));
  }
  grid.SetCell(kCloseColumn, kWeekRows, "");
}

void TVolatilityPages::Button12Click() {
  const std::optional<std::string> chosen = platform_.SaveFileDialog(WeeklyFileRequest(platform_));
  if (chosen) SaveWeeks(*chosen);
}

void TVolatilityPages::Button13Click() {
  const std::optional<std::string> chosen = platform_.OpenFileDialog(WeeklyFileRequest(platform_));
  if (chosen) LoadWeeks(*chosen);
}

void TVolatilityPages::LoadWeeks(const std::filesystem::path& file) {
  const TIniProfile weeks(file);
  for (int row = 1; row <= kWeekRows; ++row) {
    form_.WeeksGrid.SetCell(kCloseColumn, row, weeks.ReadString(kWeeksSection, WeekKey(row), ""));
  }
}

void TVolatilityPages::SaveWeeks(const std::filesystem::path& file) {
  TIniProfile weeks(file, SettingsLockFile(platform_));
  SaveWeeks(weeks);
}

void TVolatilityPages::SaveWeeks(TIniProfile& file) {
  file.BeginUpdate();
  // The grid owns the thirteen Week- keys, not the section: a key someone else keeps there
  // stays, and an emptied row loses its key.
  file.EraseKeys(kWeeksSection, IsWeekKey);
  for (int row = 1; row <= kWeekRows; ++row) {
    const std::string text = form_.WeeksGrid.Cell(kCloseColumn, row);
    if (!text.empty()) file.WriteString(kWeeksSection, WeekKey(row), text);
  }
  file.EndUpdate();
}

}  // namespace valquor
