// Whole computations of the Volatility page through the main window's form model, as its Compute
// buttons run them: the implied-volatility analysis and the IV Calculator. The worker count is
// the benchmark's argument (VALQUOR_THREADS at the window's creation). The heavy cases run once:
// start them by hand with --benchmark_filter.

#include <benchmark/benchmark.h>

#include "BenchWindow.h"

namespace valquor {
namespace {

using bench::TBenchWindow;
using bench::UseAmericanTree;

// Five strikes with a call and a put premium each, 20 trading days.
void FillAnalysisGrid(TFormPersonal& form) {
  const char* rows[5][3] = {{"120", "1.00", "19.00"},
                            {"110", "2.00", "10.00"},
                            {"100", "5.00", "5.00"},
                            {"90", "10.00", "2.00"},
                            {"80", "20.00", "1.00"}};
  for (int r = 0; r < 5; ++r) {
    for (int col = 0; col < 3; ++col) form.Grid.SetCell(col + 1, r + 1, rows[r][col]);
  }
  form.DaysEdit.SetText("20");
  form.ForwardRes.SetText("100");
  form.VolRes.SetText("45.4");
}

// The implied-volatility analysis, unlocked (five searches, then every premium's own
// volatility), of five strikes under the American tree of `steps` steps.
void BM_ImpliedVolatilityAnalysis(benchmark::State& state, int steps) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  TFormPersonal& form = window.Form();
  UseAmericanTree(form, steps);
  FillAnalysisGrid(form);
  for (auto _ : state) {
    state.PauseTiming();
    form.ForwardRes.SetText("100");
    form.VolRes.SetText("45.4");
    state.ResumeTiming();
    form.RunHandler([&] { form.VolAnalysis.Click(); });
    benchmark::DoNotOptimize(form.RichEdit6.Lines().data());
  }
  if (!window.Platform().Messages.empty()) state.SkipWithError("the analysis showed a message");
  if (form.RichEdit6.Lines().size() != 19) state.SkipWithError("the report has no rows");
}
BENCHMARK_CAPTURE(BM_ImpliedVolatilityAnalysis, AmericanTree300, 300)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImpliedVolatilityAnalysis, AmericanTree9999, 9999)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

// The IV Calculator: 57 valuations of one put under the American tree.
void BM_IVCalculator(benchmark::State& state, int steps) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  TFormPersonal& form = window.Form();
  UseAmericanTree(form, steps);
  form.Strike7.SetText("100");
  form.Price7.SetText("100");
  form.Premium7.SetText("5");
  form.Days7.SetText("20");
  form.OptionType7.SetItemIndex(1);
  for (auto _ : state) {
    form.RunHandler([&] { form.Button8.Click(); });
    benchmark::DoNotOptimize(form.Edit6.Text().data());
  }
  if (!window.Platform().Messages.empty()) state.SkipWithError("the calculator showed a message");
}
BENCHMARK_CAPTURE(BM_IVCalculator, AmericanTree300, 300)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IVCalculator, AmericanTree9999, 9999)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace valquor
