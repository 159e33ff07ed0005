#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportsFixture.h"

namespace valquor {
namespace {

// Expected texts are laid out by hand from the report's rules, with Black-Scholes premiums at
// strike 1000, price 1000, 20 days, 3 % interest, and lognormal chances around the forward
// 1002.31 with a spread of 20 % * sqrt(20 / 260).
class CalculatorReportTest : public ReportsTest {
 protected:
  // The calculator alone, read as Compute reads it.
  TAnalysisCalculatorRequest Read() {
    return reports.ReadAnalysisCalculator(ReadPanel(), platform);
  }
};
INSTANTIATE_TEST_SUITE_P(Workers, CalculatorReportTest, kWorkerCounts);

TEST_P(CalculatorReportTest, DefaultsAsShipped) {
  const std::vector<std::string> kExpected = {
      " Formula = Black-Scholes",
      " Option type = European    Risk-free interest = 0.030",
      " Strike = 1000.0   Trading days to expiration = 20",
      "",
      " Market:            Stock price = 1000     Impl.vol = 20",
      " () = price when    Forward = 1002.31      True vol = 20",
      "",
      " Call =  23.27   ( 23.27)   underpricing =   0.00   P(gain) = 34.4%",
      " Put  =  20.97   ( 20.97)   overpricing  =   0.00   P(gain) = 34.6%",
      "",
      " Call",
      " Value = 23.27   ( 23.27)   underpricing =   0.00",
  };

  ComputeAnalysisPage();
  ExpectLines(form.RichEdit10, kExpected);
  EXPECT_TRUE(platform.Messages.empty());

  // An integration formula is priced with Black-Scholes here.
  form.Formula.SetText("Integration normal distribution");
  ComputeAnalysisPage();
  ExpectLines(form.RichEdit10, kExpected);
}

TEST_P(CalculatorReportTest, CustomInputReplacesTheMarketPremiums) {
  const struct {
    const char* Call;
    const char* Put;
    std::vector<std::string> Expected;
  } kCases[] = {
      // No put premium typed: the put line is left out.
      {"30",
       "0",
       {
           " Formula = Black-Scholes",
           " Option type = European    Risk-free interest = 0.030",
           " Strike = 1000.0   Trading days to expiration = 20",
           "",
           " Market:            Stock price = 1000     Impl.vol = 20",
           " () = price when    Forward = 1002.31      True vol = 20",
           "",
           " Call =  30.00   ( 23.27)   overpricing  =   6.73   P(gain) = 30.2%",
           "",
           " Call",
           " Value = 23.27   ( 23.27)   underpricing =   0.00",
       }},
      // No call premium typed: the strike, market and forward lines go with the call line.
      {"0",
       "25",
       {
           " Formula = Black-Scholes",
           " Option type = European    Risk-free interest = 0.030",
           " Put  =  25.00   ( 20.97)   overpricing  =   4.03   P(gain) = 31.9%",
           "",
           " Call",
           " Value = 23.27   ( 23.27)   underpricing =   0.00",
       }},
  };
  form.UseCustomInput.SetChecked(true);
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.Call) + " " + c.Put);
    form.Call3.SetText(c.Call);
    form.Put3.SetText(c.Put);
    ComputeAnalysisPage();
    ExpectLines(form.RichEdit10, c.Expected);
  }
}

TEST_P(CalculatorReportTest, DividendsEqualToThePriceLeaveNoFairValue) {
  form.SumDividends.SetText("1000");
  ComputeAnalysisPage();
  ExpectLines(form.RichEdit10,
              {" Formula = Black-Scholes", " Option type = European    Risk-free interest = 0.030",
               " Strike = 1000.0   Trading days to expiration = 20", "",
               " Market:            Stock price = 1000     Impl.vol = 20",
               " () = price when    Forward = 0.00      True vol = 20", "",
               " Call =  23.27   (  0.00)   overpricing  =  23.27   P(gain) = 34.4%",
               " Put  =  20.97   (  0.00)   overpricing  =  20.97   P(gain) = 34.6%", "", " Call",
               " Value = 23.27   (  0.00)   overpricing  =  23.27"});
}

