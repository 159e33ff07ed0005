#include "volatility/VolatilityInsight.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "models/ArithmeticFault.h"
#include "models/Dates.h"
#include "models/Format.h"

namespace valquor {
namespace {

std::string OneDecimal(const std::optional<double>& value) {
  if (!value || !std::isfinite(*value)) return {};
  return FormatFixed(*value, 1);
}

std::string CsvValue(const std::optional<double>& value) {
  if (!value) return {};
  return CsvNumber(static_cast<float>(*value));
}

std::string CsvDate(const std::vector<double>& dates, std::size_t index) {
  if (index >= dates.size() || !(dates[index] > 0)) return {};
  return DateText(dates[index]);
}

TIVPercentile Place(const TVolatilityCone& cone, const std::optional<TImpliedPoint>& point) {
  if (!point) return PlaceOnCone(cone, 0, 0);
  return PlaceOnCone(cone, point->Volatility, point->Days);
}

}  // namespace

int TradingDaysOf(int days, bool calendarDays) {
  if (!calendarDays || days <= 0) return days;
  const auto trading = static_cast<int>(
      std::lround(static_cast<double>(days) * kTradingDaysPerYear / kCalendarDaysPerYear));
  return trading < 1 ? 1 : trading;
}

std::string DateText(double dayNumber) {
  const TCalendarDate date = DecodeDate(static_cast<int>(std::floor(dayNumber)));
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
  return text;
}

TVolatilityInsightResult ComputeVolatilityInsight(const TVolatilityInsightRequest& request,
                                                  TComputeContext& context) {
  TVolatilityInsightResult result;
  if (!request.Prices) return result;
  const TPriceSeries& prices = *request.Prices;
  const TPriceColumns columns = request.ClosesOnly ? ClosesOf(prices) : ColumnsOf(prices);
  context.Control().Plan(4);
  result.Closes.assign(columns.Close.begin(), columns.Close.end());
  result.Dates.assign(columns.Date.begin(), columns.Date.end());
  result.Rolling = RollingEstimates(columns, request.Window);
  context.Control().Finish();
  context.Control().CheckStop();
  result.Estimators = CurrentEstimators(columns);
  context.Control().Finish();
  context.Control().CheckStop();
  result.Cone = VolatilityCone(columns);
  result.CalculatorPlace = Place(result.Cone, request.Calculator);
  result.AnalysisPlace = Place(result.Cone, request.Analysis);
  context.Control().Finish();
  context.Control().CheckStop();
  result.Odds = HistoricalMoveOdds(columns.Close, request.MoveDays, request.TrueVolatility);
  context.Control().Finish();
  return result;
}

std::string PercentileText(const TVolatilityInsightResult& result) {
  return "IV Calculator: " + result.CalculatorPlace.Text +
         "; Implied volatility: " + result.AnalysisPlace.Text;
}

std::string SkippedText(const TVolatilityInsightRequest& request,
                        const TVolatilityInsightResult& result) {
  if (request.ClosesOnly) {
    return "Closes only (clipboard): the range estimators need open, high and low";
  }
  const TEstimatorsTable& table = result.Estimators;
  if (table.SkippedWithin == 0) {
    return "Too few records for a " + std::to_string(kEstimatorWindows.front()) + "-day window";
  }
  if (table.SkippedRecords == 0) return "Skipped records: none";
  return "Skipped records: " + std::to_string(table.SkippedRecords) + " of the last " +
         std::to_string(table.SkippedWithin) + " days (missing or inconsistent open, high or low)";
}

std::string MoveOddsText(const TVolatilityInsightRequest& request,
                         const TVolatilityInsightResult& result) {
  const TMoveOdds& odds = result.Odds;
  const std::string windows = std::to_string(odds.Windows) +
                              (odds.Windows == 1 ? " window of " : " windows of ") +
                              std::to_string(odds.Days) + " trading days";
  if (odds.TooLittleHistory) return windows + ": " + kTooLittleHistory;
  return windows + ": your own history against the lognormal model at " +
         FormatFixed(request.TrueVolatility, 1) + " % true volatility";
}

TGridCells EstimatorCells(const TVolatilityInsightResult& result) {
  TGridCells cells;
  std::vector<std::string> head = {"Estimator"};
  for (const int window : kEstimatorWindows) head.push_back(std::to_string(window) + " days");
  cells.push_back(head);
  for (const TEstimator estimator : kEstimators) {
    std::vector<std::string> row = {std::string(EstimatorName(estimator))};
    for (int c = 0; c < static_cast<int>(kEstimatorWindows.size()); ++c) {
      row.push_back(OneDecimal(result.Estimators.Value(estimator, c)));
    }
    cells.push_back(row);
  }
  return cells;
}

TGridCells ConeCells(const TVolatilityInsightResult& result) {
  TGridCells cells;
  cells.push_back({"Window", "Minimum", "25th", "Median", "75th", "Maximum", "Latest"});
  for (const TConeRow& row : result.Cone) {
    cells.push_back({std::to_string(row.Window) + " days", OneDecimal(row.Minimum),
                     OneDecimal(row.Percentile25), OneDecimal(row.Median),
                     OneDecimal(row.Percentile75), OneDecimal(row.Maximum),
                     OneDecimal(row.Latest)});
  }
  return cells;
}

TGridCells MoveOddsCells(const TVolatilityInsightResult& result) {
  TGridCells cells;
  cells.push_back({"Move", "Up: history", "Up: model", "Down: history", "Down: model"});
  const TMoveOdds& odds = result.Odds;
  if (odds.TooLittleHistory) {
    cells.push_back({kTooLittleHistory, "", "", "", ""});
    return cells;
  }
  for (const TMoveOddsRow& row : odds.Rows) {
    cells.push_back({std::to_string(row.Change) + " %", OneDecimal(row.UpShare),
                     OneDecimal(row.UpModel), OneDecimal(row.DownShare),
                     OneDecimal(row.DownModel)});
  }
  return cells;
}

TCsvTable EstimatorsCsv(const TVolatilityInsightResult& result) {
  TCsvTable table;
  table.Header = {"Estimator"};
  for (const int window : kEstimatorWindows) {
    table.Header.push_back(std::to_string(window) + " days");
  }
  for (const TEstimator estimator : kEstimators) {
    std::vector<std::string> row = {std::string(EstimatorName(estimator))};
    for (int c = 0; c < static_cast<int>(kEstimatorWindows.size()); ++c) {
      row.push_back(CsvValue(result.Estimators.Value(estimator, c)));
    }
    table.Rows.push_back(row);
  }
  std::vector<std::string> skipped = {"Skipped records"};
  for (std::size_t c = 0; c < kEstimatorWindows.size(); ++c) {
    skipped.push_back(result.Estimators.Records[c] > 0 ? CsvInteger(result.Estimators.Skipped[c])
                                                       : std::string());
  }
  table.Rows.push_back(skipped);
  return table;
}

TCsvTable ConeCsv(const TVolatilityInsightResult& result) {
  TCsvTable table;
  table.Header = {"Window", "Windows",         "Minimum", "25th percentile",
                  "Median", "75th percentile", "Maximum", "Latest"};
  for (const TConeRow& row : result.Cone) {
    table.Rows.push_back({CsvInteger(row.Window), CsvInteger(row.Count()), CsvValue(row.Minimum),
                          CsvValue(row.Percentile25), CsvValue(row.Median),
                          CsvValue(row.Percentile75), CsvValue(row.Maximum), CsvValue(row.Latest)});
  }
  return table;
}

TCsvTable MoveOddsCsv(const TVolatilityInsightResult& result) {
  TCsvTable table;
  table.Header = {"Move %",       "Up history %", "Up model %",   "Down history %",
                  "Down model %", "Up windows",   "Down windows", "Windows"};
  const TMoveOdds& odds = result.Odds;
  for (const TMoveOddsRow& row : odds.Rows) {
    table.Rows.push_back({CsvInteger(row.Change), CsvValue(row.UpShare), CsvValue(row.UpModel),
                          CsvValue(row.DownShare), CsvValue(row.DownModel), CsvInteger(row.UpCount),
                          CsvInteger(row.DownCount), CsvInteger(odds.Windows)});
  }
  return table;
}

TCsvTable ClosesCsv(const TVolatilityInsightResult& result) {
  TCsvTable table;
  table.Header = {"Record", "Date", "Close"};
  for (std::size_t i = 0; i < result.Closes.size(); ++i) {
    table.Rows.push_back({CsvInteger(static_cast<long long>(i) + 1), CsvDate(result.Dates, i),
                          CsvNumber(result.Closes[i])});
  }
  return table;
}

TCsvTable RollingCsv(const TVolatilityInsightResult& result) {
  TCsvTable table;
  table.Header = {"Record", "Date"};
  for (const TEstimator estimator : kEstimators) {
    table.Header.emplace_back(EstimatorName(estimator));
  }
  for (const TRollingPoint& point : result.Rolling) {
    std::vector<std::string> row = {CsvInteger(point.Record),
                                    point.Date > 0 ? DateText(point.Date) : std::string()};
    for (const std::optional<double>& value : point.Values) row.push_back(CsvValue(value));
    table.Rows.push_back(row);
  }
  return table;
}

TSmileData ComputeSmile(const TAnalysisTable& table, const TValuationTerms& terms, float price,
                        TComputeContext& context) {
  std::vector<TSmileQuote> quotes;
  for (std::size_t r = 1; r < table.K.size(); ++r) {
    if (table.K[r] > 0) quotes.push_back({table.K[r], table.CM[r], table.PM[r]});
  }
  context.Control().Plan(quotes.size());
  TMessageLog silent;
  TComputeContext quiet(context.Engine(), silent, context.Control());
  const int days = table.Days;
  const std::vector<TSmileData> rows =
      quiet.Map<TSmileData>(quotes.size(), [&](std::size_t i, TValuer& valuer) {
        const TSmileValuation value = [&](bool isPut, float strike, float volatility) {
          try {
            return valuer.Value(terms, isPut, days, strike, price, volatility);
          } catch (const ArithmeticFault&) {
            return std::numeric_limits<float>::quiet_NaN();
          }
        };
        return SmileData(std::span<const TSmileQuote>(&quotes[i], 1), value);
      });
  TSmileData smile;
  for (const TSmileData& row : rows) {
    smile.Points.insert(smile.Points.end(), row.Points.begin(), row.Points.end());
    smile.LeftOut.insert(smile.LeftOut.end(), row.LeftOut.begin(), row.LeftOut.end());
  }
  std::stable_sort(smile.Points.begin(), smile.Points.end(),
                   [](const TSmilePoint& a, const TSmilePoint& b) { return a.Strike < b.Strike; });
  return smile;
}

TCsvTable SmileCsv(const TSmileData& smile) {
  TCsvTable table;
  table.Header = {"Strike", "Call IV %", "Put IV %"};
  for (const TSmilePoint& point : smile.Points) {
    table.Rows.push_back(
        {CsvNumber(point.Strike), CsvNumber(point.CallVolatility), CsvNumber(point.PutVolatility)});
  }
  return table;
}

}  // namespace valquor
