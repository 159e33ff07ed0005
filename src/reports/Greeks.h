#pragma once
// The legs of a position valued one at a time for the risk graph, and their greeks: analytic for
// Black-Scholes, central differences of the model's own values for the tree and the integration
// models. Valuations go through a TValuer, so they are shared within one computation.

#include <optional>

#include "compute/Engine.h"
#include "models/ValuationTerms.h"
#include "reports/Positions.h"

namespace valquor {

// Bump sizes of the central differences (tree and integration models):
// the price moves up and down by one node of the tree, the factor e^(2 sigma sqrt(T / steps)),
// so that the tree's nodes keep their places against the strike; for the integration models by
// kGreekPriceBump of itself, one interval of the grid at the default 1000 intervals (delta,
// gamma);
inline constexpr double kGreekPriceBump = 0.01;
// the days to expiration by one trading day either way (theta);
inline constexpr int kGreekDayBump = 1;
// the volatility by one point either way, by half of itself when it is below two points (vega);
inline constexpr double kGreekVolBump = 1.0;
// the rate by a tenth of a point either way, the tree's carry with it; upwards only when the
// carry would fall below 0, where the tree values nothing (rho).
inline constexpr double kGreekRateBump = 0.001;

// How the legs are valued: the model and its settings, and the rate that grows a price into a
// forward (the integration models are centred on the forward and ignore the terms' rate).
struct TLegMarket {
  TValuationTerms Terms;
  float Rate = 0.0f;
};

// The strike of an option leg: strike, or strike plus or minus step for the legs the position
// places a step away (ArithmeticFault "strike out of range" beyond the single range).
[[nodiscard]] float LegStrike(const TLeg& leg, float strike, float step);

// The value of one bought contract of kind at `days` trading days left, underlying `spot`,
// volatility in percent: Black-Scholes and the tree value on the spot, the integration models on
// the spot's forward over the days left (ForwardOf at market.Rate); a share is worth the spot.
// Model messages go to the valuer's messages; faults throw ArithmeticFault.
[[nodiscard]] float LegUnitValue(TValuer& valuer, const TLegMarket& market, TLegKind kind, int days,
                                 float strike, float spot, float volatility);

// The value and the greeks of one bought contract. Delta and gamma are per unit of the price;
// theta per trading day and per calendar day (a year of 260 trading or 365 calendar days);
// vega per point of volatility; rho per percentage point of the rate. A share has only its
// value and a delta of 1. An option at or past expiration (days below 1) has the delta of its
// payoff and no other greeks (0).
struct TGreeks {
  float Value = 0.0f;
  float Delta = 0.0f;
  std::optional<float> Gamma, ThetaTradingDay, ThetaCalendarDay, Vega, Rho;
};
[[nodiscard]] TGreeks UnitGreeks(TValuer& valuer, const TLegMarket& market, TLegKind kind, int days,
                                 float strike, float spot, float volatility);

}  // namespace valquor
