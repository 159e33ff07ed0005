#pragma once
// The fair value report: the position's value over eleven strikes (or forwards) down the rows
// and the eleven day columns of the day step across, both estimates of the integration formulas,
// and the forward implied by the price (or the price implied by the forward) per column.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/ValuationTerms.h"
#include "reports/PositionValue.h"
#include "reports/ReportInputs.h"

namespace valquor {

struct TFairValueRequest {
  int Code = 0;  // the position, 1 to 28; 0 when its name is not in the catalogue
  std::string PositionName;
  TReportInputs Inputs;    // Strike, StrikeStep, Price, Forward, Volatility
  bool StrikeAxis = true;  // rows run through strikes (YAxis "Strike"), else through forwards
  bool Locked = false;     // the forward, not the price, is the input (MainForwardLock)
  int DayStep = 0;         // FindDayStep of the day-step text
  TValuationTerms Terms;   // the Options page's terms
  float Rate = 0;          // the Options page's rate, for implied forwards and prices
  // Texts as typed, for the heading.
  std::string YAxisText, PriceText, ForwardText, StrikeText, VolatilityText, FormulaText, RateText;
};

struct TFairValueResult {
  std::array<int, kDayColumns> ColumnDays{};  // -1 for a day step outside the list
  std::array<float, kAxisRows> Rows{};        // the strike or forward of each row
  // Row by row, column by column.
  std::array<TPositionValue, kAxisRows * kDayColumns> Cells{};
  // The forward implied by the price over each column's days (the locked forward itself), or
  // on the forward axis the price implied by the forward.
  std::array<float, kDayColumns> Implied{};
};

// Units of work ComputeFairValue counts as finished: one per cell, or one per row for the
// integration formulas.
[[nodiscard]] std::uint64_t FairValueUnits(const TFairValueRequest& request);

// Values every cell once on the context's workers. Rate formulas value on the price (the strike
// axis without lock), on the present value of the locked forward, or on the present value of the
// row's forward; integration formulas on the forward itself. Messages as a column lookup and a
// valuation show them, cell by cell (a day step outside the list: "DaysStep error" and
// "Error 33" at every lookup, "Internal error: Days < 0" at every cell); the second line of the
// integration formulas shows its cells' messages again. An unknown position shows "Error: Not
// recognized: <name>" and throws EAbandoned; arithmetic faults throw ArithmeticFault.
[[nodiscard]] TFairValueResult ComputeFairValue(const TFairValueRequest& request,
                                                TComputeContext& context);

// The pane's lines.
[[nodiscard]] std::vector<std::string> RenderFairValue(const TFairValueRequest& request,
                                                       const TFairValueResult& result);

// The table: the row's strike or forward, then the value per column ("<days> days"), or both
// estimates per column for the integration formulas; a last row holds the implied forwards
// ("Impl.f.") or prices ("Impl.p.").
[[nodiscard]] TCsvTable FairValueCsv(const TFairValueRequest& request,
                                     const TFairValueResult& result);

}  // namespace valquor
