#pragma once
// The delta report: how the position's value at one expiration answers small changes of the
// price (with the delta), the passing of days and the volatility.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compute/Csv.h"
#include "compute/Engine.h"
#include "models/ValuationTerms.h"

namespace valquor {

// Price steps in percent of the strike (the small one gives the delta), days passing, and
// volatility changes in percentage points.
inline constexpr std::array<double, 11> kDeltaPriceSteps = {10, 6,  4,  2,  1,  0.01,
                                                            -1, -2, -4, -6, -10};
inline constexpr double kDeltaStep = 0.01;
inline constexpr std::array<int, 10> kDecayDays = {1, 2, 5, 10, 15, 20, 30, 40, 50, 60};
inline constexpr std::array<float, 5> kVolatilityChanges = {10, 5, 1, -5, -10};

struct TDeltaRequest {
  int Code = 0;  // 1 to 28; 0 when the name is not in the catalogue
  std::string PositionName;
  float Strike = 0, Price = 0, Volatility = 0;  // volatility in percent
  float StrikeStep = 0;                         // the distance between the legs
  int Days = 0;                                 // trading days to expiration
  TValuationTerms Terms;
  // Texts as typed, for the first line.
  std::string StrikeText, PriceText, VolatilityText, DaysText;
};

struct TDeltaResult {
  bool Refused = false;  // days below 0: the first line alone
  float Value = 0;       // the position at the days, price and volatility asked
  float Premium = 0;     // the mean of its two estimates
  float Unit = 0;        // one percent of the strike
  // Per price step: the change of price and the value after it (nothing when the change is too
  // small to divide by).
  std::array<float, kDeltaPriceSteps.size()> PriceChanges{};
  std::array<std::optional<float>, kDeltaPriceSteps.size()> PriceValues{};
  // The value after each of kDecayDays has passed (those the days allow).
  std::array<float, kDecayDays.size()> Decayed{};
  std::array<float, kVolatilityChanges.size()> VolatilityValues{};
};

// Units of work ComputeDelta counts as finished.
[[nodiscard]] std::uint64_t DeltaUnits(const TDeltaRequest& request);

// Values the position at the asked terms, then the price, decay and volatility lines on the
// context's workers, with their messages in line order. Days below 0 show "Trading days to
// expiration must be >= 0" and value nothing. An unknown position shows "Error: Not recognized:
// <name>" and throws EAbandoned; arithmetic faults throw ArithmeticFault.
[[nodiscard]] TDeltaResult ComputeDelta(const TDeltaRequest& request, TComputeContext& context);

// The pane's lines. A change below 0.0001 (or a premium or strike unit that small) makes an
// empty line.
[[nodiscard]] std::vector<std::string> RenderDelta(const TDeltaRequest& request,
                                                   const TDeltaResult& result);

// The report's tables, named in the first column: "Premium", "Price change" (premium change in
// percent of the price change), "Delta", "Timevalue decay (value)", "Timevalue decay (percent)"
// and "Volatility change" (premium change in percent).
[[nodiscard]] TCsvTable DeltaCsv(const TDeltaRequest& request, const TDeltaResult& result);

}  // namespace valquor
