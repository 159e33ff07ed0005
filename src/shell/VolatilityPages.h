#pragma once
// The Volatility page: historical volatility from a price file or the clipboard, the weekly
// grid, the IV Calculator and the implied-volatility analysis. Each Compute reads its fields
// into a request on the window's thread and runs as a command: computed on the window's
// engine, written back into its pane and fields, and kept for CSV export.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "forms/FormPersonalControls.h"
#include "forms/IniProfile.h"
#include "forms/Platform.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/ReportPanel.h"
#include "volatility/HistoricalVolatility.h"
#include "volatility/ImpliedVolatility.h"
#include "volatility/Prices.h"
#include "volatility/VolatilityInsight.h"

namespace valquor {

// Rows of closes in the weekly grid, and rows of strikes in the implied-volatility grid.
inline constexpr int kWeekRows = 13;
inline constexpr int kStrikeRows = 5;

// Messages of the page's refusals.
inline constexpr const char* kLastCloseMessage = "The last close is 0 or less: no volatility";
inline constexpr const char* kCloseRefusedMessage = "A close of 0 or less is refused";
inline constexpr const char* kNoPriceSeriesMessage =
    "No price series: read a price file or the clipboard first";

// Runs a command of the window (TFormPersonal::RunCommand).
using TRunCommand = std::function<void(TCommand)>;

class TVolatilityPages {
 public:
  // american: the tree's exercise style kept between commands (ReadOptionsTerms).
  TVolatilityPages(TFormPersonalControls& form, TPlatform& platform, TReportPanel& panel,
                   TExports& exports, TRunCommand run, bool& american);

  TPrices Prices1;
  // Where the series in Prices1 came from, nothing before the first one was read (or after a
  // price file that could not be read).
  std::optional<THistoricalSource> LastRead;
  // The IV Calculator's last result and its days in trading days (TradingDaysOf).
  std::optional<TImpliedPoint> LastImplied;

  // Headings and week labels of the weekly grid and the headings of the implied-volatility
  // grid (the window's creation).
  void SetUpGridCaptions();

  // HV using daily data.
  // "Read textfile": the open dialog starts at the folder and file remembered in the Files
  // section of the system-folder file, which keeps the choice; then ReadPriceFile.
  void FileBtnClick();
  // Loads the file chosen into Prices1 and writes the file report into RichEdit4, or adds the
  // path and "Could not open file <status>" to it; a last close of 0 or less shows
  // kLastCloseMessage and writes nothing.
  void ReadPriceFile(const std::string& path);
  void ClipBoardBtnClick() { ReadClipboardPrices(); }
  // Closes from the clipboard, one per line that reads as a number (blanks around a line and
  // empty lines are ignored; the close is the token before the first blank or ";"), newest first
  // unless LatestFirst; a close of 0 or less is left out with kCloseRefusedMessage (once); at
  // most the 3000 newest, with one message when there are more; then the clipboard report into
  // RichEdit4.
  void ReadClipboardPrices();

  // HV using weekly data.
  // Compute: appends the weekly volatility of the closes in the grid to RichEdit9. A close that
  // is no number stops it with its message.
  void WeeklyBtnClick();
  void Button3Click();   // Clear
  void BitBtn2Click();   // every close one row down
  void BitBtn3Click();   // every close one row up
  void Button12Click();  // Save to a weekly data file
  void Button13Click();  // Load from a weekly data file
  // The closes from / to the EndOfWeek section of a profile file, key "Week-<row>"; a missing
  // key is an empty row, an empty row writes no key. SaveWeeks replaces the file once, the
  // thirteen Week- keys all together (other keys of the section stay), and throws
  // EIniFileException when the file cannot be written.
  void LoadWeeks(const std::filesystem::path& file);
  void SaveWeeks(const std::filesystem::path& file);
  // The same changes into an open profile; they are saved with its next save.
  void SaveWeeks(TIniProfile& file);

  // IV Calculator: the volatility at which the calculators' formula values the option at
  // Premium7 and Riskfree7, into Edit6, and the model it used into IVModelLabel; when none from
  // 0.1 % to 200 % does, kNoImpliedVolatilityMessage and both stay as they were.
  void Button8Click();

  // Implied volatility.
  // Compute: fits one volatility and one underlying price to the premiums of the grid (unless
  // locked) under the Options page's terms and writes the report into RichEdit6, ForwardRes,
  // VolRes and DevLabel.
  void VolAnalysisClick();
  void LockedClick();
  void BothLockedClick();
  // The grid and DaysEdit to / from the System section of the system-folder file; the save
  // leaves the file alone when no strike cell holds text, and otherwise replaces it once.
  void BtnSaveClick();
  void BtnLoadClick();
  // The save's changes into an open system-folder profile, saved with its next save; false
  // (nothing changed) when no strike cell holds text.
  bool SaveGrid(TIniProfile& settings);

  // Chart: Compute draws the charts and fills the grids from the series last read, with the
  // window of HVWindow, the move odds over CalcDays at TrueVolEdit (a command's reading: a day
  // count that is no whole number or a volatility that is no number stops it with its message,
  // and nothing changes) and the IV Calculator's last result and VolRes over DaysEdit placed on
  // the cone (either one that is not there, or is no number, reads "No implied volatility to
  // place"). Without a series, kNoPriceSeriesMessage.
  void HVChartBtnClick();

 private:
  TFormPersonalControls& form_;
  TPlatform& platform_;
  TReportPanel& panel_;
  TExports& exports_;
  TRunCommand run_;
  bool& american_;
};

}  // namespace valquor
