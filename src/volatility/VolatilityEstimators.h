#pragma once
// Historical volatility estimators over a window of trading days: close-to-close, Parkinson
// (1980), Garman and Klass (1980), Rogers and Satchell (1991) and Yang and Zhang (2000), each
// annualised with the 260-trading-day year, in percent. An estimator without enough usable
// records is empty, never a number that is not finite.
//
// A window of n days ending at record e covers the n records e-n+1 .. e and the n moves into
// them, so it also reads the close of record e-n: a series of N records has a full window of n
// days at every record from index n on (N-1 days at most). Every estimator of a window is judged
// on the same days.

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "volatility/PriceSeries.h"

namespace valquor {

// A daily price series as parallel columns, oldest record first (index 0). Open, High and Low
// may be empty (a series of closes only); Date may be empty (no dates known). A column whose
// length is not that of Close counts as missing.
struct TPriceColumns {
  std::span<const double> Date;  // day numbers (models/Dates.h)
  std::span<const float> Open;
  std::span<const float> High;
  std::span<const float> Low;
  std::span<const float> Close;
};

// Records 1..Count of a series read from a price file, with all columns.
[[nodiscard]] TPriceColumns ColumnsOf(const TPriceSeries& prices);
// Only the closes 1..Count: for a series read from the clipboard, whose other columns still
// hold what the last price file left in them.
[[nodiscard]] TPriceColumns ClosesOf(const TPriceSeries& prices);

enum class TEstimator { CloseToClose, Parkinson, GarmanKlass, RogersSatchell, YangZhang };
inline constexpr int kEstimatorCount = 5;
inline constexpr std::array<TEstimator, kEstimatorCount> kEstimators = {
    TEstimator::CloseToClose, TEstimator::Parkinson, TEstimator::GarmanKlass,
    TEstimator::RogersSatchell, TEstimator::YangZhang};

// The row caption of an estimator: "Close-to-close", "Parkinson", "Garman-Klass",
// "Rogers-Satchell", "Yang-Zhang".
[[nodiscard]] std::string_view EstimatorName(TEstimator estimator);

// Volatilities in percent per year, one per estimator in the order of kEstimators; empty where
// the estimator had too few usable records.
using TEstimatorValues = std::array<std::optional<double>, kEstimatorCount>;

// The five estimators of one window.
struct TWindowEstimate {
  TEstimatorValues Values;
  int Records = 0;  // n, the records the window covers
  int Skipped = 0;  // of them, records the range estimators skipped
};

// The estimators of a series, with the daily logarithms each needs computed once.
//
// A close is usable when it is finite and above 0. A record's range is usable when open, high,
// low and close are finite and above 0, low <= high and open and close lie in [low, high];
// otherwise (a missing open, high or low of 0 or less, as a series of closes has, or an
// inconsistent one) the range estimators skip the record and count it.
// - Close-to-close: sample standard deviation (n-1) of the log returns ln(C[i] / C[i-1]) whose
//   two closes are usable; at least 2 returns.
// - Parkinson: variance = mean of ln(H/L)^2 / (4 ln 2) over records with a usable range.
// - Garman-Klass: mean of 0.5 ln(H/L)^2 - (2 ln 2 - 1) ln(C/O)^2.
// - Rogers-Satchell: mean of ln(H/C) ln(H/O) + ln(L/C) ln(L/O).
// - Yang-Zhang: Vo + k Vc + (1 - k) Vrs over the m records with a usable range and a usable close
//   before them (at least 2): Vo and Vc the sample variances (m-1) of the overnight returns
//   ln(O[i] / C[i-1]) and of ln(C[i] / O[i]), Vrs the Rogers-Satchell variance of the same
//   records, k = 0.34 / (1.34 + (m+1)/(m-1)).
// Annualised: 100 sqrt(260 variance).
class TVolatilityEstimators {
 public:
  explicit TVolatilityEstimators(const TPriceColumns& prices);

  // Number of records.
  [[nodiscard]] int Count() const { return static_cast<int>(terms_.size()); }

  // The window of `window` days ending at record `end`; empty when the window does not fit in
  // the series (window < 1, end < window, end beyond the last record).
  [[nodiscard]] std::optional<TWindowEstimate> At(int end, int window) const;

  // Close-to-close alone, as At gives it; empty also when the window does not fit.
  [[nodiscard]] std::optional<double> CloseToClose(int end, int window) const;

 private:
  struct TDailyTerms {
    bool HasReturn = false;  // both closes usable
    bool HasRange = false;
    bool HasOvernight = false;  // a usable range and a usable close before it
    double Return = 0;          // ln(C[i] / C[i-1])
    double Parkinson = 0;       // ln(H/L)^2 / (4 ln 2)
    double GarmanKlass = 0;
    double RogersSatchell = 0;
    double OpenToClose = 0;  // ln(C/O)
    double Overnight = 0;    // ln(O[i] / C[i-1])
  };
  [[nodiscard]] bool Fits(int end, int window) const;

  std::vector<TDailyTerms> terms_;
};

// The window lengths of the chart's window choice (HVWindow) and of the current estimators
// table, in trading days.
inline constexpr std::array<int, 3> kEstimatorWindows = {10, 21, 63};
inline constexpr int kDefaultEstimatorWindow = 21;

// One point of the rolling chart: the window ending at a record.
struct TRollingPoint {
  int Record = 0;   // 1-based, as in the price series
  double Date = 0;  // day number; 0 when the series has no dates
  TEstimatorValues Values;
};

// The rolling estimators of `window` days at every record from the first full window on, oldest
// first; no points when the window does not fit (or is below 1).
[[nodiscard]] std::vector<TRollingPoint> RollingEstimates(const TPriceColumns& prices,
                                                          int window = kDefaultEstimatorWindow);

// The current estimators: windows of 10, 21 and 63 days ending at the last record.
struct TEstimatorsTable {
  // One column per window, in the order of kEstimatorWindows, each with the five estimators; a
  // column whose window is longer than the data is empty throughout.
  std::array<TEstimatorValues, kEstimatorWindows.size()> Columns{};
  std::array<int, kEstimatorWindows.size()> Records{};  // 0 where the window does not fit
  std::array<int, kEstimatorWindows.size()> Skipped{};
  // The records skipped in the longest window that fits (the one shown under the grid); 0 when
  // none fits.
  int SkippedRecords = 0;
  int SkippedWithin = 0;  // that window's length in days, 0 when none fits

  // The value of an estimator in a column (0..2).
  [[nodiscard]] const std::optional<double>& Value(TEstimator estimator, int column) const {
    return Columns[static_cast<std::size_t>(column)][static_cast<std::size_t>(estimator)];
  }
};

[[nodiscard]] TEstimatorsTable CurrentEstimators(const TPriceColumns& prices);

}  // namespace valquor
