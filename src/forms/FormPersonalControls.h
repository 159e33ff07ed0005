#pragma once
// Every control of the main window with its layout default: the page tree, the input fields,
// the report panes and the buttons. Plain data; the behaviour (handlers, models, settings) is
// added by TFormPersonal in the shell. Members are declared in creation order, which is also the
// order in which the settings saver walks them.

#include "forms/Controls.h"

namespace valquor {

class TFormPersonalControls : public TForm {
 public:
  TFormPersonalControls();

  // Top-level pages.
  TPageControl PageControl1{this, this, "PageControl1"};
  TTabSheet TabSheet1{this, &PageControl1, "TabSheet1", "Pricing"};
  TTabSheet TabSheet4{this, &PageControl1, "TabSheet4", "Volatility"};
  TTabSheet TabSheet2{this, &PageControl1, "TabSheet2", "Calculator"};
  TTabSheet TabSheet5{this, &PageControl1, "TabSheet5", "Options"};
  TTabSheet TabSheet8{this, &PageControl1, "TabSheet8", "About"};

  // Pricing: the input panel above the sub-pages.
  TEdit StrikeEdit{this, &TabSheet1, "StrikeEdit", "1000"};
  TComboBox DaysCombo{this,
                      &TabSheet1,
                      "DaysCombo",
                      "2",
                      {"1", "2", "2*", "5", "5*", "10", "11", "11*", "22", "44", "44*", "65"},
                      15};
  TComboBox Steps{
      this, &TabSheet1, "Steps", "10", {"1", "2", "2.5", "5", "7.5", "10", "15", "20", "30", "50"},
      12};
  TEdit VolEdit{this, &TabSheet1, "VolEdit", "20"};
  TEdit PriceEdit{this, &TabSheet1, "PriceEdit", "1000"};
  TComboBox YAxis{this, &TabSheet1, "YAxis", "Strike", {"Strike", "Forward"}};
  TComboBox PositionName{this, &TabSheet1, "PositionName", "Call", PositionNames(), 25};
  TEdit ForwardEdit{this, &TabSheet1, "ForwardEdit", "1000"};
  TCheckBox MainForwardLock{this, &TabSheet1, "MainForwardLock", "Lock"};
  TButton ComputeBtn{this, &TabSheet1, "ComputeBtn", "Compute"};
  TButton CopyBtn{this, &TabSheet1, "CopyBtn", "Copy"};
  TButton ExportBtn{this, &TabSheet1, "ExportBtn", "Export..."};
  TSpeedButton SpeedButton1{this, &TabSheet1, "SpeedButton1", "Help"};
  TSpeedButton HelpContext{this, &TabSheet1, "HelpContext", "What's this?"};

