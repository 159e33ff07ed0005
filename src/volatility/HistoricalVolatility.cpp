#include "volatility/HistoricalVolatility.h"

#include <algorithm>
#include <cmath>

#include "models/Dates.h"
#include "models/Format.h"

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
  const float root260 = Single(std::sqrt(260.0));
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

// Collects report lines and notes a volatility that is not finite.
class TReportLines {
 public:
  explicit TReportLines(bool& outOfRange) : outOfRange_(outOfRange) { outOfRange_ = false; }
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  void Add(const std::string& label, float volatility) {
    if (!std::isfinite(volatility)) outOfRange_ = true;
    lines_.push_back(label + FormatVolatility(volatility));
  }
  std::vector<std::string> Take() { return std::move(lines_); }

 private:
  bool& outOfRange_;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> FileReportLines(const TPriceSeries& prices, bool& outOfRange) {
  TReportLines report(outOfRange);
  report.Add(" Historical volatility");
  report.Add(" " + prices.SeriesName);
  report.Add(" Count = " + std::to_string(SeriesLength(prices)));
  report.Add("");
  report.Add(" 1 month using:");
  report.Add("   1 day moves   =", DailyVolatility(prices, 1, 21));
  report.Add("   2 days moves  =", DailyVolatility(prices, 2, 21));
  report.Add("   1 week moves  =", WeeklyVolatility(prices, 4));
  report.Add("");
  report.Add(" 2 months using:");
  report.Add("   1 day moves   =", DailyVolatility(prices, 1, 42));
  report.Add("   2 days moves  =", DailyVolatility(prices, 2, 42));
  report.Add("   1 week moves  =", WeeklyVolatility(prices, 8));
  report.Add("");
  report.Add(" 3 months using:");
  report.Add("   1 day moves   =", DailyVolatility(prices, 1, 62));
  report.Add("   2 days moves  =", DailyVolatility(prices, 2, 63));
  report.Add("   1 week moves  =", WeeklyVolatility(prices, 12));
  return report.Take();
}

std::vector<std::string> ClipboardReportLines(const TPriceSeries& prices, bool& outOfRange) {
  TReportLines report(outOfRange);
  report.Add(" Historical volatility");
  report.Add(" " + prices.SeriesName);
  report.Add(" Count = " + std::to_string(SeriesLength(prices)));
  report.Add(" 1 month:");
  report.Add("");
  report.Add("   1 days move  =", DailyVolatility(prices, 1, 21));
  report.Add("   2 days move  =", DailyVolatility(prices, 2, 21));
  report.Add("   1 week move  =", DailyVolatility(prices, 5, 21));
  report.Add("");
  report.Add(" 2 months:");
  report.Add("   1 days move  =", DailyVolatility(prices, 1, 42));
  report.Add("   2 days move  =", DailyVolatility(prices, 2, 42));
  report.Add("   1 week move  =", DailyVolatility(prices, 5, 42));
  report.Add("");
  report.Add(" 3 months:");
  report.Add("   1 days move  =", DailyVolatility(prices, 1, 62));
  report.Add("   2 days move  =", DailyVolatility(prices, 2, 63));
  report.Add("   1 week move  =", DailyVolatility(prices, 5, 63));
  return report.Take();
}

}  // namespace valquor
