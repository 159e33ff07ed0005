// The risk graph's computation: greeks against published closed-form figures and against the
// models' own values, breakevens and extremes worked out by hand, the chance of a profit and the
// expected result against their closed forms, the chart's lines, refusals, and the same results
// for any number of workers.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "compute/Engine.h"
#include "models/NormalDistribution.h"
#include "models/OptionInt.h"
#include "models/Single.h"
#include "reports/Graph.h"
#include "reports/Greeks.h"
#include "reports/Positions.h"

namespace valquor {
namespace {

// Codes of the catalogue used here.
constexpr int kCall = 1;
constexpr int kPutSpread = 5;
constexpr int kCallCalendar = 7;
constexpr int kLongStraddle = 16;
constexpr int kNakedCall = 18;
constexpr int kBuyUnderlying = 20;
constexpr int kCollars = 26;
constexpr int kLongButterfly = 27;

TValuationTerms BlackScholes(float rate) {
  TValuationTerms terms;
  terms.Formula = kFormulaBlackScholes;
  terms.RiskFree = rate;
  return terms;
}

TValuationTerms Tree(float rate, int steps) {
  TValuationTerms terms;
  terms.Formula = kFormulaBinomial;
  terms.RiskFree = rate;
  terms.Carry = rate;
  terms.Steps = steps;
  return terms;
}

// The Pricing panel's defaults: a call at 1000 on a price of 1000, 20 % implied and true
// volatility, 20 trading days, Black-Scholes at 3 %.
TGraphRequest Defaults(int code = kCall) {
  TGraphRequest r;
  r.PositionCode = code;
  r.Strike = 1000.0f;
  r.StrikeStep = 10.0f;
  r.Price = 1000.0f;
  r.Forward = 1000.0f;
  r.Volatility = 20.0f;
  r.Terms = BlackScholes(0.03f);
  r.Rate = 0.03f;
  r.Days = 20;
  r.TrueVolatility = 20.0f;
  r.Distribution = kLognormalDistribution;
  return r;
}

struct TRun {
  TGraphResult Result;
  std::vector<std::string> Messages;
  bool Abandoned = false;
};

TRun Draw(const TGraphRequest& request, int workers = 2) {
  TValuationEngine engine(workers);
  TMessageLog log;
  TWorkControl control;
  TComputeContext context(engine, log, control);
  TRun run;
  try {
    run.Result = ComputeGraph(request, context);
    EXPECT_EQ(control.Fraction(), 1.0);
  } catch (const EAbandoned&) {
    run.Abandoned = true;
  }
  run.Messages = log.Texts();
  return run;
}

// One Black-Scholes premium at the request's terms.
float Premium(bool isPut, float strike, const TGraphRequest& r) {
  TModelSet models;
  return models.Value(r.Terms, isPut, r.Days, strike, r.Price, r.Volatility);
}

float Spread(const TGraphRequest& r) {
  return static_cast<float>(std::sqrt(r.Days / 260.0) * 0.01 * r.TrueVolatility);
}

TGreeks Greeks(const TLegMarket& market, TLegKind kind, int days, float strike, float spot,
               float vol) {
  TModelSet models;
  TMessageLog log;
  TValuer valuer(models, nullptr, log);
  const TGreeks g = UnitGreeks(valuer, market, kind, days, strike, spot, vol);
  EXPECT_TRUE(log.Messages.empty());
  return g;
}

TEST(GraphGreeksTest, BlackScholesGreeksMatchThePublishedFigures) {
  // Hull, Options, Futures and Other Derivatives: S 49, K 50, r 5 %, 20 % over 20 weeks
  // (100 trading days): delta 0.522, gamma 0.066, theta -4.31 a year, vega 12.1, rho 8.91.
  const TLegMarket market{BlackScholes(0.05f), 0.05f};
  const TGreeks call = Greeks(market, TLegKind::Call, 100, 50.0f, 49.0f, 20.0f);
  EXPECT_NEAR(call.Value, 2.40, 0.005);
  EXPECT_NEAR(call.Delta, 0.522, 0.0005);
  EXPECT_NEAR(*call.Gamma, 0.066, 0.0005);
  EXPECT_NEAR(*call.ThetaTradingDay * 260, -4.31, 0.005);
  EXPECT_NEAR(*call.ThetaCalendarDay, -0.0118, 0.00005);
  EXPECT_NEAR(*call.Vega, 0.121, 0.0005);
  EXPECT_NEAR(*call.Rho, 0.0891, 0.00005);

  // The put by parity: delta one less, the same gamma and vega, theta raised by r K e^(-rT) a
  // year and rho lowered by K T e^(-rT), per point.
  const TGreeks put = Greeks(market, TLegKind::Put, 100, 50.0f, 49.0f, 20.0f);
  const double t = 100.0 / 260.0;
  const double discounted = 50.0 * std::exp(-0.05 * t);
  EXPECT_NEAR(put.Delta, call.Delta - 1.0, 1e-6);
  EXPECT_NEAR(*put.Gamma, *call.Gamma, 1e-7);
  EXPECT_NEAR(*put.Vega, *call.Vega, 1e-7);
  EXPECT_NEAR(*put.ThetaTradingDay, *call.ThetaTradingDay + 0.05 * discounted / 260, 1e-6);
  EXPECT_NEAR(*put.Rho, *call.Rho - 0.01 * t * discounted, 1e-6);
}

TEST(GraphGreeksTest, AnalyticGreeksAgreeWithTheModelsOwnDifferences) {
  // Differences of the Black-Scholes component's own values, in double around single values.
  TModelSet models;
  const TValuationTerms terms = BlackScholes(0.03f);
  const auto value = [&](bool isPut, int days, double spot, double vol, float rate) {
    TValuationTerms t = terms;
    t.RiskFree = rate;
    return double{
        models.Value(t, isPut, days, 1000.0f, static_cast<float>(spot), static_cast<float>(vol))};
  };
  const TLegMarket market{terms, 0.03f};
  for (const bool isPut : {false, true}) {
    for (const double spot : {950.0, 1000.0, 1060.0}) {
      SCOPED_TRACE(std::string(isPut ? "put " : "call ") + std::to_string(spot));
      const TGreeks g = Greeks(market, isPut ? TLegKind::Put : TLegKind::Call, 40, 1000.0f,
                               static_cast<float>(spot), 25.0f);
      const double h = 5.0;
      const double up = value(isPut, 40, spot + h, 25, 0.03f);
      const double mid = value(isPut, 40, spot, 25, 0.03f);
      const double down = value(isPut, 40, spot - h, 25, 0.03f);
      EXPECT_NEAR(g.Delta, (up - down) / (2 * h), 2e-3);
      EXPECT_NEAR(*g.Gamma, (up - 2 * mid + down) / (h * h), 5e-5);
      EXPECT_NEAR(*g.ThetaTradingDay,
                  (value(isPut, 39, spot, 25, 0.03f) - value(isPut, 41, spot, 25, 0.03f)) / 2,
                  2e-3);
      EXPECT_NEAR(*g.Vega,
                  (value(isPut, 40, spot, 26, 0.03f) - value(isPut, 40, spot, 24, 0.03f)) / 2,
                  2e-3);
      EXPECT_NEAR(*g.Rho,
                  (value(isPut, 40, spot, 25, 0.04f) - value(isPut, 40, spot, 25, 0.02f)) / 2,
                  2e-3);
    }
  }
}

TEST(GraphGreeksTest, TreeAndIntegrationGreeksApproachTheClosedForms) {
  // A European tree with the carry at the rate converges to Black-Scholes, greeks included.
  const TLegMarket bs{BlackScholes(0.05f), 0.05f};
  const TLegMarket tree{Tree(0.05f, 1000), 0.05f};
  // Integration over the lognormal distribution centred on the forward, at rate 0, is
  // Black-Scholes at rate 0.
  TValuationTerms integration;
  integration.Formula = kFormulaIntLognormal;
  integration.Intervals = 20000;
  const TLegMarket lognormal{integration, 0.0f};
  const TLegMarket bsAtZero{BlackScholes(0.0f), 0.0f};
  struct TRow {
    const char* Name;
    const TLegMarket* Model;
    const TLegMarket* Reference;
    double Tolerance;  // relative, of the model's own error
  };
  const TRow rows[] = {{"tree", &tree, &bs, 0.005}, {"integration", &lognormal, &bsAtZero, 0.005}};
  for (const TRow& row : rows) {
    for (const TLegKind kind : {TLegKind::Call, TLegKind::Put}) {
      SCOPED_TRACE(std::string(row.Name) + (kind == TLegKind::Put ? " put" : " call"));
      const TGreeks g = Greeks(*row.Model, kind, 100, 100.0f, 100.0f, 30.0f);
      const TGreeks want = Greeks(*row.Reference, kind, 100, 100.0f, 100.0f, 30.0f);
      const double tolerance = row.Tolerance;
      EXPECT_NEAR(g.Value, want.Value, tolerance * want.Value);
      EXPECT_NEAR(g.Delta, want.Delta, tolerance);
      EXPECT_NEAR(*g.Gamma, *want.Gamma, 2 * tolerance * *want.Gamma);
      EXPECT_NEAR(*g.ThetaTradingDay, *want.ThetaTradingDay,
                  3 * tolerance * std::fabs(*want.ThetaTradingDay));
      EXPECT_NEAR(*g.ThetaCalendarDay, *g.ThetaTradingDay * 260.0 / 365.0, 1e-6);
      EXPECT_NEAR(*g.Vega, *want.Vega, 2 * tolerance * *want.Vega);
      if (row.Model == &tree) {
        EXPECT_NEAR(*g.Rho, *want.Rho, 2 * tolerance * std::fabs(*want.Rho));
      }
    }
  }
  // At rate 0 the integration model's rho is the growth of the forward: delta times the price
  // times the years, per point.
  const TGreeks g = Greeks(lognormal, TLegKind::Call, 100, 100.0f, 100.0f, 30.0f);
  EXPECT_NEAR(*g.Rho, 0.01 * g.Delta * 100.0 * 100.0 / 260.0, 0.003);
}

TEST(GraphGreeksTest, AShareHasADeltaOfOneAndNoOtherGreeksAndAnExpiredOptionItsPayoffsDelta) {
  const TLegMarket market{BlackScholes(0.03f), 0.03f};
  const TGreeks share = Greeks(market, TLegKind::Stock, 20, 0.0f, 1012.5f, 20.0f);
  EXPECT_EQ(share.Value, 1012.5f);
  EXPECT_EQ(share.Delta, 1.0f);
  EXPECT_FALSE(share.Gamma || share.ThetaTradingDay || share.ThetaCalendarDay || share.Vega ||
               share.Rho);
  const TGreeks expired = Greeks(market, TLegKind::Put, 0, 1000.0f, 990.0f, 20.0f);
  EXPECT_EQ(expired.Value, 10.0f);
  EXPECT_EQ(expired.Delta, -1.0f);
  EXPECT_EQ(*expired.Gamma, 0.0f);
  EXPECT_EQ(*expired.Vega, 0.0f);

  // In the position's rows a sold share counts -1 and has no other figures; the Total row sums.
  const TRun run = Draw(Defaults(kCollars));
  ASSERT_EQ(run.Result.Greeks.size(), 4u);
  const TGreeksRow& stock = run.Result.Greeks[0];
  EXPECT_EQ(stock.Side, "Buy stock");
  EXPECT_EQ(stock.Greeks.Delta, 1.0f);
  EXPECT_FALSE(stock.Strike || stock.Days || stock.Greeks.Gamma);
  const TGreeksRow& call = run.Result.Greeks[1];
  EXPECT_EQ(call.Side, "Sell call");
  EXPECT_EQ(*call.Days, 20);
  EXPECT_LT(call.Greeks.Delta, 0.0f);
  const TGreeksRow& total = run.Result.Greeks[3];
  EXPECT_EQ(total.Side, "Total");
  EXPECT_NEAR(total.Greeks.Delta, 1.0 + call.Greeks.Delta + run.Result.Greeks[2].Greeks.Delta,
              1e-6);
  EXPECT_NEAR(*total.Greeks.Gamma, *call.Greeks.Gamma + *run.Result.Greeks[2].Greeks.Gamma, 1e-7);
  EXPECT_NEAR(total.Greeks.Value, run.Result.EntryValue, 1e-3);
}

TEST(GraphSummaryTest, BreakevensOfACallAStraddleAndAButterflyWorkedOutByHand) {
  TGraphRequest call = Defaults(kCall);
  TGraphRequest straddle = Defaults(kLongStraddle);
  TGraphRequest butterfly = Defaults(kLongButterfly);
  const float c1000 = Premium(false, 1000, call);
  const float p1000 = Premium(true, 1000, call);
  // The butterfly's cost: the wings less twice the body.
  const double wings = double{Premium(false, 990, call)} + Premium(false, 1010, call);
  const double body = wings - 2.0 * c1000;
  struct TRow {
    const char* Name;
    TGraphRequest Request;
    std::vector<double> Breakevens;
  };
  const TRow rows[] = {
      {"long call", call, {1000.0 + c1000}},
      {"long straddle", straddle, {1000.0 - c1000 - p1000, 1000.0 + c1000 + p1000}},
      {"long butterfly", butterfly, {990.0 + body, 1010.0 - body}},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    const TRun run = Draw(row.Request);
    ASSERT_EQ(run.Result.Summary.Breakevens.size(), row.Breakevens.size());
    for (std::size_t i = 0; i < row.Breakevens.size(); ++i) {
      EXPECT_NEAR(run.Result.Summary.Breakevens[i], row.Breakevens[i], 1e-3);
    }
    EXPECT_FALSE(run.Result.Summary.InRange);
  }
  EXPECT_EQ(BreakevensText(Draw(straddle).Result.Summary), "955.76; 1044.24");
}

TEST(GraphSummaryTest, MaxProfitAndLossOverAllPrices) {
  const TGraphRequest request = Defaults();
  const float premium = Premium(false, 1000, request);
  using TKind = TGraphExtreme::TKind;
  struct TRow {
    int Code;
    TKind Profit;
    double ProfitAmount;
    TKind Loss;
    double LossAmount;
  };
  const TRow rows[] = {
      // A bought call: unlimited profit, its premium at most lost; a naked call the reverse.
      {kCall, TKind::Unlimited, 0, TKind::Amount, premium},
      {kNakedCall, TKind::Amount, premium, TKind::Unlimited, 0},
      // Shares bought: unlimited profit, the whole price lost at a price of 0.
      {kBuyUnderlying, TKind::Unlimited, 0, TKind::Amount, 1000},
      // A put spread: the step less its cost, or its cost.
      {kPutSpread, TKind::Amount,
       10.0 - (Premium(true, 1000, request) - Premium(true, 990, request)), TKind::Amount,
       Premium(true, 1000, request) - Premium(true, 990, request)},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Code);
    TGraphRequest r = request;
    r.PositionCode = row.Code;
    const TGraphSummary s = Draw(r).Result.Summary;
    EXPECT_EQ(s.MaxProfit.Kind, row.Profit);
    EXPECT_EQ(s.MaxLoss.Kind, row.Loss);
    if (row.Profit == TKind::Amount) {
      EXPECT_NEAR(s.MaxProfit.Amount, row.ProfitAmount, 1e-3);
    }
    if (row.Loss == TKind::Amount) {
      EXPECT_NEAR(s.MaxLoss.Amount, row.LossAmount, 1e-3);
    }
  }
  const TGraphSummary call = Draw(request).Result.Summary;
  EXPECT_EQ(ExtremeText(call.MaxProfit, call.InRange), "unlimited");
  EXPECT_EQ(ExtremeText(call.MaxLoss, call.InRange), "23.27");
}

TEST(GraphSummaryTest, ChanceAndExpectedResultOfACallMatchTheirClosedForms) {
  for (const float trueVol : {15.0f, 20.0f, 35.0f}) {
    SCOPED_TRACE(trueVol);
    TGraphRequest r = Defaults();
    r.TrueVolatility = trueVol;
    const TRun run = Draw(r);
    const float premium = Premium(false, 1000, r);
    const float forward = ForwardOf(0.03f, 20, 260, 1000.0f);
    const double s = Spread(r);
    // A lognormal price ends above the breakeven: 1 - ProbabilityBelow.
    EXPECT_NEAR(run.Result.Summary.ProfitChance,
                1.0 - ProbabilityBelow(1000.0 + premium, forward, s), 1e-6);
    // The expected payoff of a call on a lognormal price is the undiscounted Black-Scholes
    // value on the forward at the true volatility.
    const double d1 = (std::log(forward / 1000.0) + s * s / 2) / s;
    const double payoff = forward * NormalCdf(d1) - 1000.0 * NormalCdf(d1 - s);
    EXPECT_NEAR(run.Result.Summary.ExpectedPL, payoff - premium, 1e-3);
  }
  // Under the normal distribution the chance is the normal mass above the breakeven.
  TGraphRequest r = Defaults();
  r.Distribution = kNormalDistribution;
  const TRun run = Draw(r);
  const float forward = ForwardOf(0.03f, 20, 260, 1000.0f);
  const double breakeven = 1000.0 + Premium(false, 1000, r);
  EXPECT_NEAR(run.Result.Summary.ProfitChance,
              1.0 - NormalCdf((breakeven - forward) / (forward * Spread(r))), 1e-6);
  EXPECT_EQ(ChanceText(run.Result.Summary).back(), '%');
}

TEST(GraphChartTest, TheExpiryLineIsThePayoffLessTodaysValue) {
  for (const int code : {kCall, kPutSpread, kNakedCall, kBuyUnderlying, kCollars, kLongButterfly}) {
    SCOPED_TRACE(code);
    const TGraphRequest r = Defaults(code);
    const TGraphResult g = Draw(r).Result;
    ASSERT_EQ(g.Prices.size(), 201u);
    const TGraphLine& expiry = g.Lines.back();
    ASSERT_EQ(expiry.DaysLeft, 0);
    for (std::size_t i = 0; i < g.Prices.size(); ++i) {
      const double x = g.Prices[i];
      double payoff = 0;
      for (const TLeg& leg : PositionLegs(code)) {
        const double strike = LegStrike(leg, r.Strike, r.StrikeStep);
        payoff += leg.Count * (leg.Kind == TLegKind::Stock ? x
                               : leg.Kind == TLegKind::Put ? std::max(strike - x, 0.0)
                                                           : std::max(x - strike, 0.0));
      }
      ASSERT_NEAR(expiry.PL[i], payoff - g.EntryValue, 2e-4 * (1.0 + std::fabs(payoff)));
    }
    // Today's line at today's price is zero: nothing gained or lost yet.
    EXPECT_EQ(g.Lines.front().DaysLeft, 20);
  }
}

TEST(GraphChartTest, LinesPricesAndMarks) {
  TGraphRequest r = Defaults();
  TGraphResult g = Draw(r).Result;
  std::vector<int> days;
  for (const TGraphLine& line : g.Lines) days.push_back(line.DaysLeft);
  EXPECT_EQ(days, (std::vector<int>{20, 13, 7, 0}));
  // The axis: the lognormal price's range of three standard deviations around the forward.
  const double s = Spread(r);
  EXPECT_NEAR(g.Prices.front(), g.Forward * std::exp(-3 * s - s * s / 2), 0.01);
  EXPECT_NEAR(g.Prices.back(), g.Forward * std::exp(3 * s - s * s / 2), 0.01);
  EXPECT_FLOAT_EQ(g.Forward, ForwardOf(0.03f, 20, 260, 1000.0f));
  std::vector<std::string> labels;
  for (const TGraphMarker& m : g.Markers) labels.push_back(m.Label);
  EXPECT_EQ(labels, (std::vector<std::string>{"-2\xCF\x83", "-1\xCF\x83", "+1\xCF\x83",
                                              "+2\xCF\x83", "current price", "zero", "breakeven"}));
  EXPECT_NEAR(g.Markers[3].Value, g.Forward * std::exp(2 * s - s * s / 2), 0.01);

  // What if 5 days pass, the price rises 2 % and the volatility 3 points: the lines start
  // there, the greeks are taken there, the figures at expiration stay.
  r.WhatIfDays = 5;
  r.WhatIfPrice = 2.0f;
  r.WhatIfVol = 3.0f;
  const TGraphResult w = Draw(r).Result;
  days.clear();
  for (const TGraphLine& line : w.Lines) days.push_back(line.DaysLeft);
  EXPECT_EQ(days, (std::vector<int>{15, 10, 5, 0}));
  EXPECT_EQ(*w.Greeks[0].Days, 15);
  const TLegMarket market{r.Terms, r.Rate};
  EXPECT_FLOAT_EQ(w.Greeks[0].Greeks.Delta,
                  Greeks(market, TLegKind::Call, 15, 1000.0f, 1020.0f, 23.0f).Delta);
  EXPECT_EQ(w.Summary.Breakevens, g.Summary.Breakevens);
  EXPECT_EQ(w.EntryValue, g.EntryValue);
  EXPECT_EQ(w.Markers[5].Label, "what-if price");
  EXPECT_FLOAT_EQ(w.Markers[5].Value, 1020.0f);

  // One day to go: today and expiration only.
  r = Defaults();
  r.Days = 1;
  days.clear();
  for (const TGraphLine& line : Draw(r).Result.Lines) days.push_back(line.DaysLeft);
  EXPECT_EQ(days, (std::vector<int>{1, 0}));

  // A locked forward is the input; the price is its present value.
  r = Defaults();
  r.ForwardLocked = true;
  r.Forward = 1010.0f;
  r.Price = 5.0f;  // not read
  const TGraphResult locked = Draw(r).Result;
  EXPECT_EQ(locked.Forward, 1010.0f);
  EXPECT_FLOAT_EQ(locked.Spot, PresentOf(0.03f, 20, 260, 1010.0f));
}

TEST(GraphChartTest, CalendarSpreadsStopAtTheNearExpiryAndAreJudgedInRange) {
  const TGraphRequest r = Defaults(kCallCalendar);
  const TGraphResult g = Draw(r).Result;
  ASSERT_EQ(g.Lines.back().DaysLeft, 0);
  TModelSet models;
  for (const std::size_t i : {0u, 60u, 100u, 150u, 200u}) {
    const float x = g.Prices[i];
    const double far = models.Value(r.Terms, false, 22, 1000.0f, x, 20.0f);
    EXPECT_NEAR(g.Lines.back().PL[i], far - std::max(x - 1000.0, 0.0) - g.EntryValue, 1e-3);
  }
  const TGraphSummary& s = g.Summary;
  EXPECT_TRUE(s.InRange);
  ASSERT_EQ(s.Breakevens.size(), 2u);
  EXPECT_LT(s.Breakevens[0], 1000.0f);
  EXPECT_GT(s.Breakevens[1], 1000.0f);
  EXPECT_EQ(s.MaxProfit.Kind, TGraphExtreme::TKind::Amount);
  EXPECT_NE(ExtremeText(s.MaxProfit, s.InRange).find(" (in range)"), std::string::npos);
  // The far leg's days count on from the near leg's.
  EXPECT_EQ(*g.Greeks[0].Days, 42);
  EXPECT_EQ(*g.Greeks[1].Days, 20);

  // A what-if volatility raises the far leg at expiration, and the figures follow the line.
  TGraphRequest w = r;
  w.WhatIfVol = 5.0f;
  const TGraphResult shifted = Draw(w).Result;
  EXPECT_GT(shifted.Lines.back().PL[100], g.Lines.back().PL[100]);
  EXPECT_EQ(shifted.EntryValue, g.EntryValue);
  ASSERT_EQ(shifted.Summary.Breakevens.size(), 2u);
  EXPECT_LT(shifted.Summary.Breakevens[0], s.Breakevens[0]);
  EXPECT_GT(shifted.Summary.Breakevens[1], s.Breakevens[1]);
}

TEST(GraphChartTest, RefusalsShowOneMessageAndComputeNothing) {
  struct TRow {
    const char* Message;
    void (*Change)(TGraphRequest&);
  };
  const TRow rows[] = {
      {"Trading days to expiration must be > 0", [](TGraphRequest& r) { r.Days = 0; }},
      {"Strike must be > 0", [](TGraphRequest& r) { r.Strike = 0; }},
      {"Strike must be > 0",
       [](TGraphRequest& r) {
         r.PositionCode = kLongButterfly;
         r.Strike = 5;
       }},
      {"Price must be > 0", [](TGraphRequest& r) { r.Price = -999; }},
      {"Forward must be > 0",
       [](TGraphRequest& r) {
         r.ForwardLocked = true;
         r.Forward = 0;
       }},
      {"True volatility must be > 0", [](TGraphRequest& r) { r.TrueVolatility = 0; }},
      {"Volatility must be > 0", [](TGraphRequest& r) { r.WhatIfVol = -20; }},
      {"What-if days must be between 0 and the trading days to expiration",
       [](TGraphRequest& r) { r.WhatIfDays = 21; }},
      {"What-if days must be between 0 and the trading days to expiration",
       [](TGraphRequest& r) { r.WhatIfDays = -1; }},
      {"Price must be > 0", [](TGraphRequest& r) { r.WhatIfPrice = -100; }},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Message);
    TGraphRequest r = Defaults();
    row.Change(r);
    const TRun run = Draw(r);
    EXPECT_TRUE(run.Abandoned);
    EXPECT_EQ(run.Messages, std::vector<std::string>{row.Message});
  }
  // A price beyond any range ends in an arithmetic fault, never in a figure that is no number.
  TGraphRequest r = Defaults();
  r.Price = 3e38f;
  TValuationEngine engine(1);
  TMessageLog log;
  TWorkControl control;
  TComputeContext context(engine, log, control);
  EXPECT_THROW((void)ComputeGraph(r, context), ArithmeticFault);
  // So does a leg's strike beyond it, and a true volatility no distribution can take.
  for (const auto& change : {+[](TGraphRequest& q) {
                               q.PositionCode = kLongButterfly;
                               q.Strike = 3e38f;
                               q.StrikeStep = 1e38f;
                             },
                             +[](TGraphRequest& q) { q.TrueVolatility = 1e30f; },
                             +[](TGraphRequest& q) { q.Days = 2000000000; }}) {
    TGraphRequest q = Defaults();
    change(q);
    SCOPED_TRACE(q.Days);
    EXPECT_THROW((void)ComputeGraph(q, context), ArithmeticFault);
  }
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(GraphChartTest, TheSameResultForOneTwoAndSevenWorkers) {
  for (const int code : {kCall, kCallCalendar, kCollars}) {
    for (const TValuationTerms& terms : {BlackScholes(0.03f), Tree(0.03f, 60)}) {
      SCOPED_TRACE(std::to_string(code) + " formula " + std::to_string(terms.Formula));
      TGraphRequest r = Defaults(code);
      r.Terms = terms;
      r.WhatIfVol = 2.0f;
      const TRun one = Draw(r, 1);
      for (const int workers : {2, 7}) {
        const TRun other = Draw(r, workers);
        EXPECT_EQ(other.Messages, one.Messages);
        ASSERT_EQ(other.Result.Lines.size(), one.Result.Lines.size());
        for (std::size_t l = 0; l < one.Result.Lines.size(); ++l) {
          for (std::size_t i = 0; i < kGraphPoints; ++i) {
            ASSERT_TRUE(SameBits(other.Result.Lines[l].PL[i], one.Result.Lines[l].PL[i]));
          }
        }
        EXPECT_EQ(GreeksCsv(other.Result).Rows, GreeksCsv(one.Result).Rows);
        EXPECT_TRUE(SameBits(other.Result.Summary.ExpectedPL, one.Result.Summary.ExpectedPL));
        EXPECT_EQ(other.Result.Summary.Breakevens, one.Result.Summary.Breakevens);
      }
    }
  }
}

TEST(GraphChartTest, AStopRequestEndsTheComputation) {
  TValuationEngine engine(2);
  TMessageLog log;
  TWorkControl control;
  TComputeContext context(engine, log, control);
  control.RequestStop();
  EXPECT_THROW((void)ComputeGraph(Defaults(kCollars), context), EStopped);
  EXPECT_TRUE(log.Messages.empty());
}

TEST(GraphChartTest, TablesForExport) {
  const TGraphResult g = Draw(Defaults(kLongStraddle)).Result;
  const TCsvTable chart = GraphCsv(g);
  EXPECT_EQ(chart.Header, (std::vector<std::string>{"price", "20 days left", "13 days left",
                                                    "7 days left", "0 days left"}));
  ASSERT_EQ(chart.Rows.size(), 201u);
  EXPECT_EQ(chart.Rows[100][0], CsvNumber(g.Prices[100]));
  EXPECT_EQ(chart.Rows[100][4], CsvNumber(g.Lines[3].PL[100]));
  const TCsvTable greeks = GreeksCsv(g);
  EXPECT_EQ(greeks.Header, GreeksHeadings());
  ASSERT_EQ(greeks.Rows.size(), 3u);
  EXPECT_EQ(greeks.Rows[0][0], "Buy call");
  EXPECT_EQ(greeks.Rows[1][0], "Buy put");
  EXPECT_EQ(greeks.Rows[2][0], "Total");
  EXPECT_EQ(greeks.Rows[2][1], "");  // no quantity, strike or days in the Total row
  EXPECT_EQ(greeks.Rows[0][2], "1000");
  const std::vector<std::vector<std::string>> cells = GreeksCells(g);
  ASSERT_EQ(cells.size(), 4u);
  EXPECT_EQ(cells[1][2], "1000.00");
  EXPECT_EQ(LineLabel(1), "1 day left");
}

}  // namespace
}  // namespace valquor
