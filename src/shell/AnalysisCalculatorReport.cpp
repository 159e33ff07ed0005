#include <climits>
#include <cmath>

#include "models/Format.h"
#include "models/Numbers.h"
#include "shell/PricingReports.h"
#include "reports/ReportCells.h"
#include "reports/ReportSupport.h"

namespace valquor {
namespace {

// Puts the formula of the Options page back into FormulaKind however the report ends.
class TRestoreFormula {
 public:
  explicit TRestoreFormula(TModelDispatch& dispatch) : dispatch_(dispatch) {}
  ~TRestoreFormula() { dispatch_.FormulaKind = dispatch_.SelectedFormula(); }
  TRestoreFormula(const TRestoreFormula&) = delete;
  TRestoreFormula& operator=(const TRestoreFormula&) = delete;

 private:
  TModelDispatch& dispatch_;
};

// "market   (fair)   overpricing  = difference", or "underpricing = " when `over` is false.
std::string PricingText(float market, float fair, float difference, bool over) {
  return FormatFixed(market, 2, 6) + "   (" + FormatFixed(fair, 2, 6) +
         (over ? ")   overpricing  = " : ")   underpricing = ") + FormatFixed(difference, 2, 6);
}

}  // namespace

void TPricingReports::AnalysisCalculatorReport() {
  const TRestoreFormula restore(dispatch_);
  const bool binomial = dispatch_.SelectedFormula() == kFormulaBinomial;
  dispatch_.FormulaKind = binomial ? kFormulaBinomial : kFormulaBlackScholes;

  const TReportInputs& in = panel_.Inputs;
  const int days = RoundToInt(ParseNumber(form_.CalcDays.Text(), platform_));
  // Prices are moved over the days only when there are days to move them over.
  const float present =
      PriceIsInput() || days <= 0 ? in.Price : dispatch_.PresentOf(days, true, in.Forward);
  const float price = detail::ToSingle(
      double{present} - ParseNumber(form_.SumDividends.Text(), platform_), "price");
  if (days <= 0) {
    platform_.ShowMessage("Trading days to expiration must be > 0", TMessageKind::Error);
    return;
  }
  const float forward = dispatch_.ForwardOf(days, true, price);
  RequirePositiveForward(in.Forward);

  const float spread = static_cast<float>(std::sqrt(static_cast<double>(days)) * 0.01 *
                                          in.TrueVolatility / std::sqrt(260.0));
  const int intervals = form_.NumberOfIntervals.Value();
  const long long fiveTimes = 5LL * intervals;
  dispatch_.OptionInt1.Intervals = fiveTimes > INT_MAX   ? INT_MAX
                                   : fiveTimes < INT_MIN ? INT_MIN
                                                         : static_cast<int>(fiveTimes);

  const bool custom = form_.UseCustomInput.Checked();
  float first = 0;
  float second = 0;
  const float callMarket =
      custom ? ParseNumber(form_.Call3.Text(), platform_)
             : dispatch_.CallValue(days, first, in.Strike, in.Price, in.Volatility, second);
  const float callFair =
      dispatch_.CallValue(days, first, in.Strike, price, in.TrueVolatility, second);
  const double callGain =
      100 - 100 * detail::ChanceBelow(double{in.Strike} + callMarket, in.Forward, spread);

  const float putMarket =
      custom ? ParseNumber(form_.Put3.Text(), platform_)
             : dispatch_.PutValue(days, first, in.Strike, in.Price, in.Volatility, second);
  const float putFair =
      dispatch_.PutValue(days, first, in.Strike, price, in.TrueVolatility, second);
  const double putGain =
      100 * detail::ChanceBelow(double{in.Strike} - putMarket, in.Forward, spread);

  dispatch_.OptionInt1.Intervals = intervals;
  const int code = PositionCode();
  (void)PositionValue(days, code, in.Strike, in.Price, in.Volatility, first, second);
  const float positionMarket = static_cast<float>((double{first} + second) / 2);
  (void)PositionValue(days, code, in.Strike, price, in.TrueVolatility, first, second);
  const float positionFair = static_cast<float>((double{first} + second) / 2);

  std::vector<std::string> lines;
  if (binomial) {
    lines.emplace_back(" Formula = Cox-Ross-Rubenstein");
    lines.push_back(std::string(" Option type = ") +
                    (dispatch_.OptionCRR1.American ? "American" : "European") +
                    "    Risk-free interest = " + FormatFixed(dispatch_.OptionCRR1.RiskFree, 3) +
                    "    Cost of carry = " + form_.CostOfCarry.Text());
  } else {
    lines.emplace_back(" Formula = Black-Scholes");
    lines.push_back(" Option type = European    Risk-free interest = " +
                    FormatFixed(dispatch_.Option1.RiskFree, 3));
  }
  if (!custom || callMarket > 0) {
    lines.push_back(" Strike = " + FormatFixed(in.Strike, 1, 5) +
                    "   Trading days to expiration = " + std::to_string(days));
    lines.emplace_back();
    lines.push_back(" Market:            Stock price = " + form_.PriceEdit.Text() +
                    "     Impl.vol = " + form_.VolEdit.Text());
    lines.push_back(" () = price when    Forward = " + FormatPremium(forward) +
                    "      True vol = " + form_.TrueVolEdit.Text());
    lines.emplace_back();
    const float difference = detail::ToSingle(double{callMarket} - callFair, "difference");
    lines.push_back(" Call = " + PricingText(callMarket, callFair, difference, difference > 0) +
                    "   P(gain) = " + FormatFixed(callGain, 1) + "%");
  }
  if (!custom || putMarket > 0) {
    const float difference = detail::ToSingle(double{putMarket} - putFair, "difference");
    lines.push_back(" Put  = " + PricingText(putMarket, putFair, difference, difference >= 0) +
                    "   P(gain) = " + FormatFixed(putGain, 1) + "%");
  }
  lines.emplace_back();
  lines.push_back(" " + form_.PositionName.Text());
  const float difference = detail::ToSingle(double{positionMarket} - positionFair, "difference");
  lines.push_back(" Value =" +
                  PricingText(positionMarket, positionFair, difference, difference > 0));

  detail::ReplaceLines(form_.RichEdit10, lines);
}

}  // namespace valquor
