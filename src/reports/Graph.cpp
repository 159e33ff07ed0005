#include "reports/Graph.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "models/Format.h"
#include "models/NormalDistribution.h"
#include "models/Single.h"
#include "reports/Positions.h"
#include "reports/ReportCells.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kInvSqrtTwoPi = 0.3989422804014327;

[[noreturn]] void Refuse(TComputeContext& context, const char* message) {
  context.Messages().ShowMessage(message, TMessageKind::Error);
  throw EAbandoned();
}

// The price at expiration: normal with mean centre and standard deviation centre * spread,
// lognormal with mean centre and log-standard deviation spread, or the mean of both (the
// distributions of the integration model and the payoff analysis).
class TPriceDistribution {
 public:
  TPriceDistribution(std::uint8_t kind, double centre, double spread)
      : kind_(kind),
        centre_(centre),
        spread_(spread),
        deviation_(centre * spread),
        logMean_(std::log(centre) - spread * spread / 2.0) {}

  // The chance of a price at or below x (x may be infinite).
  [[nodiscard]] double Cdf(double x) const {
    if (kind_ == kNormalDistribution) return NormalPart(x);
    if (kind_ == kLognormalDistribution) return LognormalPart(x);
    return (NormalPart(x) + LognormalPart(x)) / 2.0;
  }
  // The mean of the price over the prices at or below x: E[X; X <= x].
  [[nodiscard]] double PartialMean(double x) const {
    if (kind_ == kNormalDistribution) return NormalMean(x);
    if (kind_ == kLognormalDistribution) return LognormalMean(x);
    return (NormalMean(x) + LognormalMean(x)) / 2.0;
  }
  // The price whose chance of not being exceeded is that of a standard normal at k.
  [[nodiscard]] double Quantile(double k) const {
    const double normal = centre_ + k * deviation_;
    const double lognormal = std::exp(logMean_ + k * spread_);
    if (kind_ == kNormalDistribution) return normal;
    if (kind_ == kLognormalDistribution) return lognormal;
    // The mean of the two lies between their own quantiles.
    const double p = NormalCdf(k);
    double low = std::min(normal, lognormal);
    double high = std::max(normal, lognormal);
    for (int i = 0; i < 100 && high - low > 1e-12 * std::fabs(high); ++i) {
      const double middle = (low + high) / 2.0;
      (Cdf(middle) < p ? low : high) = middle;
    }
    return (low + high) / 2.0;
  }

 private:
  [[nodiscard]] double NormalPart(double x) const {
    if (x == -kInfinity) return 0.0;
    if (x == kInfinity) return 1.0;
    return NormalCdf((x - centre_) / deviation_);
  }
  [[nodiscard]] double LognormalPart(double x) const {
    if (x <= 0.0) return 0.0;
    if (x == kInfinity) return 1.0;
    return NormalCdf((std::log(x) - logMean_) / spread_);
  }
  [[nodiscard]] double NormalMean(double x) const {
    if (x == -kInfinity) return 0.0;
    if (x == kInfinity) return centre_;
    const double z = (x - centre_) / deviation_;
    return centre_ * NormalCdf(z) - deviation_ * kInvSqrtTwoPi * std::exp(-z * z / 2.0);
  }
  [[nodiscard]] double LognormalMean(double x) const {
    if (x <= 0.0) return 0.0;
    if (x == kInfinity) return centre_;
    return centre_ * NormalCdf((std::log(x) - logMean_ - spread_ * spread_) / spread_);
  }

  std::uint8_t kind_;
  double centre_;
  double spread_;
  double deviation_;
  double logMean_;
};

// The profit or loss at expiration as straight pieces between knots: constant below the first
// knot, TailSlope beyond the last.
struct TPiecewise {
  std::vector<double> X, Y;
  double TailSlope = 0.0;
};

int Sign(double y) { return (y > 0.0) - (y < 0.0); }

