#include "reports/OptionCalculator.h"

#include <cmath>

#include "compute/Csv.h"
#include "models/Format.h"
#include "models/NormalDistribution.h"
#include "models/Numbers.h"
#include "models/Single.h"

namespace valquor {

std::uint8_t CalculatorFormula(std::string_view formulaText) {
  return formulaText == "Black-Scholes" ? kFormulaBlackScholes : kFormulaBinomial;
}

std::string ModelDescription(const TValuationTerms& terms) {
  const std::string year = std::to_string(terms.DaysPerYear) + "-day year";
  const std::string rate = "rate " + CsvNumber(terms.RiskFree);
  switch (terms.Formula) {
    case kFormulaBlackScholes:
      return "Black-Scholes, " + rate + ", " + year;
    case kFormulaBinomial:
      return std::string("Binomial, ") + (terms.American ? "American" : "European") + ", " +
             std::to_string(terms.Steps) + " steps, " + rate + ", carry " + CsvNumber(terms.Carry) +
             ", " + year;
    case kFormulaIntNormal:
    case kFormulaIntLognormal:
    case kFormulaIntMedium: {
      const char* distribution = terms.Formula == kFormulaIntNormal ? "normal"
                                 : terms.Formula == kFormulaIntLognormal
                                     ? "lognormal"
                                     : "medium normal/lognormal";
      return std::string("Integration, ") + distribution + " distribution, " +
             std::to_string(terms.Intervals) + " intervals";
    }
    default:
      return "No formula";
  }
}

TOptionCalculatorResult ComputeOptionCalculator(const TOptionCalculatorRequest& request,
                                                TComputeContext& context) {
  const TValuationTerms& terms = request.Terms;
  const double year = terms.DaysPerYear;
  const float spread =
      static_cast<float>(std::sqrt(static_cast<double>(request.Days)) *
                         (0.01 * static_cast<double>(request.Volatility)) / std::sqrt(year));
  const float forward =
      ForwardOf(request.ForwardRate, request.Days, terms.DaysPerYear, request.Price);
  context.Control().Plan(1);
  TOptionCalculatorResult result;
  result.Premium = context.Sequential().Value(terms, request.IsPut, request.Days, request.Strike,
                                              request.Price, request.Volatility);
  context.Control().Finish();

  // A put gains when the price ends below strike less premium; with a premium at or above the
  // strike no price can end there.
  const double strike = request.Strike;
  if (request.IsPut) {
    const double level = strike - result.Premium;
    result.Gain = level > 0 ? 100.0 * ProbabilityBelow(level, forward, spread) : 0.0;
  } else {
    result.Gain = 100.0 - 100.0 * ProbabilityBelow(strike + result.Premium, forward, spread);
  }
  return result;
}

TOptionCalculatorFields RenderOptionCalculator(const TOptionCalculatorRequest& request,
                                               const TOptionCalculatorResult& result) {
  const bool tree = request.Terms.Formula == kFormulaBinomial;
  TOptionCalculatorFields fields;
  fields.Formula = tree ? "Cox-Ross-Rubenstein" : "Black-Scholes";
  fields.Style = tree && request.StyleIndex == 1 ? "American" : "European";
  fields.Premium = FormatPremium(result.Premium);
  fields.Gain = FormatFixed(result.Gain, 0) + "%";
  fields.Model = ModelDescription(request.Terms);
  return fields;
}

}  // namespace valquor
