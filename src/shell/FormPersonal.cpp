#include "shell/FormPersonal.h"

#include <algorithm>
#include <string>
#include <vector>

#include "forms/Text.h"
#include "shell/GraphPage.h"
#include "shell/HelpTopics.h"
#include "shell/OptionsTerms.h"

namespace valquor {
TFormPersonal::TFormPersonal(TPlatform& target)
    : Gate(target),
      Platform(Gate),
      Panel(*this, Platform, TreeAmerican),
      Reports(*this, Platform, Panel, Exports,
              [this](TCommand command) { RunCommand(std::move(command)); }),
      Volatility(
          *this, Platform, Panel, Exports,
          [this](TCommand command) { RunCommand(std::move(command)); }, TreeAmerican),
      csPropertySaver1(*this, Platform),
      FormWiz(*this, Platform, Exports),
      FormWiz2(*this, Platform, Exports) {
  ConnectHandlers();
  AssignHelpTexts();
  ConfigureSaver();
  const TMessageAction creation(Gate);
  csPropertySaver1.Loaded();
  FormCreate();
}

TFormPersonal::~TFormPersonal() = default;

void TFormPersonal::RunHandler(const std::function<void()>& handler) {
  const TMessageAction action(Gate);
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
  ExportBtn.OnClick = [this] { ExportBtnClick(); };
  SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  HelpContext.OnClick = [this] { HelpContextClick(); };
  UseCustomInput.OnClick = [this] { Reports.UseCustomInputClick(); };
  Button7.OnClick = [this] { Panel.Button7Click(); };
  ConnectGraphPage(*this);

  ClipBoardBtn.OnClick = [this] { Volatility.ClipBoardBtnClick(); };
  Button1.OnClick = [this] { Volatility.FileBtnClick(); };
  Button4.OnClick = [this] { Button4Click(); };
  ExportDailyBtn.OnClick = [this] { ExportDailyBtnClick(); };
  WeeklyBtn.OnClick = [this] { Volatility.WeeklyBtnClick(); };
  Button3.OnClick = [this] { Volatility.Button3Click(); };
  Button2.OnClick = [this] { Button2Click(); };
  ExportWeeklyBtn.OnClick = [this] { ExportWeeklyBtnClick(); };
  BitBtn2.OnClick = [this] { Volatility.BitBtn2Click(); };
  BitBtn3.OnClick = [this] { Volatility.BitBtn3Click(); };
  Button12.OnClick = [this] { Volatility.Button12Click(); };
  Button13.OnClick = [this] { Volatility.Button13Click(); };
  Button8.OnClick = [this] { Volatility.Button8Click(); };
  Locked.OnClick = [this] { Volatility.LockedClick(); };
  BothLocked.OnClick = [this] { Volatility.BothLockedClick(); };
  VolAnalysis.OnClick = [this] { Volatility.VolAnalysisClick(); };
  BtnCopy2.OnClick = [this] { BtnCopy2Click(); };
  ExportImpliedBtn.OnClick = [this] { ExportImpliedBtnClick(); };
  HVChartBtn.OnClick = [this] { Volatility.HVChartBtnClick(); };

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
  Platform.ShowStatus("Report copied");
}

std::pair<const TRichEdit*, std::vector<std::string>> TFormPersonal::PricingPaneInView() const {
  const TTabSheet* page = MainPageControl.ActivePage();
  if (page == &TabDelta) return {&RichEdit2, {" *** Delta ***"}};
  if (page == &TabAnalysis) {
    const TTabSheet* sub = PageControl3.ActivePage();
    if (sub == &TabCalc) return {&RichEdit10, {" *** Calculator ***"}};
    if (sub == &TabProb) return {&RichEdit8, {" *** Probabilities ***"}};
    return {&RichEdit3, {"", " *** Analysis ***"}};
  }
  return {&RichEdit1, {}};
}

void TFormPersonal::CopyBtnClick() {
  if (MainPageControl.ActivePage() == &TabGraph) {
    CopyGraphFigures();
    return;
  }
  const auto [pane, heading] = PricingPaneInView();
  CopyWithHeading(heading, *pane);
}

void TFormPersonal::CopyGraphFigures() {
  RichEdit7.Clear();
  RichEdit7.Add(" *** Graph ***");
  // The greeks as a table: each column as wide as its widest cell, two blanks apart.
  std::vector<std::size_t> widths(static_cast<std::size_t>(GreeksGrid.ColCount()), 0);
  for (int row = 0; row < GreeksGrid.RowCount(); ++row) {
    for (int col = 0; col < GreeksGrid.ColCount(); ++col) {
      auto& width = widths[static_cast<std::size_t>(col)];
      width = std::max(width, GreeksGrid.Cell(col, row).size());
    }
  }
  for (int row = 0; row < GreeksGrid.RowCount(); ++row) {
    std::string line;
    bool filled = false;
    for (int col = 0; col < GreeksGrid.ColCount(); ++col) {
      const std::string cell = GreeksGrid.Cell(col, row);
      filled = filled || !cell.empty();
      line +=
          " " + cell + std::string(widths[static_cast<std::size_t>(col)] - cell.size() + 1, ' ');
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (filled) RichEdit7.Add(line);
  }
  // The figures at expiration, by their captions.
  RichEdit7.Add("");
  for (const TEdit* figure :
       {&BreakevenEdit, &MaxProfitEdit, &MaxLossEdit, &ProfitChanceEdit, &ExpectedPLEdit}) {
    std::string caption;
    for (std::size_t i = 0; i < figure->LabelCaption.size(); ++i) {
      if (figure->LabelCaption[i] == '&' && i + 1 < figure->LabelCaption.size()) ++i;
      caption += figure->LabelCaption[i];
    }
    RichEdit7.Add(" " + caption + ": " + figure->Text());
  }
  Platform.SetClipboardReport(RichEdit7.Text(), RichEdit7.Font());
  Platform.ShowStatus("Report copied");
}

void TFormPersonal::ExportBtnClick() {
  Exports.ExportWithDialog(*PricingPaneInView().first, Platform);
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
  Platform.ShowStatus("Report copied");
}

void TFormPersonal::Button2Click() {
  Platform.SetClipboardReport(RichEdit9.Text(), RichEdit9.Font());
  Platform.ShowStatus("Report copied");
}

void TFormPersonal::BtnCopy2Click() { CopyWithHeading({" *** Implied volatility ***"}, RichEdit6); }

void TFormPersonal::ExportDailyBtnClick() { Exports.ExportWithDialog(RichEdit4, Platform); }

void TFormPersonal::ExportWeeklyBtnClick() { Exports.ExportWithDialog(RichEdit9, Platform); }

void TFormPersonal::ExportImpliedBtnClick() { Exports.ExportWithDialog(RichEdit6, Platform); }

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

void TFormPersonal::RiskFreeInterestChange() {
  // Every command reads the rate afresh; a change only tells at once of a text that is no
  // number.
  (void)ParseNumber(RiskFreeInterest.Text(), Platform);
}

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