  // Pricing sub-pages.
  TPageControl MainPageControl{this, &TabSheet1, "MainPageControl"};
  TTabSheet TabPricing{this, &MainPageControl, "TabPricing", "Fair value"};
  TTabSheet TabDelta{this, &MainPageControl, "TabDelta", "Delta"};
  TTabSheet TabAnalysis{this, &MainPageControl, "TabAnalysis", "Analysis"};
  TTabSheet TabGraph{this, &MainPageControl, "TabGraph", "Graph"};
  TRichEdit RichEdit1{this, &TabPricing, "RichEdit1", false};
  TEdit Days1{this, &TabDelta, "Days1", "20"};
  TRichEdit RichEdit2{this, &TabDelta, "RichEdit2", true};
  TEdit CalcDays{this, &TabAnalysis, "CalcDays", "20"};
  TEdit TrueVolEdit{this, &TabAnalysis, "TrueVolEdit", "20"};
  TPageControl PageControl3{this, &TabAnalysis, "PageControl3"};
  TTabSheet TabCalc{this, &PageControl3, "TabCalc", "Calculator"};
  TTabSheet TabProb{this, &PageControl3, "TabProb", "Probabilities"};
  TTabSheet TabPL{this, &PageControl3, "TabPL", "Payoff"};
  TCheckBox UseCustomInput{this, &TabCalc, "UseCustomInput", "Use custom input"};
  TEdit Call3{this, &TabCalc, "Call3", "0"};
  TEdit Put3{this, &TabCalc, "Put3", "0"};
  TEdit SumDividends{this, &TabCalc, "SumDividends", "0"};
  TRichEdit RichEdit10{this, &TabCalc, "RichEdit10", true};
  TCheckBox MoreInt{this, &TabProb, "MoreInt", "Wide intervals"};
  TRichEdit RichEdit8{this, &TabProb, "RichEdit8", true};
  TSpinEdit Adjust{this, &TabPL, "Adjust", 0, 0, 0, 5};
  TButton Button7{this, &TabPL, "Button7", "Clear"};
  TComboBox AnalysisFormula{
      this,
      &TabPL,
      "AnalysisFormula",
      "Normal distribution",
      {"Lognormal distribution", "Normal distribution", "Medium normal/lognormal"}};
  TEdit CostPerTrade{this, &TabPL, "CostPerTrade", "0"};
  TRichEdit RichEdit3{this, &TabPL, "RichEdit3", false};
  // The risk graph: the chart, the greeks of the legs, the figures at expiration and the what-if
  // shifts of price, days and volatility.
  TChart GraphChart{this, &TabGraph, "GraphChart"};
  TStringGrid GreeksGrid{this, &TabGraph, "GreeksGrid", 11, 5};
  TEdit BreakevenEdit{this, &TabGraph, "BreakevenEdit", ""};
  TEdit MaxProfitEdit{this, &TabGraph, "MaxProfitEdit", ""};
  TEdit MaxLossEdit{this, &TabGraph, "MaxLossEdit", ""};
  TEdit ProfitChanceEdit{this, &TabGraph, "ProfitChanceEdit", ""};
  TEdit ExpectedPLEdit{this, &TabGraph, "ExpectedPLEdit", ""};
  TEdit WhatIfPrice{this, &TabGraph, "WhatIfPrice", "0"};
  TEdit WhatIfDays{this, &TabGraph, "WhatIfDays", "0"};
  TEdit WhatIfVol{this, &TabGraph, "WhatIfVol", "0"};

