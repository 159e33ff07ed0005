// The "HV using weekly data" tab: up to 13 weekly closes typed into WeeksGrid, newest in row 1.

#include <cmath>
#include <optional>
#include <string>

#include "forms/IniProfile.h"
#include "forms/SettingsFiles.h"
#include "forms/Text.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "volatility/HistoricalVolatility.h"
#include "volatility/VolatilityPages.h"

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
  const TStringGrid& grid = form_.WeeksGrid;
  float sum = 0;
  int n = 0;
  float previous = 0;
  // The divisor is the last close typed; when that one is 0 or below (a slip, or -999 from a
  // text that is no number) the last positive close above it stands in, as if the rows below
  // it were empty.
  float lastPositive = 0;
  for (int row = 1; row <= kWeekRows; ++row) {
    const std::string text = grid.Cell(kCloseColumn, row);
    if (text.empty()) continue;
    const float current = ParseNumber(text, platform_);
    if (previous > 0 && current > 0) {
      const float change = WeeklyChange(previous, current);
      sum = static_cast<float>(double{sum} + double{change} * change);
      ++n;
    }
    previous = current;
    if (current > 0) lastPositive = current;
  }
  if (n == 0) return;

  const int count = n + 1;
  const float divisor = previous > 0 ? previous : lastPositive;
  const float variance = sum / static_cast<float>(count);
  const float root52 = static_cast<float>(std::sqrt(52.0));
  float volatility = static_cast<float>(std::sqrt(double{variance}) * 100.0 * root52 / divisor);
  if (!std::isfinite(volatility)) {
    platform_.ShowMessage(kVolatilityRangeMessage, TMessageKind::Warning);
    volatility = 0;
  }
  TRichEdit& pane = form_.RichEdit9;
  pane.Add(" Historical volatility");
  pane.Add(" (Computing volatility using weekly data)");
  pane.Add(" Count = " + std::to_string(count));
  pane.Add(" Volatility = " + FormatFixed(volatility, 0) + "%");
  pane.Add("");
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
