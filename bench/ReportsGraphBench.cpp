// The risk graph redrawn after a what-if change, through the form model as the change handler
// runs it: reading the request, the computation (four lines of 201 prices, the greeks, the
// figures at expiration) and writing the chart, the grid and the fields.

#include <benchmark/benchmark.h>

#include "BenchWindow.h"

namespace valquor {
namespace {

void BM_GraphWhatIfRedraw(benchmark::State& state, const char* formula, const char* position) {
  bench::TBenchWindow window;
  if (!window.Started()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  TFormPersonal& form = window.Form();
  form.Formula.SetText(formula);
  form.PositionName.SetText(position);
  form.MainPageControl.SetActivePage(&form.TabGraph);
  form.RunHandler([&] { form.ComputeBtn.Click(); });
  int change = 0;
  for (auto _ : state) {
    form.RunHandler([&] { form.WhatIfPrice.SetText(++change % 2 == 0 ? "1" : "2"); });
    benchmark::DoNotOptimize(form.GraphChart.Data().Series.data());
  }
  if (!window.Platform().Messages.empty()) state.SkipWithError("the graph showed a message");
}
BENCHMARK_CAPTURE(BM_GraphWhatIfRedraw, BlackScholesCall, "Black-Scholes", "Call")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GraphWhatIfRedraw, BlackScholesButterfly, "Black-Scholes", "Long butterfly")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GraphWhatIfRedraw, BlackScholesCalendar, "Black-Scholes",
                  "Call calendar spread")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GraphWhatIfRedraw, Binomial300Call, "Cox-Ross-Rubenstein", "Call")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace valquor
