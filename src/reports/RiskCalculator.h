#pragma once
// The risk calculator: what part of the premium paid for a call or put is at risk when the
// price moves two standard deviations of the holding period against the position.

#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/ValuationTerms.h"

namespace valquor {

// The refusals of the dialog's fields.
inline constexpr const char* kRiskVolatilityMessage = "Volatility must be above 0";
inline constexpr const char* kRiskDaysMessage = "Days must be 0 or more";
inline constexpr const char* kRiskDaysInPositionMessage =
    "Number of days in position must be 0 or more";

struct TRiskRequest {
  float Strike = 0;
  float Premium = 0;
  float Price = 0;
  float Volatility = 0;    // percent per year, > 0
  int Days = 0;            // >= 0
  int DaysInPosition = 0;  // >= 0
  bool IsCall = false;     // neither: no type selected, nothing valued
  bool IsPut = false;
  bool TradingDays = false;  // neither: no day counting selected, nothing valued
  bool AllDays = false;
  // The calculators' formula at the risk calculator's rate (the IV Calculator's field), with
  // the Options page's carry, steps and exercise style, on the dialog's year.
  TValuationTerms Terms;
  // The Options page's rate: the price grows at it over the holding period.
  float ForwardRate = 0;
  int StyleIndex = 0;  // the Options page's exercise style: 1 American
  // The dialog's texts as typed, echoed by the report.
  std::string StrikeText, DaysText, DaysInPositionText, PriceText, VolText;
};

struct TRiskResult {
  float HoldingSigma = 0;  // one standard deviation over the holding period, price units
  float ProbDown = 0;      // percent: the price ends below price - 2 sigma
  float ProbUp = 0;        // percent: the price ends above price + 2 sigma
  float FairNow = 0;
  float FairIfUp = 0;      // after the move up, with the days left after the holding period
  float FairIfDown = 0;    // after the move down
  double MoneyAtRisk = 0;  // premium less the fair value after the adverse move, at least 0
};

// The holding period's volatility (vol sqrt(days in position / 260), whatever the day counting),
// the move of two of its standard deviations, the chances of the moves about the price grown
// over the holding period (260 or 365 days a year as the dialog counts, the calendar year when
// it counts neither) and the fair values. Model messages go to the context; a move that takes
// the price to 0 or below, or a result out of range, throws ArithmeticFault.
[[nodiscard]] TRiskResult ComputeRisk(const TRiskRequest& request, TComputeContext& context);

// The report's lines: the option, its days, the formula and exercise style, the price and
// volatility as typed, then the figures with two decimals.
[[nodiscard]] std::vector<std::string> RenderRisk(const TRiskRequest& request,
                                                  const TRiskResult& result);

// risk.csv: one row with the terms and every figure of the report.
[[nodiscard]] TCsvTable RiskCsv(const TRiskRequest& request, const TRiskResult& result);

}  // namespace valquor
