#pragma once
// The reports of the Pricing page: the position catalogue (codes, descriptions, values) and
// the fair value, delta, payoff analysis, probabilities and analysis calculator reports, each
// rewriting one pane of the main window. A report composes its lines first and puts them in
// its pane at the end, so a command abandoned half-way leaves the pane as it was.

#include <span>
#include <string>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "models/ModelDispatch.h"
#include "models/OptionInt.h"
#include "models/Platform.h"
#include "reports/Positions.h"
#include "reports/ReportPanel.h"

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

  void FairValueReport();           // RichEdit1
  void DeltaReport();               // RichEdit2
  void PayoffAnalysisReport();      // RichEdit3
  void ProbabilitiesReport();       // RichEdit8
  void AnalysisCalculatorReport();  // RichEdit10

  // The payoff values table for the request: entry k (0 to NumberOfIntervals) is the position's
  // value at the grid price GridPrice(k, stats.Price) when the request's days have passed; call
  // and put calendar spreads keep their far leg at the implied volatility, every other position
  // is valued at expiration. Nothing for a negative number of intervals; intervals above
  // kMaxPayoffIntervals are refused by the report before it gets here.
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
  // Shows message and abandons the command unless forward is above 0.
  void RequirePositiveForward(float forward);

  TFormPersonalControls& form_;
  TModelDispatch& dispatch_;
  TPlatform& platform_;
  TReportPanel& panel_;
  std::vector<float> payoffValues_;
};

}  // namespace valquor
