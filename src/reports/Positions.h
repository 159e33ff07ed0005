#pragma once
// The catalogue of the 28 positions of the Pricing page: the legs of each (options and shares,
// bought or sold, at which strike and how many days further out) and the one-line description
// the reports print. A position's code is its place in the position list, from 1.

#include <span>
#include <string>

namespace valquor {

inline constexpr int kPositionCount = 28;

enum class TLegKind { Call, Put, Stock };

// One leg: Count contracts (negative when sold) of a call, a put or a share; the strike is the
// position's strike plus StrikeShift steps; ExtraDays are added to the days being valued.
struct TLeg {
  TLegKind Kind;
  int Count;
  int StrikeShift;
  int ExtraDays;
};

// The legs of a position in the order its description lists them; empty for a code outside 1
// to 28.
[[nodiscard]] std::span<const TLeg> PositionLegs(int code);

// Which way the rows of the asking report run: through strikes, or through forwards with the
// strike fixed.
enum class TPositionAxis { Strike, Forward };

// "(buy call <strike> & sell call <strike> + 10.0)   " and so on. On the strike axis the strike
// texts are "<strike>", "<strike> + step" and "<strike> - step" (step with 1 decimal); on the
// forward axis the strike rounded to a whole number (ties to even), strike + step and
// strike - step with 1 decimal. Shares bought or sold outright show the forward with 2
// decimals. "" for a code outside 1 to 28.
[[nodiscard]] std::string PositionDescription(int code, TPositionAxis axis, float strike,
                                              float strikeStep, float forward);

}  // namespace valquor
