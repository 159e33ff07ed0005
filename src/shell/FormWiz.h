#pragma once
// The two calculator dialogs: the over/under-pricing dialog (nothing behind its Compute) and
// the risk calculator, whose Compute runs the main window's RiskReport.

#include "forms/FormWiz2Controls.h"
#include "forms/FormWizControls.h"
#include "forms/Platform.h"
#include "shell/PropertySaver.h"

namespace valquor {

class TFormPersonal;

class TFormWiz : public TFormWizControls {
 public:
  TFormWiz(TFormPersonal& main, TPlatform& platform);
  void Button1Click();    // "Get data from calculator"
  void OKBtnClick() {}    // "Compute": no over/under report is defined for this dialog
  void CancelBtnClick();  // "Close"
  TcsPropertySaver csPropertySaver1;

 private:
  TFormPersonal& main_;
};

class TFormWiz2 : public TFormWiz2Controls {
 public:
  TFormWiz2(TFormPersonal& main, TPlatform& platform);
  void Button1Click();
  void OKBtnClick();  // the main window's RiskReport
  void CancelBtnClick();
  TcsPropertySaver csPropertySaver1;

 private:
  TFormPersonal& main_;
};

}  // namespace valquor
