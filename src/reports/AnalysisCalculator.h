#pragma once
// The analysis calculator: market and fair premiums of the call and put at the panel's strike
// and of the position, the over- or underpricing, and the chance that buying the call or the put
// ends in a gain. It values with Black-Scholes or the binomial tree, never by integration.

#include <cstdint>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/ValuationTerms.h"
#include "reports/ReportInputs.h"

namespace valquor {

struct TAnalysisCalculatorRequest {
  int Days = 0;              // trading days to expiration, rounded
  TReportInputs Inputs;      // Strike, StrikeStep, Price, Forward, Volatility, TrueVolatility
  bool PriceIsInput = true;  // strike axis without lock: the price, not the forward, is given
  float Dividends = 0;       // paid before expiration, taken off the price for fair values
  bool Custom = false;       // market premiums typed (Call, Put) rather than valued
  float Call = 0, Put = 0;
  int Code = 0;  // the position, 1 to 28; 0 when its name is not in the catalogue
  std::string PositionName;
  // Black-Scholes or the binomial tree: the terms of the position, and of the call and put
  // (which carry five times the page's intervals).
  TValuationTerms Terms;
  TValuationTerms OptionTerms;
  float Rate = 0;  // the Options page's rate, for forwards and present values
  // Texts as typed, for the report.
  std::string PriceText, VolatilityText, TrueVolatilityText, CarryText;
};

struct TAnalysisCalculatorResult {
  bool Written = false;  // false: days not above 0, the pane keeps its text
  float Forward = 0;     // the forward of the dividend-adjusted price
  float CallMarket = 0, CallFair = 0, PutMarket = 0, PutFair = 0;
  double CallGain = 0, PutGain = 0;  // percent
  float PositionMarket = 0, PositionFair = 0;
  // Market less fair, for the lines the report shows.
  float CallDifference = 0, PutDifference = 0, PositionDifference = 0;
  [[nodiscard]] bool ShowsCall(const TAnalysisCalculatorRequest& request) const;
  [[nodiscard]] bool ShowsPut(const TAnalysisCalculatorRequest& request) const;
};

// Units of work ComputeAnalysisCalculator counts as finished.
[[nodiscard]] std::uint64_t AnalysisCalculatorUnits(const TAnalysisCalculatorRequest& request);

// Days not above 0: "Trading days to expiration must be > 0" and nothing written. A forward not
// above 0 shows "Forward must be > 0" and throws EAbandoned, as does an unknown position after
// "Error: Not recognized: <name>" (once the call and put are valued). The call, the put and the
// position at market and at fair terms are valued on the context's workers.
[[nodiscard]] TAnalysisCalculatorResult ComputeAnalysisCalculator(
    const TAnalysisCalculatorRequest& request, TComputeContext& context);

[[nodiscard]] std::vector<std::string> RenderAnalysisCalculator(
    const TAnalysisCalculatorRequest& request, const TAnalysisCalculatorResult& result);

// A row per line of the report (Call, Put, the position): market, fair, their difference and
// the chance of a gain in percent (none for the position).
[[nodiscard]] TCsvTable AnalysisCalculatorCsv(const TAnalysisCalculatorRequest& request,
                                              const TAnalysisCalculatorResult& result);

}  // namespace valquor
