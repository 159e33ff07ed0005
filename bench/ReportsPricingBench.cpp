// The Pricing page's Compute through the whole main window, as the user runs it, with engines of
// a given number of workers (the benchmark's argument). The heavy ones run once per repetition
// (Iterations(1)) and are meant to be run by hand:
//   reports_bench --benchmark_filter=PricingTarget
// The Default ones are the everyday case, which must stay well under 20 ms.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "BenchWindow.h"
#include "compute/WorkControl.h"
#include "shell/Command.h"

namespace valquor {
namespace {

using bench::TBenchWindow;
using bench::UseAmericanTree;

// Compute with the Fair value (analysis = false) or the Analysis page in view.
void Compute(TBenchWindow& window, bool analysis) {
  TFormPersonal& form = window.Form();
  form.MainPageControl.SetActivePage(analysis ? &form.TabAnalysis : &form.TabPricing);
  form.RunHandler([&] { form.ComputeBtn.Click(); });
}

void Run(benchmark::State& state, TBenchWindow& window, bool analysis, const TRichEdit& pane) {
  for (auto _ : state) {
    Compute(window, analysis);
    benchmark::DoNotOptimize(pane.Lines().data());
  }
  state.counters["workers"] = static_cast<double>(window.Form().Engine.Workers());
  if (!window.Platform().Messages.empty()) {
    state.SkipWithError(("a report showed " + window.Platform().Messages.front()).c_str());
  }
}

// Payoff analysis of a call calendar spread, 30000 intervals, American tree of 300 steps (the
// Analysis page: the calculator and probabilities add a few milliseconds).
void BM_PricingTargetPayoff30000(benchmark::State& state) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  TFormPersonal& form = window.Form();
  UseAmericanTree(form, 300);
  form.NumberOfIntervals.SetText("30000");
  form.PositionName.SetText("Call calendar spread");
  Run(state, window, true, form.RichEdit3);
}
BENCHMARK(BM_PricingTargetPayoff30000)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// Fair value and delta of a call, American tree of 9999 steps.
void BM_PricingTargetFairValue9999(benchmark::State& state) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  TFormPersonal& form = window.Form();
  UseAmericanTree(form, 9999);
  Run(state, window, false, form.RichEdit1);
}
BENCHMARK(BM_PricingTargetFairValue9999)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The same for a long butterfly (three legs a cell, two of them shared with the next rows).
void BM_PricingTargetButterfly9999(benchmark::State& state) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  TFormPersonal& form = window.Form();
  UseAmericanTree(form, 9999);
  form.PositionName.SetText("Long butterfly");
  Run(state, window, false, form.RichEdit1);
}
BENCHMARK(BM_PricingTargetButterfly9999)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// The Analysis page of a call calendar spread with an American tree of 9999 steps; the second
// argument is the number of intervals (1000 is the full job, some 9 minutes on one core, so the
// registered runs use fewer and the figure is scaled by (intervals + 1)).
void BM_PricingTargetAnalysis9999(benchmark::State& state) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  TFormPersonal& form = window.Form();
  UseAmericanTree(form, 9999);
  form.NumberOfIntervals.SetText(std::to_string(state.range(1)));
  form.PositionName.SetText("Call calendar spread");
  Run(state, window, true, form.RichEdit3);
}
BENCHMARK(BM_PricingTargetAnalysis9999)
    ->Args({1, 30})
    ->Args({2, 30})
    ->Args({1, 100})
    ->Args({2, 100})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// A runner that computes a command on a thread of its own while it watches the progress: it notes
// when the fraction done first moves, asks the command to stop after `stopAfter`, and notes how
// long the stop takes to end it.
class TWatchingRunner : public TCommandRunner {
 public:
  explicit TWatchingRunner(std::chrono::duration<double> stopAfter) : stopAfter_(stopAfter) {}
  void Run(TCommand command, TValuationEngine& engine, TPlatform& platform) override {
    using TClock = std::chrono::steady_clock;
    TWorkControl control;
    TCommandOutcome outcome;
    const TClock::time_point start = TClock::now();
    std::thread computing([&] { outcome = ComputeCommand(command, engine, control); });
    std::optional<TClock::time_point> moved;
    while (TClock::now() - start < stopAfter_) {
      if (!moved && control.Fraction() > 0) moved = TClock::now();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const TClock::time_point asked = TClock::now();
    control.RequestStop();
    computing.join();
    StopSeconds = std::chrono::duration<double>(TClock::now() - asked).count();
    FirstProgressSeconds = moved ? std::chrono::duration<double>(*moved - start).count() : -1;
    Stopped = outcome.Stopped;
    FinishCommand(command, outcome, platform);
  }
  double FirstProgressSeconds = 0;
  double StopSeconds = 0;
  bool Stopped = false;

 private:
  std::chrono::duration<double> stopAfter_;
};

// The Analysis page's 9999-step job (call calendar spread, 1000 intervals) as the window runs it:
// seconds until the fraction done first moves, and until a stop asked after 1.5 s takes effect.
void BM_PricingTargetAnalysisStop(benchmark::State& state) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  TFormPersonal& form = window.Form();
  UseAmericanTree(form, 9999);
  form.PositionName.SetText("Call calendar spread");
  TWatchingRunner runner(std::chrono::milliseconds(1500));
  form.SetCommandRunner(&runner);
  double firstProgress = 0;
  double stop = 0;
  for (auto _ : state) {
    Compute(window, true);
    firstProgress = std::max(firstProgress, runner.FirstProgressSeconds);
    stop = std::max(stop, runner.StopSeconds);
    if (!runner.Stopped) state.SkipWithError("the computation ended before the stop");
  }
  form.SetCommandRunner(nullptr);
  state.counters["first_progress_s"] = firstProgress;
  state.counters["stop_s"] = stop;
}
BENCHMARK(BM_PricingTargetAnalysisStop)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(3)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// Compute at the settings as shipped, on either page.
void BM_PricingDefaultFairValuePage(benchmark::State& state) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  Run(state, window, false, window.Form().RichEdit1);
}
BENCHMARK(BM_PricingDefaultFairValuePage)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PricingDefaultAnalysisPage(benchmark::State& state) {
  TBenchWindow window(static_cast<int>(state.range(0)));
  Run(state, window, true, window.Form().RichEdit3);
}
BENCHMARK(BM_PricingDefaultAnalysisPage)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace valquor
