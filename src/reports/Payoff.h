#pragma once
// The payoff analysis: for the position entered now at its market premium and held for each
// column's days, the average gain and loss, the chance of a gain and the expected result, judged
// over a grid of prices under the distribution and true volatility the trader believes in.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/OptionInt.h"
#include "models/ValuationTerms.h"
#include "reports/ReportInputs.h"

namespace valquor {

// The analysis looks at most this many trading days ahead (about five months).
inline constexpr int kLongestPayoffHorizon = 110;
// Grid intervals of the values table: at most 30000.
inline constexpr int kMaxPayoffIntervals = 30000;

struct TPayoffRequest {
  int Code = 0;  // the position, 1 to 28; 0 when its name is not in the catalogue
  std::string PositionName;
  TReportInputs Inputs;                             // every field, MaxDays included
  int DayStep = 0;                                  // FindDayStep of the day-step text
  int Intervals = 0;                                // grid intervals N
  int Adjust = 0;                                   // premium adjustment in fifths of a percent
  std::uint8_t Distribution = kNormalDistribution;  // of the analysis
  bool StrikeAxis = true;
  bool Locked = false;
  TValuationTerms Terms;  // the Options page's terms, for premiums and the values table
  float Rate = 0;         // the Options page's rate, for forwards and present values
  // Texts as typed, for the report.
  std::string VolatilityText, PriceText, ForwardText, AnalysisFormulaText, TrueVolatilityText;
};

struct TPayoffResult {
  bool Written = false;  // false: refused with a message, the pane keeps its text
  std::array<int, kDayColumns> ColumnDays{};
  // The forward implied by the price over each column's days (the locked forward itself), or on
  // the forward axis the price implied by the forward.
  std::array<float, kDayColumns> Implied{};
  // Per column: the entry premium and the statistics (Expected1 and Expected2 filled in).
  std::array<PayoffRow, kDayColumns> Rows{};
};

// Whether ComputePayoff values anything: a first column within 110 days, a known position and
// nothing refused.
[[nodiscard]] bool PayoffAnalysed(const TPayoffRequest& request);

// The values table for a holding of `days` days: entry k (0 to Intervals) is the position's value
// at the grid price GridPrice(k, Price, Intervals) once the days have passed. Call and put
// calendar spreads keep their far leg (22, 44 or 66 days further) at the implied volatility and
// value the near one at the true volatility; every other position is valued at expiration.
// Intervals must lie within 1 to 30000.
[[nodiscard]] std::vector<float> PayoffValues(const TPayoffRequest& request, int days,
                                              TValuer& valuer);

// Units of work ComputePayoff counts as finished: the blocks of the values table (once, or per
// column for calendar spreads valued on each column's forward), a premium and an analysis per
// column.
[[nodiscard]] std::uint64_t PayoffUnits(const TPayoffRequest& request);

// Refused with one message, nothing written: a first column beyond 110 days (a warning: "Payoff
// analysis becomes inaccurate when days to expiration is larger than 5 months. Reduce
// timespan."), a day step outside the list, a true volatility or price not above 0, intervals
// outside 1 to 30000. An unknown position ("Error: Not recognized: <name>") and a forward not
// above 0 ("Forward must be > 0") throw EAbandoned after their message. The values table is
// valued in blocks of grid points on the context's workers, the columns' analyses likewise;
// messages come in the order one worker shows them.
[[nodiscard]] TPayoffResult ComputePayoff(const TPayoffRequest& request, TComputeContext& context);

[[nodiscard]] std::vector<std::string> RenderPayoff(const TPayoffRequest& request,
                                                    const TPayoffResult& result);

// The report's two tables, named in the first column, the line in the second, then a column
// per horizon ("<days> days"): "Entry" with "Premium" and "Impl.f." (or "Impl.p."), and
// "Analysis" with both estimates of "Av.gain", "Av.loss", "P(gain)" (a fraction) and "P&L"
// ("Av.gain 1", "Av.gain 2" ...).
[[nodiscard]] TCsvTable PayoffCsv(const TPayoffRequest& request, const TPayoffResult& result);

}  // namespace valquor
