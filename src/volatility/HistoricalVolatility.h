#pragma once
// Historical volatility from a daily price series: the mean absolute move of the last m days,
// squared, exponentially smoothed over a window of L days, rooted and divided by the newest
// close; the same over week-end closes with a change measured in compounded percent steps. All
// series are single precision; results are annualised percentages (sqrt 260 trading days,
// sqrt 52 weeks). A result that is not finite comes only from closes too large for single
// precision (beyond about 1e19); the reports print it as 0.0 after kVolatilityRangeMessage.
// The reports are computed from a snapshot of the series, apart from the window.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "volatility/PriceSeries.h"

namespace valquor {

// Shown once by a report in which a volatility left the single-precision range.
inline constexpr const char* kVolatilityRangeMessage = "Volatility out of range: shown as 0";

// The annualised volatility in percent at the newest close from the mean absolute move of the
// last moveLength one-day moves, smoothed with alpha = 2 / (window + 1), or by a cumulative
// mean when the window is longer than the series. 0 for a newest close of 0.00001 or below, and
// for a series of one close (no move) or none.
[[nodiscard]] float DailyVolatility(const TPriceSeries& prices, int moveLength, int window);

// The closes that ended a week: Close[i-1] whenever the weekday falls from record i-1 to record
// i (Sunday = 1 .. Saturday = 7) and Close[i] is positive; a record with a close of 0 or below
// is compared with the weekday before it. The unfinished last week never counts.
[[nodiscard]] std::vector<float> WeekEndCloses(const TPriceSeries& prices);

// The change from an earlier close a to a later close b in price units, each percent step
// compounded: (b - a) * f(p) / p with p = 100 (b - a) / a and f(p) = (ln(100 + p) - ln 100) /
// (ln 101 - ln 100), the log differences stored in single precision. The plain difference
// b - a when |p| <= 0.0001 (p is 0 for a <= 0) and when b <= 0, which has no logarithm.
// A rise of 10 % counts 9.5786, a fall of 10 % -10.5886.
[[nodiscard]] float WeeklyChange(float previous, float current);

// The annualised volatility in percent of the week-end closes W[1..K]: the squared weekly
// changes smoothed with alpha = 2 / (weeks + 1), rooted and divided by W[K]. -1 when there is
// no weekly change (K = 0 or 1); 0 when W[K] is 0.00001 or below.
[[nodiscard]] float WeeklyVolatility(const TPriceSeries& prices, int weeks);

// A volatility as the reports print it: one decimal, right-aligned in five characters (wider
// when needed), then "%"; a value that is not finite prints as 0.0.
[[nodiscard]] std::string FormatVolatility(float percent);

// Where the daily closes of a report came from: a price file (its weekly lines use the week-end
// closes of the record dates) or the clipboard (closes only: its weekly lines use five-day
// moves).
enum class THistoricalSource { File, Clipboard };

struct THistoricalVolatilityRequest {
  THistoricalSource Source = THistoricalSource::File;
  std::shared_ptr<const TPriceSeries> Prices;  // never null
};

// The three look-back lengths of the reports and the three move lengths of each.
inline constexpr std::size_t kHistoricalPeriods = 3;
inline constexpr std::size_t kHistoricalMoves = 3;

struct THistoricalVolatilityResult {
  std::string SeriesName;
  int Count = 0;
  // [period: 1, 2, 3 months][moves: 1 day, 2 days, 1 week], annualised percent; nothing for the
  // file's week line when the series has fewer than two week ends; not finite when the closes
  // are too large for single precision.
  std::array<std::array<std::optional<float>, kHistoricalMoves>, kHistoricalPeriods> Volatility{};
};

// The volatilities of the report; kVolatilityRangeMessage once when one is not finite.
[[nodiscard]] THistoricalVolatilityResult ComputeHistoricalVolatility(
    const THistoricalVolatilityRequest& request, TComputeContext& context);

// The report's 18 lines: a volatility that is not finite prints as 0.0, a missing week line as
// "n/a".
[[nodiscard]] std::vector<std::string> RenderHistoricalVolatility(
    const THistoricalVolatilityRequest& request, const THistoricalVolatilityResult& result);

// historical-volatility.csv: a row per move length, a column per look-back length; a missing or
// out-of-range volatility is an empty field.
[[nodiscard]] TCsvTable HistoricalVolatilityCsv(const THistoricalVolatilityRequest& request,
                                                const THistoricalVolatilityResult& result);

// The weekly grid's closes, newest first: nothing for an empty row.
struct TWeeklyGridRequest {
  std::vector<std::optional<float>> Closes;
};

struct TWeeklyGridResult {
  int Count = 0;         // closes that took part; 0: no weekly change, nothing to report
  float Volatility = 0;  // annualised percent; 0 when out of range
};

// The volatility of the weekly closes: the squared weekly changes between adjacent positive
// closes, averaged over the count of closes, rooted and divided by the last close typed (or, when
// that is 0 or below, the last positive one). kVolatilityRangeMessage and 0 when it is not
// finite.
[[nodiscard]] TWeeklyGridResult ComputeWeeklyGrid(const TWeeklyGridRequest& request,
                                                  TComputeContext& context);
// The five lines the weekly Compute appends to its pane (none when Count is 0).
[[nodiscard]] std::vector<std::string> RenderWeeklyGrid(const TWeeklyGridResult& result);
// weekly-volatility.csv: a row per report in the pane, numbered from 1 in the order appended.
[[nodiscard]] std::vector<std::string> WeeklyGridCsvHeader();
[[nodiscard]] std::vector<std::string> WeeklyGridCsvRow(int report,
                                                        const TWeeklyGridResult& result);

}  // namespace valquor