  // Volatility.
  TPageControl PageControl2{this, &TabSheet4, "PageControl2"};
  TTabSheet TabSheet6{this, &PageControl2, "TabSheet6", "HV using daily data"};
  TTabSheet TabSheet7{this, &PageControl2, "TabSheet7", "HV using weekly data"};
  TTabSheet TabImplied{this, &PageControl2, "TabImplied", "IV Calculator"};
  TTabSheet TabSheet3{this, &PageControl2, "TabSheet3", "Implied volatility"};
  TTabSheet TabHVChart{this, &PageControl2, "TabHVChart", "Chart"};
  TButton ClipBoardBtn{this, &TabSheet6, "ClipBoardBtn", "Read clipboard"};
  TButton Button1{this, &TabSheet6, "Button1", "Read textfile"};
  TButton Button4{this, &TabSheet6, "Button4", "Copy"};
  TButton ExportDailyBtn{this, &TabSheet6, "ExportDailyBtn", "Export..."};
  TCheckBox LatestFirst{this, &TabSheet6, "LatestFirst", "First line is oldest"};
  TRichEdit RichEdit4{this, &TabSheet6, "RichEdit4", true};
  TStringGrid WeeksGrid{this, &TabSheet7, "WeeksGrid", 2, 14};
  TButton WeeklyBtn{this, &TabSheet7, "WeeklyBtn", "Compute"};
  TButton Button3{this, &TabSheet7, "Button3", "Clear"};
  TButton Button2{this, &TabSheet7, "Button2", "Copy"};
  TButton ExportWeeklyBtn{this, &TabSheet7, "ExportWeeklyBtn", "Export..."};
  TButton BitBtn2{this, &TabSheet7, "BitBtn2", "Down", "TBitBtn"};
  TButton BitBtn3{this, &TabSheet7, "BitBtn3", "Up", "TBitBtn"};
  TButton Button12{this, &TabSheet7, "Button12", "Save"};
  TButton Button13{this, &TabSheet7, "Button13", "Load"};
  TRichEdit RichEdit9{this, &TabSheet7, "RichEdit9", true};
  TEdit Strike7{this, &TabImplied, "Strike7", "0"};
  TEdit Price7{this, &TabImplied, "Price7", "0"};
  TEdit Premium7{this, &TabImplied, "Premium7", "0"};
  TEdit Riskfree7{this, &TabImplied, "Riskfree7", "0.05"};
  TEdit Days7{this, &TabImplied, "Days7", "0"};
  TRadioGroup OptionType7{this, &TabImplied, "OptionType7", "Option type", {"Call", "Put"}};
  TRadioGroup DaysOption7{
      this, &TabImplied, "DaysOption7", "Day counting", {"Trading days", "All days"}};
  TButton Button8{this, &TabImplied, "Button8", "Compute"};
  TEdit Edit6{this, &TabImplied, "Edit6", "0"};
  // The model the last Compute used (read-only).
  TLabel IVModelLabel{this, &TabImplied, "IVModelLabel", ""};
  TStringGrid Grid{this, &TabSheet3, "Grid", 4, 6};
  TEdit DaysEdit{this, &TabSheet3, "DaysEdit", "15"};
  TEdit ForwardRes{this, &TabSheet3, "ForwardRes", "100"};
  TEdit VolRes{this, &TabSheet3, "VolRes", "45.4"};
  TCheckBox Locked{this, &TabSheet3, "Locked", "Lock"};
  TCheckBox BothLocked{this, &TabSheet3, "BothLocked", "Lock both"};
  TLabel DevLabel{this, &TabSheet3, "DevLabel", "0"};
  TButton VolAnalysis{this, &TabSheet3, "VolAnalysis", "Compute"};
  TButton BtnCopy2{this, &TabSheet3, "BtnCopy2", "Copy"};
  TButton ExportImpliedBtn{this, &TabSheet3, "ExportImpliedBtn", "Export..."};
  TRichEdit RichEdit6{this, &TabSheet3, "RichEdit6", false};
  // The smile: each premium's own volatility against the strike, and the premiums left out.
  TChart SmileChart{this, &TabSheet3, "SmileChart"};
  TLabel SmileLeftOut{this, &TabSheet3, "SmileLeftOut", ""};
  // Chart: the closes and the rolling volatility of the chosen window, the current estimators,
  // the volatility cone with the implied volatilities placed on it, and the move odds.
  TButton HVChartBtn{this, &TabHVChart, "HVChartBtn", "Compute"};
  TRadioGroup HVWindow{this, &TabHVChart, "HVWindow", "Window", {"10 days", "21 days", "63 days"},
                       1};
  TChart HVCloseChart{this, &TabHVChart, "HVCloseChart"};
  TChart HVChart{this, &TabHVChart, "HVChart"};
  TStringGrid EstimatorsGrid{this, &TabHVChart, "EstimatorsGrid", 4, 6};
  TLabel SkippedLabel{this, &TabHVChart, "SkippedLabel", ""};
  TChart ConeChart{this, &TabHVChart, "ConeChart"};
  TStringGrid ConeGrid{this, &TabHVChart, "ConeGrid", 7, 8};
  TEdit IVPercentileEdit{this, &TabHVChart, "IVPercentileEdit", ""};
  TStringGrid MoveOddsGrid{this, &TabHVChart, "MoveOddsGrid", 5, 11};
  TLabel MoveOddsLabel{this, &TabHVChart, "MoveOddsLabel", ""};

  // Calculator.
  TEdit Strike9{this, &TabSheet2, "Strike9", "0"};
  TEdit Price9{this, &TabSheet2, "Price9", "0"};
  TEdit Vol9{this, &TabSheet2, "Vol9", "0"};
  TEdit RiskFree9{this, &TabSheet2, "RiskFree9", "0.05"};
  TEdit CostofCarry9{this, &TabSheet2, "CostofCarry9", "0.05"};
  TEdit Days9{this, &TabSheet2, "Days9", "0"};
  TRadioGroup OptionType9{this, &TabSheet2, "OptionType9", "Option type", {"Call", "Put"}};
  TRadioGroup DaysOption{
      this, &TabSheet2, "DaysOption", "Day counting", {"Trading days", "All days"}};
  TButton Button9{this, &TabSheet2, "Button9", "Compute"};
  TLabel Label43{this, &TabSheet2, "Label43", "-"};
  TLabel Label45{this, &TabSheet2, "Label45", "(?)"};
  TEdit Edit8{this, &TabSheet2, "Edit8", "0"};
  TEdit Edit3{this, &TabSheet2, "Edit3", "0"};
  // The model the last Compute used (read-only).
  TLabel CalcModelLabel{this, &TabSheet2, "CalcModelLabel", ""};
  TLabel CarryNote{this, &TabSheet2, "CarryNote", "** Cox-ross-rubenstein only"};
  TLabel OverUnderCaption{this, &TabSheet2, "OverUnderCaption", "Overpricing/underpricing"};
  TButton Button10{this, &TabSheet2, "Button10", "O/U Calculator"};
  TButton Button11{this, &TabSheet2, "Button11", "Risk Calculator"};

