// Whole computations of the Pricing page through the form model, as Compute runs them.

#include <benchmark/benchmark.h>

#include "compute/Engine.h"
#include "forms/FormPersonalControls.h"
#include "forms/ScriptedPlatform.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/PricingReports.h"
#include "shell/ReportPanel.h"

namespace valquor {
namespace {

// The window's parts the reports use, as start-up leaves them.
struct TPricingPage {
  TPricingPage() { panel.RefreshReportInputs(); }
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

// Compute on the Fair value page: the fair value table (121 valuations) and the delta report.
void BM_FairValuePage(benchmark::State& state, const char* formula, int style) {
  TPricingPage page;
  page.form.Formula.SetText(formula);
  page.form.ExpirationStyle.SetItemIndex(style);
  page.form.MainPageControl.SetActivePage(&page.form.TabPricing);
  for (auto _ : state) {
    page.reports.ComputeBtnClick();
    benchmark::DoNotOptimize(page.form.RichEdit1.Lines().data());
  }
  if (!page.platform.Messages.empty()) state.SkipWithError("a report showed a message");
}
BENCHMARK_CAPTURE(BM_FairValuePage, BinomialAmerican300, "Cox-Ross-Rubenstein", 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FairValuePage, BlackScholes, "Black-Scholes", 0)
    ->Unit(benchmark::kMillisecond);

// The payoff analysis at its defaults (day step 2, 1000 intervals) for a call calendar spread
// with the binomial model: every column values both legs at the 1001 grid prices.
void BM_PayoffCalendarBinomial(benchmark::State& state) {
  TPricingPage page;
  page.form.Formula.SetText("Cox-Ross-Rubenstein");
  page.form.PositionName.SetText("Call calendar spread");
  TPanelReading panel = page.panel.ReadReportInputs(page.platform, true);
  panel.Inputs.MaxDays = page.panel.MaxDays();
  const TPayoffRequest request = page.reports.ReadPayoff(panel, page.platform);
  for (auto _ : state) {
    TWorkControl control;
    TComputeContext context(page.engine, page.platform, control);
    benchmark::DoNotOptimize(ComputePayoff(request, context).Rows.data());
  }
  if (!page.platform.Messages.empty()) state.SkipWithError("the report showed a message");
}
BENCHMARK(BM_PayoffCalendarBinomial)->Unit(benchmark::kMillisecond);

// Compute on the Analysis page with the same settings: calculator, probabilities and payoff.
void BM_AnalysisPageCalendarBinomial(benchmark::State& state) {
  TPricingPage page;
  page.form.Formula.SetText("Cox-Ross-Rubenstein");
  page.form.PositionName.SetText("Call calendar spread");
  page.form.MainPageControl.SetActivePage(&page.form.TabAnalysis);
  for (auto _ : state) {
    page.reports.ComputeBtnClick();
    benchmark::DoNotOptimize(page.form.RichEdit3.Lines().data());
  }
  if (!page.platform.Messages.empty()) state.SkipWithError("a report showed a message");
}
BENCHMARK(BM_AnalysisPageCalendarBinomial)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace valquor
