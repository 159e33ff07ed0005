#include "volatility/MoveOdds.h"

#include <cmath>
#include <limits>

#include "models/NormalDistribution.h"

namespace valquor {
namespace {

bool Usable(float price) { return std::isfinite(price) && price > 0; }

std::optional<float> Single(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    return std::nullopt;
  }
  return static_cast<float>(value);
}

// The lognormal chances, in percent, of ending above the level q % over the forward and below
// the level q % under it, with the single-precision steps of the probabilities report.
struct TModelChances {
  std::optional<double> Up;
  std::optional<double> Down;
};

TModelChances ModelChances(int change, int days, float trueVolatility, float forward) {
  const auto sigmaPercent =
      Single(std::sqrt(static_cast<double>(days)) * trueVolatility / std::sqrt(260.0));
  if (!sigmaPercent || !Usable(forward)) return {};
  const auto sigma = static_cast<float>(0.01 * *sigmaPercent);
  const auto below = [&](int percent) -> std::optional<double> {
    const auto level = Single((1 + 0.01 * percent) * forward);
    if (!level) return std::nullopt;
    // A price under a lognormal law never ends at or below 0.
    if (*level <= 0) return 0.0;
    return ProbabilityBelow(*level, forward, sigma);
  };
  TModelChances chances;
  if (const auto up = below(change)) chances.Up = 100 - 100 * *up;
  if (const auto down = below(-change)) chances.Down = 100 * *down;
  return chances;
}

}  // namespace

TMoveOdds HistoricalMoveOdds(std::span<const float> closes, int days, float trueVolatility) {
  TMoveOdds odds;
  odds.Days = days;
  const auto n = static_cast<long long>(closes.size());
  if (days < 1 || days >= n) return odds;

  std::array<int, kMoveLevels> up{};  // [q - 1]
  std::array<int, kMoveLevels> down{};
  for (long long i = 0; i + days < n; ++i) {
    const float start = closes[static_cast<std::size_t>(i)];
    const float end = closes[static_cast<std::size_t>(i + days)];
    if (!Usable(start) || !Usable(end)) continue;
    ++odds.Windows;
    // 100 end against (100 +- q) start: exact in double for single-precision closes, so a move
    // of exactly q % is not beyond q %.
    const double end100 = 100.0 * end;
    for (int q = 1; q <= kMoveLevels; ++q) {
      if (end100 > (100.0 + q) * start) ++up[static_cast<std::size_t>(q - 1)];
      if (end100 < (100.0 - q) * start) ++down[static_cast<std::size_t>(q - 1)];
    }
  }
  odds.TooLittleHistory = odds.Windows < kMinMoveWindows;
  if (odds.TooLittleHistory) return odds;

  const float forward = closes.back();
  for (int q = 1; q <= kMoveLevels; ++q) {
    TMoveOddsRow row;
    row.Change = q;
    row.UpCount = up[static_cast<std::size_t>(q - 1)];
    row.DownCount = down[static_cast<std::size_t>(q - 1)];
    row.UpShare = 100.0 * row.UpCount / odds.Windows;
    row.DownShare = 100.0 * row.DownCount / odds.Windows;
    const TModelChances model = ModelChances(q, days, trueVolatility, forward);
    row.UpModel = model.Up;
    row.DownModel = model.Down;
    odds.Rows.push_back(row);
  }
  return odds;
}

}  // namespace valquor
