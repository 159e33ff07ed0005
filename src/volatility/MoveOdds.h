#pragma once
// Historical move odds: how often the series' own close moved beyond +-1 % .. +-10 % over a
// number of trading days, beside the lognormal chance the probabilities report gives for the
// same levels. The user's own history against the model.

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace valquor {

// Fewer overlapping windows than this give "too little history" instead of figures.
inline constexpr int kMinMoveWindows = 30;
inline constexpr const char* kTooLittleHistory = "too little history";
// The levels of the probabilities report, in percent: +-1 .. +-10.
inline constexpr int kMoveLevels = 10;

// One level q: the windows whose close ended more than q % above (up) and more than q % below
// (down) where it started, as counts and as percentages of the windows counted, and the
// model's chance of each in percent (empty when the model cannot be evaluated).
struct TMoveOddsRow {
  int Change = 0;  // q, 1..10
  int UpCount = 0;
  int DownCount = 0;
  double UpShare = 0;
  double DownShare = 0;
  std::optional<double> UpModel;
  std::optional<double> DownModel;
};

struct TMoveOdds {
  int Days = 0;     // D, trading days per window
  int Windows = 0;  // overlapping windows counted
  // Fewer than kMinMoveWindows windows: no rows, and the grid says kTooLittleHistory.
  bool TooLittleHistory = true;
  std::vector<TMoveOddsRow> Rows;  // q = 1..10
};

// Over every overlapping window close[i] -> close[i + days] whose two closes are finite and
// above 0, counts the moves beyond +q % (close[i + days] > (1 + q/100) close[i]) and beyond -q %
// (close[i + days] < (1 - q/100) close[i]) for q = 1..10. The model figures are the lognormal
// column of the probabilities report for a forward equal to the last close and the true
// volatility trueVolatility (percent): spread sqrt(days / 260) trueVolatility / 100. They are
// empty when the last close is not usable or the spread is not a finite number. days below 1
// counts no window.
[[nodiscard]] TMoveOdds HistoricalMoveOdds(std::span<const float> closes, int days,
                                           float trueVolatility);

}  // namespace valquor
