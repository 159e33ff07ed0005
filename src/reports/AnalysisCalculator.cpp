#include "reports/AnalysisCalculator.h"

#include <cmath>

#include "models/Format.h"
#include "models/Numbers.h"
#include "models/Single.h"
#include "reports/PositionValue.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

// The call, the put, the position at market terms and at fair terms.
constexpr std::size_t kValuations = 4;

// One unit's valuation: a market and a fair value, and the chance of a gain for an option.
struct TPricing {
  float Market = 0, Fair = 0;
  double Gain = 0;
};

// "market   (fair)   overpricing  = difference", or "underpricing = " when `over` is false.
std::string PricingText(float market, float fair, float difference, bool over) {
  return FormatFixed(market, 2, 6) + "   (" + FormatFixed(fair, 2, 6) +
         (over ? ")   overpricing  = " : ")   underpricing = ") + FormatFixed(difference, 2, 6);
}

float Difference(float market, float fair) { return ToSingle(double{market} - fair, "difference"); }

}  // namespace

bool TAnalysisCalculatorResult::ShowsCall(const TAnalysisCalculatorRequest& request) const {
  return !request.Custom || CallMarket > 0;
}

bool TAnalysisCalculatorResult::ShowsPut(const TAnalysisCalculatorRequest& request) const {
  return !request.Custom || PutMarket > 0;
}

std::uint64_t AnalysisCalculatorUnits(const TAnalysisCalculatorRequest& request) {
  return request.Days > 0 ? kValuations : 0;
}

TAnalysisCalculatorResult ComputeAnalysisCalculator(const TAnalysisCalculatorRequest& request,
                                                    TComputeContext& context) {
  const TReportInputs& in = request.Inputs;
  const int days = request.Days;
  TAnalysisCalculatorResult result;
  // Prices are moved over the days only when there are days to move them over.
  const float present = request.PriceIsInput || days <= 0
                            ? in.Price
                            : PresentOf(request.Rate, days, kTradingDaysPerYear, in.Forward);
  const float price = ToSingle(double{present} - request.Dividends, "price");
  if (days <= 0) {
    context.Messages().ShowMessage("Trading days to expiration must be > 0", TMessageKind::Error);
    return result;
  }
  result.Forward = ForwardOf(request.Rate, days, kTradingDaysPerYear, price);
  if (!(in.Forward > 0)) {
    context.Messages().ShowMessage("Forward must be > 0", TMessageKind::Error);
    throw EAbandoned();
  }
  const auto spread = static_cast<float>(std::sqrt(static_cast<double>(days)) * 0.01 *
                                         in.TrueVolatility / detail::SqrtTradingYear());

  const std::vector<TPricing> pricings =
      context.Map<TPricing>(kValuations, [&](std::size_t i, TValuer& valuer) {
        TPricing pricing;
        if (i < 2) {
          // The call gains above strike plus premium, the put below strike less premium.
          const bool isPut = i == 1;
          const float typed = isPut ? request.Put : request.Call;
          pricing.Market = request.Custom ? typed
                                          : valuer.Value(request.OptionTerms, isPut, days,
                                                         in.Strike, in.Price, in.Volatility);
          pricing.Fair =
              valuer.Value(request.OptionTerms, isPut, days, in.Strike, price, in.TrueVolatility);
          pricing.Gain = isPut ? 100 * detail::ChanceBelow(double{in.Strike} - pricing.Market,
                                                           in.Forward, spread)
                               : 100 - 100 * detail::ChanceBelow(double{in.Strike} + pricing.Market,
                                                                 in.Forward, spread);
          return pricing;
        }
        if (request.Code == 0) {
          if (i == 2) {
            valuer.Messages().ShowMessage("Error: Not recognized: " + request.PositionName,
                                          TMessageKind::Error);
            throw EAbandoned();
          }
          return pricing;
        }
        // The position's value is the mean of its two estimates.
        const TPositionValue value =
            i == 2 ? PositionValue(valuer, request.Terms, request.Code, days, in.Strike, in.Price,
                                   in.Volatility, in.StrikeStep)
                   : PositionValue(valuer, request.Terms, request.Code, days, in.Strike, price,
                                   in.TrueVolatility, in.StrikeStep);
        pricing.Market = static_cast<float>((double{value.First} + value.Second) / 2);
        return pricing;
      });

  result.Written = true;
  result.CallMarket = pricings[0].Market;
  result.CallFair = pricings[0].Fair;
  result.CallGain = pricings[0].Gain;
  result.PutMarket = pricings[1].Market;
  result.PutFair = pricings[1].Fair;
  result.PutGain = pricings[1].Gain;
  result.PositionMarket = pricings[2].Market;
  result.PositionFair = pricings[3].Market;
  if (result.ShowsCall(request))
    result.CallDifference = Difference(result.CallMarket, result.CallFair);
  if (result.ShowsPut(request)) result.PutDifference = Difference(result.PutMarket, result.PutFair);
  result.PositionDifference = Difference(result.PositionMarket, result.PositionFair);
  return result;
}

