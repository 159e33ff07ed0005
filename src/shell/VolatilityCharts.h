#pragma once
// The chart data of the Volatility page's Chart tab and of the smile, built from the results of
// their computations.

#include "forms/Controls.h"
#include "volatility/SmileData.h"
#include "volatility/VolatilityInsight.h"

namespace valquor {

// HVCloseChart: the closes above 0 against their dates (a date axis), or against the record
// number for a series without dates.
[[nodiscard]] TChartData CloseChartOf(const TVolatilityInsightResult& result);
// HVChart: one line per estimator that has a value, over the records of the rolling window.
[[nodiscard]] TChartData RollingChartOf(const TVolatilityInsightResult& result, int window);
// ConeChart: maximum, quartiles, median, minimum and latest against the window length, with the
// implied volatilities of the request as single points at their windows.
[[nodiscard]] TChartData ConeChartOf(const TVolatilityInsightResult& result,
                                     const TVolatilityInsightRequest& request);
// SmileChart: the call and put volatilities against the strike, the fitted volatility as a
// dashed line across and the forward as a dotted line up; nothing when no premium gave one.
[[nodiscard]] TChartData SmileChartOf(const TSmileData& smile, float volatility, float forward);

}  // namespace valquor