// Where the pieces cross zero, ascending; a piece that only touches zero is no breakeven.
std::vector<double> Breakevens(const TPiecewise& f) {
  std::vector<double> roots;
  const std::size_t n = f.X.size();
  const int atInfinity = f.TailSlope != 0.0 ? Sign(f.TailSlope) : Sign(f.Y.back());
  const auto nextSign = [&](std::size_t i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (Sign(f.Y[j]) != 0) return Sign(f.Y[j]);
    }
    return atInfinity;
  };
  int lastSign = Sign(f.Y[0]);
  for (std::size_t i = 0; i < n; ++i) {
    const int s = Sign(f.Y[i]);
    if (i > 0 && s * Sign(f.Y[i - 1]) < 0) {
      roots.push_back(f.X[i - 1] + (f.X[i] - f.X[i - 1]) * f.Y[i - 1] / (f.Y[i - 1] - f.Y[i]));
    }
    const bool firstOfZeros = i == 0 || Sign(f.Y[i - 1]) != 0;
    if (s == 0 && firstOfZeros && f.X[i] > 0.0 && lastSign != 0 && lastSign * nextSign(i) < 0) {
      roots.push_back(f.X[i]);
    }
    if (s != 0) lastSign = s;
  }
  if (f.TailSlope != 0.0 && Sign(f.Y.back()) * atInfinity < 0) {
    roots.push_back(f.X.back() - f.Y.back() / f.TailSlope);
  }
  return roots;
}

// The chance of a profit and the expected result under the distribution, piece by piece.
void Expectations(const TPiecewise& f, const TPriceDistribution& d, double& chance,
                  double& expected) {
  chance = 0.0;
  expected = 0.0;
  // A straight piece y(x) = ya + slope (x - a) between a and b.
  const auto piece = [&](double a, double b, double ya, double slope) {
    const double mass = d.Cdf(b) - d.Cdf(a);
    if (slope == 0.0) {
      expected += ya * mass;
      if (ya > 0.0) chance += mass;
      return;
    }
    expected += (ya - slope * a) * mass + slope * (d.PartialMean(b) - d.PartialMean(a));
    const double root = a - ya / slope;
    const double from = slope > 0.0 ? std::max(a, root) : a;
    const double to = slope > 0.0 ? b : std::min(b, root);
    if (from < to) chance += d.Cdf(to) - d.Cdf(from);
  };
  piece(-kInfinity, f.X.front(), f.Y.front(), 0.0);
  for (std::size_t i = 1; i < f.X.size(); ++i) {
    if (f.X[i] > f.X[i - 1]) {
      piece(f.X[i - 1], f.X[i], f.Y[i - 1], (f.Y[i] - f.Y[i - 1]) / (f.X[i] - f.X[i - 1]));
    }
  }
  piece(f.X.back(), kInfinity, f.Y.back(), f.TailSlope);
}

TGraphExtreme Extreme(double amount, bool unlimited) {
  TGraphExtreme e;
  if (unlimited) {
    e.Kind = TGraphExtreme::TKind::Unlimited;
  } else if (amount > 0.0) {
    e.Kind = TGraphExtreme::TKind::Amount;
    e.Amount = detail::ToSingle(amount, "profit or loss");
  }
  return e;
}

const char* LegName(const TLeg& leg) {
  if (leg.Kind == TLegKind::Stock) return leg.Count > 0 ? "Buy stock" : "Sell stock";
  if (leg.Kind == TLegKind::Put) return leg.Count > 0 ? "Buy put" : "Sell put";
  return leg.Count > 0 ? "Buy call" : "Sell call";
}

std::optional<float> Scaled(std::optional<float> figure, int count, const char* what) {
  if (!figure) return std::nullopt;
  return detail::ToSingle(static_cast<double>(count) * *figure, what);
}

void AddTo(std::optional<double>& sum, std::optional<float> figure) {
  if (figure) sum = sum.value_or(0.0) + *figure;
}

std::optional<float> Single(std::optional<double> sum, const char* what) {
  if (!sum) return std::nullopt;
  return detail::ToSingle(*sum, what);
}

}  // namespace

