#pragma once
// The Volatility page: historical volatility from a price file or the clipboard, the weekly
// grid, the IV Calculator and the implied-volatility analysis.

#include <filesystem>
#include <string>

#include "forms/FormPersonalControls.h"
#include "forms/IniProfile.h"
#include "models/ModelDispatch.h"
#include "models/Platform.h"
#include "reports/ReportPanel.h"
#include "volatility/ImpliedVolatility.h"
#include "volatility/Prices.h"

namespace valquor {

// Rows of closes in the weekly grid, and rows of strikes in the implied-volatility grid.
inline constexpr int kWeekRows = 13;
inline constexpr int kStrikeRows = 5;

class TVolatilityPages {
 public:
  TVolatilityPages(TFormPersonalControls& form, TModelDispatch& dispatch, TPlatform& platform,
                   TReportPanel& panel);

  TPrices Prices1;
  // The strikes and medium premiums the analysis fits, rebuilt from Grid at every Compute.
  TAnalysisTable Analysis;

  // Headings and week labels of the weekly grid and the headings of the implied-volatility
  // grid (the window's creation).
  void SetUpGridCaptions();

  // HV using daily data.
  // "Read textfile": the open dialog starts at the folder and file remembered in the Files
  // section of the system-folder file, which keeps the choice; then ReadPriceFile.
  void FileBtnClick();
  // Loads the file into Prices1 and writes the file report into RichEdit4, or adds the path and
  // "Could not open file <status>" to it.
  void ReadPriceFile(const std::string& path);
  void ClipBoardBtnClick() { ReadClipboardPrices(); }
  // Closes from the clipboard, one per line (the token before the first blank or ";"), newest
  // first unless LatestFirst; at most the 3000 newest, with one message when there are more;
  // then the clipboard report into RichEdit4.
  void ReadClipboardPrices();

  // HV using weekly data.
  // Compute: appends the weekly volatility of the closes in the grid to RichEdit9.
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

  // IV Calculator: the volatility at which the chosen model values the option at Premium7,
  // into Edit6.
  void Button8Click();

  // Implied volatility.
  // Compute: fits one volatility and one underlying price to the premiums of the grid (unless
  // locked) and writes the report into RichEdit6, ForwardRes, VolRes and DevLabel.
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

  // The volatility that best fits the table's premiums at an underlying price (absolute
  // errors), and the underlying price that best fits them at a volatility (squared errors),
  // each valued through the dispatch under its FormulaKind.
  [[nodiscard]] float SearchImplVol(float price);
  [[nodiscard]] float SearchImplPrice(float volatility);
  // The whole-number volatility that one premium implies by itself: 10..200 in steps of 10,
  // then +-10 around the winner in steps of 0.5, rounded half to even; 0 when nothing fits.
  [[nodiscard]] float StrikeImplVol(bool isPut, int days, float premium, float price, float strike);

 private:
  // The sum over the table's rows of |model - market| (squared when asked) at a price and
  // volatility.
  [[nodiscard]] float TableError(float price, float volatility, bool squared);
  [[nodiscard]] float ModelValue(bool isPut, int days, float strike, float price, float volatility);
  void ReadAnalysisTable();
  void WriteAnalysisReport(int days, float price, float volatility, bool forwardLocked,
                           float typedForward);

  TFormPersonalControls& form_;
  TModelDispatch& dispatch_;
  TPlatform& platform_;
  TReportPanel& panel_;
};

}  // namespace valquor
