#pragma once
// The controls of the risk calculator dialog with their layout defaults. Plain data; the
// shell's TFormWiz2 adds the handlers and the settings saver.

#include "forms/Controls.h"

namespace valquor {

class TFormWiz2Controls : public TForm {
 public:
  TFormWiz2Controls();

  TPageControl PageControl1{this, this, "PageControl1"};
  TTabSheet Tab{this, &PageControl1, "Tab", "Premium"};
  TTabSheet TabSheet2{this, &PageControl1, "TabSheet2", "Price"};
  TTabSheet TabSheet3{this, &PageControl1, "TabSheet3", "Volatility"};
  TTabSheet TabSheet4{this, &PageControl1, "TabSheet4", "Days"};
  TTabSheet TabSheet5{this, &PageControl1, "TabSheet5", "Result"};
  TLabel PremiumHeading{this, &Tab, "PremiumHeading", "State strike and market price for option"};
  TEdit Strike{this, &Tab, "Strike", "100"};
  TEdit Premium{this, &Tab, "Premium", "5"};
  TRadioGroup OptionType{this, &Tab, "OptionType", "Option type", {"Call", "Put"}};
  TButton Button1{this, &Tab, "Button1", "Get data from calculator"};
  TLabel PriceHeading{this, &TabSheet2, "PriceHeading", "State current stock price"};
  TEdit Price{this, &TabSheet2, "Price", "101"};
  TLabel VolatilityHeading{this, &TabSheet3, "VolatilityHeading",
                           "State historical volatility for stock"};
  TEdit Vol{this, &TabSheet3, "Vol", "25"};
  TLabel DaysHeading{this, &TabSheet4, "DaysHeading",
                     "State days to expiration and days in position"};
  TEdit Days{this, &TabSheet4, "Days", "20"};
  TEdit DaysInPosition{this, &TabSheet4, "DaysInPosition", "2"};
  TRadioGroup DaysOption{
      this, &TabSheet4, "DaysOption", "Day counting", {"Trading days", "All days"}};
  TRichEdit RichEdit1{this, &TabSheet5, "RichEdit1", true};
  TButton CopyBtn{this, &TabSheet5, "CopyBtn", "Copy"};
  TButton ExportBtn{this, &TabSheet5, "ExportBtn", "Export..."};
  TButton OKBtn{this, &TabSheet5, "OKBtn", "Compute", "TBitBtn"};
  TButton CancelBtn{this, &TabSheet5, "CancelBtn", "Close", "TBitBtn"};
};

}  // namespace valquor
