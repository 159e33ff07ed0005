#pragma once
// The main window's choice of model: FormulaKind, and the call and put values under it, the
// growing and discounting of amounts at the Options page's risk-free rate, and the rule that
// keeps the models' rates in step with that page. The five valuation components live here;
// the Options page's fields are read afresh at every valuation through TDispatchInputs.

#include <cstdint>
#include <string>

#include "forms/Platform.h"
#include "models/Option.h"
#include "models/Option365.h"
#include "models/OptionCRR.h"
#include "models/OptionCRR365.h"
#include "models/OptionInt.h"
#include "models/ValuationTerms.h"

namespace valquor {

// The Options page as the dispatch sees it.
class TDispatchInputs {
 public:
  virtual ~TDispatchInputs() = default;
  [[nodiscard]] virtual std::string FormulaText() const = 0;
  // Selected item of the exercise style: 0 European, 1 American, anything else none.
  [[nodiscard]] virtual int ExpirationStyleIndex() const = 0;
  [[nodiscard]] virtual std::string RiskFreeInterestText() const = 0;
  [[nodiscard]] virtual std::string CostOfCarryText() const = 0;
  // The step count typed in its spin box, or the box's minimum when it is not an integer.
  [[nodiscard]] virtual int NumberOfStepsValue() const = 0;
};

class TModelDispatch {
 public:
  TModelDispatch(TPlatform& platform, const TDispatchInputs& inputs);

  TOption Option1;
  TOptionCRR OptionCRR1;
  TOptionInt OptionInt1;
  TOption365 Option3651;
  TOptionCRR365 OptionCRR3651;
  // The model CallValue and PutValue use: 1 Black-Scholes, 2 binomial, 3 to 5 integration over
  // the normal, lognormal and medium distributions, 0 before the first refresh.
  std::uint8_t FormulaKind = kFormulaNone;

  // The kind named by the Formula text: "Bla..." 1, "Cox..." 2 (case-sensitive), the two
  // integration texts 3 and 4, anything else 5.
  [[nodiscard]] std::uint8_t SelectedFormula() const;

  // The value of a call under FormulaKind, with the two estimates of the integration model
  // (equal to the value for the others). Kind outside 1..5: "Error 807", 0, estimates untouched.
  // Model messages pass through; faults the models let through reach the caller.
  float CallValue(int days, float& firstEstimate, float strike, float price, float volatility,
                  float& secondEstimate);
  // The same for a put ("Error 809").
  float PutValue(int days, float& firstEstimate, float strike, float price, float volatility,
                 float& secondEstimate);

  // amount grown at the Options page's rate over days (260 a year for trading days, else 365),
  // in single precision; the rate text is parsed at every call. Throws ArithmeticFault when the
  // result leaves the single-precision range.
  [[nodiscard]] float ForwardOf(int days, bool tradingDays, float amount);
  // amount discounted the same way.
  [[nodiscard]] float PresentOf(int days, bool tradingDays, float amount);

  // Option1.RiskFree and OptionCRR1.RiskFree from the Options page's rate, the text parsed once
  // for each.
  void RefreshModelRates();

 private:
  float Value(bool isPut, int days, float& firstEstimate, float strike, float price,
              float volatility, float& secondEstimate);

  TPlatform& platform_;
  const TDispatchInputs& inputs_;
};

}  // namespace valquor
