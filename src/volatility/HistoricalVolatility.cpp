#include "volatility/HistoricalVolatility.h"

#include <algorithm>
#include <cmath>

#include "models/Dates.h"
#include "models/Format.h"
#include "models/ValuationTerms.h"

namespace valquor {
namespace {

// Sums and products are formed in double and stored in single precision where the estimator
// keeps a value (a series entry, the running sum, the smoothing constants).
float Single(double x) { return static_cast<float>(x); }

int SeriesLength(const TPriceSeries& prices) { return std::clamp(prices.Count, 0, kMaxPrices); }

// A stored date as a whole day number; dates come from the file reader, so the guard only keeps
// a value that is not one from being converted.
int DayNumber(double date) {
  if (!(date > -1e9 && date < 1e9)) return 0;
  return static_cast<int>(std::floor(date));
}

}  // namespace

float DailyVolatility(const TPriceSeries& prices, int moveLength, int window) {
  const int n = SeriesLength(prices);
  if (n < 1 || moveLength < 1) return 0;
  const int m = moveLength;
  const auto& c = prices.Close;

  // Mean absolute move of the last m one-day moves. With one close there is no move: D[2]
  // stays 0 and so does D[1].
  std::vector<float> d(static_cast<std::size_t>(std::max(n, 2)) + 1, 0.0f);
  float s = 0;
  for (int i = 2; i <= n; ++i) {
    s = Single(double{s} + std::fabs(double{c[i]} - double{c[i - 1]}));
    if (i > m + 1) s = Single(double{s} - std::fabs(double{c[i - m]} - double{c[i - m - 1]}));
    if (s < 0.00001f) {
      d[i] = 0;
    } else {
      d[i] = Single(double{s} / (i > m ? m : i));
    }
  }
  d[1] = d[2];

  // Squares, smoothed; only the newest value is reported.
  float e = 0;
  if (window > n) {
    float sum = 0;
    for (int i = 1; i <= n; ++i) sum = Single(double{sum} + double{d[i]} * d[i]);
    e = Single(double{sum} / n);
  } else {
    const float alpha = Single(2.0 / (window + 1.0));
    const float keep = Single(1.0 - alpha);
    e = Single(double{d[1]} * d[1]);
    for (int i = 2; i <= n; ++i) {
      const float q = Single(double{d[i]} * d[i]);
      e = Single(double{keep} * e + double{alpha} * q);
    }
  }
  // A value that is not finite passes on, so that the report can say so.
  const float r = e <= 0.000001f ? 0.0f : Single(std::sqrt(double{e}));
  const float close = c[n];
  if (close <= 0.00001f) return 0;
  const float root260 = Single(std::sqrt(double{kTradingDaysPerYear}));
  return Single(100.0 * r * root260 / close);
}

std::vector<float> WeekEndCloses(const TPriceSeries& prices) {
  const int n = SeriesLength(prices);
  std::vector<float> closes;
  if (n < 1) return closes;
  int previous = DayOfWeek(DayNumber(prices.Date[1]));
  for (int i = 2; i <= n; ++i) {
    const int weekday = DayOfWeek(DayNumber(prices.Date[i]));
    if (weekday < previous) {
      if (prices.Close[i] <= 0) continue;  // compared again with the same weekday
      closes.push_back(prices.Close[i - 1]);
    }
    previous = weekday;
  }
  return closes;
}

float WeeklyChange(float previous, float current) {
  const float diff = current - previous;
  const float p = previous > 0 ? Single(100.0 * diff / previous) : 0.0f;
  if (std::fabs(p) <= 0.0001f || current <= 0) return diff;
  // Each difference of logarithms is formed before it is stored in single precision.
  const float steps = Single(std::log(100.0 + p) - std::log(100.0));
  const float step = Single(std::log(101.0) - std::log(100.0));
  const float f = steps / step;
  return Single(double{diff} * f / p);
}

float WeeklyVolatility(const TPriceSeries& prices, int weeks) {
  const std::vector<float> w = WeekEndCloses(prices);
  if (w.size() < 2) return -1;
  const float alpha = Single(2.0 / (weeks + 1.0));
  const float keep = Single(1.0 - alpha);
  float e = 0;
  for (std::size_t k = 1; k < w.size(); ++k) {
    const float change = WeeklyChange(w[k - 1], w[k]);
    const float q = Single(double{change} * change);
    e = k == 1 ? q : Single(double{keep} * e + double{alpha} * q);
  }
  const float last = w.back();
  if (!(last > 0.00001f)) return 0;
  if (e <= 0) return 0;
  const float root52 = Single(std::sqrt(52.0));
  return Single(100.0 * Single(std::sqrt(double{e})) * root52 / last);
}

std::string FormatVolatility(float percent) {
  return FormatFixed(std::isfinite(percent) ? percent : 0.0f, 1, 5) + "%";
}

namespace {

// The look-back lengths of the reports, their smoothing windows per move length, and the labels
// of their lines.
struct TPeriod {
  const char* FileHead;
  const char* ClipboardHead;
  const char* Name;
  int DayWindow;      // 1-day moves
  int TwoDayWindow;   // 2-day moves
  int WeekWindow;     // the clipboard's 5-day moves
  int WeeksSmoothed;  // the file's week-end closes
};
constexpr TPeriod kPeriods[kHistoricalPeriods] = {
    {" 1 month using:", " 1 month:", "1 month", 21, 21, 21, 4},
    {" 2 months using:", " 2 months:", "2 months", 42, 42, 42, 8},
    {" 3 months using:", " 3 months:", "3 months", 62, 63, 63, 12},
};
constexpr const char* kFileLabels[kHistoricalMoves] = {
    "   1 day moves   =", "   2 days moves  =", "   1 week moves  ="};
constexpr const char* kClipboardLabels[kHistoricalMoves] = {
    "   1 days move  =", "   2 days move  =", "   1 week move  ="};
constexpr const char* kMoveNames[kHistoricalMoves] = {"1 day", "2 days", "1 week"};

// A volatility line's value: FormatVolatility, or "n/a" in its five characters.
std::string VolatilityText(const std::optional<float>& volatility) {
  return volatility ? FormatVolatility(*volatility) : PadLeft("n/a", 5);
}

}  // namespace

THistoricalVolatilityResult ComputeHistoricalVolatility(const THistoricalVolatilityRequest& request,
                                                        TComputeContext& context) {
  const TPriceSeries& prices = *request.Prices;
  const bool file = request.Source == THistoricalSource::File;
  THistoricalVolatilityResult result;
  result.SeriesName = prices.SeriesName;
  result.Count = SeriesLength(prices);
  bool outOfRange = false;
  for (std::size_t p = 0; p < kHistoricalPeriods; ++p) {
    const TPeriod& period = kPeriods[p];
    auto& line = result.Volatility[p];
    line[0] = DailyVolatility(prices, 1, period.DayWindow);
    line[1] = DailyVolatility(prices, 2, period.TwoDayWindow);
    if (file) {
      const float weekly = WeeklyVolatility(prices, period.WeeksSmoothed);
      if (weekly != -1) line[2] = weekly;  // -1: fewer than two week ends
    } else {
      line[2] = DailyVolatility(prices, 5, period.WeekWindow);
    }
    for (const std::optional<float>& v : line) outOfRange = outOfRange || (v && !std::isfinite(*v));
    context.Control().CheckStop();
  }
  if (outOfRange) context.Messages().ShowMessage(kVolatilityRangeMessage, TMessageKind::Warning);
  return result;
}

std::vector<std::string> RenderHistoricalVolatility(const THistoricalVolatilityRequest& request,
                                                    const THistoricalVolatilityResult& result) {
  const bool file = request.Source == THistoricalSource::File;
  std::vector<std::string> lines;
  lines.emplace_back(" Historical volatility");
  lines.push_back(" " + result.SeriesName);
  lines.push_back(" Count = " + std::to_string(result.Count));
  for (std::size_t p = 0; p < kHistoricalPeriods; ++p) {
    // The file report leaves an empty line before each period; the clipboard report after the
    // first period's head and before the others.
    if (file) {
      lines.emplace_back();
      lines.emplace_back(kPeriods[p].FileHead);
    } else if (p == 0) {
      lines.emplace_back(kPeriods[p].ClipboardHead);
      lines.emplace_back();
    } else {
      lines.emplace_back();
      lines.emplace_back(kPeriods[p].ClipboardHead);
    }
    for (std::size_t m = 0; m < kHistoricalMoves; ++m) {
      lines.push_back((file ? kFileLabels : kClipboardLabels)[m] +
                      VolatilityText(result.Volatility[p][m]));
    }
  }
  return lines;
}

TCsvTable HistoricalVolatilityCsv(const THistoricalVolatilityRequest& /*request*/,
                                  const THistoricalVolatilityResult& result) {
  TCsvTable csv;
  csv.Header = {"Moves"};
  for (const TPeriod& period : kPeriods) csv.Header.emplace_back(period.Name);
  for (std::size_t m = 0; m < kHistoricalMoves; ++m) {
    std::vector<std::string> row = {kMoveNames[m]};
    for (std::size_t p = 0; p < kHistoricalPeriods; ++p) {
      row.push_back(CsvNumber(result.Volatility[p][m]));
    }
    csv.Rows.push_back(std::move(row));
  }
  return csv;
}

TWeeklyGridResult ComputeWeeklyGrid(const TWeeklyGridRequest& request, TComputeContext& context) {
  float sum = 0;
  int n = 0;
  float previous = 0;
  // The divisor is the last close typed; when that one is 0 or below the last positive close
  // above it stands in, as if the rows below it were empty.
  float lastPositive = 0;
  for (const std::optional<float>& close : request.Closes) {
    if (!close) continue;
    const float current = *close;
    if (previous > 0 && current > 0) {
      const float change = WeeklyChange(previous, current);
      sum = Single(double{sum} + double{change} * change);
      ++n;
    }
    previous = current;
    if (current > 0) lastPositive = current;
  }
  TWeeklyGridResult result;
  if (n == 0) return result;
  result.Count = n + 1;
  const float divisor = previous > 0 ? previous : lastPositive;
  const float variance = sum / static_cast<float>(result.Count);
  const float root52 = Single(std::sqrt(52.0));
  result.Volatility = Single(std::sqrt(double{variance}) * 100.0 * root52 / divisor);
  if (!std::isfinite(result.Volatility)) {
    context.Messages().ShowMessage(kVolatilityRangeMessage, TMessageKind::Warning);
    result.Volatility = 0;
  }
  return result;
}

std::vector<std::string> RenderWeeklyGrid(const TWeeklyGridResult& result) {
  if (result.Count == 0) return {};
  return {" Historical volatility", " (Computing volatility using weekly data)",
          " Count = " + std::to_string(result.Count),
          " Volatility = " + FormatFixed(result.Volatility, 0) + "%", ""};
}

std::vector<std::string> WeeklyGridCsvHeader() { return {"Report", "Count", "Volatility"}; }

std::vector<std::string> WeeklyGridCsvRow(int report, const TWeeklyGridResult& result) {
  return {CsvInteger(report), CsvInteger(result.Count), CsvNumber(result.Volatility)};
}

}  // namespace valquor
