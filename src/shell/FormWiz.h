#pragma once
// The two calculator dialogs: the over/under-pricing calculator and the risk calculator. Each
// Compute runs a report of the main window (through TDialogHost, the little the dialogs need of
// it) into the dialog's Result pane, which Copy puts on the clipboard and Export writes as CSV.

#include <functional>
#include <string>

#include "forms/FormWiz2Controls.h"
#include "forms/FormWizControls.h"
#include "forms/Platform.h"
#include "shell/Exports.h"
#include "shell/PropertySaver.h"

namespace valquor {

// The Calculator page's terms that "Get data from calculator" copies, texts as typed.
struct TCalculatorPageTerms {
  std::string Strike;
  std::string Vol;
  std::string Days;
  int OptionType = 0;  // item index
  int DaysOption = 0;  // item index
};

// What the dialogs need of the main window.
class TDialogHost {
 public:
  virtual ~TDialogHost() = default;
  [[nodiscard]] virtual TCalculatorPageTerms CalculatorPageTerms() const = 0;
  // Runs an event handler as the main window runs its own (the saver's restore).
  virtual void RunHandler(const std::function<void()>& handler) = 0;
  // The reports behind the dialogs' Compute buttons, each into its dialog's RichEdit1.
  virtual void RiskReport() = 0;
  virtual void OverUnderReport() = 0;
};

class TFormWiz : public TFormWizControls {
 public:
  TFormWiz(TDialogHost& host, TPlatform& platform, TExports& exports);
  void Button1Click();    // "Get data from calculator"
  void OKBtnClick();      // "Compute": the host's OverUnderReport
  void CopyBtnClick();    // the report to the clipboard
  void ExportBtnClick();  // the report as over-under.csv
  void CancelBtnClick();  // "Close"
  TcsPropertySaver csPropertySaver1;

 private:
  TDialogHost& host_;
  TPlatform& platform_;
  TExports& exports_;
};

class TFormWiz2 : public TFormWiz2Controls {
 public:
  TFormWiz2(TDialogHost& host, TPlatform& platform, TExports& exports);
  void Button1Click();
  void OKBtnClick();  // the host's RiskReport
  void CopyBtnClick();
  void ExportBtnClick();  // the report as risk.csv
  void CancelBtnClick();
  TcsPropertySaver csPropertySaver1;

 private:
  TDialogHost& host_;
  TPlatform& platform_;
  TExports& exports_;
};

}  // namespace valquor
