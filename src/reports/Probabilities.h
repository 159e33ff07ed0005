#pragma once
// The probabilities report: the chances of the forward ending beyond levels 1 % (or 5 %) apart
// after a number of trading days, under normal, lognormal and medium distributions.

#include <cstdint>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"

namespace valquor {

struct TProbabilitiesRequest {
  int Days = 0;          // trading days
  std::string DaysText;  // as typed
  float Forward = 0;
  float TrueVolatility = 0;  // percent
  bool Wide = false;         // 5 % steps from +200 % to -100 % instead of 1 % from +10 % to -10 %
};

// One level: the change in percent, the price there and the chances (percent) of ending beyond
// it, above for a rise, below for a fall.
struct TProbabilityRow {
  int Change = 0;
  float Level = 0;
  double Normal = 0, Medium = 0, Lognormal = 0;
};

struct TProbabilitiesResult {
  bool Written = false;    // false: days not above 0, the pane keeps its text
  float SigmaPercent = 0;  // the spread over the days, percent
  float Sigma = 0;         // the same as a fraction
  std::vector<TProbabilityRow> Rows;
};

// Units of work ComputeProbabilities counts as finished.
[[nodiscard]] std::uint64_t ProbabilitiesUnits(const TProbabilitiesRequest& request);

// Nothing for days not above 0; a forward not above 0 shows "Forward must be > 0" and throws
// EAbandoned. A true volatility of 0 gives even normal odds.
[[nodiscard]] TProbabilitiesResult ComputeProbabilities(const TProbabilitiesRequest& request,
                                                        TComputeContext& context);

[[nodiscard]] std::vector<std::string> RenderProbabilities(const TProbabilitiesRequest& request,
                                                           const TProbabilitiesResult& result);

// The change, the forward there and the three chances, a row per level.
[[nodiscard]] TCsvTable ProbabilitiesCsv(const TProbabilitiesResult& result);

}  // namespace valquor
