#include <climits>

#include "reports/ReportCells.h"
#include "shell/OptionsTerms.h"
#include "shell/PricingReports.h"

namespace valquor {

TAnalysisCalculatorRequest TPricingReports::ReadAnalysisCalculator(const TPanelReading& panel,
                                                                   TPlatform& platform) {
  TAnalysisCalculatorRequest request;
  request.Inputs = panel.Inputs;
  request.PriceIsInput = StrikeAxis() && !form_.MainForwardLock.Checked();
  request.Days = RoundToInt(ReadCommandNumber(form_.CalcDays.Text(), platform));
  const bool days = request.Days > 0;
  // Fields are read where the report first uses them: the rate for the price's present value,
  // the dividends, and only with days to value over the rest.
  if (!request.PriceIsInput && days) {
    request.Rate = ReadCommandNumber(form_.RiskFreeInterest.Text(), platform);
  }
  request.Dividends = ReadCommandNumber(form_.SumDividends.Text(), platform);
  request.Custom = form_.UseCustomInput.Checked();
  request.Code = PositionCode();
  request.PositionName = form_.PositionName.Text();
  if (days) {
    request.Rate = ReadCommandNumber(form_.RiskFreeInterest.Text(), platform);
    if (request.Custom) request.Call = ReadCommandNumber(form_.Call3.Text(), platform);
    // Black-Scholes or the tree, whatever the Options page says: never integration.
    if (SelectedFormula(form_.Formula.Text()) == kFormulaBinomial) {
      request.Terms = ReadOptionsTerms(form_, platform, panel_.American);
    } else {
      request.Terms.Formula = kFormulaBlackScholes;
      request.Terms.RiskFree = request.Rate;
    }
    if (request.Custom) request.Put = ReadCommandNumber(form_.Put3.Text(), platform);
    // The call and put are valued with five times the page's grid intervals.
    const long long intervals = 5LL * form_.NumberOfIntervals.Value();
    request.OptionTerms = request.Terms;
    request.OptionTerms.Intervals = intervals > INT_MAX   ? INT_MAX
                                    : intervals < INT_MIN ? INT_MIN
                                                          : static_cast<int>(intervals);
  }
  request.PriceText = form_.PriceEdit.Text();
  request.VolatilityText = form_.VolEdit.Text();
  request.TrueVolatilityText = form_.TrueVolEdit.Text();
  request.CarryText = form_.CostOfCarry.Text();
  return request;
}

}  // namespace valquor
