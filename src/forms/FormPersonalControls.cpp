#include "forms/FormPersonalControls.h"

namespace valquor {
namespace {

void Blue(TControl& c, bool bold = false, int size = 0) {
  TFontSpec font = c.Font();
  font.Color = static_cast<std::uint32_t>(clBlue);
  font.Bold = bold;
  if (size > 0) font.Size = size;
  c.SetFont(font);
}

void Bold(TControl& c, int size = 0) {
  TFontSpec font = c.Font();
  font.Bold = true;
  if (size > 0) font.Size = size;
  c.SetFont(font);
}

void Output(TEdit& e) {
  e.ReadOnly = true;
  e.Border = false;
  e.SetColor(clBtnFace);
}

}  // namespace

const std::vector<std::string>& TFormPersonalControls::PositionNames() {
  static const std::vector<std::string> kNames = {"Call",
                                                  "Call spread",
                                                  "Call credit spread",
                                                  "Put",
                                                  "Put spread",
                                                  "Put credit spread",
                                                  "Call calendar spread",
                                                  "Call calendar spread*",
                                                  "Call calendar spread**",
                                                  "Call credit calendar spread",
                                                  "Call credit calendar spread*",
                                                  "Call credit calendar spread**",
                                                  "Put calendar spread",
                                                  "Put calendar spread*",
                                                  "Put calendar spread**",
                                                  "Long straddle",
                                                  "Short straddle",
                                                  "Naked call",
                                                  "Naked put",
                                                  "Buy underlying",
                                                  "Sell underlying",
                                                  "Synthetic long future",
                                                  "Synthetic short future",
                                                  "Gamma position",
                                                  "Covered call",
                                                  "Collars",
                                                  "Long butterfly",
                                                  "Short butterfly"};
  return kNames;
}

TFormPersonalControls::TFormPersonalControls()
    : TForm("FormPersonal", "TFormPersonal", "Valquor", 645, 472) {
  // Pricing panel.
  StrikeEdit.LabelCaption = "&Strike";
  DaysCombo.LabelCaption = "&Daysteps";
  Steps.LabelCaption = "S&teps";
  VolEdit.LabelCaption = "&Vol (%)";  // short: the panel fits the smallest window
  PriceEdit.LabelCaption = "&Price";
  YAxis.LabelCaption = "&Y-axis";
  PositionName.LabelCaption = "P&osition";
  ForwardEdit.LabelCaption = "&Forward";
  Blue(ForwardEdit);
  ForwardEdit.SetColor(clBtnFace);  // inactive until the forward is locked
  ComputeBtn.Default = true;
  Days1.LabelCaption = "Trading days to &expiration";
  CalcDays.LabelCaption = "Trading days to &expiration";
  TrueVolEdit.LabelCaption = "True vo&latility (%)";
  Blue(TrueVolEdit);
  UseCustomInput.LabelOnLeft = true;
  Call3.LabelCaption = "&Call";
  Put3.LabelCaption = "P&ut";
  Call3.SetEnabled(false);
  Put3.SetEnabled(false);
  Call3.SetColor(clBtnFace);
  Put3.SetColor(clBtnFace);
  SumDividends.LabelCaption = "Sum dividends &before expiration";
  Adjust.LabelCaption = "&Adjust";
  AnalysisFormula.LabelCaption = "Assu&ming";
  CostPerTrade.LabelCaption = "Total &cost per trade";
  GraphChart.SetFont(TFontSpec{});  // the report font
  GreeksGrid.ColWidths = {72, 64, 64, 40, 64, 60, 72, 124, 132, 104, 104};
  GreeksGrid.ScrollBars = false;  // the page scrolls it
  for (TEdit* output :
       {&BreakevenEdit, &MaxProfitEdit, &MaxLossEdit, &ProfitChanceEdit, &ExpectedPLEdit}) {
    Output(*output);
  }
  BreakevenEdit.LabelCaption = "Breakevens";
  MaxProfitEdit.LabelCaption = "Max profit";
  MaxLossEdit.LabelCaption = "Max loss";
  ProfitChanceEdit.LabelCaption = "P(profit)";
  ExpectedPLEdit.LabelCaption = "Expected P&&L";
  WhatIfPrice.LabelCaption = "Price c&hange %";
  WhatIfDays.LabelCaption = "Days for&ward";
  WhatIfVol.LabelCaption = "Vol chan&ge";
  MainPageControl.SetActivePage(&TabPricing);
  PageControl3.SetActivePage(&TabPL);

  // Volatility.
  WeeksGrid.FixedPitch = true;
  WeeklyBtn.Default = true;
  Strike7.LabelCaption = "&Strike";
  Price7.LabelCaption = "Current &price";
  Premium7.LabelCaption = "Pre&mium";
  Riskfree7.LabelCaption = "&Risk-free interest (fraction/yr)";
  Days7.LabelCaption = "&Days to expiration";
  Button8.Default = true;
  Edit6.LabelCaption = "Implied volatility";
  Output(Edit6);
  Blue(Edit6, false, 14);
  IVModelLabel.LabelCaption = "Model";
  Grid.ColWidths = {0, 74, 74, 74};
  Grid.DefaultColWidth = 74;
  Grid.ScrollBars = false;
  DaysEdit.LabelCaption = "Trading days to &expiration";
  ForwardRes.LabelCaption = "Implied &forward";
  VolRes.LabelCaption = "Av. implied &vol (%)";
  Blue(ForwardRes, true);
  Blue(VolRes, true);
  DevLabel.LabelCaption = "StdDev";
  Bold(DevLabel);
  VolAnalysis.Default = true;
  SmileChart.SetFont(TFontSpec{});
  HVChartBtn.Default = true;
  for (TChart* chart : {&HVCloseChart, &HVChart, &ConeChart}) chart->SetFont(TFontSpec{});
  EstimatorsGrid.ColWidths = {104, 64, 64, 64};
  EstimatorsGrid.ScrollBars = false;
  ConeGrid.ColWidths = {72, 66, 58, 62, 58, 66, 58};
  ConeGrid.ScrollBars = false;
  MoveOddsGrid.ColWidths = {64, 96, 84, 108, 96};
  MoveOddsGrid.ScrollBars = false;
  EstimatorsGrid.LabelCaption = "Current estimators";
  ConeGrid.LabelCaption = "Volatility cone";
  MoveOddsGrid.LabelCaption = "Historical move odds: your own history against the model";
  IVPercentileEdit.LabelCaption = "IV percentile";
  Output(IVPercentileEdit);
  PageControl2.SetActivePage(&TabSheet3);

  // Calculator.
  Strike9.LabelCaption = "&Strike";
  Price9.LabelCaption = "Current &price";
  Vol9.LabelCaption = "&Volatility (%)";
  RiskFree9.LabelCaption = "&Risk-free interest (fraction/yr)";
  CostofCarry9.LabelCaption = "Cost of carr&y (fraction/yr)**";
  Days9.LabelCaption = "&Days to expiration";
  Button9.Default = true;
  Label43.LabelCaption = "Formula";
  Label45.LabelCaption = "Option type";
  Edit8.LabelCaption = "Premium";
  Output(Edit8);
  Blue(Edit8);
  Edit3.LabelCaption = "P(gain)";
  Output(Edit3);
  CalcModelLabel.LabelCaption = "Model";

  // Options.
  NumberOfSteps.KeepWithinBounds = true;  // the tree takes at most 9999 steps
  UseTradingDays.LabelOnLeft = true;
  StartDate.LabelCaption = "&Start date";
  EndDate.LabelCaption = "&End date";
  Button5.Default = true;
  CompDays.LabelCaption = "Days";
  Bold(CompDays);

  // About.
  Bold(ProductLabel, 24);

  RichEdit7.SetVisible(false);
  RichEdit5.SetVisible(false);
  for (TRichEdit* pane : ReportPanes()) {
    TFontSpec font;  // "Courier New", 10 points
    pane->SetFont(font);
  }
  RichEdit7.SetFont(TFontSpec{});
  RichEdit5.SetFont(TFontSpec{});
  PageControl1.SetActivePage(&TabSheet1);
}

std::vector<TRichEdit*> TFormPersonalControls::ReportPanes() {
  return {&RichEdit2, &RichEdit3, &RichEdit10, &RichEdit4,
          &RichEdit1, &RichEdit8, &RichEdit9,  &RichEdit6};
}

}  // namespace valquor
