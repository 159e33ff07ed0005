#include "reports/Greeks.h"

#include <algorithm>
#include <cmath>

#include "models/NormalDistribution.h"
#include "models/Single.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

constexpr double kInvSqrtTwoPi = 0.3989422804014327;

double NormalDensity(double x) { return kInvSqrtTwoPi * std::exp(-x * x / 2.0); }

// The delta of an option's payoff: what a price step moves it by at expiration.
float PayoffDelta(bool isPut, float strike, float spot) {
  if (isPut) return spot < strike ? -1.0f : 0.0f;
  return spot > strike ? 1.0f : 0.0f;
}

void ZeroOthers(TGreeks& g) {
  g.Gamma = 0.0f;
  g.ThetaTradingDay = 0.0f;
  g.ThetaCalendarDay = 0.0f;
  g.Vega = 0.0f;
  g.Rho = 0.0f;
}

void SetTheta(TGreeks& g, double annual) {
  g.ThetaTradingDay = detail::ToSingle(annual / kTradingDaysPerYear, "theta");
  g.ThetaCalendarDay = detail::ToSingle(annual / kCalendarDaysPerYear, "theta");
}

// Black-Scholes with the drift equal to the rate (Hull, Options, Futures and Other Derivatives,
// chapter 19). The model's own cut-offs come first: nothing below a strike or price of 0.001,
// the payoff below a volatility of 0.001, nothing below a spread of 0.0001.
void AnalyticGreeks(TGreeks& g, const TValuationTerms& terms, bool isPut, int days, float strike,
                    float spot, float volatility) {
  ZeroOthers(g);
  if (strike < 0.001f || spot < 0.001f) {
    g.Delta = 0.0f;
    return;
  }
  if (volatility < 0.001f) {
    g.Delta = PayoffDelta(isPut, strike, spot);
    return;
  }
  const double t = static_cast<double>(days) / terms.DaysPerYear;
  const double sigma = 0.01 * volatility;
  const double sqrtT = std::sqrt(t);
  const double s = sigma * sqrtT;
  if (s < 0.0001) {
    g.Delta = 0.0f;
    return;
  }
  const double r = terms.RiskFree;
  const double d1 = (std::log(double{spot} / strike) + (r + sigma * sigma / 2.0) * t) / s;
  const double d2 = d1 - s;
  const double discount = std::exp(-r * t);
  const double density = NormalDensity(d1);
  const double decay = -double{spot} * density * sigma / (2.0 * sqrtT);
  const double nd1 = NormalCdf(d1);
  const double nd2 = isPut ? NormalCdf(-d2) : NormalCdf(d2);
  const double k = strike;
  g.Delta = detail::ToSingle(isPut ? nd1 - 1.0 : nd1, "delta");
  g.Gamma = detail::ToSingle(density / (double{spot} * s), "gamma");
  SetTheta(g, isPut ? decay + r * k * discount * nd2 : decay - r * k * discount * nd2);
  g.Vega = detail::ToSingle(0.01 * double{spot} * density * sqrtT, "vega");
  g.Rho = detail::ToSingle(0.01 * (isPut ? -1.0 : 1.0) * k * t * discount * nd2, "rho");
}

