#include "reports/RiskCalculator.h"

#include <climits>
#include <cmath>
#include <cstdint>

#include "models/Format.h"
#include "models/NormalDistribution.h"
#include "models/Single.h"

namespace valquor {
namespace {

// days less daysInPosition without leaving 32 bits; anything below is as expired as INT_MIN.
int DaysLeft(int days, int daysInPosition) {
  const std::int64_t left = static_cast<std::int64_t>(days) - daysInPosition;
  if (left < INT_MIN) return INT_MIN;
  if (left > INT_MAX) return INT_MAX;
  return static_cast<int>(left);
}

std::string TwoDecimals(double value) { return FormatFixed(value, 2); }

}  // namespace

TRiskResult ComputeRisk(const TRiskRequest& request, TComputeContext& context) {
  const double price = request.Price;
  TRiskResult result;
  const float holdingVol = ToSingle(static_cast<double>(request.Volatility) *
                                        std::sqrt(static_cast<double>(request.DaysInPosition)) /
                                        std::sqrt(double{kTradingDaysPerYear}),
                                    "the holding period's volatility");
  result.HoldingSigma = ToSingle(0.01 * static_cast<double>(holdingVol) * price, "sigma");
  const float upPrice =
      ToSingle(price + 2.0 * static_cast<double>(result.HoldingSigma), "price up");
  const float downPrice =
      ToSingle(price - 2.0 * static_cast<double>(result.HoldingSigma), "price down");

  const int forwardYear = request.TradingDays ? kTradingDaysPerYear : kCalendarDaysPerYear;
  const float holdingForward =
      ForwardOf(request.ForwardRate, request.DaysInPosition, forwardYear, request.Price);
  const float spread = ToSingle(0.01 * static_cast<double>(holdingVol), "spread");
  result.ProbDown =
      ToSingle(100.0 * ProbabilityBelow(downPrice, holdingForward, spread), "the probability down");
  result.ProbUp = ToSingle(100.0 - 100.0 * ProbabilityBelow(upPrice, holdingForward, spread),
                           "the probability up");

  // Fair values now and after the move; the moved prices are valued with the days left after
  // holding the position, whatever the option type and day counting.
  if ((request.IsCall || request.IsPut) && (request.TradingDays || request.AllDays)) {
    const int daysLeft = DaysLeft(request.Days, request.DaysInPosition);
    struct TValuation {
      int Days;
      float Price;
    };
    const TValuation valuations[3] = {
        {request.Days, request.Price}, {daysLeft, upPrice}, {daysLeft, downPrice}};
    context.Control().Plan(3);
    const std::vector<float> fair = context.Map<float>(3, [&](std::size_t i, TValuer& valuer) {
      return valuer.Value(request.Terms, request.IsPut, valuations[i].Days, request.Strike,
                          valuations[i].Price, request.Volatility);
    });
    result.FairNow = fair[0];
    result.FairIfUp = fair[1];
    result.FairIfDown = fair[2];
  }

  if (request.IsCall) result.MoneyAtRisk = static_cast<double>(request.Premium) - result.FairIfDown;
  if (request.IsPut) result.MoneyAtRisk = static_cast<double>(request.Premium) - result.FairIfUp;
  if (!(result.MoneyAtRisk > 0) || !std::isfinite(result.MoneyAtRisk)) result.MoneyAtRisk = 0;
  return result;
}

std::vector<std::string> RenderRisk(const TRiskRequest& request, const TRiskResult& result) {
  const bool tree = request.Terms.Formula == kFormulaBinomial;
  std::vector<std::string> lines;
  if (request.IsCall) lines.push_back("Call " + request.StrikeText);
  if (request.IsPut) lines.push_back("Put " + request.StrikeText);
  if (request.TradingDays || request.AllDays) {
    lines.push_back((request.TradingDays ? "Trading days: " : "Days (all): ") + request.DaysText);
    lines.push_back("Days in position: " + request.DaysInPositionText);
  }
  lines.emplace_back(tree ? "Formula: Cox-Ross-Rubenstein" : "Formula: Black-Scholes");
  lines.emplace_back(request.StyleIndex == 1 && tree ? "Expiration type: American"
                                                     : "Expiration type: Eurpean");
  lines.push_back("Price: " + request.PriceText);
  lines.push_back("Volatility: " + request.VolText + "%");
  lines.push_back("Sigma: " + TwoDecimals(result.HoldingSigma));
  lines.push_back("P(2*sigma down): " + TwoDecimals(result.ProbDown) + "%");
  lines.push_back("P(2*sigma up): " + TwoDecimals(result.ProbUp) + "%");
  lines.push_back("Premium: " + TwoDecimals(request.Premium));
  lines.push_back("Fair price: " + TwoDecimals(result.FairNow));
  if (request.IsCall) lines.push_back("New fair price if down: " + TwoDecimals(result.FairIfDown));
  if (request.IsPut) lines.push_back("New fair price if up: " + TwoDecimals(result.FairIfUp));
  lines.push_back("Money at risk: " + TwoDecimals(result.MoneyAtRisk));
  return lines;
}

TCsvTable RiskCsv(const TRiskRequest& request, const TRiskResult& result) {
  TCsvTable csv;
  csv.Header = {"Option",
                "Strike",
                "Days",
                "Day counting",
                "Days in position",
                "Price",
                "Volatility",
                "Sigma",
                "P(2*sigma down) %",
                "P(2*sigma up) %",
                "Premium",
                "Fair price",
                "New fair price after the move",
                "Money at risk"};
  const char* option = request.IsCall ? "Call" : request.IsPut ? "Put" : "";
  const char* counting = request.TradingDays ? "Trading days" : request.AllDays ? "All days" : "";
  const float afterMove = request.IsPut ? result.FairIfUp : result.FairIfDown;
  csv.Rows.push_back({option, CsvNumber(request.Strike), CsvInteger(request.Days), counting,
                      CsvInteger(request.DaysInPosition), CsvNumber(request.Price),
                      CsvNumber(request.Volatility), CsvNumber(result.HoldingSigma),
                      CsvNumber(result.ProbDown), CsvNumber(result.ProbUp),
                      CsvNumber(request.Premium), CsvNumber(result.FairNow), CsvNumber(afterMove),
                      CsvNumber(static_cast<float>(result.MoneyAtRisk))});
  return csv;
}

}  // namespace valquor
