#include "shell/FormWiz.h"

#include <string>
#include <vector>

namespace valquor {
namespace {

// Both dialogs keep the same seven paths in the one file valqor.ini, each under its own
// sections; the risk dialog has no ForwardPrice, so that path matches nothing there.
void ConfigureDialogSaver(TcsPropertySaver& saver, TDialogHost& host) {
  saver.SetStorage(TcsStorage::stIniFile);
  saver.SetAppName("valqor");
  saver.SetItems({"Days.Text", "DaysOption.ItemIndex", "ForwardPrice.Text", "OptionType.ItemIndex",
                  "Premium.Text", "Strike.Text", "Vol.Text"});
  saver.HandlerRunner = [&host](const std::function<void()>& handler) { host.RunHandler(handler); };
  saver.Loaded();
}

// "Get data from calculator": the Calculator page's terms, texts copied as they are.
template <class TDialog>
void CopyCalculatorTerms(TDialog& dialog, const TDialogHost& host) {
  const TCalculatorPageTerms terms = host.CalculatorPageTerms();
  dialog.Strike.SetText(terms.Strike);
  dialog.Vol.SetText(terms.Vol);
  dialog.Days.SetText(terms.Days);
  dialog.OptionType.SetItemIndex(terms.OptionType);
  dialog.DaysOption.SetItemIndex(terms.DaysOption);
}

template <class TDialog>
void ConnectButtons(TDialog& dialog) {
  dialog.Button1.OnClick = [&dialog] { dialog.Button1Click(); };
  dialog.OKBtn.OnClick = [&dialog] { dialog.OKBtnClick(); };
  dialog.CopyBtn.OnClick = [&dialog] { dialog.CopyBtnClick(); };
  dialog.ExportBtn.OnClick = [&dialog] { dialog.ExportBtnClick(); };
  dialog.CancelBtn.OnClick = [&dialog] { dialog.CancelBtnClick(); };
}

}  // namespace

TFormWiz::TFormWiz(TDialogHost& host, TPlatform& platform, TExports& exports)
    : csPropertySaver1(*this, platform), host_(host), platform_(platform), exports_(exports) {
  ConnectButtons(*this);
  ConfigureDialogSaver(csPropertySaver1, host_);
}

void TFormWiz::Button1Click() { CopyCalculatorTerms(*this, host_); }

void TFormWiz::OKBtnClick() { host_.OverUnderReport(); }

void TFormWiz::CopyBtnClick() {
  platform_.SetClipboardReport(RichEdit1.Text(), RichEdit1.Font());
  platform_.ShowStatus("Report copied");
}

void TFormWiz::ExportBtnClick() { exports_.ExportWithDialog(RichEdit1, platform_); }

void TFormWiz::CancelBtnClick() { Close(); }

TFormWiz2::TFormWiz2(TDialogHost& host, TPlatform& platform, TExports& exports)
    : csPropertySaver1(*this, platform), host_(host), platform_(platform), exports_(exports) {
  ConnectButtons(*this);
  ConfigureDialogSaver(csPropertySaver1, host_);
}

void TFormWiz2::Button1Click() { CopyCalculatorTerms(*this, host_); }

void TFormWiz2::OKBtnClick() { host_.RiskReport(); }

void TFormWiz2::CopyBtnClick() {
  platform_.SetClipboardReport(RichEdit1.Text(), RichEdit1.Font());
  platform_.ShowStatus("Report copied");
}

void TFormWiz2::ExportBtnClick() { exports_.ExportWithDialog(RichEdit1, platform_); }

void TFormWiz2::CancelBtnClick() { Close(); }

}  // namespace valquor
