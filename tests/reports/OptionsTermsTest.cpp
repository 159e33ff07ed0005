#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "forms/ScriptedPlatform.h"
#include "models/ArithmeticFault.h"
#include "models/Format.h"
#include "models/Single.h"
#include "shell/OptionsTerms.h"

namespace valquor {
namespace {

TEST(OptionsTermsTest, SelectedFormulaReadsTheFormulaText) {
  const std::pair<const char*, std::uint8_t> kCases[] = {
      {"Black-Scholes", kFormulaBlackScholes},
      {"Blah", kFormulaBlackScholes},
      {"Cox-Ross-Rubenstein", kFormulaBinomial},
      {"Coxcomb", kFormulaBinomial},
      {"cox-ross-rubenstein", kFormulaIntMedium},  // case matters
      {"Integration normal distribution", kFormulaIntNormal},
      {"Integration lognormal distribution", kFormulaIntLognormal},
      {"Integration normal distribution ", kFormulaIntMedium},
      {"Medium normal/lognormal", kFormulaIntMedium},
      {"", kFormulaIntMedium},
  };
  for (const auto& [text, kind] : kCases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(SelectedFormula(text), kind);
  }
}

TEST(OptionsTermsTest, TheExerciseStyleIsKeptWhenNoItemIsSelected) {
  // One flag for the whole window: each reading leaves it for the next.
  TScriptedPlatform platform;
  TFormPersonalControls form;
  form.Formula.SetText("Cox-Ross-Rubenstein");
  bool american = false;
  const struct {
    int Item;
    bool Expected;
  } kSteps[] = {{1, true}, {-1, true}, {0, false}, {-1, false}, {1, true}};
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.Item);
    form.ExpirationStyle.SetItemIndex(step.Item);
    const TValuationTerms terms = ReadOptionsTerms(form, platform, american);
    EXPECT_EQ(american, step.Expected);
    EXPECT_EQ(terms.American, step.Expected);
  }
  EXPECT_TRUE(platform.Messages.empty());
}

TEST(OptionsTermsTest, ForwardAndPresentValueAtARate) {
  EXPECT_NEAR(ForwardOf(0.05f, 260, kTradingDaysPerYear, 100), 105.127f, 1e-3);
  EXPECT_NEAR(ForwardOf(0.05f, 365, kCalendarDaysPerYear, 100), 105.127f, 1e-3);
  EXPECT_NEAR(
      PresentOf(0.05f, 260, kTradingDaysPerYear, ForwardOf(0.05f, 260, kTradingDaysPerYear, 100)),
      100.0f, 1e-4);
  EXPECT_EQ(FormatFixed(ForwardOf(0.03f, 20, kTradingDaysPerYear, 1000), 2), "1002.31");
  EXPECT_THROW((void)ForwardOf(1e30f, 260, kTradingDaysPerYear, 100), ArithmeticFault);
  EXPECT_THROW((void)PresentOf(1e30f, 260, kTradingDaysPerYear, 100), ArithmeticFault);
}

}  // namespace
}  // namespace valquor
