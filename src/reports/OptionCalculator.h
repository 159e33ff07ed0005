#pragma once
// The single-option calculator of the Calculator page: the premium of one call or put and the
// chance that buying it at that premium ends in a gain; and the line that names the model a
// calculator's valuation used.

#include <cstdint>
#include <string>
#include <string_view>

#include "compute/Engine.h"
#include "models/ValuationTerms.h"

namespace valquor {

// The formula of the calculators: Black-Scholes for a Formula text of exactly "Black-Scholes",
// the binomial tree for any other text.
[[nodiscard]] std::uint8_t CalculatorFormula(std::string_view formulaText);

// The model a valuation under terms used, for the line under a calculator's result:
// "Black-Scholes, rate 0.05, 365-day year", "Binomial, American, 300 steps, rate 0.05, carry
// 0.03, 260-day year", "Integration, normal distribution, 1000 intervals". Rates as the
// shortest text that reads back to the same single-precision number.
[[nodiscard]] std::string ModelDescription(const TValuationTerms& terms);

struct TOptionCalculatorRequest {
  float Strike = 0;      // > 0
  float Price = 0;       // > 0
  float Volatility = 0;  // percent, > 0
  int Days = 0;          // > 0, counted against Terms.DaysPerYear
  bool IsPut = false;
  // Black-Scholes or the tree at the page's own rate and carry, the Options page's steps and
  // exercise style, on a year of trading or calendar days.
  TValuationTerms Terms;
  // The Options page's rate: the price grows at it to the forward the chance of a gain is
  // measured against.
  float ForwardRate = 0;
  // The exercise style selected on the Options page: 0 European, 1 American, -1 none.
  int StyleIndex = 0;
};

struct TOptionCalculatorResult {
  float Premium = 0;
  double Gain = 0;  // percent: the chance that the price ends beyond the break-even
};

// The premium under the request's terms and the chance of a gain: a call gains when the price
// ends above strike + premium, a put when it ends below strike - premium (never when that is 0
// or less), the price lognormal around the forward with spread vol/100 sqrt(days / year).
// Model messages go to the context; a forward or probability out of range throws
// ArithmeticFault.
[[nodiscard]] TOptionCalculatorResult ComputeOptionCalculator(
    const TOptionCalculatorRequest& request, TComputeContext& context);

// The page's outputs after a Compute.
struct TOptionCalculatorFields {
  std::string Formula;  // Label43: "Black-Scholes" or "Cox-Ross-Rubenstein"
  std::string Style;    // Label45: "American" for the tree with American selected, else "European"
  std::string Premium;  // Edit8: FormatPremium
  std::string Gain;     // Edit3: whole percent and "%"
  std::string Model;    // CalcModelLabel: ModelDescription
};
[[nodiscard]] TOptionCalculatorFields RenderOptionCalculator(
    const TOptionCalculatorRequest& request, const TOptionCalculatorResult& result);

}  // namespace valquor
