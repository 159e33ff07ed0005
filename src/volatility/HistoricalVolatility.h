#pragma once
// Historical volatility from a daily price series: the mean absolute move of the last m days,
// squared, exponentially smoothed over a window of L days, rooted and divided by the newest
// close; the same over week-end closes with a change measured in compounded percent steps. All
// series are single precision; results are annualised percentages (sqrt 260 trading days,
// sqrt 52 weeks). A result that is not finite comes only from closes too large for single
// precision (beyond about 1e19); the reports print it as 0.0 after kVolatilityRangeMessage.

#include <string>
#include <vector>

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

// The lines of the report after a price file was read (18 lines); outOfRange is set when a
// volatility was not finite.
[[nodiscard]] std::vector<std::string> FileReportLines(const TPriceSeries& prices,
                                                       bool& outOfRange);
// The lines of the report after closes were read from the clipboard (18 lines).
[[nodiscard]] std::vector<std::string> ClipboardReportLines(const TPriceSeries& prices,
                                                            bool& outOfRange);

}  // namespace valquor
