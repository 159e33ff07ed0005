#pragma once
// The volatility cone: for windows of 5 to 252 trading days, how the close-to-close volatility
// of every rolling window of the series is spread (minimum, quartiles, maximum, latest), and
// where an implied volatility sits among them.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "volatility/VolatilityEstimators.h"

namespace valquor {

inline constexpr std::array<int, 7> kConeWindows = {5, 10, 21, 42, 63, 126, 252};

// The value at fraction p (0..1) of an ascending list of m values by linear interpolation
// between order statistics: position p (m - 1), so 0 is the minimum, 0.5 the median and 1 the
// maximum. p outside 0..1 is taken as its bound; an empty list gives 0.
[[nodiscard]] double Percentile(std::span<const double> sorted, double p);

// One window of the cone, volatilities in percent per year; all empty when the series has no
// full window of that length (or none with two usable returns).
struct TConeRow {
  int Window = 0;
  std::vector<double> Volatilities;  // close-to-close of every rolling window, ascending
  std::optional<double> Minimum;
  std::optional<double> Percentile25;
  std::optional<double> Median;
  std::optional<double> Percentile75;
  std::optional<double> Maximum;
  std::optional<double> Latest;  // the window ending at the last record

  // Number of rolling windows counted.
  [[nodiscard]] int Count() const { return static_cast<int>(Volatilities.size()); }
};

// The rows of the cone in the order of kConeWindows.
using TVolatilityCone = std::array<TConeRow, kConeWindows.size()>;

// The cone of a series (close-to-close volatility; see TVolatilityEstimators for the windows).
[[nodiscard]] TVolatilityCone VolatilityCone(const TPriceColumns& prices);

// The cone window closest to a number of days to expiry; a number halfway between two windows
// (189, between 126 and 252) takes the shorter window, which has more history behind it.
[[nodiscard]] int ClosestConeWindow(int days);

// "1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "21st", "101st", "111th" ...
[[nodiscard]] std::string Ordinal(int n);

enum class TIVPlace {
  Inside,        // between the lowest and the highest volatility of the window
  Below,         // below every volatility of the window
  Above,         // above every volatility of the window
  NoHistory,     // the window has no volatility: the series is too short for it
  NoVolatility,  // the implied volatility is not above 0 (or not finite)
};

// Where an implied volatility sits on the cone, and the text of the field IVPercentileEdit.
struct TIVPercentile {
  int Window = 0;
  TIVPlace Place = TIVPlace::NoVolatility;
  double Percentile = 0;  // 0..100, for Inside only
  std::string Text;
};

// Places an implied volatility (percent) at the cone window closest to its days to expiry. The
// percentile inverts the cone's linear interpolation, so a volatility on the median reads 50 and
// one on the 25th percentile 25; a volatility equal to several values takes the middle of their
// positions, a window of one value gives 50. Texts, the volatility with one decimal:
// "45.4 % is at the 83rd percentile of 21-day volatility" (the percentile rounded to a whole
// number, halves to even), "45.4 % is below every 21-day volatility", "45.4 % is above every
// 21-day volatility", "45.4 %: too little history for 252-day volatility", and for a volatility
// not above 0 "No implied volatility to place".
[[nodiscard]] TIVPercentile PlaceOnCone(const TVolatilityCone& cone, double impliedVolatility,
                                        int days);

}  // namespace valquor