TGraphResult ComputeGraph(const TGraphRequest& request, TComputeContext& context) {
  const std::span<const TLeg> legs = PositionLegs(request.PositionCode);
  if (legs.empty()) throw std::invalid_argument("no position with that code");
  const int days = request.Days;
  if (days <= 0) Refuse(context, "Trading days to expiration must be > 0");
  for (const TLeg& leg : legs) {
    if (leg.Kind != TLegKind::Stock &&
        !(LegStrike(leg, request.Strike, request.StrikeStep) > 0.0f)) {
      Refuse(context, "Strike must be > 0");
    }
  }

  TGraphResult result;
  if (request.ForwardLocked) {
    if (!(request.Forward > 0.0f)) Refuse(context, "Forward must be > 0");
    result.Forward = request.Forward;
    result.Spot = PresentOf(request.Rate, days, kTradingDaysPerYear, request.Forward);
  } else {
    if (!(request.Price > 0.0f)) Refuse(context, "Price must be > 0");
    result.Spot = request.Price;
    result.Forward = ForwardOf(request.Rate, days, kTradingDaysPerYear, request.Price);
  }
  if (!(result.Spot > 0.0f)) Refuse(context, "Price must be > 0");
  if (!(result.Forward > 0.0f)) Refuse(context, "Forward must be > 0");
  if (!(request.TrueVolatility > 0.0f)) Refuse(context, "True volatility must be > 0");
  const float volatility =
      detail::ToSingle(double{request.Volatility} + request.WhatIfVol, "volatility");
  if (!(volatility > 0.0f)) Refuse(context, "Volatility must be > 0");
  if (request.WhatIfDays < 0 || request.WhatIfDays > days) {
    Refuse(context, "What-if days must be between 0 and the trading days to expiration");
  }
  const float whatIfSpot =
      detail::ToSingle(result.Spot * (1.0 + 0.01 * request.WhatIfPrice), "price");
  if (!(whatIfSpot > 0.0f)) Refuse(context, "Price must be > 0");

  const TLegMarket market{request.Terms, request.Rate};
  const float step = request.StrikeStep;
  const bool calendar =
      std::any_of(legs.begin(), legs.end(), [](const TLeg& leg) { return leg.ExtraDays > 0; });

  // The position's value, each leg at its own days; a leg that expires is worth its payoff.
  const auto positionValue = [&](TValuer& valuer, int daysLeft, float spot, float vol) {
    double sum = 0.0;
    for (const TLeg& leg : legs) {
      const float strike = LegStrike(leg, request.Strike, step);
      const int legDays = detail::AddDays(daysLeft, leg.ExtraDays);
      const float unit = leg.Kind != TLegKind::Stock && legDays == 0
                             ? PayoffAt(leg.Kind == TLegKind::Put, spot, strike)
                             : LegUnitValue(valuer, market, leg.Kind, legDays, strike, spot, vol);
      sum += leg.Count * double{unit};
    }
    return sum;
  };
  result.EntryValue = detail::ToSingle(
      positionValue(context.Sequential(), days, result.Spot, request.Volatility), "position value");

  // The price axis: the forward's likely range at expiration, never below 1 % of it.
  const double spread = std::sqrt(days / double{kTradingDaysPerYear}) * 0.01 *
                        static_cast<double>(request.TrueVolatility);
  const TPriceDistribution distribution(request.Distribution, result.Forward, spread);
  const double low = std::max(distribution.Quantile(-kGraphSigmas), 0.01 * result.Forward);
  const double high = distribution.Quantile(kGraphSigmas);
  if (!(high > low)) throw ArithmeticFault("price axis out of range");
  for (int i = 0; i < kGraphPoints; ++i) {
    result.Prices.push_back(
        detail::ToSingle(low + (high - low) * i / (kGraphPoints - 1), "price axis"));
  }

  // The lines: from the what-if day, a third and two thirds of the way on, and expiration.
  const int first = days - request.WhatIfDays;
  for (const int daysLeft :
       {first, first - RoundToInt(first / 3.0), first - RoundToInt(2.0 * first / 3.0), 0}) {
    if (result.Lines.empty() || result.Lines.back().DaysLeft != daysLeft) {
      result.Lines.push_back({daysLeft, {}});
    }
  }
  const std::size_t lineCount = result.Lines.size();
  const std::size_t points = kGraphPoints;
  context.Control().Plan(lineCount * points + legs.size());
  const double entry = result.EntryValue;
  const std::vector<float> values =
      context.Map<float>(lineCount * points, [&](std::size_t unit, TValuer& valuer) {
        const int daysLeft = result.Lines[unit / points].DaysLeft;
        const float price = result.Prices[unit % points];
        return detail::ToSingle(positionValue(valuer, daysLeft, price, volatility) - entry,
                                "profit or loss");
      });
  for (std::size_t line = 0; line < result.Lines.size(); ++line) {
    result.Lines[line].PL.assign(values.begin() + static_cast<std::ptrdiff_t>(line * points),
                                 values.begin() + static_cast<std::ptrdiff_t>((line + 1) * points));
  }

  // The greeks at the what-if point.
  const std::vector<TGreeks> unitGreeks =
      context.Map<TGreeks>(legs.size(), [&](std::size_t i, TValuer& valuer) {
        const TLeg& leg = legs[i];
        return UnitGreeks(valuer, market, leg.Kind, detail::AddDays(first, leg.ExtraDays),
                          LegStrike(leg, request.Strike, step), whatIfSpot, volatility);
      });
  double totalValue = 0.0;
  double totalDelta = 0.0;
  std::optional<double> gamma, thetaTrading, thetaCalendar, vega, rho;
  for (std::size_t i = 0; i < legs.size(); ++i) {
    const TLeg& leg = legs[i];
    const TGreeks& unit = unitGreeks[i];
    TGreeksRow row;
    row.Side = LegName(leg);
    row.Quantity = std::abs(leg.Count);
    if (leg.Kind != TLegKind::Stock) {
      row.Strike = LegStrike(leg, request.Strike, step);
      row.Days = detail::AddDays(first, leg.ExtraDays);
    }
    row.Greeks.Value = detail::ToSingle(leg.Count * double{unit.Value}, "value");
    row.Greeks.Delta = detail::ToSingle(leg.Count * double{unit.Delta}, "delta");
    row.Greeks.Gamma = Scaled(unit.Gamma, leg.Count, "gamma");
    row.Greeks.ThetaTradingDay = Scaled(unit.ThetaTradingDay, leg.Count, "theta");
    row.Greeks.ThetaCalendarDay = Scaled(unit.ThetaCalendarDay, leg.Count, "theta");
    row.Greeks.Vega = Scaled(unit.Vega, leg.Count, "vega");
    row.Greeks.Rho = Scaled(unit.Rho, leg.Count, "rho");
    totalValue += row.Greeks.Value;
    totalDelta += row.Greeks.Delta;
    AddTo(gamma, row.Greeks.Gamma);
    AddTo(thetaTrading, row.Greeks.ThetaTradingDay);
    AddTo(thetaCalendar, row.Greeks.ThetaCalendarDay);
    AddTo(vega, row.Greeks.Vega);
    AddTo(rho, row.Greeks.Rho);
    result.Greeks.push_back(std::move(row));
  }
  TGreeksRow total;
  total.Side = "Total";
  total.Greeks.Value = detail::ToSingle(totalValue, "value");
  total.Greeks.Delta = detail::ToSingle(totalDelta, "delta");
  total.Greeks.Gamma = Single(gamma, "gamma");
  total.Greeks.ThetaTradingDay = Single(thetaTrading, "theta");
  total.Greeks.ThetaCalendarDay = Single(thetaCalendar, "theta");
  total.Greeks.Vega = Single(vega, "vega");
  total.Greeks.Rho = Single(rho, "rho");
  result.Greeks.push_back(std::move(total));

  // The figures at expiration: exact pieces between the strikes, or, for calendar spreads, the
  // pieces between the prices of the chart's expiration line (its far leg at the what-if
  // volatility).
  TPiecewise expiry;
  if (calendar) {
    const TGraphLine& atExpiry = result.Lines.back();
    for (std::size_t i = 0; i < points; ++i) {
      expiry.X.push_back(result.Prices[i]);
      expiry.Y.push_back(atExpiry.PL[i]);
    }
  } else {
    expiry.X.push_back(0.0);
    for (const TLeg& leg : legs) {
      if (leg.Kind != TLegKind::Stock) expiry.X.push_back(LegStrike(leg, request.Strike, step));
      if (leg.Kind != TLegKind::Put) expiry.TailSlope += leg.Count;
    }
    std::sort(expiry.X.begin(), expiry.X.end());
    expiry.X.erase(std::unique(expiry.X.begin(), expiry.X.end()), expiry.X.end());
    for (const double x : expiry.X) {
      double sum = -entry;
      for (const TLeg& leg : legs) {
        const double strike = LegStrike(leg, request.Strike, step);
        const double payoff = leg.Kind == TLegKind::Stock ? x
                              : leg.Kind == TLegKind::Put ? std::max(strike - x, 0.0)
                                                          : std::max(x - strike, 0.0);
        sum += leg.Count * payoff;
      }
      expiry.Y.push_back(sum);
    }
  }
  TGraphSummary& summary = result.Summary;
  summary.InRange = calendar;
  for (const double b : Breakevens(expiry)) {
    summary.Breakevens.push_back(detail::ToSingle(b, "breakeven"));
  }
  const auto [lowest, highest] = std::minmax_element(expiry.Y.begin(), expiry.Y.end());
  summary.MaxProfit = Extreme(*highest, expiry.TailSlope > 0.0);
  summary.MaxLoss = Extreme(-*lowest, expiry.TailSlope < 0.0);
  double chance = 0.0;
  double expected = 0.0;
  Expectations(expiry, distribution, chance, expected);
  summary.ProfitChance = detail::ToSingle(chance, "chance of a profit");
  summary.ExpectedPL = detail::ToSingle(expected, "expected profit or loss");

  // The marks: the likely range, the price, the what-if price, zero and the breakevens.
  for (const int k : {-2, -1, 1, 2}) {
    const double level = distribution.Quantile(k);
    if (level > 0.0) {
      result.Markers.push_back({TGraphMarkerKind::Sigma,
                                (k > 0 ? "+" : "") + std::to_string(k) + "\xCF\x83",
                                detail::ToSingle(level, "sigma level")});
    }
  }
  result.Markers.push_back({TGraphMarkerKind::Price, "current price", result.Spot});
  if (whatIfSpot != result.Spot) {
    result.Markers.push_back({TGraphMarkerKind::WhatIfPrice, "what-if price", whatIfSpot});
  }
  result.Markers.push_back({TGraphMarkerKind::Zero, "zero", 0.0f});
  for (const float b : summary.Breakevens) {
    result.Markers.push_back({TGraphMarkerKind::Breakeven, "breakeven", b});
  }
  return result;
}

