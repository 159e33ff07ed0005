#include "shell/FormPersonal.h"

#include "forms/Text.h"
#include "shell/HelpTopics.h"
#include "shell/OptionsTerms.h"

namespace valquor {
TFormPersonal::TFormPersonal(TPlatform& platform)
    : Platform(platform),
      Dispatch(platform, OptionsInputs),
      Panel(*this, Dispatch, platform),
      Reports(*this, Dispatch, platform, Panel),
      Volatility(
          *this, platform, Panel, Exports,
          [this](TCommand command) { RunCommand(std::move(command)); }, TreeAmerican),
      csPropertySaver1(*this, platform),
      FormWiz(*this, platform, Exports),
      FormWiz2(*this, platform, Exports) {
  ConnectHandlers();
  AssignHelpTexts();
  ConfigureSaver();
  csPropertySaver1.Loaded();
  FormCreate();
}

TFormPersonal::~TFormPersonal() = default;

void TFormPersonal::RunHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    // An abandoned command shows nothing more; a failure shows its message.
    ShowFailure(std::current_exception(), Platform);
  }
}

void TFormPersonal::RunCommand(TCommand command) {
  runner_->Run(std::move(command), Engine, Platform);
}

void TFormPersonal::ConnectHandlers() {
  PriceEdit.OnChange = [this] { Panel.PriceEditChange(); };
  // A restored day step waits for the restored price: its refresh alone would value the
  // forward at the stored strike and the default price.
  DaysCombo.OnChange = [this] {
    if (!restoringSettings_) Panel.DaysComboChange();
  };
  Formula.OnValidate = [this](const std::string& text) {
    return AcceptFormulaText(text, Platform);
  };
  PositionName.OnChange = [this] { PositionNameChange(); };
  MainForwardLock.OnClick = [this] { Panel.MainForwardLockClick(); };
  ComputeBtn.OnClick = [this] { Reports.ComputeBtnClick(); };
  CopyBtn.OnClick = [this] { CopyBtnClick(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  HelpContext.OnClick = [this] { HelpContextClick(); };
  UseCustomInput.OnClick = [this] { Reports.UseCustomInputClick(); };
  Button7.OnClick = [this] { Panel.Button7Click(); };

  ClipBoardBtn.OnClick = [this] { Volatility.ClipBoardBtnClick(); };
  Button1.OnClick = [this] { Volatility.FileBtnClick(); };
  Button4.OnClick = [this] { Button4Click(); };
  WeeklyBtn.OnClick = [this] { Volatility.WeeklyBtnClick(); };
  Button3.OnClick = [this] { Volatility.Button3Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  BitBtn2.OnClick = [this] { Volatility.BitBtn2Click(); };
  BitBtn3.OnClick = [this] { Volatility.BitBtn3Click(); };
  Button12.OnClick = [this] { Volatility.Button12Click(); };
  Button13.OnClick = [this] { Volatility.Button13Click(); };
  Button8.OnClick = [this] { Volatility.Button8Click(); };
  Locked.OnClick = [this] { Volatility.LockedClick(); };
  BothLocked.OnClick = [this] { Volatility.BothLockedClick(); };
  VolAnalysis.OnClick = [this] { Volatility.VolAnalysisClick(); };
  BtnCopy2.OnClick = [this] { BtnCopy2Click(); };

  RiskFree9.OnChange = [this] { RiskFree9Change(); };
  Button9.OnClick = [this] { Button9Click(); };
  Button10.OnClick = [this] { Button10Click(); };
  Button11.OnClick = [this] { Button11Click(); };

  RiskFreeInterest.OnChange = [this] { RiskFreeInterestChange(); };
  CostOfCarry.OnChange = [this] { RiskFreeInterestChange(); };
  Button5.OnClick = [this] { Button5Click(); };
  Button6.OnClick = [this] { Button6Click(); };

  OnActivate = [this] { FormActivate(); };
  OnClose = [this](TCloseAction& action) { FormClose(action); };
}

// ---------------------------------------------------------------------------------------------
// Pricing page

void TFormPersonal::CopyWithHeading(const std::vector<std::string>& heading,
                                    const TRichEdit& pane) {
  RichEdit7.Clear();
  for (const std::string& line : heading) RichEdit7.Add(line);
  for (const std::string& line : pane.Lines()) RichEdit7.Add(line);
  Platform.SetClipboardReport(RichEdit7.Text(), RichEdit7.Font());
}

void TFormPersonal::CopyBtnClick() {
  const TTabSheet* page = MainPageControl.ActivePage();
  if (page == &TabDelta) {
    CopyWithHeading({" *** Delta ***"}, RichEdit2);
  } else if (page == &TabAnalysis) {
    const TTabSheet* sub = PageControl3.ActivePage();
    if (sub == &TabCalc) {
      CopyWithHeading({" *** Calculator ***"}, RichEdit10);
    } else if (sub == &TabProb) {
      CopyWithHeading({" *** Probabilities ***"}, RichEdit8);
    } else {
      CopyWithHeading({"", " *** Analysis ***"}, RichEdit3);
    }
  } else {
    CopyWithHeading({}, RichEdit1);
  }
}

// The position list's help topic follows the chosen position.
void TFormPersonal::PositionNameChange() {
  const int index = PositionName.ItemIndex();
  PositionName.SetHelpContext(index >= 0 ? kPositionHelpBase + index : 0);
}

void TFormPersonal::SpeedButton1Click() { Platform.OpenHelp(0); }

void TFormPersonal::HelpContextClick() { Platform.EnterWhatsThisMode(); }

// ---------------------------------------------------------------------------------------------
// Volatility page: copying

void TFormPersonal::Button4Click() {
  Platform.SetClipboardReport(RichEdit4.Text(), RichEdit4.Font());
}

void TFormPersonal::Button2Click() {
  Platform.SetClipboardReport(RichEdit9.Text(), RichEdit9.Font());
}

void TFormPersonal::BtnCopy2Click() { CopyWithHeading({" *** Implied volatility ***"}, RichEdit6); }

// ---------------------------------------------------------------------------------------------
// Calculator page

void TFormPersonal::RiskFree9Change() { CostofCarry9.SetText(RiskFree9.Text()); }

void TFormPersonal::Button10Click() {
  FormWiz.Show();
  FormWiz.BringToFront();
}

void TFormPersonal::Button11Click() {
  FormWiz2.Show();
  FormWiz2.BringToFront();
}

// ---------------------------------------------------------------------------------------------
// Options page

void TFormPersonal::RiskFreeInterestChange() { Dispatch.RefreshModelRates(); }

void TFormPersonal::Button6Click() {
  const std::optional<TFontSpec> font = Platform.FontDialog(RichEdit1.Font());
  if (!font) return;
  RichEdit1.SetFont(*font);
  ApplyReportFont(RichEdit1.Font());
}

void TFormPersonal::ApplyReportFont(const TFontSpec& font) {
  for (TRichEdit* pane : ReportPanes()) pane->Clear();
  for (TRichEdit* pane : ReportPanes()) {
    if (pane != &RichEdit1) pane->SetFont(font);
  }
}

int TFormPersonal::SelectByText(TComboBox& list, int helpBase) {
  list.SetHelpContext(0);
  const std::vector<std::string>& items = list.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (SameText(items[i], list.Text())) {
      list.SetItemIndex(static_cast<int>(i));
      list.SetHelpContext(helpBase + static_cast<int>(i));
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace valquor
