#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ReportsFixture.h"

namespace valquor {
namespace {

// Expected texts are laid out by hand from the report's rules, with Black-Scholes values at the
// stated inputs (3 % interest, 260 trading days a year): price changes in steps of one percent of
// the strike, the decay over 1, 2, 5 ... days as far as the days allow, volatility changes.
class DeltaReportTest : public ReportsTest {};
INSTANTIATE_TEST_SUITE_P(Workers, DeltaReportTest, kWorkerCounts);

TEST_P(DeltaReportTest, DefaultsAsShipped) {
  const std::vector<std::string> kExpected = {
      " Strike = 1000    Price = 1000   Vol = 20    Days to expiration = 20",
      " Call premium = 23.27",
      "",
      " Price change   Premium change",
      "    100.00:          80%",
      "     60.00:          72%",
      "     40.00:          66%",
      "     20.00:          60%",
      "     10.00:          56%",
      "      0.10:          53%   Delta = 0.53",
      "    -10.00:         -49%",
      "    -20.00:         -46%",
      "    -40.00:         -39%",
      "    -60.00:         -32%",
      "   -100.00:         -23%",
      "",
      "     Days     Timevalue decay (value)",
      "       1           -0.62",
      "       2           -1.25",
      "       5           -3.25",
      "      10           -7.05",
      "      15          -11.92",
      "      20          -23.27",
      "",
      "     Days     Timevalue decay (percent of 10.00)",
      " (timevalue decay as percent of a small positive change)",
      "       1             -6%",
      "       2            -12%",
      "       5            -32%",
      "      10            -71%",
      "      15           -119%",
      "      20           -233%",
      "",
      "         Volatility",
      "  Vol change    Premium change",
      "     10.00:          47%",
      "      5.00:          24%",
      "      1.00:           5%",
      "     -5.00:         -24%",
      "    -10.00:         -47%",
  };

  ComputeFairValuePage();
  ExpectLines(form.RichEdit2, kExpected);
  EXPECT_TRUE(platform.Messages.empty());
}

TEST_P(DeltaReportTest, PutLosesAsThePriceRises) {
  const std::vector<std::string> kExpected = {
      " Strike = 1000    Price = 1000   Vol = 20    Days to expiration = 20",
      " Put premium = 20.97",
      "",
      " Price change   Premium change",
      "    100.00:         -20%",
      "     60.00:         -28%",
      "     40.00:         -34%",
      "     20.00:         -40%",
      "     10.00:         -44%",
      "      0.10:         -47%   Delta = -0.47",
      "    -10.00:          51%",
      "    -20.00:          54%",
      "    -40.00:          61%",
      "    -60.00:          68%",
      "   -100.00:          77%",
      "",
      "     Days     Timevalue decay (value)",
      "       1           -0.50",
      "       2           -1.02",
      "       5           -2.67",
      "      10           -5.90",
      "      15          -10.19",
      "      20          -20.97",
      "",
      "     Days     Timevalue decay (percent of 10.00)",
      " (timevalue decay as percent of a small positive change)",
      "       1             -5%",
      "       2            -10%",
      "       5            -27%",
      "      10            -59%",
      "      15           -102%",
      "      20           -210%",
      "",
      "         Volatility",
      "  Vol change    Premium change",
      "     10.00:          53%",
      "      5.00:          26%",
      "      1.00:           5%",
      "     -5.00:         -26%",
      "    -10.00:         -53%",
  };

  form.PositionName.SetText("Put");
  ComputeFairValuePage();
  ExpectLines(form.RichEdit2, kExpected);
}

// The lines of the pane from the first one equal to `from`, `count` of them.
std::vector<std::string> LinesFrom(const TRichEdit& pane, const std::string& from,
                                   std::size_t count) {
  const std::vector<std::string>& lines = pane.Lines();
  const auto first = std::find(lines.begin(), lines.end(), from);
  const auto available = static_cast<std::size_t>(lines.end() - first);
  return std::vector<std::string>(first,
                                  first + static_cast<std::ptrdiff_t>(std::min(count, available)));
}

TEST_P(DeltaReportTest, DecayLinesOnlyForTheDaysLeft) {
  const struct {
    const char* Days;
    std::size_t LineCount;
    std::vector<std::string> Decay;
  } kCases[] = {
      {"0",
       28,
       {"     Days     Timevalue decay (value)", "",
        "     Days     Timevalue decay (percent of 10.00)",
        " (timevalue decay as percent of a small positive change)", "", "         Volatility"}},
      // Black-Scholes at 4, 3 and 2 days: 10.1265, 8.7432 and 7.1130.
      {"4",
       32,
       {"     Days     Timevalue decay (value)", "       1           -1.38",
        "       2           -3.01", "", "     Days     Timevalue decay (percent of 10.00)",
        " (timevalue decay as percent of a small positive change)", "       1            -14%",
        "       2            -30%", "", "         Volatility"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Days);
    form.Days1.SetText(c.Days);
    ComputeFairValuePage();
    EXPECT_EQ(LinesFrom(form.RichEdit2, c.Decay.front(), c.Decay.size()), c.Decay);
    EXPECT_EQ(form.RichEdit2.Lines().size(), c.LineCount);
  }
}

TEST_P(DeltaReportTest, ZeroStrikeLeavesThePriceLinesEmpty) {
  // Every price step is a percentage of the strike: with a zero strike there is no step to
  // take and no line to write, and the position is worth 0.
  std::vector<std::string> expected = {
      " Strike = 0    Price = 1000   Vol = 20    Days to expiration = 20", " Call premium =  0.00",
      "", " Price change   Premium change"};
  expected.insert(expected.end(), 11, "");
  expected.insert(expected.end(), {"", "     Days     Timevalue decay (value)"});
  expected.insert(expected.end(), 6, "");
  expected.insert(expected.end(), {"", "     Days     Timevalue decay (percent of 0.00)",
                                   " (timevalue decay as percent of a small positive change)"});
  expected.insert(expected.end(), 6, "");
  expected.insert(expected.end(), {"", "         Volatility", "  Vol change    Premium change",
                                   "     10.00:           0%", "      5.00:           0%",
                                   "      1.00:           0%", "     -5.00:           0%",
                                   "    -10.00:           0%"});
  form.StrikeEdit.SetText("0");
  ComputeFairValuePage();
  ExpectLines(form.RichEdit2, expected);
}

TEST_P(DeltaReportTest, ZeroVolatilityStillWritesItsLines) {
  // An at-the-money call without volatility is worth its intrinsic value 0: it gains all of a
  // rise and nothing of a fall, its decay lines are empty, its volatility lines show 0 %.
  form.VolEdit.SetText("0");
  ComputeFairValuePage();
  EXPECT_EQ(LinesFrom(form.RichEdit2, "    100.00:         100%", 11),
            (std::vector<std::string>{
                "    100.00:         100%", "     60.00:         100%", "     40.00:         100%",
                "     20.00:         100%", "     10.00:         100%",
                "      0.10:         100%   Delta = 1.00", "    -10.00:           0%",
                "    -20.00:           0%", "    -40.00:           0%", "    -60.00:           0%",
                "   -100.00:           0%"}));
  EXPECT_EQ(LinesFrom(form.RichEdit2, "     Days     Timevalue decay (value)", 8),
            (std::vector<std::string>{"     Days     Timevalue decay (value)", "", "", "", "", "",
                                      "", ""}));
  EXPECT_EQ(LinesFrom(form.RichEdit2, "  Vol change    Premium change", 6),
            (std::vector<std::string>{"  Vol change    Premium change", "     10.00:           0%",
                                      "      5.00:           0%", "      1.00:           0%",
                                      "     -5.00:           0%", "    -10.00:           0%"}));
}

TEST_P(DeltaReportTest, DaysThatAreNoWholeNumberLeaveThePaneAsItWas) {
  // The fair value report before it is written; the delta report is refused whole.
  form.RichEdit1.SetText("previous fair value");
  form.RichEdit2.SetText("previous");
  form.Days1.SetText("2.5");
  ComputeFairValuePage();
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"'2.5' is not a valid integer value"});
  ExpectLines(form.RichEdit2, {"previous"});
  EXPECT_EQ(form.RichEdit1.Lines().size(), 23u);
}

TEST_P(DeltaReportTest, NegativeDaysAreRefusedOnce) {
  form.Days1.SetText("-3");
  ComputeFairValuePage();
  ExpectLines(form.RichEdit2,
              {" Strike = 1000    Price = 1000   Vol = 20    Days to expiration = -3"});
  EXPECT_EQ(platform.Messages, std::vector<std::string>{"Trading days to expiration must be >= 0"});
}

}  // namespace
}  // namespace valquor