const std::vector<std::string>& GreeksHeadings() {
  static const std::vector<std::string> kHeadings = {"Side",
                                                     "Quantity",
                                                     "Strike",
                                                     "Days",
                                                     "Value",
                                                     "Delta",
                                                     "Gamma",
                                                     "Theta/trading day",
                                                     "Theta/calendar day",
                                                     "Vega/vol point",
                                                     "Rho/rate point"};
  return kHeadings;
}

std::vector<std::vector<std::string>> GreeksCells(const TGraphResult& result) {
  std::vector<std::vector<std::string>> cells = {GreeksHeadings()};
  const auto figure = [](std::optional<float> value, int decimals) {
    return value ? FormatFixed(*value, decimals) : std::string();
  };
  for (const TGreeksRow& row : result.Greeks) {
    const TGreeks& g = row.Greeks;
    cells.push_back({row.Side, row.Quantity ? std::to_string(*row.Quantity) : std::string(),
                     figure(row.Strike, 2), row.Days ? std::to_string(*row.Days) : std::string(),
                     FormatFixed(g.Value, 2), FormatFixed(g.Delta, 4), figure(g.Gamma, 6),
                     figure(g.ThetaTradingDay, 4), figure(g.ThetaCalendarDay, 4), figure(g.Vega, 4),
                     figure(g.Rho, 4)});
  }
  return cells;
}