// The greeks of the tree and the integration models from their own values around the point.
void DifferenceGreeks(TGreeks& g, TValuer& valuer, const TLegMarket& market, bool isPut, int days,
                      float strike, float spot, float volatility) {
  const TLegKind kind = isPut ? TLegKind::Put : TLegKind::Call;
  const auto value = [&](const TLegMarket& m, int d, float x, float vol) {
    return double{LegUnitValue(valuer, m, kind, d, strike, x, vol)};
  };
  const double v0 = g.Value;

  // Delta and gamma over the price; the steps as they came out in single precision. A tree's
  // value bends wherever a node passes the strike: moved by whole nodes the bends stay put.
  const TValuationTerms& terms = market.Terms;
  double upFactor = 1.0 + kGreekPriceBump;
  double downFactor = 1.0 - kGreekPriceBump;
  if (terms.Formula == kFormulaBinomial && terms.Steps > 0) {
    const double years = static_cast<double>(days) / terms.DaysPerYear;
    upFactor = std::exp(0.02 * volatility * std::sqrt(years / terms.Steps));
    downFactor = 1.0 / upFactor;
  }
  const float up = detail::ToSingle(spot * upFactor, "price");
  const float down = detail::ToSingle(spot * downFactor, "price");
  const double hUp = double{up} - spot;
  const double hDown = double{spot} - down;
  const double vUp = value(market, days, up, volatility);
  const double vDown = value(market, days, down, volatility);
  g.Delta = detail::ToSingle((vUp - vDown) / (hUp + hDown), "delta");
  g.Gamma =
      detail::ToSingle(2.0 * ((vUp - v0) / hUp - (v0 - vDown) / hDown) / (hUp + hDown), "gamma");

  // Theta over one day either way, the steps of the tree unchanged.
  const int dayBasis = market.Terms.Integration() ? kTradingDaysPerYear : market.Terms.DaysPerYear;
  const double perDay = (value(market, days - kGreekDayBump, spot, volatility) -
                         value(market, detail::AddDays(days, kGreekDayBump), spot, volatility)) /
                        (2.0 * kGreekDayBump);
  SetTheta(g, perDay * dayBasis);

  // Vega over the volatility.
  const double volStep = std::min(kGreekVolBump, volatility / 2.0);
  const float volUp = detail::ToSingle(volatility + volStep, "volatility");
  const float volDown = detail::ToSingle(volatility - volStep, "volatility");
  g.Vega =
      detail::ToSingle((value(market, days, spot, volUp) - value(market, days, spot, volDown)) /
                           (double{volUp} - volDown),
                       "vega");

  // Rho over the rate, the tree's carry and the forward's growth moving with it.
  const auto shifted = [&](double step) {
    TLegMarket m = market;
    m.Terms.RiskFree = detail::ToSingle(market.Terms.RiskFree + step, "rate");
    m.Rate = detail::ToSingle(market.Rate + step, "rate");
    if (m.Terms.Formula == kFormulaBinomial) {
      m.Terms.Carry = detail::ToSingle(market.Terms.Carry + step, "carry");
    }
    return m;
  };
  const bool upwardsOnly =
      market.Terms.Formula == kFormulaBinomial && market.Terms.Carry - kGreekRateBump < 0.0;
  const TLegMarket high = shifted(kGreekRateBump);
  const TLegMarket low = upwardsOnly ? market : shifted(-kGreekRateBump);
  const double rateStep = market.Terms.Integration()
                              ? double{high.Rate} - low.Rate
                              : double{high.Terms.RiskFree} - low.Terms.RiskFree;
  g.Rho = detail::ToSingle(
      0.01 * (value(high, days, spot, volatility) - value(low, days, spot, volatility)) / rateStep,
      "rho");
}

}  // namespace

float LegStrike(const TLeg& leg, float strike, float step) {
  if (leg.StrikeShift > 0) return detail::ToSingle(double{strike} + step, "strike");
  if (leg.StrikeShift < 0) return detail::ToSingle(double{strike} - step, "strike");
  return strike;
}

float LegUnitValue(TValuer& valuer, const TLegMarket& market, TLegKind kind, int days, float strike,
                   float spot, float volatility) {
  if (kind == TLegKind::Stock) return spot;
  const bool isPut = kind == TLegKind::Put;
  const float underlying =
      market.Terms.Integration() ? ForwardOf(market.Rate, days, kTradingDaysPerYear, spot) : spot;
  return valuer.Value(market.Terms, isPut, days, strike, underlying, volatility);
}

TGreeks UnitGreeks(TValuer& valuer, const TLegMarket& market, TLegKind kind, int days, float strike,
                   float spot, float volatility) {
  TGreeks g;
  g.Value = LegUnitValue(valuer, market, kind, days, strike, spot, volatility);
  if (kind == TLegKind::Stock) {
    g.Delta = 1.0f;
    return g;
  }
  const bool isPut = kind == TLegKind::Put;
  if (days < 1) {
    ZeroOthers(g);
    g.Delta = PayoffDelta(isPut, strike, spot);
    return g;
  }
  if (market.Terms.Formula == kFormulaBlackScholes) {
    AnalyticGreeks(g, market.Terms, isPut, days, strike, spot, volatility);
  } else {
    DifferenceGreeks(g, valuer, market, isPut, days, strike, spot, volatility);
  }
  return g;
}

}  // namespace valquor
