#include "volatility/VolatilityCone.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "models/Format.h"

namespace valquor {

double Percentile(std::span<const double> sorted, double p) {
  if (sorted.empty()) return 0;
  const double position = std::clamp(p, 0.0, 1.0) * static_cast<double>(sorted.size() - 1);
  const auto below = static_cast<std::size_t>(std::floor(position));
  if (below + 1 >= sorted.size()) return sorted.back();
  const double fraction = position - static_cast<double>(below);
  return sorted[below] + fraction * (sorted[below + 1] - sorted[below]);
}

TVolatilityCone VolatilityCone(const TPriceColumns& prices) {
  const TVolatilityEstimators estimators(prices);
  const int last = estimators.Count() - 1;
  TVolatilityCone cone;
  for (std::size_t w = 0; w < kConeWindows.size(); ++w) {
    TConeRow& row = cone[w];
    row.Window = kConeWindows[w];
    for (int end = row.Window; end <= last; ++end) {
      if (const auto v = estimators.CloseToClose(end, row.Window)) row.Volatilities.push_back(*v);
    }
    if (row.Volatilities.empty()) continue;
    row.Latest = estimators.CloseToClose(last, row.Window);
    std::sort(row.Volatilities.begin(), row.Volatilities.end());
    row.Minimum = row.Volatilities.front();
    row.Percentile25 = Percentile(row.Volatilities, 0.25);
    row.Median = Percentile(row.Volatilities, 0.5);
    row.Percentile75 = Percentile(row.Volatilities, 0.75);
    row.Maximum = row.Volatilities.back();
  }
  return cone;
}

int ClosestConeWindow(int days) {
  int best = kConeWindows.front();
  for (const int window : kConeWindows) {
    // Strictly closer only: a tie keeps the shorter window met first.
    if (std::abs(static_cast<long long>(window) - days) <
        std::abs(static_cast<long long>(best) - days)) {
      best = window;
    }
  }
  return best;
}

std::string Ordinal(int n) {
  const long long magnitude = std::llabs(static_cast<long long>(n));
  const long long lastTwo = magnitude % 100;
  const char* suffix = "th";
  if (lastTwo < 11 || lastTwo > 13) {
    switch (magnitude % 10) {
      case 1:
        suffix = "st";
        break;
      case 2:
        suffix = "nd";
        break;
      case 3:
        suffix = "rd";
        break;
      default:
        break;
    }
  }
  return std::to_string(n) + suffix;
}

TIVPercentile PlaceOnCone(const TVolatilityCone& cone, double impliedVolatility, int days) {
  TIVPercentile result;
  result.Window = ClosestConeWindow(days);
  if (!(impliedVolatility > 0) || !std::isfinite(impliedVolatility)) {
    result.Place = TIVPlace::NoVolatility;
    result.Text = "No implied volatility to place";
    return result;
  }
  const std::string volatility = FormatFixed(impliedVolatility, 1) + " %";
  const std::string windowName = std::to_string(result.Window) + "-day volatility";
  const auto row = std::find_if(cone.begin(), cone.end(),
                                [&](const TConeRow& r) { return r.Window == result.Window; });
  if (row == cone.end() || row->Volatilities.empty()) {
    result.Place = TIVPlace::NoHistory;
    result.Text = volatility + ": too little history for " + windowName;
    return result;
  }
  const std::vector<double>& v = row->Volatilities;
  if (impliedVolatility < v.front()) {
    result.Place = TIVPlace::Below;
    result.Text = volatility + " is below every " + windowName;
    return result;
  }
  if (impliedVolatility > v.back()) {
    result.Place = TIVPlace::Above;
    result.Text = volatility + " is above every " + windowName;
    return result;
  }
  // The position that Percentile would map to this volatility: the middle of a run of equal
  // values, else the interpolation between the two values around it.
  const auto first = std::lower_bound(v.begin(), v.end(), impliedVolatility);
  const auto past = std::upper_bound(v.begin(), v.end(), impliedVolatility);
  double position = 0;
  if (first != past) {
    position =
        (static_cast<double>(first - v.begin()) + static_cast<double>(past - v.begin()) - 1) / 2;
  } else {
    const auto above = static_cast<std::size_t>(first - v.begin());
    position = static_cast<double>(above - 1) +
               (impliedVolatility - v[above - 1]) / (v[above] - v[above - 1]);
  }
  result.Place = TIVPlace::Inside;
  result.Percentile = v.size() > 1 ? 100 * position / static_cast<double>(v.size() - 1) : 50;
  result.Text = volatility + " is at the " +
                Ordinal(static_cast<int>(std::nearbyint(result.Percentile))) + " percentile of " +
                windowName;
  return result;
}

}  // namespace valquor
