#include "volatility/VolatilityEstimators.h"

#include <algorithm>
#include <cmath>

namespace valquor {
namespace {

constexpr double kTradingYear = 260;

bool Usable(float price) { return std::isfinite(price) && price > 0; }

// A column of the same length as the closes, else none: a short or missing column must not be
// read past its end.
template <typename T>
std::span<const T> Column(std::span<const T> column, std::size_t count) {
  return column.size() == count ? column : std::span<const T>{};
}

bool UsableRange(float open, float high, float low, float close) {
  return Usable(open) && Usable(high) && Usable(low) && Usable(close) && low <= high &&
         open >= low && open <= high && close >= low && close <= high;
}

// 100 sqrt(260 variance), empty for a variance that is not finite; rounding cannot make a sum
// of non-negative terms negative, but the guard keeps sqrt away from it.
std::optional<double> Annualised(double variance) {
  if (!std::isfinite(variance)) return std::nullopt;
  const double percent = 100 * std::sqrt(kTradingYear * std::max(variance, 0.0));
  if (!std::isfinite(percent)) return std::nullopt;
  return percent;
}

// Sample variance (m-1) of the values picked by `pick` among those `has` accepts; empty below two.
template <typename Has, typename Pick>
std::optional<double> SampleVariance(auto first, auto last, Has has, Pick pick, int& count) {
  double sum = 0;
  count = 0;
  for (auto it = first; it != last; ++it) {
    if (!has(*it)) continue;
    sum += pick(*it);
    ++count;
  }
  if (count < 2) return std::nullopt;
  const double mean = sum / count;
  double squares = 0;
  for (auto it = first; it != last; ++it) {
    if (!has(*it)) continue;
    const double deviation = pick(*it) - mean;
    squares += deviation * deviation;
  }
  return squares / (count - 1);
}

}  // namespace

TPriceColumns ColumnsOf(const TPriceSeries& prices) {
  const auto n = static_cast<std::size_t>(std::clamp(prices.Count, 0, kMaxPrices));
  return {std::span<const double>(prices.Date).subspan(1, n),
          std::span<const float>(prices.Open).subspan(1, n),
          std::span<const float>(prices.High).subspan(1, n),
          std::span<const float>(prices.Low).subspan(1, n),
          std::span<const float>(prices.Close).subspan(1, n)};
}

TPriceColumns ClosesOf(const TPriceSeries& prices) {
  const auto n = static_cast<std::size_t>(std::clamp(prices.Count, 0, kMaxPrices));
  TPriceColumns columns;
  columns.Close = std::span<const float>(prices.Close).subspan(1, n);
  return columns;
}

std::string_view EstimatorName(TEstimator estimator) {
  switch (estimator) {
    case TEstimator::CloseToClose:
      return "Close-to-close";
    case TEstimator::Parkinson:
      return "Parkinson";
    case TEstimator::GarmanKlass:
      return "Garman-Klass";
    case TEstimator::RogersSatchell:
      return "Rogers-Satchell";
    case TEstimator::YangZhang:
      return "Yang-Zhang";
  }
  return {};
}

TVolatilityEstimators::TVolatilityEstimators(const TPriceColumns& prices) {
  const std::span<const float> close = prices.Close;
  const std::size_t n = close.size();
  const auto open = Column(prices.Open, n);
  const auto high = Column(prices.High, n);
  const auto low = Column(prices.Low, n);
  const bool ranges = !open.empty() && !high.empty() && !low.empty();
  const double ln2 = std::log(2.0);

  terms_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    TDailyTerms& t = terms_[i];
    const bool previousUsable = i > 0 && Usable(close[i - 1]);
    t.HasReturn = previousUsable && Usable(close[i]);
    if (t.HasReturn) t.Return = std::log(double{close[i]} / close[i - 1]);
    t.HasRange = ranges && UsableRange(open[i], high[i], low[i], close[i]);
    if (!t.HasRange) continue;
    const double o = open[i];
    const double h = high[i];
    const double l = low[i];
    const double c = close[i];
    const double highLow = std::log(h / l);
    t.OpenToClose = std::log(c / o);
    t.Parkinson = highLow * highLow / (4 * ln2);
    t.GarmanKlass = 0.5 * highLow * highLow - (2 * ln2 - 1) * t.OpenToClose * t.OpenToClose;
    t.RogersSatchell = std::log(h / c) * std::log(h / o) + std::log(l / c) * std::log(l / o);
    t.HasOvernight = previousUsable;
    if (t.HasOvernight) t.Overnight = std::log(o / close[i - 1]);
  }
}

