#pragma once
// The data of the smile chart: the implied volatility of each strike's call and put premium by
// itself, under a valuation the caller supplies.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace valquor {

// The value of a call or put of the given strike at a volatility in percent; the caller fixes
// the model, the days, the price and the rates.
using TSmileValuation = std::function<float(bool isPut, float strike, float volatility)>;

// The volatilities a premium may imply, in percent, and how close a value must come to it.
inline constexpr float kSmileLowestVolatility = 0.1f;
inline constexpr float kSmileHighestVolatility = 200.0f;
inline constexpr double kSmileTolerance = 0.005;  // half a cent

// The volatility in [0.1, 200] whose value reproduces the premium within half a cent, found by
// bisection on the volatility (a value that grows with the volatility); empty when the premium is
// below the value at 0.1 %, above the value at 200 %, or no volatility between comes within half a
// cent (or a value is not a finite number).
[[nodiscard]] std::optional<float> PremiumVolatility(const TSmileValuation& value, bool isPut,
                                                     float strike, float premium);

// One row of the analysis grid: a strike and the medium prices of its call and put (as
// MediumPrice reads the bid-ask cells); a premium of 0 or less is not given, a strike of 0 or
// less leaves the row out.
struct TSmileQuote {
  float Strike = 0;
  float Call = 0;
  float Put = 0;
};

// A strike with at least one premium reproduced.
struct TSmilePoint {
  float Strike = 0;
  std::optional<float> CallVolatility;  // percent; empty when not given or not reproduced
  std::optional<float> PutVolatility;
};

// A premium that no volatility from 0.1 % to 200 % reproduces.
struct TSmileMiss {
  float Strike = 0;
  bool IsPut = false;
};

struct TSmileData {
  std::vector<TSmilePoint> Points;  // ascending strikes
  std::vector<TSmileMiss> LeftOut;  // in the order of the quotes, call before put
};

// The implied volatility of every given premium of the quotes (up to five rows).
[[nodiscard]] TSmileData SmileData(std::span<const TSmileQuote> quotes,
                                   const TSmileValuation& value);

// The line under the chart: empty when nothing was left out, else "Left out (no volatility from
// 0.1 % to 200 % gives the premium): 110 call, 80 put", strikes as the grid would show them
// (up to two decimals, no trailing zeros).
[[nodiscard]] std::string LeftOutLine(const TSmileData& smile);

}  // namespace valquor
