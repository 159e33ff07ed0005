#pragma once
// Hand-built daily series for the estimator, cone and move-odds tests.

#include <vector>

#include "volatility/VolatilityEstimators.h"

namespace valquor::voltest {

struct TBar {
  float Open;
  float High;
  float Low;
  float Close;
};

// A series held in vectors; Columns() views it. Dates are 1, 2, 3 ... unless set.
struct TSeries {
  TSeries() = default;
  explicit TSeries(const std::vector<TBar>& bars) {
    for (const TBar& bar : bars) Add(bar);
  }
  // A series of closes only: no open, high, low or date columns.
  static TSeries Closes(const std::vector<float>& closes) {
    TSeries series;
    series.Close = closes;
    return series;
  }
  void Add(const TBar& bar) {
    Date.push_back(static_cast<double>(Date.size() + 1));
    Open.push_back(bar.Open);
    High.push_back(bar.High);
    Low.push_back(bar.Low);
    Close.push_back(bar.Close);
  }
  [[nodiscard]] TPriceColumns Columns() const { return {Date, Open, High, Low, Close}; }

  std::vector<double> Date;
  std::vector<float> Open;
  std::vector<float> High;
  std::vector<float> Low;
  std::vector<float> Close;
};

}  // namespace valquor::voltest
