#pragma once
// The main window's model: every control (TFormPersonalControls), the valuation engine, the
// price series, the settings saver and the two dialogs, with the window's handlers by their
// names. The Qt view and the command-line driver both drive it.

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "compute/Engine.h"
#include "forms/FormPersonalControls.h"
#include "forms/Platform.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/FormWiz.h"
#include "shell/MessageGate.h"
#include "shell/PricingReports.h"
#include "shell/PropertySaver.h"
#include "shell/ReportPanel.h"
#include "shell/VolatilityPages.h"

namespace valquor {

class TFormPersonal : public TFormPersonalControls, public TDialogHost {
 public:
  // Creates the window with its layout defaults, attaches the settings saver and runs
  // FormCreate (one action of Gate); the dialogs are created hidden. Every message of the
  // window and of what it owns reaches target through Gate.
  explicit TFormPersonal(TPlatform& target);
  ~TFormPersonal() override;

  // The platform behind the message gate of the window's actions.
  TMessageGate Gate;
  // The platform the window and everything it owns use: Gate. Construct members with it.
  TPlatform& Platform;
  // The workers that value options for this window's commands.
  TValuationEngine Engine;
  // The tables behind the panes, grids and charts, for CSV export.
  TExports Exports;
  // The tree's exercise style kept between commands, for every page: ExpirationStyle with no
  // item selected leaves it as the last command set it.
  bool TreeAmerican = false;
  TReportPanel Panel;
  TPricingReports Reports;
  TVolatilityPages Volatility;
  TPrices& Prices1 = Volatility.Prices1;
  TcsPropertySaver csPropertySaver1;
  TFormWiz FormWiz;
  TFormWiz2 FormWiz2;

  bool StartupDone = false;
  std::filesystem::path ProgramSettingsPath;

  // Runs an event handler as the application's event loop does: a refused integer conversion
  // or an arithmetic fault shows its message, an abandoned command (EAbort) shows nothing; the
  // busy cursor is off afterwards. The outermost call is one user action of Gate.
  void RunHandler(const std::function<void()>& handler) override;

  // Runs a command's stages: to their end before returning unless the window has set a runner
  // of its own (SetCommandRunner).
  void RunCommand(TCommand command);
  void SetCommandRunner(TCommandRunner* runner) {
    runner_ = runner != nullptr ? runner : &syncRunner_;
  }
  [[nodiscard]] TCommandRunner& CommandRunner() { return *runner_; }

  // Start-up and shut-down.
  void FormCreate();
  void FormActivate();
  void FormClose(TCloseAction& action);
  void LoadReportFont();
  void SaveReportFont();
  void RestoreCurrentTab();
  void StoreCurrentTab();

  // Pricing page.
  void CopyBtnClick();
  // Exports the report in view (the pane CopyBtn copies) as a CSV file, through a save dialog.
  void ExportBtnClick();
  void PositionNameChange();
  void SpeedButton1Click();
  void HelpContextClick();

  // Volatility page: copying, and exporting the pane beside each Copy button as a CSV file.
  void Button4Click();
  void Button2Click();
  void BtnCopy2Click();
  void ExportDailyBtnClick();
  void ExportWeeklyBtnClick();
  void ExportImpliedBtnClick();

  // Calculator page.
  void Button9Click();
  void RiskFree9Change();
  void Button10Click();
  void Button11Click();

  // Options page. Change of the rate or the carry: a rate that is no number shows its message;
  // every command reads the page's fields afresh.
  void RiskFreeInterestChange();
  void Button5Click();
  void Button6Click();

  // The dialogs' reports (TDialogHost).
  [[nodiscard]] TCalculatorPageTerms CalculatorPageTerms() const override;
  void RiskReport() override;
  void OverUnderReport() override;

  // Clears the eight visible report panes and gives the font to all of them but RichEdit1.
  void ApplyReportFont(const TFontSpec& font);
  // Selects the item of a list whose text equals the list's text (letter case ignored) and
  // points its help topic at helpBase plus the index; -1 (topic 0) when there is none.
  int SelectByText(TComboBox& list, int helpBase);

 private:
  TCommandRunner syncRunner_;
  TCommandRunner* runner_ = &syncRunner_;
  // True while the settings saver sets a restored value.
  bool restoringSettings_ = false;

  void ConnectHandlers();
  void ConfigureSaver();
  void AssignHelpTexts();
  void CopyWithHeading(const std::vector<std::string>& heading, const TRichEdit& pane);
  // Copies the Graph page's figures as text: the greeks table, then the figures at expiration
  // by their captions.
  void CopyGraphFigures();
  // The Pricing report pane in view, with the heading lines its copy starts with.
  [[nodiscard]] std::pair<const TRichEdit*, std::vector<std::string>> PricingPaneInView() const;
};

}  // namespace valquor