bool TVolatilityEstimators::Fits(int end, int window) const {
  return window >= 1 && end >= window && end < Count();
}

std::optional<double> TVolatilityEstimators::CloseToClose(int end, int window) const {
  if (!Fits(end, window)) return std::nullopt;
  const auto first = terms_.begin() + (end - window + 1);
  const auto last = terms_.begin() + end + 1;
  int returns = 0;
  const auto variance = SampleVariance(
      first, last, [](const TDailyTerms& t) { return t.HasReturn; },
      [](const TDailyTerms& t) { return t.Return; }, returns);
  return variance ? Annualised(*variance) : std::nullopt;
}

std::optional<TWindowEstimate> TVolatilityEstimators::At(int end, int window) const {
  if (!Fits(end, window)) return std::nullopt;
  const auto first = terms_.begin() + (end - window + 1);
  const auto last = terms_.begin() + end + 1;

  TWindowEstimate estimate;
  estimate.Records = window;
  auto& values = estimate.Values;
  values[static_cast<std::size_t>(TEstimator::CloseToClose)] = CloseToClose(end, window);

  int ranges = 0;
  double parkinson = 0;
  double garmanKlass = 0;
  double rogersSatchell = 0;
  for (auto it = first; it != last; ++it) {
    if (!it->HasRange) continue;
    ++ranges;
    parkinson += it->Parkinson;
    garmanKlass += it->GarmanKlass;
    rogersSatchell += it->RogersSatchell;
  }
  estimate.Skipped = window - ranges;
  if (ranges > 0) {
    values[static_cast<std::size_t>(TEstimator::Parkinson)] = Annualised(parkinson / ranges);
    values[static_cast<std::size_t>(TEstimator::GarmanKlass)] = Annualised(garmanKlass / ranges);
    values[static_cast<std::size_t>(TEstimator::RogersSatchell)] =
        Annualised(rogersSatchell / ranges);
  }

  // Yang and Zhang: overnight and open-to-close variances and the Rogers-Satchell variance over
  // the records that have all three.
  const auto hasOvernight = [](const TDailyTerms& t) { return t.HasOvernight; };
  int m = 0;
  const auto overnight = SampleVariance(
      first, last, hasOvernight, [](const TDailyTerms& t) { return t.Overnight; }, m);
  const auto openToClose = SampleVariance(
      first, last, hasOvernight, [](const TDailyTerms& t) { return t.OpenToClose; }, m);
  if (overnight && openToClose) {
    double rs = 0;
    for (auto it = first; it != last; ++it) {
      if (it->HasOvernight) rs += it->RogersSatchell;
    }
    const double k = 0.34 / (1.34 + (m + 1.0) / (m - 1.0));
    values[static_cast<std::size_t>(TEstimator::YangZhang)] =
        Annualised(*overnight + k * *openToClose + (1 - k) * rs / m);
  }
  return estimate;
}

std::vector<TRollingPoint> RollingEstimates(const TPriceColumns& prices, int window) {
  const TVolatilityEstimators estimators(prices);
  const bool dated = prices.Date.size() == prices.Close.size();
  std::vector<TRollingPoint> points;
  if (window < 1) return points;
  for (int end = window; end < estimators.Count(); ++end) {
    const auto estimate = estimators.At(end, window);
    if (!estimate) continue;
    TRollingPoint point;
    point.Record = end + 1;
    point.Date = dated ? prices.Date[static_cast<std::size_t>(end)] : 0;
    point.Values = estimate->Values;
    points.push_back(point);
  }
  return points;
}

TEstimatorsTable CurrentEstimators(const TPriceColumns& prices) {
  const TVolatilityEstimators estimators(prices);
  const int last = estimators.Count() - 1;
  TEstimatorsTable table;
  for (std::size_t column = 0; column < kEstimatorWindows.size(); ++column) {
    const int window = kEstimatorWindows[column];
    const auto estimate = estimators.At(last, window);
    if (!estimate) continue;
    table.Columns[column] = estimate->Values;
    table.Records[column] = estimate->Records;
    table.Skipped[column] = estimate->Skipped;
    table.SkippedRecords = estimate->Skipped;
    table.SkippedWithin = window;
  }
  return table;
}

}  // namespace valquor