std::vector<std::string> RenderAnalysisCalculator(const TAnalysisCalculatorRequest& request,
                                                  const TAnalysisCalculatorResult& result) {
  const TReportInputs& in = request.Inputs;
  std::vector<std::string> lines;
  if (request.Terms.Formula == kFormulaBinomial) {
    lines.emplace_back(" Formula = Cox-Ross-Rubenstein");
    lines.push_back(std::string(" Option type = ") +
                    (request.Terms.American ? "American" : "European") +
                    "    Risk-free interest = " + FormatFixed(request.Terms.RiskFree, 3) +
                    "    Cost of carry = " + request.CarryText);
  } else {
    lines.emplace_back(" Formula = Black-Scholes");
    lines.push_back(" Option type = European    Risk-free interest = " +
                    FormatFixed(request.Terms.RiskFree, 3));
  }
  if (result.ShowsCall(request)) {
    lines.push_back(" Strike = " + FormatFixed(in.Strike, 1, 5) +
                    "   Trading days to expiration = " + std::to_string(request.Days));
    lines.emplace_back();
    lines.push_back(" Market:            Stock price = " + request.PriceText +
                    "     Impl.vol = " + request.VolatilityText);
    lines.push_back(" () = price when    Forward = " + FormatPremium(result.Forward) +
                    "      True vol = " + request.TrueVolatilityText);
    lines.emplace_back();
    lines.push_back(" Call = " +
                    PricingText(result.CallMarket, result.CallFair, result.CallDifference,
                                result.CallDifference > 0) +
                    "   P(gain) = " + FormatFixed(result.CallGain, 1) + "%");
  }
  // A difference of exactly 0 reads as underpricing for the call and overpricing for the put.
  if (result.ShowsPut(request)) {
    lines.push_back(" Put  = " +
                    PricingText(result.PutMarket, result.PutFair, result.PutDifference,
                                result.PutDifference >= 0) +
                    "   P(gain) = " + FormatFixed(result.PutGain, 1) + "%");
  }
  lines.emplace_back();
  lines.push_back(" " + request.PositionName);
  lines.push_back(" Value =" + PricingText(result.PositionMarket, result.PositionFair,
                                           result.PositionDifference,
                                           result.PositionDifference > 0));
  return lines;
}

TCsvTable AnalysisCalculatorCsv(const TAnalysisCalculatorRequest& request,
                                const TAnalysisCalculatorResult& result) {
  TCsvTable table;
  table.Header = {"Option", "Market", "Fair", "Difference", "P(gain) %"};
  if (!result.Written) return table;
  if (result.ShowsCall(request)) {
    table.Rows.push_back({"Call", CsvNumber(result.CallMarket), CsvNumber(result.CallFair),
                          CsvNumber(result.CallDifference),
                          CsvNumber(static_cast<float>(result.CallGain))});
  }
  if (result.ShowsPut(request)) {
    table.Rows.push_back({"Put", CsvNumber(result.PutMarket), CsvNumber(result.PutFair),
                          CsvNumber(result.PutDifference),
                          CsvNumber(static_cast<float>(result.PutGain))});
  }
  table.Rows.push_back({request.PositionName, CsvNumber(result.PositionMarket),
                        CsvNumber(result.PositionFair), CsvNumber(result.PositionDifference), ""});
  return table;
}

}  // namespace valquor
