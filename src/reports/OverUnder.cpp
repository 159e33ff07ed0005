#include "reports/OverUnder.h"

#include <algorithm>
#include <cmath>

#include "models/Format.h"
#include "models/Single.h"
#include "reports/OptionCalculator.h"
#include "reports/OptionCalculatorImplied.h"

namespace valquor {
namespace {

// The figures' labels take this many characters, their values the next kValueWidth.
constexpr std::size_t kLabelWidth = 22;
constexpr int kValueWidth = 11;

std::string Figure(std::string label, const std::string& value) {
  label.resize(std::max(label.size(), kLabelWidth), ' ');
  return label + value;
}

std::string Money(double value) { return FormatFixed(value, 2, kValueWidth); }

}  // namespace

TOverUnderResult ComputeOverUnder(const TOverUnderRequest& request, TComputeContext& context) {
  const TValuationTerms& terms = request.Terms;
  TOverUnderResult result;
  result.Price = PresentOf(terms.RiskFree, request.Days, terms.DaysPerYear, request.Forward);
  context.Control().Plan(1 + kSearchUnits);
  result.Fair = context.Sequential().Value(terms, request.IsPut, request.Days, request.Strike,
                                           result.Price, request.Volatility);
  context.Control().Finish();

  const double fair = result.Fair;
  result.Difference = static_cast<double>(request.Premium) - fair;
  if (fair != 0) {
    const double percent = 100.0 * result.Difference / fair;
    if (std::isfinite(percent)) result.DifferencePercent = percent;
  }
  if (std::fabs(result.Difference) <= kFairBand * std::fabs(fair)) {
    result.Verdict = "fair";
  } else {
    result.Verdict = result.Difference > 0 ? "overpriced" : "underpriced";
  }

  TImpliedVolatilityRequest implied;
  implied.Strike = request.Strike;
  implied.Price = result.Price;
  implied.Premium = request.Premium;
  implied.Days = request.Days;
  implied.IsPut = request.IsPut;
  implied.Terms = terms;
  result.ImpliedVolatility = ImpliedVolatility(implied, context);
  return result;
}

std::vector<std::string> RenderOverUnder(const TOverUnderRequest& request,
                                         const TOverUnderResult& result) {
  const bool calendar = request.Terms.DaysPerYear == kCalendarDaysPerYear;
  std::vector<std::string> lines;
  lines.push_back((request.IsPut ? "Put " : "Call ") + request.StrikeText);
  lines.push_back((calendar ? "Days (all): " : "Trading days: ") + request.DaysText);
  lines.push_back("Model: " + ModelDescription(request.Terms));
  lines.push_back("Forward price: " + request.ForwardText);
  lines.push_back("Volatility: " + request.VolText + "%");
  lines.push_back(Figure("Fair value:", Money(result.Fair)));
  lines.push_back(Figure("Market premium:", Money(request.Premium)));
  lines.push_back(Figure("Difference:", Money(result.Difference)));
  lines.push_back(Figure("Difference in percent:", result.DifferencePercent
                                                       ? Money(*result.DifferencePercent) + "%"
                                                       : PadLeft("n/a", kValueWidth)));
  lines.push_back(Figure("Verdict:", PadLeft(result.Verdict, kValueWidth)));
  if (result.ImpliedVolatility) {
    lines.push_back(Figure("Implied volatility:", Money(*result.ImpliedVolatility) + "%"));
  } else {
    lines.emplace_back(kNoImpliedVolatilityMessage);
  }
  return lines;
}

TCsvTable OverUnderCsv(const TOverUnderRequest& request, const TOverUnderResult& result) {
  TCsvTable csv;
  csv.Header = {"Option",        "Strike",       "Days",       "Day counting",
                "Forward price", "Volatility",   "Fair value", "Market premium",
                "Difference",    "Difference %", "Verdict",    "Implied volatility"};
  const bool calendar = request.Terms.DaysPerYear == kCalendarDaysPerYear;
  const auto single = [](std::optional<double> value) -> std::optional<float> {
    if (!value || !std::isfinite(*value) || std::fabs(*value) > 3.4e38) return std::nullopt;
    return static_cast<float>(*value);
  };
  csv.Rows.push_back(
      {request.IsPut ? "Put" : "Call", CsvNumber(request.Strike), CsvInteger(request.Days),
       calendar ? "All days" : "Trading days", CsvNumber(request.Forward),
       CsvNumber(request.Volatility), CsvNumber(result.Fair), CsvNumber(request.Premium),
       CsvNumber(single(result.Difference)), CsvNumber(single(result.DifferencePercent)),
       result.Verdict, CsvNumber(result.ImpliedVolatility)});
  return csv;
}

}  // namespace valquor
