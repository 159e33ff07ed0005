#include "models/OptionInt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "models/ModelFaults.h"
#include "models/NormalKernel.h"

namespace valquor {
namespace {

using detail::DescribeNumber;
using detail::NormalCdfKernel;

[[noreturn]] void IntegrationFault(const std::string& what) {
  throw ArithmeticFault("integration model: " + what);
}

// GridPrice without its checks; j and intervals as 64-bit integers so that N + 1 cannot overflow.
float GridPriceKernel(std::int64_t j, float p, std::int64_t intervals) {
  const double price = p;
  return static_cast<float>(
      price + price * (10.0 * static_cast<double>(j) / static_cast<double>(intervals) - 1.0));
}

// The distribution functions with their constants taken out of the grid loops. The public
// functions build one for each call, so both give the same values.
struct NormalKernel {
  double Centre;
  double InverseScale;  // 1 / (centre * spread)
  double operator()(double x) const { return NormalCdfKernel((x - Centre) * InverseScale); }
};

struct LognormalKernel {
  double LnCentre;
  double InverseSpread;
  double HalfVariance;  // spread^2 / 2
  double operator()(double x) const {
    return NormalCdfKernel((std::log(x) - LnCentre + HalfVariance) * InverseSpread);
  }
};

struct MediumKernel {
  NormalKernel Normal;
  LognormalKernel Lognormal;
  double operator()(double x) const {
    const double single = static_cast<float>(x);
    return static_cast<float>((Normal(single) + Lognormal(single)) / 2.0);
  }
};

NormalKernel MakeNormalKernel(double centre, double spread) {
  const double scale = centre * spread;
  if (scale == 0.0 || !std::isfinite(scale)) {
    IntegrationFault("division by " + DescribeNumber(scale) + " in the normal distribution");
  }
  const double inverse = 1.0 / scale;
  if (!std::isfinite(inverse)) IntegrationFault("overflow in the normal distribution");
  return NormalKernel{centre, inverse};
}

// spread must be positive.
LognormalKernel MakeLognormalKernel(double centre, double spread) {
  if (!(centre > 0.0) || !std::isfinite(centre))
    IntegrationFault("ln of " + DescribeNumber(centre));
  return LognormalKernel{std::log(centre), 1.0 / spread, spread * spread / 2.0};
}

// Calls `body` with the distribution kernel of `kind` built on centre and spread (positive);
// returns false for a kind without a distribution.
template <class Body>
bool WithKernel(std::uint8_t kind, double centre, double spread, Body&& body) {
  switch (kind) {
    case kNormalDistribution:
      body(MakeNormalKernel(centre, spread));
      return true;
    case kLognormalDistribution:
      body(MakeLognormalKernel(centre, spread));
      return true;
    case kMediumDistribution: {
      const double single = static_cast<float>(spread);
      const double singleCentre = static_cast<float>(centre);
      body(MediumKernel{MakeNormalKernel(singleCentre, single),
                        MakeLognormalKernel(singleCentre, single)});
      return true;
    }
    default:
      return false;
  }
}

// The first index in first..last for which `holds` is true, or last + 1; `holds` must be false
// up to some index and true from there on.
template <class Predicate>
std::int64_t FirstIndex(std::int64_t first, std::int64_t last, Predicate&& holds) {
  std::int64_t lo = first;
  std::int64_t hi = last + 1;
  while (lo < hi) {
    const std::int64_t mid = lo + (hi - lo) / 2;
    if (holds(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  return lo;
}

// The two sums of Values over grid indices 3 to N + 1. A term is 0 where the payoff is 0 (below
// the strike for a call, above it for a put) and where F and its two predecessors are equal
// (all exactly 0 in the lower tail, all exactly 1 in the upper one); the grid and F rise with
// j, so the terms that remain form one block, found by bisection, and the sums are the same as
// over the whole grid.
template <class Cdf>
void Integrate(const Cdf& cdf, bool isPut, float strike, float price, std::int64_t intervals,
               double& upper, double& shifted) {
  const auto grid = [&](std::int64_t j) { return GridPriceKernel(j, price, intervals); };
  const std::int64_t first = 3;
  const std::int64_t last = intervals + 1;
  const std::int64_t paysFrom =
      isPut ? first : FirstIndex(first, last, [&](std::int64_t j) { return grid(j) > strike; });
  const std::int64_t paysTo =
      isPut ? FirstIndex(first, last, [&](std::int64_t j) { return !(strike > grid(j)); }) - 1
            : last;
  const std::int64_t rises =
      FirstIndex(first, last, [&](std::int64_t j) { return cdf(grid(j)) != 0.0; });
  const std::int64_t saturates =
      FirstIndex(first, last, [&](std::int64_t j) { return cdf(grid(j)) == 1.0; });
  // Two indices before the block the F values are needed, not the terms; below `rises` they are
  // 0, as the sums start.
  const std::int64_t from = std::max(first, std::max(paysFrom, rises) - 2);
  const std::int64_t to = std::min(paysTo, saturates + 1);
  double previous = 0.0;        // F_(j-1)
  double beforePrevious = 0.0;  // F_(j-2)
  for (std::int64_t j = from; j <= to; ++j) {
    const float x = grid(j);
    const double f = cdf(x);
    const double payoff = PayoffAt(isPut, x, strike);
    upper += payoff * std::fabs(f - previous);
    shifted += payoff * std::fabs(previous - beforePrevious);
    beforePrevious = previous;
    previous = f;
  }
}

}  // namespace

float GridPrice(int j, float p, int intervals) {
  if (intervals <= 0) IntegrationFault("a grid of " + std::to_string(intervals) + " intervals");
  const float x = GridPriceKernel(j, p, intervals);
  if (!std::isfinite(x)) IntegrationFault("overflow of grid price " + std::to_string(j));
  return x;
}

float PayoffAt(bool isPut, float x, float strike) {
  if (isPut) return strike > x ? static_cast<float>(double{strike} - double{x}) : 0.0f;
  return x > strike ? static_cast<float>(double{x} - double{strike}) : 0.0f;
}

double NormalPriceCdf(double x, double centre, double spread) {
  if (std::isnan(x)) IntegrationFault("normal distribution of an undefined number");
  const double z = (x - centre) * MakeNormalKernel(centre, spread).InverseScale;
  if (std::isnan(z)) IntegrationFault("invalid operation in the normal distribution");
  return NormalCdfKernel(z);
}

float TOptionInt::GridPrice(int j, float p) const { return valquor::GridPrice(j, p, Intervals); }

double TOptionInt::LognormalPriceCdf(double x, double centre, double spread) {
  if (std::isnan(spread)) IntegrationFault("comparison with an undefined spread");
  if (spread <= 0.0) {
    messages_.ShowMessage("Errror 678", TMessageKind::Error);
    return 0.0;
  }
  if (!(x > 0.0)) IntegrationFault("ln of " + DescribeNumber(x));
  const LognormalKernel kernel = MakeLognormalKernel(centre, spread);
  const double z = (std::log(x) - kernel.LnCentre + kernel.HalfVariance) * kernel.InverseSpread;
  if (std::isnan(z)) IntegrationFault("invalid operation in the lognormal distribution");
  return NormalCdfKernel(z);
}

float TOptionInt::MediumPriceCdf(float x, float centre, float spread) {
  return static_cast<float>(
      (NormalPriceCdf(x, centre, spread) + LognormalPriceCdf(x, centre, spread)) / 2.0);
}

double TOptionInt::DistributionCdf(std::uint8_t kind, double x, double centre, double spread) {
  switch (kind) {
    case kNormalDistribution:
      return NormalPriceCdf(x, centre, spread);
    case kLognormalDistribution:
      return LognormalPriceCdf(x, centre, spread);
    case kMediumDistribution:
      return MediumPriceCdf(static_cast<float>(x), static_cast<float>(centre),
                            static_cast<float>(spread));
    default:
      return 0.0;
  }
}

void TOptionInt::Values(bool isPut, int days, float strike, float price, float volatility,
                        float& upperSum, float& shiftedSum) {
  upperSum = 0.0f;
  shiftedSum = 0.0f;
  if (std::isnan(strike) || std::isnan(price) || std::isnan(volatility)) {
    IntegrationFault("an undefined number among the option terms");
  }
  if (price < 0.1) return;
  if (days < 1 || volatility < 0.001) {
    const double intrinsic =
        isPut ? double{strike} - double{price} : double{price} - double{strike};
    if (intrinsic < 0.0001) return;
    const auto value = static_cast<float>(intrinsic);
    if (!std::isfinite(value)) IntegrationFault("overflow of the intrinsic value");
    upperSum = value;
    shiftedSum = value;
    return;
  }
  if (DaysPerYear == 0) IntegrationFault("division by zero (days per year)");
  const double years = static_cast<double>(days) / DaysPerYear;
  if (years < 0.0) IntegrationFault("square root of a negative time");
  const double spread = std::sqrt(years) * 0.01 * volatility;
  if (!std::isfinite(spread)) IntegrationFault("overflow of the spread");
  if (std::fabs(spread) < 0.0001) {
    messages_.ShowMessage(detail::DaysVolMessage("1090", days, volatility), TMessageKind::Error);
    return;
  }
  const std::int64_t intervals = Intervals;
  if (intervals < 2) return;
  if (!std::isfinite(GridPriceKernel(intervals + 1, price, intervals))) {
    IntegrationFault("overflow of the price grid");
  }

  double upper = 0.0;
  double shifted = 0.0;
  WithKernel(Distribution, price, spread, [&](const auto& cdf) {
    Integrate(cdf, isPut, strike, price, intervals, upper, shifted);
  });
  const auto upperValue = static_cast<float>(upper);
  const auto shiftedValue = static_cast<float>(shifted);
  if (!std::isfinite(upperValue) || !std::isfinite(shiftedValue)) {
    IntegrationFault("overflow of the sums");
  }
  upperSum = upperValue;
  shiftedSum = shiftedValue;
}

bool TOptionInt::AnalysePayoff(PayoffStats& stats, std::span<const float> values) {
  const float entryValue = stats.Row.EntryValue;
  stats.Row = PayoffRow{};
  stats.Row.EntryValue = entryValue;
  stats.GainSum1 = stats.GainMass1 = stats.GainSum2 = stats.GainMass2 = 0.0f;
  stats.LossSum1 = stats.LossMass1 = stats.LossSum2 = stats.LossMass2 = 0.0f;

  if (DaysPerYear == 0) IntegrationFault("division by zero (days per year)");
  const double years = static_cast<double>(stats.Days) / DaysPerYear;
  if (years < 0.0) IntegrationFault("square root of a negative time");
  if (stats.Days < 1) return true;
  // A spread of 0 would divide by zero in the normal distribution and show "Errror 678" at
  // every grid point in the lognormal one: the caller refuses it with a message of its own.
  if (!(stats.TrueVol > 0.0f)) return false;
  const double spread = std::sqrt(years) * 0.01 * stats.TrueVol;
  if (!std::isfinite(spread)) IntegrationFault("overflow of the spread");

  const std::int64_t intervals = Intervals;
  if (intervals < 1) return true;
  if (values.size() < static_cast<std::uint64_t>(intervals) + 1) {
    throw std::invalid_argument("AnalysePayoff: the values table is shorter than the grid");
  }
  const float price = stats.Price;
  if (!std::isfinite(GridPriceKernel(intervals + 1, price, intervals))) {
    IntegrationFault("overflow of the price grid");
  }
  if (Distribution == kLognormalDistribution || Distribution == kMediumDistribution) {
    const float lowest = GridPriceKernel(2, price, intervals);
    if (!(lowest > 0.0f)) IntegrationFault("ln of " + DescribeNumber(lowest));
  }

  double gainSum1 = 0.0, gainMass1 = 0.0, gainSum2 = 0.0, gainMass2 = 0.0;
  double lossSum1 = 0.0, lossMass1 = 0.0, lossSum2 = 0.0, lossMass2 = 0.0;
  const double entry = entryValue;
  const double cost = stats.CostPerTrade;
  const auto accumulate = [&](const auto& cdf) {
    double previous = 0.0;        // F'_(k-1)
    double beforePrevious = 0.0;  // F'_(k-2)
    for (std::int64_t k = 1; k <= intervals; ++k) {
      const double f = cdf(GridPriceKernel(k + 1, price, intervals));
      const double above = std::fabs(f - previous);               // mass above grid point k
      const double below = std::fabs(previous - beforePrevious);  // mass below it
      const double gain = double{values[static_cast<std::size_t>(k)]} - entry - cost;
      if (gain > 0.0) {
        gainMass1 += above;
        gainSum1 += gain * above;
        gainMass2 += below;
        gainSum2 += gain * below;
      } else {  // a result of exactly 0 counts as a loss
        lossMass1 += above;
        lossSum1 += gain * above;
        lossMass2 += below;
        lossSum2 += gain * below;
      }
      beforePrevious = previous;
      previous = f;
    }
  };
  if (!WithKernel(Distribution, stats.Forward, spread, accumulate)) {
    // No distribution: every mass is 0, every position value a gain or a loss of weight 0.
    accumulate([](float) { return 0.0; });
  }

  const auto store = [](double sum, float& field) {
    field = static_cast<float>(sum);
    if (!std::isfinite(field)) {
      IntegrationFault("a position value out of range in the payoff table");
    }
  };
  store(gainSum1, stats.GainSum1);
  store(gainMass1, stats.GainMass1);
  store(gainSum2, stats.GainSum2);
  store(gainMass2, stats.GainMass2);
  store(lossSum1, stats.LossSum1);
  store(lossMass1, stats.LossMass1);
  store(lossSum2, stats.LossSum2);
  store(lossMass2, stats.LossMass2);

  PayoffRow& row = stats.Row;
  const auto ratio = [](float part, double whole, float& field) {
    if (whole > 0.0001) field = static_cast<float>(part / whole);
  };
  ratio(stats.GainMass1, double{stats.GainMass1} + stats.LossMass1, row.GainChance1);
  ratio(stats.GainMass2, double{stats.GainMass2} + stats.LossMass2, row.GainChance2);
  ratio(stats.GainSum1, stats.GainMass1, row.AvgGain1);
  ratio(stats.GainSum2, stats.GainMass2, row.AvgGain2);
  ratio(stats.LossSum1, stats.LossMass1, row.AvgLoss1);
  ratio(stats.LossSum2, stats.LossMass2, row.AvgLoss2);

  // Widen each pair of averages into a range one and a half times their difference further out.
  const auto widen = [](float& low, float& high) {
    const double margin = std::fabs(1.5 * (double{high} - double{low}));
    low = static_cast<float>(low - margin);
    high = static_cast<float>(high + margin);
  };
  widen(row.AvgGain1, row.AvgGain2);
  widen(row.AvgLoss1, row.AvgLoss2);
  for (const float field : {row.AvgGain1, row.AvgGain2, row.AvgLoss1, row.AvgLoss2}) {
    if (!std::isfinite(field)) IntegrationFault("an average gain or loss out of range");
  }
  return true;
}

}  // namespace valquor
