#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "forms/FormPersonalControls.h"
#include "forms/ScriptedPlatform.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/PricingReports.h"
#include "shell/ReportPanel.h"

namespace valquor {
namespace {

// The Pricing page with an engine of a given number of workers.
struct TPricingWindow {
  explicit TPricingWindow(int workers) : engine(workers) { panel.RefreshReportInputs(); }
  TScriptedPlatform platform;
  TFormPersonalControls form;
  bool american = false;
  TReportPanel panel{form, platform, american};
  TValuationEngine engine;
  TExports exports;
  TPricingReports reports{form, platform, panel, exports, [this](TCommand command) {
                            TCommandRunner().Run(std::move(command), engine, platform);
                          }};
};

// Everything a Compute leaves: the messages, then each pane's lines and exported table as
// text (numbers in the CSV read back to the very same singles).
std::vector<std::string> Outcome(TPricingWindow& window) {
  std::vector<std::string> outcome = window.platform.Messages;
  TFormPersonalControls& form = window.form;
  for (const TRichEdit* pane :
       {&form.RichEdit1, &form.RichEdit2, &form.RichEdit3, &form.RichEdit8, &form.RichEdit10}) {
    outcome.push_back("-- " + pane->Name());
    outcome.insert(outcome.end(), pane->Lines().begin(), pane->Lines().end());
    if (const auto kept = window.exports.Find(*pane)) outcome.push_back(CsvText(*kept->Table));
  }
  return outcome;
}

TEST(WorkerCountTest, EveryReportIsTheSameBitForBitForAnyWorkerCount) {
  const struct {
    const char* Label;
    bool Analysis;
    std::function<void(TFormPersonalControls&)> Set;
  } kCases[] = {
      {"American tree, long butterfly", false,
       [](TFormPersonalControls& f) {
         f.Formula.SetText("Cox-Ross-Rubenstein");
         f.ExpirationStyle.SetItemIndex(1);
         f.NumberOfSteps.SetText("120");
         f.PositionName.SetText("Long butterfly");
         f.Days1.SetText("33");
       }},
      {"medium integration, calendar spread, forward axis", false,
       [](TFormPersonalControls& f) {
         f.Formula.SetText("Medium normal/lognormal");
         f.PositionName.SetText("Call calendar spread*");
         f.DaysCombo.SetText("11");
         f.YAxis.SetText("Forward");
       }},
      {"a day step outside the list", false,
       [](TFormPersonalControls& f) { f.DaysCombo.SetText("3"); }},
      {"a tiny volatility", false,
       [](TFormPersonalControls& f) {
         f.Formula.SetText("Cox-Ross-Rubenstein");
         f.VolEdit.SetText("0.002");
       }},
      {"American tree, calendar spread, legs shared across columns", true,
       [](TFormPersonalControls& f) {
         f.Formula.SetText("Cox-Ross-Rubenstein");
         f.ExpirationStyle.SetItemIndex(1);
         f.NumberOfSteps.SetText("60");
         f.NumberOfIntervals.SetText("2000");
         f.PositionName.SetText("Call calendar spread");
         f.DaysCombo.SetText("11");
         f.UseCustomInput.SetChecked(true);
         f.Call3.SetText("30");
       }},
      {"put calendar spread on a locked forward", true,
       [](TFormPersonalControls& f) {
         f.PositionName.SetText("Put calendar spread**");
         f.MainForwardLock.SetChecked(true);
         f.ForwardEdit.SetText("1010");
         f.AnalysisFormula.SetText("Medium normal/lognormal");
       }},
      {"a tiny implied volatility for a calendar spread's far legs", true,
       [](TFormPersonalControls& f) {
         f.PositionName.SetText("Put calendar spread");
         f.VolEdit.SetText("0.002");
         f.NumberOfIntervals.SetText("200");
       }},
      {"lognormal integration, credit calendar spread", true,
       [](TFormPersonalControls& f) {
         f.Formula.SetText("Integration lognormal distribution");
         f.PositionName.SetText("Call credit calendar spread");
         f.MoreInt.SetChecked(true);
       }},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Label);
    std::vector<std::string> first;
    for (const int workers : {1, 2, 7}) {
      SCOPED_TRACE(workers);
      TPricingWindow window(workers);
      c.Set(window.form);
      window.form.MainPageControl.SetActivePage(c.Analysis ? &window.form.TabAnalysis
                                                           : &window.form.TabPricing);
      window.reports.ComputeBtnClick();
      const std::vector<std::string> outcome = Outcome(window);
      if (workers == 1) {
        first = outcome;
        EXPECT_GT(first.size(), 30u);
      } else {
        EXPECT_EQ(outcome, first);
      }
    }
  }
}

}  // namespace
}  // namespace valquor
