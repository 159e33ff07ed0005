// The main window's start-up, first activation and shut-down, the report font and the Pricing
// sub-page kept between runs, the settings saver's list, and the Options page's day counter.

#include <set>
#include <string>
#include <vector>

#include "forms/IniProfile.h"
#include "forms/SettingsFiles.h"
#include "shell/DayCount.h"
#include "shell/FormPersonal.h"
#include "shell/HelpTopics.h"

namespace valquor {
namespace {

constexpr const char* kFontSection = "System font";
constexpr const char* kDefaultFontName = "Courier new";
constexpr int kDefaultFontSize = 10;
// Sizes a font dialog offers; a stored size outside them is not a font anyone chose.
constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 500;

// The paths the main window's saver keeps. The last thirteen name no component or property of
// this window (a list control's index is not published, for one) and are never read or written.
const std::vector<std::string>& MainWindowItems() {
  static const std::vector<std::string> kItems = {
      "FormPersonal.Height",
      "FormPersonal.Left",
      "FormPersonal.Top",
      "FormPersonal.Width",
      "AnalysisFormula.Text",
      "CalcDays.Text",
      "Call3.Text",
      "CostOfCarry.Text",
      "Days1.Text",
      "Days7.Text",
      "Days9.Text",
      "DaysCombo.Text",
      "DaysEdit.Text",
      "Formula.Text",
      "ForwardEdit.Text",
      "PositionName.Text",
      "Premium7.Text",
      "Price7.Text",
      "Price9.Text",
      "PriceEdit.Text",
      "Put3.Text",
      "Riskfree7.Text",
      "RiskFree9.Text",
      "RiskFreeInterest.Text",
      "Steps.Text",
      "Strike7.Text",
      "Strike9.Text",
      "StrikeEdit.Text",
      "TrueVolEdit.Text",
      "Vol9.Text",
      "VolEdit.Text",
      "WhatIfDays.Text",
      "WhatIfPrice.Text",
      "WhatIfVol.Text",
      "YAxis.Text",
      "Label43.Caption",
      "Label45.Caption",
      "BothLocked.Checked",
      "Locked.Checked",
      "MainForwardLock.Checked",
      "UseCustomInput.Checked",
      "UseTradingDays.Checked",
      "DaysOption.ItemIndex",
      "DaysOption7.ItemIndex",
      "ExpirationStyle.ItemIndex",
      "HVWindow.ItemIndex",
      "OptionType7.ItemIndex",
      "NumberOfIntervals.Value",
      "NumberOfSteps.Value",
      "MainPageControl.TabPosition",
      "PageControl1.TabPosition",
      "PageControl2.TabPosition",
      "PageControl3.TabPosition",
      // Paths that match nothing.
      "CheckBox1.Checked",
      "CurrentEdit.Text",
      "DaysSteps.Text",
      "DistributionDays.Text",
      "Fixed.Checked",
      "Form1.WindowState",
      "Formula.ItemIndex",
      "Formula9.ItemIndex",
      "FormulaVolatility.Text",
      "IntegrationSteps.Text",
      "Method.ItemIndex",
      "ShowAnnualReturn.Checked",
      "ShowDiff.Checked",
  };
  return kItems;
}

// The report font's name and size into the program settings file.
void WriteReportFont(TIniProfile& settings, const TFontSpec& font) {
  settings.WriteString(kFontSection, "Name", font.Name);
  settings.WriteInteger(kFontSection, "Size", font.Size);
}

// The Pricing sub-page in view, by name, into the system-folder file.
void WriteCurrentTab(TIniProfile& system, const TFormPersonal& form) {
  const TTabSheet* page = form.MainPageControl.ActivePage();
  const char* tab = page == &form.TabPricing ? "TabPricing"
                    : page == &form.TabDelta ? "TabDelta"
                                             : "TabProfitLoss";
  system.WriteString("System", "CurrentTab", tab);
}

}  // namespace

void TFormPersonal::ConfigureSaver() {
  csPropertySaver1.SetAppCompany("Kestrane");
  csPropertySaver1.SetStorage(TcsStorage::stIniFile);
  csPropertySaver1.SetAppName("valqor11");
  csPropertySaver1.SetItems(MainWindowItems());
  // A fault in a change handler fired by a restored value shows as the event loop shows it and
  // the restore goes on.
  csPropertySaver1.HandlerRunner = [this](const std::function<void()>& handler) {
    restoringSettings_ = true;
    RunHandler(handler);
    restoringSettings_ = false;
  };
}

// ---------------------------------------------------------------------------------------------
// Start-up and shut-down

void TFormPersonal::FormCreate() {
  // Temporary files of a save that was killed on the way.
  RemoveStaleTemporaries(Platform);
  Volatility.SetUpGridCaptions();
  Volatility.BtnLoadClick();
  RestoreCurrentTab();
  RiskFreeInterestChange();
  const int today = Platform.Today();
  StartDate.SetDate(today);
  EndDate.SetDate(today + 30);
}

void TFormPersonal::FormActivate() {
  if (StartupDone) return;
  ProgramSettingsPath = valquor::ProgramSettingsPath(Platform);
  Volatility.LoadWeeks(ProgramSettingsPath);
  LoadReportFont();
  SelectByText(PositionName, kPositionHelpBase);
  StartupDone = true;
}

void TFormPersonal::FormClose(TCloseAction& /*action*/) {
  if (ProgramSettingsPath.empty()) ProgramSettingsPath = valquor::ProgramSettingsPath(Platform);
  // Each file is replaced once, with everything the shut-down keeps in it, so that a kill or a
  // full disk leaves it whole, old or new.
  TIniProfile system(SystemFolderFile(Platform), SettingsLockFile(Platform));
  TIniProfile program(ProgramSettingsPath, SettingsLockFile(Platform));
  system.BeginUpdate();
  program.BeginUpdate();
  const bool gridSaved = Volatility.SaveGrid(system);
  WriteReportFont(program, RichEdit1.Font());
  Volatility.SaveWeeks(program);
  WriteCurrentTab(system, *this);

  // Each file that cannot be written is reported once; the other files are still written, so
  // a full disk never keeps the user from closing the program. The files are written in the
  // order of their first change.
  std::set<std::string> reported;
  const auto save = [&](TIniProfile& file) {
    try {
      file.EndUpdate();
    } catch (const EIniFileException& e) {
      if (reported.insert(e.what()).second) Platform.ShowMessage(e.what(), TMessageKind::Error);
    }
  };
  if (gridSaved) {
    save(system);
    save(program);
  } else {
    save(program);
    save(system);
  }
}

// ---------------------------------------------------------------------------------------------
// Report font

void TFormPersonal::LoadReportFont() {
  RichEdit1.Clear();
  if (ProgramSettingsPath.empty()) ProgramSettingsPath = valquor::ProgramSettingsPath(Platform);
  const TIniProfile settings(ProgramSettingsPath);
  TFontSpec font = RichEdit1.Font();
  font.Name = settings.ReadString(kFontSection, "Name", kDefaultFontName);
  font.Size = settings.ReadInteger(kFontSection, "Size", kDefaultFontSize);
  if (font.Size < kMinFontSize || font.Size > kMaxFontSize) font.Size = kDefaultFontSize;
  RichEdit1.SetFont(font);
  ApplyReportFont(RichEdit1.Font());
}

void TFormPersonal::SaveReportFont() {
  if (ProgramSettingsPath.empty()) ProgramSettingsPath = valquor::ProgramSettingsPath(Platform);
  TIniProfile settings(ProgramSettingsPath, SettingsLockFile(Platform));
  settings.BeginUpdate();
  WriteReportFont(settings, RichEdit1.Font());
  settings.EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// The Pricing sub-page in view

void TFormPersonal::RestoreCurrentTab() {
  const TIniProfile system(SystemFolderFile(Platform));
  const std::string tab = system.ReadString("System", "CurrentTab", "");
  // A first start, with no stored page, opens on the fair-value table.
  if (tab == "TabPricing" || tab.empty()) {
    MainPageControl.SetActivePage(&TabPricing);
  } else if (tab == "TabDelta") {
    MainPageControl.SetActivePage(&TabDelta);
  } else {
    MainPageControl.SetActivePage(&TabAnalysis);
  }
}

void TFormPersonal::StoreCurrentTab() {
  TIniProfile system(SystemFolderFile(Platform), SettingsLockFile(Platform));
  WriteCurrentTab(system, *this);
}

// ---------------------------------------------------------------------------------------------
// Options page: days between two dates

void TFormPersonal::Button5Click() {
  const TDayCount count = CountDays(StartDate.Date(), EndDate.Date());
  CompDays.SetCaption(std::to_string(UseTradingDays.Checked() ? count.Trading : count.Calendar));
}

}  // namespace valquor
