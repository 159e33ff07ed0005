#include <gtest/gtest.h>

#include "forms/ScriptedPlatform.h"
#include "models/Format.h"
#include "shell/ModelDispatch.h"

namespace valquor {
namespace {

struct TFakeOptionsPage : TDispatchInputs {
  std::string Formula = "Black-Scholes";
  int Style = 0;
  std::string Rate = "0.05";
  std::string Carry = "0.05";
  int Steps = 300;
  std::string FormulaText() const override { return Formula; }
  int ExpirationStyleIndex() const override { return Style; }
  std::string RiskFreeInterestText() const override { return Rate; }
  std::string CostOfCarryText() const override { return Carry; }
  int NumberOfStepsValue() const override { return Steps; }
};

struct DispatchFixture : ::testing::Test {
  TScriptedPlatform platform;
  TFakeOptionsPage page;
  TModelDispatch dispatch{platform, page};
};

TEST_F(DispatchFixture, SelectedFormulaReadsTheFormulaText) {
  const std::pair<const char*, std::uint8_t> kCases[] = {
      {"Black-Scholes", 1},
      {"Blah", 1},
      {"Cox-Ross-Rubenstein", 2},
      {"Coxcomb", 2},
      {"cox-ross-rubenstein", 5},  // case matters
      {"Integration normal distribution", 3},
      {"Integration lognormal distribution", 4},
      {"Integration normal distribution ", 5},
      {"Medium normal/lognormal", 5},
      {"", 5},
  };
  for (const auto& [text, kind] : kCases) {
    SCOPED_TRACE(text);
    page.Formula = text;
    EXPECT_EQ(dispatch.SelectedFormula(), kind);
  }
}

TEST_F(DispatchFixture, ValuesByKindWithTheirEstimates) {
  float first = -1, second = -1;
  dispatch.RefreshModelRates();

  dispatch.FormulaKind = kFormulaBlackScholes;
  const float bs = dispatch.CallValue(260, first, 100, 100, 20, second);
  EXPECT_NEAR(bs, 10.45058f, 2e-5);
  EXPECT_EQ(first, bs);
  EXPECT_EQ(second, bs);

  dispatch.FormulaKind = kFormulaBinomial;
  page.Style = 1;
  const float american = dispatch.PutValue(260, first, 100, 100, 20, second);
  EXPECT_NEAR(american, 6.0877f, 1e-4);
  EXPECT_TRUE(dispatch.OptionCRR1.American);
  EXPECT_EQ(first, american);
  page.Style = -1;  // no style chosen: the flag stays as it was
  (void)dispatch.PutValue(260, first, 100, 100, 20, second);
  EXPECT_TRUE(dispatch.OptionCRR1.American);

  dispatch.FormulaKind = kFormulaIntNormal;
  dispatch.OptionInt1.Intervals = 400;
  const float mean = dispatch.CallValue(20, first, 100, 100, 45, second);
  EXPECT_NEAR(first, 5.6208f, 1e-4);
  EXPECT_NEAR(second, 7.0692f, 1e-4);
  EXPECT_EQ(mean, (first + second) / 2.0f);
  EXPECT_EQ(dispatch.OptionInt1.Distribution, 1);
  dispatch.FormulaKind = kFormulaIntMedium;
  (void)dispatch.CallValue(20, first, 100, 100, 45, second);
  EXPECT_EQ(dispatch.OptionInt1.Distribution, 3);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_F(DispatchFixture, UnknownKindRefusesAndLeavesTheEstimates) {
  float first = 7, second = 8;
  dispatch.FormulaKind = kFormulaNone;
  EXPECT_EQ(dispatch.CallValue(20, first, 100, 100, 20, second), 0.0f);
  EXPECT_EQ(dispatch.PutValue(20, first, 100, 100, 20, second), 0.0f);
  EXPECT_EQ(first, 7);
  EXPECT_EQ(second, 8);
  EXPECT_EQ(platform.Messages, (std::vector<std::string>{"Error 807", "Error 809"}));
}

TEST_F(DispatchFixture, ForwardAndPresentValueAtTheOptionsRate) {
  EXPECT_NEAR(dispatch.ForwardOf(260, true, 100), 105.127f, 1e-3);
  EXPECT_NEAR(dispatch.ForwardOf(365, false, 100), 105.127f, 1e-3);
  EXPECT_NEAR(dispatch.PresentOf(260, true, dispatch.ForwardOf(260, true, 100)), 100.0f, 1e-4);
  page.Rate = "0.03";
  EXPECT_EQ(FormatFixed(dispatch.ForwardOf(20, true, 1000), 2), "1002.31");

  page.Rate = "5%";  // malformed: one message per call, then -999
  (void)dispatch.ForwardOf(1, true, 100);
  (void)dispatch.PresentOf(0, true, 100);
  EXPECT_EQ(platform.TakeMessages(),
            (std::vector<std::string>{"'StrToFloat' error2: 5%", "'StrToFloat' error2: 5%"}));
  page.Rate = "1e30";
  EXPECT_THROW((void)dispatch.ForwardOf(260, true, 100), ArithmeticFault);
  EXPECT_THROW((void)dispatch.PresentOf(260, true, 100), ArithmeticFault);
}

TEST_F(DispatchFixture, RefreshModelRatesParsesOncePerComponent) {
  page.Rate = "0,04";
  dispatch.RefreshModelRates();
  EXPECT_FLOAT_EQ(dispatch.Option1.RiskFree, 0.04f);
  EXPECT_FLOAT_EQ(dispatch.OptionCRR1.RiskFree, 0.04f);
  page.Rate = "0.0x";
  dispatch.RefreshModelRates();
  EXPECT_EQ(platform.Messages.size(), 2u);
  EXPECT_EQ(dispatch.Option1.RiskFree, -999.0f);
  EXPECT_EQ(dispatch.Option3651.RiskFree, 0.0f);  // the twins are never touched here
}

}  // namespace
}  // namespace valquor
