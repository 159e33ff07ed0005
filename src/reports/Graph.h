#pragma once
// The risk graph of the Pricing page: the position's profit and loss over the underlying's
// price on four dates up to its (near) expiration, the likely range of the price at expiration,
// the greeks of every leg, and the position's figures at expiration (breakevens, maximum profit
// and loss, chance of a profit, expected result).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/OptionInt.h"
#include "models/ValuationTerms.h"
#include "reports/Greeks.h"

namespace valquor {

// Points of the price axis.
inline constexpr int kGraphPoints = 201;
// The price axis spans the prices this many standard deviations either side of the forward.
inline constexpr int kGraphSigmas = 3;

struct TGraphRequest {
  int PositionCode = 1;  // 1 to 28
  float Strike = 0.0f;
  float StrikeStep = 10.0f;  // the distance of the legs a step away
  float Price = 0.0f;
  float Forward = 0.0f;
  bool ForwardLocked = false;  // the forward is the input and the price its present value
  float Volatility = 0.0f;     // implied volatility in percent: values the position
  TValuationTerms Terms;
  float Rate = 0.0f;            // grows the price into the forward over the days
  int Days = 0;                 // trading days to the position's (near) expiration
  float TrueVolatility = 0.0f;  // percent: the spread of the price at expiration
  std::uint8_t Distribution = kNormalDistribution;  // of the price at expiration
  // What if the price moved by this many percent, so many trading days passed and the implied
  // volatility changed by so many points: the lines and the greeks are drawn there.
  float WhatIfPrice = 0.0f;
  int WhatIfDays = 0;
  float WhatIfVol = 0.0f;
};

// One line of the chart: the profit or loss at each price of the axis with DaysLeft trading
// days to the near expiration.
struct TGraphLine {
  int DaysLeft = 0;
  std::vector<float> PL;  // kGraphPoints values
};

enum class TGraphMarkerKind { Price, WhatIfPrice, Sigma, Zero, Breakeven };

// A mark on the chart: a price (a vertical line) or, for Zero, a profit or loss level.
struct TGraphMarker {
  TGraphMarkerKind Kind = TGraphMarkerKind::Price;
  std::string Label;
  float Value = 0.0f;
};

// The greeks of one leg as the position holds it (sold legs and quantities included), or of
// the whole position (the Total row: Side "Total", no quantity, strike or days).
struct TGreeksRow {
  std::string Side;  // "Buy call", "Sell put", "Buy stock", "Total"
  std::optional<int> Quantity;
  std::optional<float> Strike;
  std::optional<int> Days;
  TGreeks Greeks;
};

// The best or worst result at expiration.
struct TGraphExtreme {
  enum class TKind { Amount, Unlimited, None } Kind = TKind::None;
  float Amount = 0.0f;  // a positive amount of profit or loss
};

struct TGraphSummary {
  std::vector<float> Breakevens;  // ascending
  TGraphExtreme MaxProfit, MaxLoss;
  // Calendar spreads: the figures are taken over the chart's prices, not over all prices.
  bool InRange = false;
  float ProfitChance = 0.0f;  // 0 to 1
  float ExpectedPL = 0.0f;
};

struct TGraphResult {
  float Spot = 0.0f;              // today's price of the underlying
  float Forward = 0.0f;           // its forward at the near expiration
  float EntryValue = 0.0f;        // the position's value today at the implied volatility
  std::vector<float> Prices;      // the price axis, kGraphPoints prices
  std::vector<TGraphLine> Lines;  // from the most days left to expiration
  std::vector<TGraphMarker> Markers;
  std::vector<TGreeksRow> Greeks;  // one row per leg, then the Total row
  TGraphSummary Summary;
};

// Computes the graph. Refuses, with one message to context.Messages() and EAbandoned: days
// not above 0 ("Trading days to expiration must be > 0"), a strike of a leg not above 0
// ("Strike must be > 0"), a price or forward not above 0 (also after the what-if price
// change), a true volatility or implied volatility (after the what-if change) not above 0, and
// what-if days outside 0 to the days. The lines are the values at today's, one third and two
// thirds of the way to expiration and at expiration (from the what-if day on, at the what-if
// volatility), less the value today; at expiration an expiring leg is worth its payoff, a
// calendar spread's far leg its model value. Greeks are taken at the what-if point. The
// summary does not depend on the what-ifs, but for the far leg of calendar spreads, which is
// valued at the what-if volatility. Results are the same for any number of workers.
[[nodiscard]] TGraphResult ComputeGraph(const TGraphRequest& request, TComputeContext& context);

// The column headings of the greeks, with their units.
[[nodiscard]] const std::vector<std::string>& GreeksHeadings();
// The greeks as the grid shows them: the headings, then one row of texts per row of the result
// (empty texts where a row has no figure).
[[nodiscard]] std::vector<std::vector<std::string>> GreeksCells(const TGraphResult& result);

// The legend of a line: "20 days left".
[[nodiscard]] std::string LineLabel(int daysLeft);

// The texts of the summary fields: breakevens with 2 decimals joined by "; " ("none" when there
// are none); an extreme as its amount with 2 decimals, "unlimited" or "none", followed by
// " (in range)" for calendar spreads; the chance in percent with one decimal and "%"; the
// expected result with 2 decimals.
[[nodiscard]] std::string BreakevensText(const TGraphSummary& summary);
[[nodiscard]] std::string ExtremeText(const TGraphExtreme& extreme, bool inRange);
[[nodiscard]] std::string ChanceText(const TGraphSummary& summary);
[[nodiscard]] std::string ExpectedText(const TGraphSummary& summary);

// The chart's data as a table: "price", then one column per line headed by LineLabel.
[[nodiscard]] TCsvTable GraphCsv(const TGraphResult& result);
// The greeks as a table: the headings, then one row per leg and the Total row.
[[nodiscard]] TCsvTable GreeksCsv(const TGraphResult& result);

}  // namespace valquor
