#pragma once
// Pricing by numeric integration over an assumed price distribution at expiration (normal,
// lognormal, or the mean of both), centred on today's price with zero drift and no discounting;
// and the payoff statistics of a position held to expiration over the same grid and
// distributions.

#include <cstdint>
#include <span>

#include "models/ArithmeticFault.h"
#include "models/MessageSink.h"

namespace valquor {

// Values of TOptionInt::Distribution; any other value makes the distribution function 0.
inline constexpr std::uint8_t kNormalDistribution = 1;
inline constexpr std::uint8_t kLognormalDistribution = 2;
inline constexpr std::uint8_t kMediumDistribution = 3;  // "Medium normal/lognormal"

// The statistics row of one horizon of the payoff analysis.
struct PayoffRow {
  float EntryValue = 0.0f;  // the position's value when entered (input)
  float Spare = 0.0f;       // the payoff report's own; zeroed here
  float AvgGain1 = 0.0f, AvgLoss1 = 0.0f, GainChance1 = 0.0f, Expected1 = 0.0f;
  float AvgGain2 = 0.0f, AvgLoss2 = 0.0f, GainChance2 = 0.0f, Expected2 = 0.0f;
};

// What the payoff analysis hands to TOptionInt::AnalysePayoff. PositionKind, Strike and Spare are
// not read there; the eight sums and masses and the row are written there.
struct PayoffStats {
  std::uint8_t PositionKind = 0;
  float Strike = 0.0f, Price = 0.0f, Forward = 0.0f, TrueVol = 0.0f;
  int Days = 0;
  float Spare = 0.0f;
  float CostPerTrade = 0.0f;
  float GainSum1 = 0.0f, GainMass1 = 0.0f, GainSum2 = 0.0f, GainMass2 = 0.0f;
  float LossSum1 = 0.0f, LossMass1 = 0.0f, LossSum2 = 0.0f, LossMass2 = 0.0f;
  PayoffRow Row;
};

// Grid price j of a grid of `intervals` intervals over 0 to ten times p: p + p * (10 j / N - 1)
// in single precision (10 p j / N). Throws ArithmeticFault for intervals of 0 or less and for a
// result beyond the single-precision range.
[[nodiscard]] float GridPrice(int j, float p, int intervals);

// The payoff at expiration at price x: x - strike for a call above the strike, strike - x for a
// put below it, otherwise 0.
[[nodiscard]] float PayoffAt(bool isPut, float x, float strike);

// Normal price distribution with mean centre and standard deviation centre * spread:
// N((x - centre) / (centre * spread)). Throws ArithmeticFault when centre * spread is 0 and for
// NaN arguments.
[[nodiscard]] double NormalPriceCdf(double x, double centre, double spread);

class TOptionInt {
 public:
  explicit TOptionInt(TMessageSink& messages) : messages_(messages) {}

  int Intervals = 400;            // N, the number of grid intervals
  int DaysPerYear = 260;          // divisor turning days into years
  std::uint8_t Distribution = 1;  // kNormalDistribution, kLognormalDistribution, ...

  // The two estimates of an option's value over the grid built on price; the caller's value is
  // their mean. Both are 0 for a price below 0.1 and the intrinsic value (below 0.0001 gives 0)
  // for days below 1 or a volatility below 0.001. A spread sqrt(T) * 0.01 * volatility below
  // 0.0001 shows "Option Error: 1090: Days= <days> Vol= <volatility>" and leaves both 0. With
  // F_j the distribution at grid price x_j and F_1 = F_2 = 0, for j = 3 to N + 1:
  // upperSum += payoff(x_j) |F_j - F_(j-1)| and shiftedSum += payoff(x_j) |F_(j-1) - F_(j-2)|.
  // NaN terms, DaysPerYear of 0 or less, a grid or sums beyond the single-precision range throw
  // ArithmeticFault (the sums are then 0).
  void Values(bool isPut, int days, float strike, float price, float volatility, float& upperSum,
              float& shiftedSum);

  // Probability of a gain and average gain and loss of a position held stats.Days days, from
  // values[k], its value at GridPrice(k, stats.Price) for k = 0 to N (values must hold N + 1
  // entries, else std::invalid_argument), under Distribution centred on stats.Forward with
  // spread sqrt(T) * 0.01 * stats.TrueVol. Zeroes the row (except EntryValue) and the eight
  // sums first; 0 days stop there. Returns false, without a message, when stats.TrueVol is not
  // positive. Negative days and other arithmetic faults throw ArithmeticFault.
  [[nodiscard]] bool AnalysePayoff(PayoffStats& stats, std::span<const float> values);

  // GridPrice(j, p, Intervals).
  [[nodiscard]] float GridPrice(int j, float p) const;

  // The distribution function of the price at expiration by kind (kNormalDistribution ...), 0
  // for any other kind.
  [[nodiscard]] double DistributionCdf(std::uint8_t kind, double x, double centre, double spread);
  // Lognormal price with mean centre and log-standard deviation spread:
  // N((ln x - ln centre + spread^2 / 2) / spread). A spread of 0 or less shows "Errror 678" and
  // gives 0; ln of a non-positive x or centre throws ArithmeticFault.
  [[nodiscard]] double LognormalPriceCdf(double x, double centre, double spread);
  // (NormalPriceCdf + LognormalPriceCdf) / 2, arguments and result in single precision.
  [[nodiscard]] float MediumPriceCdf(float x, float centre, float spread);

 private:
  TMessageSink& messages_;
};

}  // namespace valquor
