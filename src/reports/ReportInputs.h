#pragma once
// The Pricing panel as the reports read it: one snapshot of its numbers, and the size of the
// tabular reports.

namespace valquor {

// Eleven day columns and eleven rows of strikes or forwards.
inline constexpr int kDayColumns = 11;
inline constexpr int kAxisRows = 11;

// The snapshot of the Pricing panel the reports work on.
struct TReportInputs {
  float Strike = 0;
  float StrikeStep = 0;  // row step; 10 when the Steps field is empty
  float Price = 0;
  float Forward = 0;     // after the forward checks
  float Volatility = 0;  // percent
  float TrueVolatility = 0;
  float CostPerTrade = 0;
  int MaxDays = 0;  // ten times the day-step factor: the days of the first column
};

}  // namespace valquor