  // Options.
  TGroupBox FormulaGroup{this, &TabSheet5, "FormulaGroup", "Formula"};
  TComboBox Formula{this,
                    &FormulaGroup,
                    "Formula",
                    "Black-Scholes",
                    {"Black-Scholes", "Cox-Ross-Rubenstein", "Integration normal distribution",
                     "Integration lognormal distribution", "Integration medium distribution"}};
  TGroupBox RiskFreeGroup{this, &TabSheet5, "RiskFreeGroup",
                          "Risk-free interest (drift, fraction/yr)"};
  TEdit RiskFreeInterest{this, &RiskFreeGroup, "RiskFreeInterest", "0.03"};
  TLabel RiskFreeNote{this, &RiskFreeGroup, "RiskFreeNote",
                      "Black-Scholes/ Cox-Ross-Rubenstein only"};
  TRadioGroup ExpirationStyle{this,
                              &TabSheet5,
                              "ExpirationStyle",
                              "Expiration style (Cox-Ross-Rubenstein)",
                              {"European", "American"}};
  TGroupBox StepsGroup{this, &TabSheet5, "StepsGroup", "Number of steps"};
  TSpinEdit NumberOfSteps{this, &StepsGroup, "NumberOfSteps", 300, 1, 9999, 50};
  TLabel StepsNote{this, &StepsGroup, "StepsNote", "Used by Cox-Ross-Rubinstein"};
  TGroupBox IntervalsGroup{this, &TabSheet5, "IntervalsGroup", "Number of intervals"};
  TSpinEdit NumberOfIntervals{this, &IntervalsGroup, "NumberOfIntervals", 1000, 30, 30000, 500};
  TLabel IntervalsNote{this, &IntervalsGroup, "IntervalsNote", "Used by payoff analysis"};
  TGroupBox CarryGroup{this, &TabSheet5, "CarryGroup", "Cost of carry (fraction/yr)"};
  TEdit CostOfCarry{this, &CarryGroup, "CostOfCarry", "0.03"};
  TLabel CarryGroupNote{this, &CarryGroup, "CarryGroupNote", "Used by Cox,-Ross- Rubenstein only"};
  TGroupBox DaysGroup{this, &TabSheet5, "DaysGroup", "Days"};
  TDateTimePicker StartDate{this, &DaysGroup, "StartDate"};
  TDateTimePicker EndDate{this, &DaysGroup, "EndDate"};
  TCheckBox UseTradingDays{this, &DaysGroup, "UseTradingDays", "Use trading days", true};
  TButton Button5{this, &DaysGroup, "Button5", "Compute"};
  TLabel CompDays{this, &DaysGroup, "CompDays", "0"};
  TGroupBox FontGroup{this, &TabSheet5, "FontGroup", "System font"};
  TButton Button6{this, &FontGroup, "Button6", "Change"};

  // About.
  TLabel ProductLabel{this, &TabSheet8, "ProductLabel", "Valquor"};
  TLabel VersionLabel{this, &TabSheet8, "VersionLabel", "Version 2.3"};

  // Hidden buffers: the staging pane of the Copy buttons and the clipboard paste buffer.
  TRichEdit RichEdit7{this, this, "RichEdit7", false};
  TRichEdit RichEdit5{this, this, "RichEdit5", false};

  // The report panes that take the report font, in the order the font is applied.
  [[nodiscard]] std::vector<TRichEdit*> ReportPanes();

  // The 28 position names, in catalogue order (a position's code is its place, from 1).
  [[nodiscard]] static const std::vector<std::string>& PositionNames();
};

}  // namespace valquor