TEST_P(CalculatorReportTest, BinomialHeadingShowsTheTreeSettings) {
  form.Formula.SetText("Cox-Ross-Rubenstein");
  form.ExpirationStyle.SetItemIndex(1);
  ComputeAnalysisPage();
  const std::vector<std::string>& lines = form.RichEdit10.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], " Formula = Cox-Ross-Rubenstein");
  EXPECT_EQ(lines[1],
            " Option type = American    Risk-free interest = 0.030    Cost of carry = 0.03");
  // No item chosen keeps the exercise style of the last command.
  form.ExpirationStyle.SetItemIndex(-1);
  form.CostOfCarry.SetText("0.05");
  ComputeAnalysisPage();
  EXPECT_EQ(form.RichEdit10.Lines()[1],
            " Option type = American    Risk-free interest = 0.030    Cost of carry = 0.05");
}

TEST_P(CalculatorReportTest, DaysAreRoundedAndMustBePositive) {
  const struct {
    const char* Days;
    const char* StrikeLine;  // nullptr: refused
  } kCases[] = {
      {"2.5", " Strike = 1000.0   Trading days to expiration = 2"},
      {"3.5", " Strike = 1000.0   Trading days to expiration = 4"},
      {"0.4", nullptr},
      {"-20", nullptr},
  };
  form.Formula.SetText("Integration lognormal distribution");
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Days);
    form.CalcDays.SetText(c.Days);
    const TAnalysisCalculatorRequest request = Read();
    const TAnalysisCalculatorResult result = Run(ComputeAnalysisCalculator, request);
    EXPECT_EQ(result.Written, c.StrikeLine != nullptr);
    if (c.StrikeLine != nullptr) {
      const std::vector<std::string> lines = RenderAnalysisCalculator(request, result);
      ASSERT_GE(lines.size(), 3u);
      EXPECT_EQ(lines[2], c.StrikeLine);
      EXPECT_TRUE(platform.TakeMessages().empty());
    } else {
      EXPECT_EQ(platform.TakeMessages(),
                std::vector<std::string>{"Trading days to expiration must be > 0"});
    }
  }
}

TEST_P(CalculatorReportTest, ForwardOfZeroAbandonsTheAnalysisOnce) {
  form.MainForwardLock.SetChecked(true);
  form.ForwardEdit.SetText("0");
  form.RichEdit3.SetText("previous payoff");
  ComputeAnalysisPage();
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"Forward must be > 0"});
  EXPECT_EQ(form.RichEdit3.Lines(), std::vector<std::string>{"previous payoff"});
}

TEST_P(CalculatorReportTest, UseCustomInputEnablesThePremiumFields) {
  for (const bool custom : {true, false}) {
    SCOPED_TRACE(custom);
    form.UseCustomInput.SetChecked(custom);
    reports.UseCustomInputClick();
    for (const TEdit* edit : {&form.Call3, &form.Put3}) {
      EXPECT_EQ(edit->Enabled(), custom);
      EXPECT_EQ(edit->Color(), custom ? clWindow : clBtnFace);
    }
  }
}

class ProbabilitiesReportTest : public ReportsTest {};
INSTANTIATE_TEST_SUITE_P(Workers, ProbabilitiesReportTest, kWorkerCounts);

