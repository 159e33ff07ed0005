#include "forms/FormWizControls.h"

#include "forms/FormWiz2Controls.h"

namespace valquor {
namespace {

// The layout both dialogs share: bold headings, labelled fields, a report pane in the report
// font, Compute as the default and Close as the cancel button.
template <class TDialog>
void SetUpDialog(TDialog& d) {
  for (TLabel* heading : {&d.PremiumHeading, &d.VolatilityHeading, &d.DaysHeading}) {
    TFontSpec font = heading->Font();
    font.Bold = true;
    heading->SetFont(font);
  }
  d.Strike.LabelCaption = "&Strike";
  d.Premium.LabelCaption = "&Premium";
  d.Vol.LabelCaption = "&Volatility (%)";
  d.Days.LabelCaption = "&Days";
  d.RichEdit1.SetFont(TFontSpec{});
  d.OKBtn.Default = true;
  d.CancelBtn.Cancel = true;
}

}  // namespace

TFormWizControls::TFormWizControls() : TForm("FormWiz", "TFormWiz", "O/U Calculator", 437, 263) {
  SetUpDialog(*this);
  TFontSpec font = ForwardHeading.Font();
  font.Bold = true;
  ForwardHeading.SetFont(font);
  ForwardPrice.LabelCaption = "&Forward";
  PageControl1.SetActivePage(&Tab);
}

TFormWiz2Controls::TFormWiz2Controls()
    : TForm("FormWiz2", "TFormWiz2", "Risk Calculator", 437, 351) {
  SetUpDialog(*this);
  TFontSpec font = PriceHeading.Font();
  font.Bold = true;
  PriceHeading.SetFont(font);
  Price.LabelCaption = "P&rice";
  DaysInPosition.LabelCaption = "&Number of days in position";
  PageControl1.SetActivePage(&TabSheet5);
}

}  // namespace valquor
