#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ReportsFixture.h"

namespace valquor {
namespace {

// Expected texts are laid out by hand from the report's rules. Each column enters the position
// at its Black-Scholes premium for the column's days and judges it over a grid of 1000
// intervals (price steps of 10) under the stated distribution, centred on the forward over the
// column's days rounded to cents, with a true volatility of 20 %.
class PayoffReportTest : public ReportsTest {
 protected:
  // The payoff analysis alone, read as Compute reads it.
  TPayoffResult Analyse() { return Run(ComputePayoff, reports.ReadPayoff(ReadPanel(), platform)); }
};
INSTANTIATE_TEST_SUITE_P(Workers, PayoffReportTest, kWorkerCounts);

TEST_P(PayoffReportTest, DefaultsAsShipped) {
  // A call is worth max(x - 1000, 0) at expiration.
  const std::vector<std::string> kExpected = {
      " Call - (buy call 1000)    Impl.volatility = 20   Price = 1000",
      "                          Trading days to expiration",
      "           20    18    16    14    12    10     8     6     4     2     0",
      " -------------------------------------------------------------------------",
      " Premium  23.3  22.0  20.7  19.3  17.8  16.2  14.5  12.5  10.1  7.11  0.00",
      " Impl.f.  1002  1002  1002  1002  1001  1001  1001  1001  1000  1000  1000",
      "",
      " Analysis assuming Normal distribution         True volatility = 20",
      " -------------------------------------------------------------------------",
      " Av.gain  33.3  32.4  31.4  22.5  21.3  20.1  18.7  17.3  15.8   5.1  0.00",
      "          44.6  43.5  42.3  34.6  33.2  31.7  29.9  28.0  25.6  16.7  0.00",
      " Av.loss -21.0 -19.8 -18.4 -18.4 -16.9 -15.3 -13.6 -11.6  -9.5  -7.1  0.00",
      "         -19.2 -17.8 -16.2 -17.5 -15.8 -14.0 -12.0  -9.6  -6.7  -7.1  0.00",
      " P(gain)   31%   30%   29%   35%   33%   32%   29%   26%   22%   29%    0%",
      "           38%   37%   36%   43%   42%   41%   40%   38%   35%   51%    0%",
      " P&L      -4.2  -4.2  -4.2  -4.3  -4.2  -4.1  -4.1  -4.0  -4.0  -3.6  0.00",
      "           4.7   4.7   4.7   4.8   4.8   4.7   4.7   4.7   4.6   4.9  0.00",
      " Cost per trade excluded",
  };

  ComputeAnalysisPage();
  ExpectLines(form.RichEdit3, kExpected);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_P(PayoffReportTest, PutWithAdjustedPremiumCostsAndLognormalOutcomes) {
  // Premiums raised by 2 %, 0.50 taken from every outcome.
  const std::vector<std::string> kExpected = {
      " Put - (buy put 1000)    Impl.volatility = 20   Price = 1000",
      "                          Trading days to expiration",
      "           20    18    16    14    12    10     8     6     4     2     0",
      " -------------------------------------------------------------------------",
      " Premium  21.4  20.3  19.2  18.1  16.8  15.4  13.8  12.0  9.86  7.02  0.00",
      " Impl.f.  1002  1002  1002  1002  1001  1001  1001  1001  1000  1000  1000",
      "",
      " Analysis assuming Lognormal distribution         True volatility = 20",
      " -------------------------------------------------------------------------",
      " Av.gain  34.5  33.6  25.3  24.2  23.0  21.8  20.5  19.0  17.4   7.3  0.00",
      "          40.3  39.3  31.6  30.4  29.1  27.7  26.2  24.4  22.4  13.1  0.00",
      " Av.loss -19.3 -18.2 -18.7 -17.4 -16.1 -14.7 -13.0 -11.2  -9.0  -7.5  0.00",
      "         -18.4 -17.2 -18.3 -17.0 -15.6 -14.0 -12.3 -10.2  -7.6  -7.5  0.00",
      " P(gain)   35%   35%   41%   41%   40%   40%   38%   37%   34%   50%    0%",
      "           29%   28%   34%   33%   32%   30%   28%   25%   21%   28%    0%",
      " P&L     -0.31 -0.28 -0.45 -0.39 -0.33 -0.26 -0.18 -0.10 -0.02 -0.15  0.00",
      "          -1.6  -1.6  -1.5  -1.5  -1.5  -1.5  -1.5  -1.5  -1.5  -1.7  0.00",
      " Total cost per trade = 0.50",
  };

  form.PositionName.SetText("Put");
  form.Adjust.SetValue(10);
  form.CostPerTrade.SetText("0.5");
  form.AnalysisFormula.SetText("Lognormal distribution");
  ComputeAnalysisPage();
  ExpectLines(form.RichEdit3, kExpected);
}

TEST_P(PayoffReportTest, CalendarSpreadIsRevaluedForEveryColumn) {
  // On the strike axis without lock, the values table of column d holds the 22-day-longer call
  // less the call at d days, both at the grid price.
  const std::vector<std::string> kExpected = {
      " Call calendar spread - (buy call 1000 next month & sell call 1000 this month)    "
      "Impl.volatility = 20   Price = 1000",
      "                          Trading days to expiration",
      "           20    18    16    14    12    10     8     6     4     2     0",
      " -------------------------------------------------------------------------",
      " Premium  11.2  11.5  12.0  12.4  13.0  13.6  14.4  15.3  16.6  18.5  24.5",
      " Impl.f.  1002  1002  1002  1002  1001  1001  1001  1001  1000  1000  1000",
      "",
      " Analysis assuming Normal distribution         True volatility = 20",
      " -------------------------------------------------------------------------",
      " Av.gain  0.01  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00",
      "          0.01  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00  0.00",
      " Av.loss  -2.7  -2.7  -2.6  -2.6  -2.7  -2.7  -2.7  -2.7  -2.7  -2.5  0.00",
      "          -2.2  -2.3  -2.1  -2.1  -2.2  -2.2  -2.1  -2.1  -2.0  -1.6  0.00",
      " P(gain)    7%    7%    0%    0%    0%    0%    0%    0%    0%    0%    0%",
      "            7%    8%    0%    0%    0%    0%    0%    0%    0%    0%    0%",
      " P&L      -2.5  -2.5  -2.6  -2.6  -2.7  -2.7  -2.7  -2.7  -2.7  -2.5  0.00",
      "          -2.1  -2.1  -2.1  -2.1  -2.2  -2.2  -2.1  -2.1  -2.0  -1.6  0.00",
      " Cost per trade excluded",
  };

  form.PositionName.SetText("Call calendar spread");
  ComputeAnalysisPage();
  ExpectLines(form.RichEdit3, kExpected);
}

TEST_P(PayoffReportTest, HorizonBeyondFiveMonthsOnlyWarns) {
  const struct {
    const char* DayStep;
    bool Analysed;
  } kCases[] = {{"11*", false}, {"44", false}, {"11", true}, {"5*", true}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.DayStep);
    form.DaysCombo.SetText(c.DayStep);
    form.RichEdit3.SetText("previous");
    ComputeAnalysisPage();
    if (c.Analysed) {
      EXPECT_EQ(form.RichEdit3.Lines().size(), 18u);
      EXPECT_TRUE(platform.TakeMessages().empty());
    } else {
      EXPECT_EQ(form.RichEdit3.Lines(), std::vector<std::string>{"previous"});
      EXPECT_EQ(platform.TakeMessages(),
                std::vector<std::string>{
                    "Payoff analysis becomes inaccurate when days to expiration is larger than 5 "
                    "months. Reduce timespan."});
    }
  }
}

TEST_P(PayoffReportTest, InputsTheAnalysisCannotTakeAreRefusedOnce) {
  const auto setter = [](auto& control) {
    return [&control](const std::string& text) { control.SetText(text); };
  };
  const struct {
    std::function<void(const std::string&)> Set;
    const char* Text;
    const char* Default;
    const char* Message;
  } kCases[] = {
      {setter(form.TrueVolEdit), "0", "20", "True volatility must be > 0"},
      {setter(form.TrueVolEdit), "-20", "20", "True volatility must be > 0"},
      {setter(form.DaysCombo), "3", "2", "Payoff analysis needs a day step from the list"},
      {setter(form.DaysCombo), "4*", "2", "Payoff analysis needs a day step from the list"},
      {setter(form.NumberOfIntervals), "30001", "1000",
       "Number of intervals must be between 1 and 30000"},
      {setter(form.NumberOfIntervals), "0", "1000",
       "Number of intervals must be between 1 and 30000"},
      {setter(form.PriceEdit), "0", "1000", "Price must be > 0"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Text);
    c.Set(c.Text);
    panel.RefreshReportInputs();
    platform.TakeMessages();
    EXPECT_FALSE(Analyse().Written);
    EXPECT_EQ(platform.TakeMessages(), std::vector<std::string>{c.Message});
    c.Set(c.Default);
  }
}

TEST_P(PayoffReportTest, LockedForwardOfZeroIsRefused) {
  form.MainForwardLock.SetChecked(true);
  form.ForwardEdit.SetText("0");
  EXPECT_THROW(Analyse(), EAbandoned);
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"Forward must be > 0"});
}

