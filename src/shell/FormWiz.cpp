#include "shell/FormWiz.h"

#include <string>
#include <vector>

#include "shell/FormPersonal.h"

namespace valquor {
namespace {

// Both dialogs keep the same seven paths in the one file valqor.ini, each under its own
// sections; the risk dialog has no ForwardPrice, so that path matches nothing there.
void ConfigureDialogSaver(TcsPropertySaver& saver, TFormPersonal& main) {
  saver.SetStorage(TcsStorage::stIniFile);
  saver.SetAppName("valqor");
  saver.SetItems({"Days.Text", "DaysOption.ItemIndex", "ForwardPrice.Text", "OptionType.ItemIndex",
                  "Premium.Text", "Strike.Text", "Vol.Text"});
  saver.HandlerRunner = [&main](const std::function<void()>& handler) { main.RunHandler(handler); };
  saver.Loaded();
}

// "Get data from calculator": the Calculator page's terms, texts copied as they are.
template <class TDialog>
void CopyCalculatorTerms(TDialog& dialog, const TFormPersonal& main) {
  dialog.Strike.SetText(main.Strike9.Text());
  dialog.Vol.SetText(main.Vol9.Text());
  dialog.Days.SetText(main.Days9.Text());
  dialog.OptionType.SetItemIndex(main.OptionType9.ItemIndex());
  dialog.DaysOption.SetItemIndex(main.DaysOption.ItemIndex());
}

}  // namespace

TFormWiz::TFormWiz(TFormPersonal& main, TPlatform& platform)
    : csPropertySaver1(*this, platform), main_(main) {
  Button1.OnClick = [this] { Button1Click(); };
  OKBtn.OnClick = [this] { OKBtnClick(); };
  CancelBtn.OnClick = [this] { CancelBtnClick(); };
  ConfigureDialogSaver(csPropertySaver1, main_);
}

void TFormWiz::Button1Click() { CopyCalculatorTerms(*this, main_); }

void TFormWiz::CancelBtnClick() { Close(); }

TFormWiz2::TFormWiz2(TFormPersonal& main, TPlatform& platform)
    : csPropertySaver1(*this, platform), main_(main) {
  Button1.OnClick = [this] { Button1Click(); };
  OKBtn.OnClick = [this] { OKBtnClick(); };
  CancelBtn.OnClick = [this] { CancelBtnClick(); };
  ConfigureDialogSaver(csPropertySaver1, main_);
}

void TFormWiz2::Button1Click() { CopyCalculatorTerms(*this, main_); }

void TFormWiz2::OKBtnClick() { main_.RiskReport(); }

void TFormWiz2::CancelBtnClick() { Close(); }

}  // namespace valquor
