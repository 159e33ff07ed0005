#pragma once
// The over/under-pricing calculator: one option's market premium set against its fair value at
// the volatility and days the trader states, at the forward price expected at expiration; with
// a verdict and the volatility the market premium implies.

#include <optional>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/ValuationTerms.h"

namespace valquor {

// The refusals of the dialog's premium and forward (strike, volatility and days are refused as
// on the Calculator page).
inline constexpr const char* kOverUnderPremiumMessage = "Premium input error";
inline constexpr const char* kOverUnderForwardMessage = "Forward price input error";

struct TOverUnderRequest {
  float Strike = 0;      // > 0
  float Premium = 0;     // >= 0, the market premium
  float Forward = 0;     // > 0, the forward price at expiration
  float Volatility = 0;  // percent per year, > 0
  int Days = 0;          // > 0, counted against Terms.DaysPerYear
  bool IsPut = false;
  // The calculators' formula under the Options page's rate, carry, steps and exercise style, on
  // the dialog's year.
  TValuationTerms Terms;
  // The dialog's texts as typed, echoed by the report.
  std::string StrikeText, DaysText, ForwardText, VolText;
};

// The verdict: over- or underpriced by more than kFairBand of the fair value, else fair.
inline constexpr double kFairBand = 0.01;

struct TOverUnderResult {
  float Price = 0;        // the price whose forward at Terms.RiskFree over the days is the forward
  float Fair = 0;         // the option's value at that price
  double Difference = 0;  // premium - fair value
  std::optional<double> DifferencePercent;  // of the fair value; nothing when that is 0
  const char* Verdict = "fair";             // "overpriced", "underpriced" or "fair"
  // The volatility that values the option at the premium (0.1 % resolution), or nothing when
  // none from 0.1 % to 200 % gives it within half a cent.
  std::optional<float> ImpliedVolatility;
};

// The fair value at the price discounted from the forward (PresentOf at the terms' rate on the
// terms' year), the difference and verdict, and the implied volatility of the premium on every
// worker of the context. Model messages go to the context; a price out of range throws
// ArithmeticFault.
[[nodiscard]] TOverUnderResult ComputeOverUnder(const TOverUnderRequest& request,
                                                TComputeContext& context);

// The report's lines: the option and its days, the model, the forward and volatility as typed,
// then label and figure in two columns of fixed width.
[[nodiscard]] std::vector<std::string> RenderOverUnder(const TOverUnderRequest& request,
                                                       const TOverUnderResult& result);

// over-under.csv: one row with the terms and every figure of the report.
[[nodiscard]] TCsvTable OverUnderCsv(const TOverUnderRequest& request,
                                     const TOverUnderResult& result);

}  // namespace valquor
