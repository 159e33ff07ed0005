#include "reports/Positions.h"

#include <array>
#include <cmath>
#include <string_view>

#include "models/Format.h"

namespace valquor {
namespace {

constexpr TLeg Call(int count, int shift = 0, int extraDays = 0) {
  return {TLegKind::Call, count, shift, extraDays};
}
constexpr TLeg Put(int count, int shift = 0, int extraDays = 0) {
  return {TLegKind::Put, count, shift, extraDays};
}
constexpr TLeg Stock(int count) { return {TLegKind::Stock, count, 0, 0}; }

// "Next month" is 22 trading days further out, the 2nd next 44, the 3rd next 66.
constexpr int kNext = 22;
constexpr int kSecondNext = 44;
constexpr int kThirdNext = 66;

struct TPosition {
  // The description with {K}, {K+}, {K-} and {F} standing for the strike and forward texts.
  std::string_view Description;
  std::array<TLeg, 3> Legs;
  int LegCount;
};

constexpr std::array<TPosition, kPositionCount> kPositions = {{
    {"(buy call {K})   ", {Call(1)}, 1},
    {"(buy call {K} & sell call {K+})   ", {Call(1), Call(-1, 1)}, 2},
    {"(buy call {K} & sell call {K-})   ", {Call(1), Call(-1, -1)}, 2},
    {"(buy put {K})   ", {Put(1)}, 1},
    {"(buy put {K} & sell put {K-})   ", {Put(1), Put(-1, -1)}, 2},
    {"(buy put {K} & sell put {K+})   ", {Put(1), Put(-1, 1)}, 2},
    {"(buy call {K} next month & sell call {K} this month)   ", {Call(1, 0, kNext), Call(-1)}, 2},
    {"(buy call {K} 2nd next month & sell call {K} this month)   ",
     {Call(1, 0, kSecondNext), Call(-1)},
     2},
    {"(buy call {K} 3rd next month & sell call {K} this month)   ",
     {Call(1, 0, kThirdNext), Call(-1)},
     2},
    {"(buy call {K} next month & sell call {K-} this month)   ",
     {Call(1, 0, kNext), Call(-1, -1)},
     2},
    {"(buy call {K} 2nd next month & sell call {K-} this month)   ",
     {Call(1, 0, kSecondNext), Call(-1, -1)},
     2},
    {"(buy call {K} 3rd next month & sell call {K-} this month)   ",
     {Call(1, 0, kThirdNext), Call(-1, -1)},
     2},
    {"(buy put {K} next month & sell put {K} this month)   ", {Put(1, 0, kNext), Put(-1)}, 2},
    {"(buy put {K} 2nd next month & sell put {K} this month)   ",
     {Put(1, 0, kSecondNext), Put(-1)},
     2},
    {"(buy put {K} 3rd next month & sell put {K} this month)   ",
     {Put(1, 0, kThirdNext), Put(-1)},
     2},
    {"(buy call {K} & buy put {K})   ", {Call(1), Put(1)}, 2},
    {"(sell call {K} & sell put {K})   ", {Call(-1), Put(-1)}, 2},
    {"(sell call {K})   ", {Call(-1)}, 1},
    {"(sell put {K})   ", {Put(-1)}, 1},
    {"(buy stock {F})   ", {Stock(1)}, 1},
    {"(sell stock {F})   ", {Stock(-1)}, 1},
    {"(buy call {K} and sell put {K})   ", {Call(1), Put(-1)}, 2},
    {"(buy put {K} and sell call {K})   ", {Put(1), Call(-1)}, 2},
    {"(buy stock {K} & and buy 2 * put {K})   ", {Stock(1), Put(2)}, 2},
    {"(buy stock {K} & and sell call {K})   ", {Stock(1), Call(-1)}, 2},
    {"(buy stock {K} & and sell call {K} & buy put {K})   ", {Stock(1), Call(-1), Put(1)}, 3},
    {"(buy call {K+} & sell 2 * call {K} & buy call {K-})   ",
     {Call(1, 1), Call(-2), Call(1, -1)},
     3},
    {"(sell call {K+} & buy 2 * call {K} & sell call {K-})   ",
     {Call(-1, 1), Call(2), Call(-1, -1)},
     3},
}};

bool ValidCode(int code) { return code >= 1 && code <= kPositionCount; }

}  // namespace

std::span<const TLeg> PositionLegs(int code) {
  if (!ValidCode(code)) return {};
  const TPosition& position = kPositions[static_cast<std::size_t>(code - 1)];
  return std::span<const TLeg>(position.Legs.data(), static_cast<std::size_t>(position.LegCount));
}

std::string PositionDescription(int code, TPositionAxis axis, float strike, float strikeStep,
                                float forward) {
  if (!ValidCode(code)) return "";
  std::string k;
  std::string kPlus;
  std::string kMinus;
  if (axis == TPositionAxis::Strike) {
    const std::string step = FormatFixed(strikeStep, 1);
    k = "<strike>";
    kPlus = "<strike> + " + step;
    kMinus = "<strike> - " + step;
  } else {
    k = FormatFixed(std::nearbyint(static_cast<double>(strike)), 0);
    kPlus = FormatFixed(strike + strikeStep, 1);
    kMinus = FormatFixed(strike - strikeStep, 1);
  }
  const std::string f = FormatFixed(forward, 2);

  const std::string_view pattern = kPositions[static_cast<std::size_t>(code - 1)].Description;
  std::string text;
  for (std::size_t i = 0; i < pattern.size();) {
    if (pattern[i] != '{') {
      text += pattern[i++];
      continue;
    }
    const std::size_t close = pattern.find('}', i);
    const std::string_view name = pattern.substr(i + 1, close - i - 1);
    text += name == "K" ? k : name == "K+" ? kPlus : name == "K-" ? kMinus : f;
    i = close + 1;
  }
  return text;
}

}  // namespace valquor
