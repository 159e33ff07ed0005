// The risk graph redrawn after a what-if change, through the form model as the change handler
// runs it: reading the request, the computation (four lines of 201 prices, the greeks, the
// figures at expiration) and writing the chart, the grid and the fields.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "forms/ScriptedPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

void BM_GraphWhatIfRedraw(benchmark::State& state, const char* formula, const char* position) {
  std::string folder = (std::filesystem::temp_directory_path() / "valquor-bench-XXXXXX").string();
  if (::mkdtemp(folder.data()) == nullptr) {
    state.SkipWithError("no temporary folder");
    return;
  }
  {
    TScriptedPlatform platform;
    platform.Folder = folder;
    TFormPersonal form(platform);
    form.RunHandler([&] { form.Show(); });
    form.RunHandler([&] { form.Activate(); });
    form.Formula.SetText(formula);
    form.PositionName.SetText(position);
    form.MainPageControl.SetActivePage(&form.TabGraph);
    form.RunHandler([&] { form.ComputeBtn.Click(); });
    int change = 0;
    for (auto _ : state) {
      form.RunHandler([&] { form.WhatIfPrice.SetText(++change % 2 == 0 ? "1" : "2"); });
      benchmark::DoNotOptimize(form.GraphChart.Data().Series.data());
    }
    if (!platform.Messages.empty()) state.SkipWithError("the graph showed a message");
  }
  std::filesystem::remove_all(folder);
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