TEST_P(ProbabilitiesReportTest, DefaultsAsShipped) {
  const std::vector<std::string> kExpected = {
      " Probabilities based on normal/lognormal distribution",
      " Volatility = 20.0%   Trading days to expiration = 20",
      " Sigma (standard deviation) for 20 days = 55.6 (1 days sigma = 12.4)",
      "",
      "   Change     Forward                 Distribution",
      "                            Normal       Medium      Lognormal",
      " >   +10%     1102.54         3.6%         3.8%         4.0%",
      " >   + 9%     1092.52         5.2%         5.5%         5.7%",
      " >   + 8%     1082.49         7.5%         7.7%         7.9%",
      " >   + 7%     1072.47        10.3%        10.5%        10.6%",
      " >   + 6%     1062.45        14.0%        14.0%        14.0%",
      " >   + 5%     1052.43        18.4%        18.3%        18.2%",
      " >   + 4%     1042.40        23.5%        23.3%        23.1%",
      " >   + 3%     1032.38        29.4%        29.1%        28.8%",
      " >   + 2%     1022.36        35.9%        35.5%        35.0%",
      " >   + 1%     1012.33        42.8%        42.3%        41.8%",
      "",
      " >     0%     1002.31        50.0%        49.4%        48.9%",
      "",
      " <    -1%      992.29        42.8%        43.4%        43.9%",
      " <    -2%      982.26        35.9%        36.4%        36.8%",
      " <    -3%      972.24        29.4%        29.8%        30.1%",
      " <    -4%      962.22        23.5%        23.7%        23.9%",
      " <    -5%      952.19        18.4%        18.4%        18.5%",
      " <    -6%      942.17        14.0%        13.9%        13.8%",
      " <    -7%      932.15        10.3%        10.2%        10.0%",
      " <    -8%      922.13         7.5%         7.2%         7.0%",
      " <    -9%      912.10         5.2%         5.0%         4.7%",
      " <   -10%      902.08         3.6%         3.3%         3.1%",
  };

  ComputeAnalysisPage();
  ExpectLines(form.RichEdit8, kExpected);
}

TEST_P(ProbabilitiesReportTest, WideIntervals) {
  const std::vector<std::string> kExpected = {
      " Probabilities based on normal/lognormal distribution",
      " Volatility = 20.0%   Trading days to expiration = 20",
      " Sigma (standard deviation) for 20 days = 55.6 (1 days sigma = 12.4)",
      "",
      "   Change     Forward                 Distribution",
      "                            Normal       Medium      Lognormal",
      " >  +200%     3006.93         0.0%         0.0%         0.0%",
      " >  +195%     2956.81         0.0%         0.0%         0.0%",
      " >  +190%     2906.70         0.0%         0.0%         0.0%",
      " >  +185%     2856.58         0.0%         0.0%         0.0%",
      " >  +180%     2806.47         0.0%         0.0%         0.0%",
      " >  +175%     2756.35         0.0%         0.0%         0.0%",
      " >  +170%     2706.24         0.0%         0.0%         0.0%",
      " >  +165%     2656.12         0.0%         0.0%         0.0%",
      " >  +160%     2606.01         0.0%         0.0%         0.0%",
      " >  +155%     2555.89         0.0%         0.0%         0.0%",
      " >  +150%     2505.77         0.0%         0.0%         0.0%",
      " >  +145%     2455.66         0.0%         0.0%         0.0%",
      " >  +140%     2405.54         0.0%         0.0%         0.0%",
      " >  +135%     2355.43         0.0%         0.0%         0.0%",
      " >  +130%     2305.31         0.0%         0.0%         0.0%",
      " >  +125%     2255.20         0.0%         0.0%         0.0%",
      " >  +120%     2205.08         0.0%         0.0%         0.0%",
      " >  +115%     2154.97         0.0%         0.0%         0.0%",
      " >  +110%     2104.85         0.0%         0.0%         0.0%",
      " >  +105%     2054.74         0.0%         0.0%         0.0%",
      " >  +100%     2004.62         0.0%         0.0%         0.0%",
      " >   +95%     1954.50         0.0%         0.0%         0.0%",
      " >   +90%     1904.39         0.0%         0.0%         0.0%",
      " >   +85%     1854.27         0.0%         0.0%         0.0%",
      " >   +80%     1804.16         0.0%         0.0%         0.0%",
      " >   +75%     1754.04         0.0%         0.0%         0.0%",
      " >   +70%     1703.93         0.0%         0.0%         0.0%",
      " >   +65%     1653.81         0.0%         0.0%         0.0%",
      " >   +60%     1603.70         0.0%         0.0%         0.0%",
      " >   +55%     1553.58         0.0%         0.0%         0.0%",
      " >   +50%     1503.46         0.0%         0.0%         0.0%",
      " >   +45%     1453.35         0.0%         0.0%         0.0%",
      " >   +40%     1403.23         0.0%         0.0%         0.0%",
      " >   +35%     1353.12         0.0%         0.0%         0.0%",
      " >   +30%     1303.00         0.0%         0.0%         0.0%",
      " >   +25%     1252.89         0.0%         0.0%         0.0%",
      " >   +20%     1202.77         0.0%         0.0%         0.0%",
      " >   +15%     1152.66         0.3%         0.4%         0.5%",
      " >   +10%     1102.54         3.6%         3.8%         4.0%",
      " >    +5%     1052.43        18.4%        18.3%        18.2%",
      "",
      " >     0%     1002.31        50.0%        49.4%        48.9%",
      "",
      " <    -5%      952.19        18.4%        18.4%        18.5%",
      " <   -10%      902.08         3.6%         3.3%         3.1%",
      " <   -15%      851.96         0.3%         0.3%         0.2%",
      " <   -20%      801.85         0.0%         0.0%         0.0%",
      " <   -25%      751.73         0.0%         0.0%         0.0%",
      " <   -30%      701.62         0.0%         0.0%         0.0%",
      " <   -35%      651.50         0.0%         0.0%         0.0%",
      " <   -40%      601.39         0.0%         0.0%         0.0%",
      " <   -45%      551.27         0.0%         0.0%         0.0%",
      " <   -50%      501.15         0.0%         0.0%         0.0%",
      " <   -55%      451.04         0.0%         0.0%         0.0%",
      " <   -60%      400.92         0.0%         0.0%         0.0%",
      " <   -65%      350.81         0.0%         0.0%         0.0%",
      " <   -70%      300.69         0.0%         0.0%         0.0%",
      " <   -75%      250.58         0.0%         0.0%         0.0%",
      " <   -80%      200.46         0.0%         0.0%         0.0%",
      " <   -85%      150.35         0.0%         0.0%         0.0%",
      " <   -90%      100.23         0.0%         0.0%         0.0%",
      " <   -95%       50.12         0.0%         0.0%         0.0%",
      " <  -100%        0.00         0.0%         0.0%         0.0%",
  };

  form.MoreInt.SetChecked(true);
  ComputeAnalysisPage();
  ExpectLines(form.RichEdit8, kExpected);
}

