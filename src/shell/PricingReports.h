#pragma once
// The reports of the Pricing page: the position catalogue (codes, descriptions, values) and
// the fair value, delta, payoff analysis, probabilities and analysis calculator reports, each
// rewriting one pane of the main window. A report composes its lines first and puts them in
// its pane at the end, so a command abandoned half-way leaves the pane as it was.

#include <span>
#include <string>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "shell/ModelDispatch.h"
#include "models/OptionInt.h"
#include "forms/Platform.h"
#include "reports/Positions.h"
#include "shell/ReportPanel.h"

namespace valquor {

// Entries of the payoff values table: one per grid point, at most 30000 intervals.
inline constexpr int kMaxPayoffIntervals = 30000;

class TPricingReports {
 public:
  TPricingReports(TFormPersonalControls& form, TModelDispatch& dispatch, TPlatform& platform,
                  TReportPanel& panel);

  // The Compute button: checks the required fields, refreshes the inputs and writes the fair
  // value and delta reports, or the three analysis reports when the Analysis page is in view.
  void ComputeBtnClick();

  // The code (1 to 28) of the position named in PositionName; an unknown name shows
  // "Error: Not recognized: <name>" and throws EAbort, abandoning the command.
  [[nodiscard]] int PositionCode();

  // The value of position `code` at `days` trading days, base strike `strike`, underlying
  // `underlying` and volatility (percent), with the two estimates of the formula in use (the
  // integration formulas value at their mean). Legs are valued through CallValue/PutValue at
  // strike, strike +- StrikeStep and days + 22/44/66; a share bought is worth the underlying,
  // one sold minus that. Days < 0: "Internal error: Days < 0" and 0; strike or underlying not
  // above 0: 0. A call (code 1) below 0 shows "Error call". Afterwards the models' rates are
  // refreshed. Throws ArithmeticFault when the sum leaves the single-precision range.
  float PositionValue(int days, int code, float strike, float underlying, float volatility,
                      float& firstEstimate, float& secondEstimate);

  // RichEdit1: the position's value over eleven strikes (or forwards) and the eleven day
  // columns of the day step, both estimates for the integration formulas, and the implied
  // forwards (or prices). Refreshes the report inputs first.
  void FairValueReport();
  // RichEdit2: premium, delta and the changes for price steps of 1 % of the strike, for days
  // passing and for volatility changes, at Days1 days. A Days1 that is no whole number throws
  // EConvertError and a negative one is refused with a message, both after the first line.
  void DeltaReport();
  // RichEdit3: premium, average gain and loss, chance of a gain and expected result of the
  // position held for each column's days. Refuses with one message, the pane unchanged: a first
  // column beyond 110 days, a day step outside the list, a true volatility or price not above 0,
  // intervals outside 1 to 30000; a forward not above 0 also abandons the command (EAbort).
  void PayoffAnalysisReport();
  // RichEdit8: chances of the forward ending beyond levels 1 % (or 5 %) apart under normal,
  // lognormal and medium distributions over CalcDays days. Nothing for CalcDays not above 0;
  // throws EConvertError when it is no whole number; a forward not above 0 shows "Forward must
  // be > 0" and abandons the command (EAbort).
  void ProbabilitiesReport();
  // RichEdit10: market and fair premiums of the call, the put and the position, with Black-
  // Scholes or the binomial model whatever the Options page says (restored afterwards), and
  // the chance of a gain. CalcDays rounding to 0 or less: "Trading days to expiration must be
  // > 0"; a forward not above 0 as in ProbabilitiesReport. The pane is unchanged on refusal.
  void AnalysisCalculatorReport();

  // The payoff values table for the request: entry k (0 to NumberOfIntervals) is the position's
  // value at the grid price GridPrice(k, stats.Price) when the request's days have passed; call
  // and put calendar spreads keep their far leg at the implied volatility, every other position
  // is valued at expiration. Nothing for fewer than 1 interval; at most kMaxPayoffIntervals
  // intervals are filled.
  void BuildPayoffValues(const PayoffStats& stats);
  // The values table as the last BuildPayoffValues left it (kMaxPayoffIntervals + 1 entries).
  [[nodiscard]] std::span<const float> PayoffValues() const { return payoffValues_; }

  // The entry premium of a payoff column for the Black-Scholes and binomial formulas: the
  // position at `days`, the panel's strike and volatility, on the price (strike axis without
  // lock) or on the present value of the forward.
  [[nodiscard]] float ColumnPremium(int days, int code);

  // Change handler of UseCustomInput: Call3 and Put3 enabled and shown active while checked.
  void UseCustomInputClick();

 private:
  // YAxis is "Strike": the rows of the tables run through strikes.
  [[nodiscard]] bool StrikeAxis() const;
  // On the strike axis without the forward lock: the price, not the forward, is the input.
  [[nodiscard]] bool PriceIsInput() const;
  // One leg of a position: an option through the dispatch, or a share.
  [[nodiscard]] float LegValue(const TLeg& leg, int days, float strike, float underlying,
                               float volatility, float& firstEstimate, float& secondEstimate);
  // " Impl.f." and the forward implied by the price over each column's days (the locked
  // forward itself), or on the forward axis " Impl.p." and the price implied by the forward.
  [[nodiscard]] std::string ImpliedLine(std::span<const int> columnDays);
  // Shows "Forward must be > 0" and abandons the command unless forward is above 0.
  void RequirePositiveForward(float forward);

  TFormPersonalControls& form_;
  TModelDispatch& dispatch_;
  TPlatform& platform_;
  TReportPanel& panel_;
  std::vector<float> payoffValues_;
};

}  // namespace valquor
