#include "volatility/SmileData.h"

#include <algorithm>
#include <cmath>

#include "models/Format.h"

namespace valquor {
namespace {

// Value minus premium at a volatility; not a number when the value is not finite.
double Miss(const TSmileValuation& value, bool isPut, float strike, float premium,
            float volatility) {
  const float v = value(isPut, strike, volatility);
  if (!std::isfinite(v)) return std::nan("");
  return double{v} - premium;
}

bool Close(double miss) { return std::fabs(miss) <= kSmileTolerance; }

std::string StrikeText(float strike) {
  std::string text = FormatFixed(strike, 2);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

}  // namespace

std::optional<float> PremiumVolatility(const TSmileValuation& value, bool isPut, float strike,
                                       float premium) {
  if (!std::isfinite(premium)) return std::nullopt;
  float low = kSmileLowestVolatility;
  float high = kSmileHighestVolatility;
  const double lowMiss = Miss(value, isPut, strike, premium, low);
  if (Close(lowMiss)) return low;
  const double highMiss = Miss(value, isPut, strike, premium, high);
  if (Close(highMiss)) return high;
  // The value must cross the premium between the two ends (a NaN compares false).
  if (!(lowMiss < 0 && highMiss > 0)) return std::nullopt;
  // Single-precision volatilities: about 30 halvings reach neighbouring floats.
  for (int i = 0; i < 64; ++i) {
    const float middle = low + (high - low) / 2;
    if (middle <= low || middle >= high) break;
    const double miss = Miss(value, isPut, strike, premium, middle);
    if (std::isnan(miss)) return std::nullopt;
    if (Close(miss)) return middle;
    (miss < 0 ? low : high) = middle;
  }
  return std::nullopt;
}

TSmileData SmileData(std::span<const TSmileQuote> quotes, const TSmileValuation& value) {
  TSmileData smile;
  for (const TSmileQuote& quote : quotes) {
    if (!(quote.Strike > 0) || !std::isfinite(quote.Strike)) continue;
    TSmilePoint point;
    point.Strike = quote.Strike;
    for (const bool isPut : {false, true}) {
      const float premium = isPut ? quote.Put : quote.Call;
      if (!(premium > 0)) continue;
      const auto volatility = PremiumVolatility(value, isPut, quote.Strike, premium);
      if (!volatility) {
        smile.LeftOut.push_back({quote.Strike, isPut});
        continue;
      }
      (isPut ? point.PutVolatility : point.CallVolatility) = volatility;
    }
    if (point.CallVolatility || point.PutVolatility) smile.Points.push_back(point);
  }
  std::stable_sort(smile.Points.begin(), smile.Points.end(),
                   [](const TSmilePoint& a, const TSmilePoint& b) { return a.Strike < b.Strike; });
  return smile;
}

std::string LeftOutLine(const TSmileData& smile) {
  if (smile.LeftOut.empty()) return {};
  std::string line = "Left out (no volatility from 0.1 % to 200 % gives the premium): ";
  for (std::size_t i = 0; i < smile.LeftOut.size(); ++i) {
    if (i > 0) line += ", ";
    line += StrikeText(smile.LeftOut[i].Strike) + (smile.LeftOut[i].IsPut ? " put" : " call");
  }
  return line;
}

}  // namespace valquor
