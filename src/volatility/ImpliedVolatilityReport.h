#pragma once
// The implied-volatility analysis: one volatility and one underlying price fitted to the call
// and put premiums of up to five strikes of one expiration (unless locked), the fit's error,
// each premium's fair value at the fit and the volatility each premium implies by itself. The
// searches' candidates and the per-premium searches run on every worker of the context; the
// result is the same whatever their number.

#include <array>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/ValuationTerms.h"
#include "volatility/ImpliedVolatility.h"

namespace valquor {

struct TImpliedVolatilityAnalysisRequest {
  TValuationTerms Terms;  // the Options page's; the forward's days count as trading days
  float Rate = 0;         // the Options page's rate: the forward grows at it
  TAnalysisTable Table;   // Days >= 1
  std::array<std::string, 6> StrikeTexts;  // rows 1..5 as typed
  float TypedForward = 0;                  // ForwardRes
  float TypedVolatility = 0;               // VolRes, percent
  bool Locked = false;                     // keep the typed forward, fit the volatility
  bool BothLocked = false;                 // keep both as typed
  std::string FormulaText;                 // as typed, for the report's head
  std::string RateText;                    // as typed
};

struct TImpliedVolatilityAnalysisResult {
  float Price = 0;                // the fitted (or present of the locked) underlying price
  float Volatility = 0;           // percent
  float ForwardPrice = 0;         // the typed forward when locked, else the fitted price's forward
  std::string Forward;            // ForwardRes afterwards, two decimals
  std::string AverageVolatility;  // VolRes afterwards, one decimal
  std::string Deviation;          // DevLabel afterwards: "(0.12)", or "(0)" without terms
  struct TRow {
    int Row = 0;  // 1..5
    float FairCall = 0, FairPut = 0;
    float CallVolatility = 0, PutVolatility = 0;  // whole percent
  };
  // The rows with a strike above 0, when the fit has a volatility and a price above 0.
  std::vector<TRow> Rows;
};

// The volatility that best fits the table's premiums at an underlying price (absolute errors)
// and the price that best fits them at a volatility (squared errors; the first pass spans 10 %
// to 190 % of the mean of the first two strikes).
[[nodiscard]] float SearchImplVol(const TAnalysisTable& table, const TValuationTerms& terms,
                                  float price, TComputeContext& context);
[[nodiscard]] float SearchImplPrice(const TAnalysisTable& table, const TValuationTerms& terms,
                                    float volatility, TComputeContext& context);
// The whole-number volatility that one premium implies by itself: 10..200 in steps of 10, then
// +-10 around the winner in steps of 0.5 (none below 0.001), rounded half to even; 0 when
// nothing fits.
[[nodiscard]] float StrikeImplVol(const TValuationTerms& terms, bool isPut, int days, float premium,
                                  float price, float strike, TComputeContext& context);

// The analysis: the present of the typed forward and the typed volatility, then (unless both
// are locked) the volatility at that price (Locked) or three price and two volatility searches
// from the typed volatility; then the fair values and each premium's own volatility. Model
// messages go to the context, in the order one worker makes the valuations; a forward out of
// range throws ArithmeticFault.
[[nodiscard]] TImpliedVolatilityAnalysisResult ComputeImpliedVolatilityAnalysis(
    const TImpliedVolatilityAnalysisRequest& request, TComputeContext& context);

// The lines of RichEdit6.
[[nodiscard]] std::vector<std::string> RenderImpliedVolatilityAnalysis(
    const TImpliedVolatilityAnalysisRequest& request,
    const TImpliedVolatilityAnalysisResult& result);

// implied-volatility.csv: one row per strike of the report, with its medium, fair and implied
// figures, the average implied volatility and the implied forward.
[[nodiscard]] TCsvTable ImpliedVolatilityAnalysisCsv(
    const TImpliedVolatilityAnalysisRequest& request,
    const TImpliedVolatilityAnalysisResult& result);

}  // namespace valquor