TEST_P(ProbabilitiesReportTest, PriceNeverEndsBelowZero) {
  // One year at 100 %: sigma is 100 %, so the normal chance of a fall beyond -100 % is
  // N(-1) = 15.9 %; a lognormal price never gets there.
  form.MoreInt.SetChecked(true);
  form.TrueVolEdit.SetText("100");
  form.CalcDays.SetText("260");
  ComputeAnalysisPage();
  ASSERT_FALSE(form.RichEdit8.Lines().empty());
  EXPECT_EQ(form.RichEdit8.Lines().back(),
            " <  -100%        0.00        15.9%         7.9%         0.0%");
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_P(ProbabilitiesReportTest, ZeroTrueVolatilityGivesEvenOdds) {
  form.TrueVolEdit.SetText("0");
  const TProbabilitiesRequest request = reports.ReadProbabilities(ReadPanel());
  const std::vector<std::string> lines =
      RenderProbabilities(request, Run(ComputeProbabilities, request));
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines[2], " Sigma (standard deviation) for 20 days = 0.0 (1 days sigma = 0.0)");
  EXPECT_EQ(lines[6], " >   +10%     1102.54        50.0%        50.0%        50.0%");
  EXPECT_EQ(lines[17], " >     0%     1002.31        50.0%        50.0%        50.0%");
  EXPECT_EQ(lines[28], " <   -10%      902.08        50.0%        50.0%        50.0%");
}

TEST_P(ProbabilitiesReportTest, DaysNotAboveZeroWriteNothing) {
  for (const char* days : {"0", "-5"}) {
    SCOPED_TRACE(days);
    form.CalcDays.SetText(days);
    EXPECT_FALSE(Run(ComputeProbabilities, reports.ReadProbabilities(ReadPanel())).Written);
  }
  EXPECT_TRUE(platform.Messages.empty());

  form.CalcDays.SetText("20 days");
  EXPECT_THROW((void)reports.ReadProbabilities(ReadPanel()), EConvertError);
}

}  // namespace
}  // namespace valquor