TEST_P(PayoffReportTest, TinyCostIsNotShownButStillCounts) {
  form.CostPerTrade.SetText("0.00005");
  ComputeAnalysisPage();
  ASSERT_EQ(form.RichEdit3.Lines().size(), 18u);
  EXPECT_EQ(form.RichEdit3.Lines().back(), " Cost per trade excluded");
}

TEST_P(PayoffReportTest, ValuesTableHoldsThePositionAtTheGridPrices) {
  form.VolEdit.SetText("25");
  form.TrueVolEdit.SetText("30");
  panel.RefreshReportInputs();
  TPayoffRequest request = reports.ReadPayoff(ReadPanel(), platform);
  TModelSet models;
  const TValuationTerms& terms = request.Terms;
  const struct {
    int Code;
    int Index;  // grid price 10 * index
    double Expected;
  } kCases[] = {
      // A call or a straddle at expiration, whatever the days.
      {1, 0, 0},
      {1, 100, 0},
      {1, 101, 10},
      {1, 1000, 9000},
      {16, 95, 50},
      // Put calendar: the put 27 days out at 25 % less the put 5 days out at 30 %.
      {13, 100,
       double{models.Value(terms, true, 27, 1000, 1000, 25)} -
           models.Value(terms, true, 5, 1000, 1000, 30)},
      {13, 0, 0},
      // Call credit calendar: the far call on the price a step higher, less the step.
      {10, 99,
       double{models.Value(terms, false, 27, 1000, 1000, 25)} -
           models.Value(terms, false, 5, 1000, 990, 30) - 10},
  };
  TMessageLog log;
  TValuer valuer(models, nullptr, log);
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::to_string(c.Code) + " at " + std::to_string(c.Index));
    request.Code = c.Code;
    const std::vector<float> values = PayoffValues(request, 5, valuer);
    ASSERT_EQ(values.size(), 1001u);
    EXPECT_NEAR(values[static_cast<std::size_t>(c.Index)], c.Expected, 1e-3);
  }
  EXPECT_TRUE(log.Messages.empty());
}

}  // namespace
}  // namespace valquor
