#pragma once
// The controls of the over/under-pricing dialog with their layout defaults. Plain data; the
// shell's TFormWiz adds the handlers and the settings saver.

#include "forms/Controls.h"

namespace valquor {

class TFormWizControls : public TForm {
 public:
  TFormWizControls();

  TPageControl PageControl1{this, this, "PageControl1"};
  TTabSheet Tab{this, &PageControl1, "Tab", "Premium"};
  TTabSheet TabSheet2{this, &PageControl1, "TabSheet2", "Forward price"};
  TTabSheet TabSheet3{this, &PageControl1, "TabSheet3", "Volatility"};
  TTabSheet TabSheet4{this, &PageControl1, "TabSheet4", "Days"};
  TTabSheet TabSheet5{this, &PageControl1, "TabSheet5", "Result"};
  TLabel PremiumHeading{this, &Tab, "PremiumHeading", "State strike and market price for option"};
  TEdit Strike{this, &Tab, "Strike", "100"};
  TEdit Premium{this, &Tab, "Premium", "5"};
  TRadioGroup OptionType{this, &Tab, "OptionType", "Option type", {"Call", "Put"}};
  TButton Button1{this, &Tab, "Button1", "Get data from calculator"};
  TLabel ForwardHeading{this, &TabSheet2, "ForwardHeading", "State forward price at expiration"};
  TEdit ForwardPrice{this, &TabSheet2, "ForwardPrice", "101"};
  TLabel VolatilityHeading{this, &TabSheet3, "VolatilityHeading",
                           "State historical volatility for stock"};
  TEdit Vol{this, &TabSheet3, "Vol", "25"};
  TLabel DaysHeading{this, &TabSheet4, "DaysHeading", "State days to expiration"};
  TEdit Days{this, &TabSheet4, "Days", "30"};
  TRadioGroup DaysOption{
      this, &TabSheet4, "DaysOption", "Day counting", {"Trading days", "All days"}};
  TRichEdit RichEdit1{this, &TabSheet5, "RichEdit1", true};
  TButton CopyBtn{this, &TabSheet5, "CopyBtn", "Copy"};
  TButton ExportBtn{this, &TabSheet5, "ExportBtn", "Export..."};
  TButton OKBtn{this, &TabSheet5, "OKBtn", "Compute", "TBitBtn"};
  TButton CancelBtn{this, &TabSheet5, "CancelBtn", "Close", "TBitBtn"};
};

}  // namespace valquor