std::string LineLabel(int daysLeft) {
  return std::to_string(daysLeft) + (daysLeft == 1 ? " day left" : " days left");
}

std::string BreakevensText(const TGraphSummary& summary) {
  if (summary.Breakevens.empty()) return "none";
  std::string text;
  for (const float b : summary.Breakevens) {
    if (!text.empty()) text += "; ";
    text += FormatFixed(b, 2);
  }
  return text;
}

std::string ExtremeText(const TGraphExtreme& extreme, bool inRange) {
  switch (extreme.Kind) {
    case TGraphExtreme::TKind::Unlimited:
      return "unlimited";
    case TGraphExtreme::TKind::Amount:
      return FormatFixed(extreme.Amount, 2) + (inRange ? " (in range)" : "");
    case TGraphExtreme::TKind::None:
      break;
  }
  return inRange ? "none (in range)" : "none";
}

std::string ChanceText(const TGraphSummary& summary) {
  return FormatFixed(100.0 * summary.ProfitChance, 1) + "%";
}

std::string ExpectedText(const TGraphSummary& summary) {
  return FormatFixed(summary.ExpectedPL, 2);
}

TCsvTable GraphCsv(const TGraphResult& result) {
  TCsvTable table;
  table.Header.emplace_back("price");
  for (const TGraphLine& line : result.Lines) table.Header.push_back(LineLabel(line.DaysLeft));
  for (std::size_t i = 0; i < result.Prices.size(); ++i) {
    std::vector<std::string> row = {CsvNumber(result.Prices[i])};
    for (const TGraphLine& line : result.Lines) row.push_back(CsvNumber(line.PL[i]));
    table.Rows.push_back(std::move(row));
  }
  return table;
}

TCsvTable GreeksCsv(const TGraphResult& result) {
  TCsvTable table;
  table.Header = GreeksHeadings();
  for (const TGreeksRow& row : result.Greeks) {
    const TGreeks& g = row.Greeks;
    table.Rows.push_back({row.Side, row.Quantity ? CsvInteger(*row.Quantity) : std::string(),
                          CsvNumber(row.Strike), row.Days ? CsvInteger(*row.Days) : std::string(),
                          CsvNumber(g.Value), CsvNumber(g.Delta), CsvNumber(g.Gamma),
                          CsvNumber(g.ThetaTradingDay), CsvNumber(g.ThetaCalendarDay),
                          CsvNumber(g.Vega), CsvNumber(g.Rho)});
  }
  return table;
}

}  // namespace valquor
