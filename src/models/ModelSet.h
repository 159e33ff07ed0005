#pragma once
// One set of the five valuation components and the value of a call or put under given terms.
// Each worker that values options owns a set of its own; the components report their messages
// to a relay whose target the owner points at the unit of work at hand.

#include "models/MessageSink.h"
#include "models/Option.h"
#include "models/Option365.h"
#include "models/OptionCRR.h"
#include "models/OptionCRR365.h"
#include "models/OptionInt.h"
#include "models/ValuationTerms.h"

namespace valquor {

class TModelSet {
 public:
  TModelSet();
  TModelSet(const TModelSet&) = delete;
  TModelSet& operator=(const TModelSet&) = delete;

  // Where the components' messages go; nowhere until a target is set.
  TMessageRelay Messages;
  TOption Option1;
  TOptionCRR OptionCRR1;
  TOptionInt OptionInt1;
  TOption365 Option3651;
  TOptionCRR365 OptionCRR3651;

  // The value of a call or put under terms, with the integration model's two estimates (both
  // equal to the value for the other models; the value is their mean for integration).
  // Black-Scholes and the tree use the terms' day basis; a formula outside 1..5 shows "Error 807"
  // (call) or "Error 809" (put), gives 0 and leaves the estimates untouched. Model messages go
  // to Messages; faults the models let through throw ArithmeticFault.
  float Value(const TValuationTerms& terms, bool isPut, int days, float strike, float price,
              float volatility, float& firstEstimate, float& secondEstimate);
  // The value alone.
  float Value(const TValuationTerms& terms, bool isPut, int days, float strike, float price,
              float volatility);
};

}  // namespace valquor
