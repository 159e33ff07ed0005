#pragma once
// The Chart page of the Volatility views as one computation: the rolling estimators of the
// chosen window, the current estimators, the volatility cone with the two implied volatilities
// placed on it, and the historical move odds, with the cells of their grids and their CSV
// tables. Pure: it reads a snapshot of the price series and writes nothing.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/ValuationTerms.h"
#include "volatility/ImpliedVolatility.h"
#include "volatility/MoveOdds.h"
#include "volatility/PriceSeries.h"
#include "volatility/SmileData.h"
#include "volatility/VolatilityCone.h"
#include "volatility/VolatilityEstimators.h"

namespace valquor {

// An implied volatility to place on the cone: percent per year, over a number of trading days.
struct TImpliedPoint {
  float Volatility = 0;
  int Days = 0;
};

// Trading days of a number of days counted as the IV Calculator counts them: trading days as
// they are, calendar days scaled by 260 / 365 and rounded to the nearest whole day (at least 1
// for at least one calendar day).
[[nodiscard]] int TradingDaysOf(int days, bool calendarDays);

struct TVolatilityInsightRequest {
  std::shared_ptr<const TPriceSeries> Prices;
  bool ClosesOnly = false;  // read from the clipboard: no dates, opens, highs or lows
  int Window = kDefaultEstimatorWindow;
  int MoveDays = 0;                         // the Analysis page's trading days to expiration
  float TrueVolatility = 0;                 // the Analysis page's true volatility, percent
  std::optional<TImpliedPoint> Calculator;  // the IV Calculator's last result
  std::optional<TImpliedPoint> Analysis;    // the implied-volatility analysis (VolRes)
};

struct TVolatilityInsightResult {
  std::vector<float> Closes;  // records 1..Count
  std::vector<double> Dates;  // day numbers, empty for closes only
  std::vector<TRollingPoint> Rolling;
  TEstimatorsTable Estimators;
  TVolatilityCone Cone;
  TMoveOdds Odds;
  TIVPercentile CalculatorPlace;
  TIVPercentile AnalysisPlace;
};

// Computes the page from the request's series; checks for a stop between its parts.
[[nodiscard]] TVolatilityInsightResult ComputeVolatilityInsight(
    const TVolatilityInsightRequest& request, TComputeContext& context);

// The text of IVPercentileEdit: "IV Calculator: <place>; Implied volatility: <place>".
[[nodiscard]] std::string PercentileText(const TVolatilityInsightResult& result);

// The line under EstimatorsGrid: for closes only "Closes only (clipboard): the range estimators
// need open, high and low"; else "Skipped records: 2 of the last 63 days (missing or
// inconsistent open, high or low)", or "Skipped records: none" / "Too few records for a
// 10-day window".
[[nodiscard]] std::string SkippedText(const TVolatilityInsightRequest& request,
                                      const TVolatilityInsightResult& result);

// The line beside MoveOddsGrid: "1234 windows of 20 trading days: your own history against the
// lognormal model at 20 % true volatility", or with fewer than 30 windows "12 windows of 20
// trading days: too little history".
[[nodiscard]] std::string MoveOddsText(const TVolatilityInsightRequest& request,
                                       const TVolatilityInsightResult& result);

// Cells of the grids, row 0 the headings, column 0 the row captions; volatilities and shares
// with one decimal, an empty value an empty cell.
using TGridCells = std::vector<std::vector<std::string>>;
[[nodiscard]] TGridCells EstimatorCells(const TVolatilityInsightResult& result);
[[nodiscard]] TGridCells ConeCells(const TVolatilityInsightResult& result);
// With too little history the first cell of the first row says so and the rest is empty.
[[nodiscard]] TGridCells MoveOddsCells(const TVolatilityInsightResult& result);

// The exports: estimators.csv, volatility-cone.csv, move-odds.csv, closes.csv and
// rolling-volatility.csv. Dates as yyyy-mm-dd, empty without dates.
[[nodiscard]] TCsvTable EstimatorsCsv(const TVolatilityInsightResult& result);
[[nodiscard]] TCsvTable ConeCsv(const TVolatilityInsightResult& result);
[[nodiscard]] TCsvTable MoveOddsCsv(const TVolatilityInsightResult& result);
[[nodiscard]] TCsvTable ClosesCsv(const TVolatilityInsightResult& result);
[[nodiscard]] TCsvTable RollingCsv(const TVolatilityInsightResult& result);

// The smile of the implied-volatility analysis: every premium of the table (its rows with a
// strike above 0) valued under terms at the table's days and the fitted underlying price, one
// row of the table per unit of work on every worker of the engine. Its valuations show no
// messages (the analysis shows those of the same terms); a valuation that fails leaves its
// premium out.
[[nodiscard]] TSmileData ComputeSmile(const TAnalysisTable& table, const TValuationTerms& terms,
                                      float price, TComputeContext& context);

// smile.csv: strike, call IV and put IV (percent), an IV left out an empty field.
[[nodiscard]] TCsvTable SmileCsv(const TSmileData& smile);

// A day number as yyyy-mm-dd.
[[nodiscard]] std::string DateText(double dayNumber);

}  // namespace valquor
