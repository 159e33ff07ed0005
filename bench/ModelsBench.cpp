// Speed of the valuation models: one Black-Scholes value, binomial trees of 300 and 9999 steps
// and the integration model at 5000 intervals.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "models/Option.h"
#include "models/OptionCRR.h"
#include "models/OptionInt.h"
#include "models/MessageSink.h"

namespace valquor {
namespace {

void BM_BlackScholes(benchmark::State& state) {
  TMessageLog platform;
  TOption option(platform);
  option.RiskFree = 0.05f;
  float price = 100.0f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(price);
    benchmark::DoNotOptimize(option.Value(false, 130, 105.0f, price, 25.0f));
  }
}
BENCHMARK(BM_BlackScholes);

void CrrBenchmark(benchmark::State& state, bool american, bool isPut, int steps) {
  TMessageLog platform;
  TOptionCRR option(platform);
  option.American = american;
  option.RiskFree = 0.05f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(option.Value(isPut, 260, 100.0f, 100.0f, 20.0f, 0.05f, steps));
  }
}

void BM_CRR300European(benchmark::State& state) { CrrBenchmark(state, false, false, 300); }
void BM_CRR300American(benchmark::State& state) { CrrBenchmark(state, true, true, 300); }
void BM_CRR9999American(benchmark::State& state) { CrrBenchmark(state, true, true, 9999); }
BENCHMARK(BM_CRR300European);
BENCHMARK(BM_CRR300American);
BENCHMARK(BM_CRR9999American)->Unit(benchmark::kMillisecond);

// Arguments: the distribution kind (1 normal, 2 lognormal, 3 medium) and the days of an at the
// money call at 45 % volatility. At 20 days most of the grid carries no mass; at 260 days the
// lognormal and medium distributions reach over all of it, the slowest case.
void BM_Int5000(benchmark::State& state) {
  TMessageLog platform;
  TOptionInt option(platform);
  option.Intervals = 5000;
  option.Distribution = static_cast<std::uint8_t>(state.range(0));
  const int days = static_cast<int>(state.range(1));
  float upper = 0.0f;
  float shifted = 0.0f;
  for (auto _ : state) {
    option.Values(false, days, 100.0f, 100.0f, 45.0f, upper, shifted);
    benchmark::DoNotOptimize(upper);
    benchmark::DoNotOptimize(shifted);
  }
}
BENCHMARK(BM_Int5000)->ArgsProduct({{1, 2, 3}, {20, 260}})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace valquor
