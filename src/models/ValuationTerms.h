#pragma once
// The terms of a valuation as one value: which model, and the settings that model reads (rate,
// carry, steps, exercise style, day basis, grid intervals). A report hands the same terms to
// every valuation it makes, so nothing it values depends on what ran before it.

#include <cstdint>

namespace valquor {

// Day bases: a year of trading days and a year of calendar days.
inline constexpr int kTradingDaysPerYear = 260;
inline constexpr int kCalendarDaysPerYear = 365;

// FormulaKind values.
inline constexpr std::uint8_t kFormulaNone = 0;
inline constexpr std::uint8_t kFormulaBlackScholes = 1;
inline constexpr std::uint8_t kFormulaBinomial = 2;
inline constexpr std::uint8_t kFormulaIntNormal = 3;
inline constexpr std::uint8_t kFormulaIntLognormal = 4;
inline constexpr std::uint8_t kFormulaIntMedium = 5;

struct TValuationTerms {
  // 1 Black-Scholes, 2 binomial, 3 to 5 integration over the normal, lognormal and medium
  // distributions; anything else values nothing ("Error 807" / "Error 809").
  std::uint8_t Formula = kFormulaNone;
  float RiskFree = 0.0f;  // Black-Scholes and binomial: rate as a fraction
  float Carry = 0.0f;     // binomial: cost of carry as a fraction
  int Steps = 300;        // binomial: tree steps
  bool American = false;  // binomial: exercise style
  // Black-Scholes and binomial: the year the days count against, kTradingDaysPerYear or
  // kCalendarDaysPerYear. The integration model always counts trading days.
  int DaysPerYear = kTradingDaysPerYear;
  int Intervals = 400;  // integration: grid intervals

  [[nodiscard]] bool Integration() const {
    return Formula >= kFormulaIntNormal && Formula <= kFormulaIntMedium;
  }
  bool operator==(const TValuationTerms&) const = default;
};

}  // namespace valquor
