#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "VolatilityTestSupport.h"
#include "models/ModelSet.h"
#include "models/Option.h"
#include "models/Option365.h"
#include "volatility/ImpliedVolatility.h"
#include "volatility/ImpliedVolatilityReport.h"

namespace valquor {
namespace {

using voltest::TVolatilityWindow;

TEST(VolGridPass, KeepsTheFirstSmallestErrorOfNineteenCandidates) {
  struct TCase {
    const char* Label;
    float Step;
    float Centre;
    std::function<float(float)> Error;
    float Expected;
    std::vector<float> Tried;  // the first candidates, when checked
  };
  const std::vector<TCase> cases = {
      {"coarse pass", 10, 100, [](float v) { return std::fabs(v - 43); }, 40, {10, 20, 30, 40, 50}},
      {"a tie keeps the smaller", 1, 45, [](float v) { return std::fabs(v - 45.5f); }, 45, {}},
      {"clamped candidates repeat",
       1,
       2,
       [](float) { return 1.0f; },
       0.1f,
       {0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f, 1, 2, 3}},
      {"no error below 10000", 10, 100, [](float) { return 10000.0f; }, 0, {}},
      {"errors that are no number",
       10,
       100,
       [](float v) { return v < 150 ? std::numeric_limits<float>::quiet_NaN() : 0.0f; },
       150,
       {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    std::vector<float> tried;
    const float best = VolGridPass(c.Step, c.Centre, [&](float v) {
      tried.push_back(v);
      return c.Error(v);
    });
    EXPECT_FLOAT_EQ(best, c.Expected);
    EXPECT_EQ(tried.size(), 19u);
    for (std::size_t i = 0; i < c.Tried.size(); ++i) EXPECT_FLOAT_EQ(tried[i], c.Tried[i]);
  }
}

TEST(PriceGridPass, TriesMultiplesOfTheCentreWithoutALowerBound) {
  std::vector<float> tried;
  const float best = PriceGridPass(0.1f, 105, [&](float price) {
    tried.push_back(price);
    return std::fabs(price - 60);
  });
  ASSERT_EQ(tried.size(), 19u);
  EXPECT_FLOAT_EQ(tried[0], 10.5f);
  EXPECT_FLOAT_EQ(tried[1], 21);
  EXPECT_FLOAT_EQ(tried[18], 199.5f);
  EXPECT_FLOAT_EQ(best, 63);
  EXPECT_FLOAT_EQ(PriceGridPass(1, 10, [](float p) { return std::fabs(p + 70); }), -70);
  EXPECT_EQ(PriceGridPass(0.1f, 100, [](float) { return 1e7f; }), 0);
}

TEST(MediumPrice, ReadsAPremiumOrABidAndAnAsk) {
  struct TCase {
    const char* Cell;
    float Expected;
    std::vector<std::string> Messages;
  };
  const TCase cases[] = {
      {"2.00-2.20", 2.1f, {}},
      {"2.1", 2.1f, {}},
      {"-2", 1, {}},
      {"", 0, {}},
      {"3-", 1.5f, {}},
      {"2,5", 2.5f, {}},
      {"3e38-3e38", 3e38f, {}},
      {"x", -999, {"'StrToFloat' error2: x"}},
      {"1-y", -499, {"'StrToFloat' error2: y"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Cell);
    TScriptedPlatform platform;
    EXPECT_FLOAT_EQ(MediumPrice(c.Cell, platform.DecimalMark(), platform), c.Expected);
    EXPECT_EQ(platform.Messages, c.Messages);
  }
}

// A premium as typed: enough digits to read back the same single.
std::string PremiumText(float premium) {
  std::ostringstream text;
  text.precision(9);
  text << premium;
  return text.str();
}

struct TCalculatorCase {
  const char* Label;
  const char* Strike;
  const char* Price;
  const char* Premium;
  const char* Days;
  int OptionType;
  int DayCounting;
  const char* Result;  // Edit6 afterwards
  std::vector<std::string> Messages;
};

void RunCalculator(TVolatilityWindow& window, const TCalculatorCase& c) {
  window.Form.Strike7.SetText(c.Strike);
  window.Form.Price7.SetText(c.Price);
  window.Form.Premium7.SetText(c.Premium);
  window.Form.Riskfree7.SetText("0.05");
  window.Form.Days7.SetText(c.Days);
  window.Form.OptionType7.SetItemIndex(c.OptionType);
  window.Form.DaysOption7.SetItemIndex(c.DayCounting);
  window.Run([&] { window.Pages.Button8Click(); });
}

TEST(IVCalculator, BacksTheVolatilityOutOfThePremium) {
  TScriptedPlatform reference;
  TOption option(reference);
  option.RiskFree = 0.05f;
  TOption365 option365(reference);
  option365.RiskFree = 0.05f;
  const std::string call = PremiumText(option.Value(false, 20, 100, 100, 45.4f));
  const std::string put = PremiumText(option.Value(true, 20, 110, 100, 30.7f));
  const std::string calendar = PremiumText(option365.Value(false, 30, 100, 95, 25.3f));
  const std::vector<std::string> none = {kNoImpliedVolatilityMessage};
  const std::vector<TCalculatorCase> cases = {
      {"the example call", "100", "100", call.c_str(), "20", 0, 0, "45.40%", {}},
      {"a put", "110", "100", put.c_str(), "20", 1, 0, "30.70%", {}},
      {"calendar days", "100", "95", calendar.c_str(), "30", 0, 1, "25.30%", {}},
      // A typed premium between the grid's values: the nearest volatility of the grid.
      {"a premium typed to the cent", "100", "100", "5.03", "20", 0, 0, "43.80%", {}},
      {"a premium of 0", "100", "100", "0", "20", 0, 0, "0.10000%", {}},
      // Below the lowest value a volatility can give, above the highest, and below 0: refused,
      // the previous result stays.
      {"a premium below the option's worth", "100", "80", "1", "10", 1, 0, "0", none},
      {"a premium above the value at 200 %", "100", "100", "150", "20", 0, 0, "0", none},
      {"a premium of 99999999999", "100", "100", "99999999999", "20", 0, 0, "0", none},
      {"a negative premium", "100", "100", "-1", "20", 0, 0, "0", none},
      {"no strike", "0", "100", "5", "20", 0, 0, "0", {"Strike input error"}},
      // A command stops at the first number it cannot read.
      {"a price that is no number", "100", "p", "5", "20", 0, 0, "0", {"'StrToFloat' error2: p"}},
      {"a premium that is no number",
       "100",
       "100",
       "nan",
       "20",
       0,
       0,
       "0",
       {"'StrToFloat' error2: nan"}},
      {"no days", "100", "100", "5", "0", 0, 0, "0", {"Days input error"}},
  };
  for (const TCalculatorCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto window = voltest::NewWindow();
    RunCalculator(*window, c);
    EXPECT_EQ(window->Form.Edit6.Text(), c.Result);
    EXPECT_EQ(window->Platform.Messages, c.Messages);
    EXPECT_EQ(window->Form.IVModelLabel.Caption().empty(), c.Result == std::string("0"));
    EXPECT_FALSE(window->Platform.Busy);
  }
}

// The tree values at the page's own rate (not the Options page's 0.03) with the Options page's
// carry, steps and exercise style; the line under the result names them.
TEST(IVCalculator, ValuesAtItsOwnRateAndNamesTheModel) {
  struct TCase {
    const char* Formula;
    int Style;
    int DayCounting;
    const char* Model;
  };
  const TCase cases[] = {
      {"Black-Scholes", 1, 0, "Black-Scholes, rate 0.05, 260-day year"},
      {"Black-Scholes", 0, 1, "Black-Scholes, rate 0.05, 365-day year"},
      {"Cox-Ross-Rubenstein", 0, 0,
       "Binomial, European, 100 steps, rate 0.05, carry 0.03, 260-day year"},
      {"Cox-Ross-Rubenstein", 1, 1,
       "Binomial, American, 100 steps, rate 0.05, carry 0.03, 365-day year"},
      // Any text other than exactly "Black-Scholes" takes the tree.
      {"Integration normal distribution", 1, 0,
       "Binomial, American, 100 steps, rate 0.05, carry 0.03, 260-day year"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Model);
    const bool tree = std::string(c.Formula) != "Black-Scholes";
    TModelSet reference;
    TValuationTerms terms;
    terms.Formula = tree ? kFormulaBinomial : kFormulaBlackScholes;
    terms.RiskFree = 0.05f;
    terms.Carry = 0.03f;
    terms.Steps = 100;
    terms.American = c.Style == 1;
    terms.DaysPerYear = c.DayCounting == 1 ? kCalendarDaysPerYear : kTradingDaysPerYear;
    const std::string premium = PremiumText(reference.Value(terms, true, 30, 105, 100, 30.7f));

    const auto window = voltest::NewWindow();
    window->Form.Formula.SetText(c.Formula);
    window->Form.ExpirationStyle.SetItemIndex(c.Style);
    window->Form.NumberOfSteps.SetText("100");
    RunCalculator(*window, {"", "105", "100", premium.c_str(), "30", 1, c.DayCounting, "", {}});
    EXPECT_EQ(window->Form.Edit6.Text(), "30.70%");
    EXPECT_EQ(window->Form.IVModelLabel.Caption(), c.Model);
    EXPECT_TRUE(window->Platform.Messages.empty());

    // A refused premium keeps the result and the line that names its model.
    window->Form.Formula.SetText("Black-Scholes");
    RunCalculator(*window, {"", "105", "100", "500", "30", 1, c.DayCounting, "", {}});
    EXPECT_EQ(window->Form.Edit6.Text(), "30.70%");
    EXPECT_EQ(window->Form.IVModelLabel.Caption(), c.Model);
  }
}

TEST(IVCalculator, DaysThatAreNoIntegerStopIt) {
  const auto window = voltest::NewWindow();
  window->Form.Days7.SetText("2.5");
  window->Form.Strike7.SetText("100");
  window->Form.Price7.SetText("100");
  try {
    window->Pages.Button8Click();
    ADD_FAILURE() << "no EConvertError";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'2.5' is not a valid integer value");
  }
  EXPECT_EQ(window->Form.Edit6.Text(), "0");
}

TEST(IVCalculator, GivesTheSameResultOnAnyNumberOfWorkers) {
  const auto run = [](int workers) {
    const auto window = voltest::NewWindow(workers);
    window->Form.Formula.SetText("Cox-Ross-Rubenstein");
    window->Form.ExpirationStyle.SetItemIndex(1);
    window->Form.NumberOfSteps.SetText("150");
    std::vector<std::string> results;
    for (const char* premium : {"4.37", "6.5", "12"}) {
      RunCalculator(*window, {"", "100", "97", premium, "40", 1, 0, "", {}});
      results.push_back(window->Form.Edit6.Text());
    }
    results.insert(results.end(), window->Platform.Messages.begin(),
                   window->Platform.Messages.end());
    return results;
  };
  const std::vector<std::string> one = run(1);
  EXPECT_EQ(one.size(), 3u);
  EXPECT_EQ(run(2), one);
  EXPECT_EQ(run(7), one);
}

// The grid of the layout example: four strikes with a call and a put each.
void SetExampleGrid(TVolatilityWindow& window) {
  const char* rows[4][3] = {{"110", "2.00", "10.00"},
                            {"100", "5.00", "5.00"},
                            {"90", "10.00", "2.00"},
                            {"80", "20.00", "1.00"}};
  for (int r = 0; r < 4; ++r) {
    for (int col = 0; col < 3; ++col) window.Form.Grid.SetCell(col + 1, r + 1, rows[r][col]);
  }
  window.Form.DaysEdit.SetText("20");
  window.Form.RiskFreeInterest.SetText("0.05");
}

const std::vector<std::string> kPriceHeadings = {
    "",
    "  Strike     Medium prices        Fair prices          Difference",
    "             Call      Put        Call      Put        Call      Put",
};
const std::vector<std::string> kVolatilityHeadings = {
    "",
    "             Av. implied vol      Implied vol          Difference",
    "             Call      Put        Call      Put        Call      Put",
};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

TEST(ImpliedVolatilityAnalysis, WritesTheLayoutExampleFromAnUnlockedFit) {
  const auto window = voltest::NewWindow();
  SetExampleGrid(*window);
  window->Run([&] { window->Pages.VolAnalysisClick(); });
  const std::vector<std::string> expected = Join({
      {" Formula = Black-Scholes      Trading days to expiration =   20",
       " Implied forward = 100.00     (Risk-free interest = 0.05)", " Av. implied vol = 45.4%"},
      kPriceHeadings,
      {"   110 -     2.00    10.00        1.70    11.66        0.30    -1.66",
       "   100 -     5.00     5.00        5.00     5.00       -0.00     0.00",
       "    90 -    10.00     2.00       11.30     1.34       -1.30     0.66",
       "    80 -    20.00     1.00       20.10     0.17       -0.10     0.83"},
      kVolatilityHeadings,
      {"   110 -      45%      45%         48%      18%          3%     -27%",
       "   100 -      45%      45%         46%      46%          1%       1%",
       "    90 -      45%      45%         18%      54%        -27%       9%",
       "    80 -      45%      45%         39%      68%         -6%      23%"},
  });
  EXPECT_EQ(window->Form.RichEdit6.Lines(), expected);
  EXPECT_EQ(window->Form.ForwardRes.Text(), "100.00");
  EXPECT_EQ(window->Form.VolRes.Text(), "45.4");
  EXPECT_TRUE(window->Platform.Messages.empty());
  EXPECT_FALSE(window->Platform.Busy);
  EXPECT_EQ(window->Platform.BusyOnCount, 1);
}

TEST(ImpliedVolatilityAnalysis, ShowsALockedForwardAsTyped) {
  struct TCase {
    const char* Label;
    bool Locked;
    bool BothLocked;
    const char* Forward;
    const char* Shown;
  };
  const TCase cases[] = {
      {"lock", true, false, "50.8", "50.80"},
      {"lock both", false, true, "50.8", "50.80"},
      {"both boxes", true, true, "99.995", "100.00"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto window = voltest::NewWindow();
    SetExampleGrid(*window);
    window->Form.Locked.SetChecked(c.Locked);
    window->Form.BothLocked.SetChecked(c.BothLocked);
    window->Form.ForwardRes.SetText(c.Forward);
    window->Run([&] { window->Pages.VolAnalysisClick(); });
    EXPECT_EQ(window->Form.ForwardRes.Text(), c.Shown);
    ASSERT_GE(window->Form.RichEdit6.Lines().size(), 2u);
    EXPECT_EQ(window->Form.RichEdit6.Lines()[1],
              std::string(" Implied forward = ") + c.Shown + "     (Risk-free interest = 0.05)");
  }
}

// Lock both at forward 100 and 45.4 %: the rows value the options at the present price of the
// forward (100 / e^(0.05 * 20 / 260)) and 45.4 %, and the fit error is their root mean square.
TEST(ImpliedVolatilityAnalysis, LockBothReportsTheTypedForwardAndVolatility) {
  const auto window = voltest::NewWindow();
  SetExampleGrid(*window);
  window->Form.BothLocked.SetChecked(true);
  window->Form.VolRes.SetText("45.4");
  window->Run([&] { window->Pages.VolAnalysisClick(); });
  const auto& lines = window->Form.RichEdit6.Lines();
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[1], " Implied forward = 100.00     (Risk-free interest = 0.05)");
  EXPECT_EQ(lines[2], " Av. implied vol = 45.4%");

  TScriptedPlatform reference;
  TOption option(reference);
  option.RiskFree = 0.05f;
  const float present = static_cast<float>(100 / std::exp(0.05 * static_cast<float>(20 / 260.0)));
  const float fairCall = option.Value(false, 20, 100, present, 45.4f);
  const float fairPut = option.Value(true, 20, 100, present, 45.4f);
  char row[128];
  std::snprintf(row, sizeof row, "   100 -     5.00     5.00   %9.2f%9.2f   %9.2f%9.2f", fairCall,
                fairPut, 5.0 - fairCall, 5.0 - fairPut);
  EXPECT_EQ(lines[7], row);
  EXPECT_EQ(window->Form.DevLabel.Caption().front(), '(');
  EXPECT_NE(window->Form.DevLabel.Caption(), "(0)");
}

TEST(ImpliedVolatilityAnalysis, RefusesWhatItCannotFit) {
  struct TCase {
    const char* Label;
    const char* Days;
    bool Locked;
    const char* Forward;
    std::vector<std::string> Messages;
  };
  const TCase cases[] = {
      {"no days", "0", false, "100", {"Days error"}},
      {"a forward locked to zero", "20", true, "0", {"Implied forward locked to zero"}},
      // A command stops at the first number it cannot read.
      {"a forward locked to no number", "20", true, "f", {"'StrToFloat' error2: f"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto window = voltest::NewWindow();
    SetExampleGrid(*window);
    window->Form.DaysEdit.SetText(c.Days);
    window->Form.Locked.SetChecked(c.Locked);
    window->Form.ForwardRes.SetText(c.Forward);
    window->Form.RichEdit6.Add("earlier");
    window->Run([&] { window->Pages.VolAnalysisClick(); });
    EXPECT_EQ(window->Platform.Messages, c.Messages);
    EXPECT_EQ(window->Form.RichEdit6.Lines(), std::vector<std::string>{"earlier"});
    EXPECT_EQ(window->Platform.BusyOnCount, 0);
  }
}

TEST(ImpliedVolatilityAnalysis, WithoutStrikesWritesTheHeadingsOnly) {
  const auto window = voltest::NewWindow();
  window->Form.DaysEdit.SetText("20");
  window->Form.DevLabel.SetCaption("(1.00)");
  window->Run([&] { window->Pages.VolAnalysisClick(); });
  const auto& lines = window->Form.RichEdit6.Lines();
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 6), kPriceHeadings);
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()), kVolatilityHeadings);
  EXPECT_EQ(window->Form.DevLabel.Caption(), "(0)");
}

// A computation on an engine of one worker, its messages kept.
struct TSearchContext {
  TValuationEngine Engine{1};
  TMessageLog Messages;
  TWorkControl Control;
  TComputeContext Context{Engine, Messages, Control};
};

TValuationTerms BlackScholes() {
  TValuationTerms terms;
  terms.Formula = kFormulaBlackScholes;
  return terms;
}

TEST(ImpliedVolatilityAnalysis, SearchImplPriceStartsAtTheMeanOfTheFirstTwoStrikes) {
  TSearchContext search;
  TAnalysisTable table;
  table.Days = 20;
  table.K[1] = 110;
  table.K[2] = 100;
  table.CM[2] = 5;
  // The premium of the strike-100 call is matched at one price only; the first pass brackets it
  // between 94.5 and 105.
  const float price = SearchImplPrice(table, BlackScholes(), 45.4f, search.Context);
  EXPECT_GT(price, 94.5f);
  EXPECT_LT(price, 105);
  EXPECT_NEAR(SearchImplVol(table, BlackScholes(), price, search.Context), 45.4f, 0.15f);
}

TEST(ImpliedVolatilityAnalysis, StrikeImplVolRoundsToAWholeVolatility) {
  TSearchContext search;
  TScriptedPlatform reference;
  TOption option(reference);
  struct TCase {
    bool IsPut;
    float Volatility;
    float Expected;
  };
  const TCase cases[] = {{false, 48.2f, 48}, {true, 17.8f, 18}, {false, 123, 123}, {true, 5, 5}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Volatility);
    const float premium = option.Value(c.IsPut, 20, 100, 100, c.Volatility);
    EXPECT_EQ(StrikeImplVol(BlackScholes(), c.IsPut, 20, premium, 100, 100, search.Context),
              c.Expected);
  }
}

// A grid that the tree fits: the example's four strikes, one premium given as bid and ask.
void SetTreeGrid(TVolatilityWindow& window) {
  SetExampleGrid(window);
  window.Form.Grid.SetCell(2, 3, "9.8-10.2");
  window.Form.Formula.SetText("Cox-Ross-Rubenstein");
  window.Form.ExpirationStyle.SetItemIndex(1);
  window.Form.NumberOfSteps.SetText("60");
}

TEST(ImpliedVolatilityAnalysis, GivesTheSameReportOnAnyNumberOfWorkers) {
  struct TCase {
    const char* Label;
    bool Locked;
  };
  for (const TCase& c : {TCase{"unlocked", false}, TCase{"forward locked", true}}) {
    SCOPED_TRACE(c.Label);
    const auto run = [&c](int workers) {
      const auto window = voltest::NewWindow(workers);
      SetTreeGrid(*window);
      window->Form.Locked.SetChecked(c.Locked);
      window->Run([&] { window->Pages.VolAnalysisClick(); });
      std::vector<std::string> all = window->Form.RichEdit6.Lines();
      all.push_back(window->Form.ForwardRes.Text());
      all.push_back(window->Form.VolRes.Text());
      all.push_back(window->Form.DevLabel.Caption());
      all.insert(all.end(), window->Platform.Messages.begin(), window->Platform.Messages.end());
      all.push_back(CsvText(*window->Exports.Find(window->Form.RichEdit6)->Table));
      return all;
    };
    const std::vector<std::string> one = run(1);
    ASSERT_EQ(one.size(), 17u + 4u);
    EXPECT_EQ(run(2), one);
    EXPECT_EQ(run(7), one);
  }
}

// Every unit of work that was planned is done by the end, so the bar reaches its end; a stop
// requested before the work starts ends it without a result.
TEST(ImpliedVolatilityAnalysis, PlansItsProgressAndStopsWhenAsked) {
  TImpliedVolatilityAnalysisRequest request;
  request.Terms = BlackScholes();
  request.Terms.RiskFree = 0.05f;
  request.Rate = 0.05f;
  request.Table.Days = 20;
  request.Table.K = {0, 110, 100, 90};
  request.Table.CM = {0, 2, 5, 10};
  request.Table.PM = {0, 10, 5, 2};
  request.TypedForward = 100;
  request.TypedVolatility = 45.4f;
  for (const bool locked : {false, true}) {
    SCOPED_TRACE(locked);
    request.Locked = locked;
    TSearchContext search;
    const TImpliedVolatilityAnalysisResult result =
        ComputeImpliedVolatilityAnalysis(request, search.Context);
    EXPECT_EQ(result.Rows.size(), 3u);
    EXPECT_EQ(search.Control.Fraction(), 1.0);
  }
  TSearchContext stopped;
  stopped.Control.RequestStop();
  EXPECT_THROW((void)ComputeImpliedVolatilityAnalysis(request, stopped.Context), EStopped);
}

TEST(ImpliedVolatilityAnalysis, KeepsItsTableForExport) {
  const auto window = voltest::NewWindow();
  SetExampleGrid(*window);
  window->Run([&] { window->Pages.VolAnalysisClick(); });
  const std::optional<TExports::TExport> kept = window->Exports.Find(window->Form.RichEdit6);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->FileName, "implied-volatility.csv");
  const TCsvTable& table = *kept->Table;
  EXPECT_EQ(table.Header,
            (std::vector<std::string>{"Strike", "Call medium price", "Put medium price",
                                      "Call fair price", "Put fair price", "Call difference",
                                      "Put difference", "Call implied vol", "Put implied vol",
                                      "Av. implied vol", "Implied forward"}));
  ASSERT_EQ(table.Rows.size(), 4u);
  // The first row against the pane's: 110, 2.00, 10.00, 1.70, 11.66, 0.30, -1.66, 48 %, 18 %.
  const float shown[] = {110, 2, 10, 1.70f, 11.66f, 0.30f, -1.66f, 48, 18, 45.4f, 100};
  const float precision[] = {0, 0, 0, 0.005f, 0.005f, 0.005f, 0.005f, 0, 0, 0.05f, 0.005f};
  for (std::size_t col = 0; col < table.Header.size(); ++col) {
    SCOPED_TRACE(table.Header[col]);
    EXPECT_NEAR(std::stof(table.Rows[0][col]), shown[col], precision[col] + 1e-6f);
  }
}

// A command stops at the first number it cannot read: no pane, field or setting changes.
TEST(ImpliedVolatilityAnalysis, StopsAtTheFirstNumberItCannotRead) {
  struct TCase {
    const char* Label;
    int Col, Row;  // a grid cell, or 0 for VolRes
    const char* Text;
  };
  const TCase cases[] = {{"a strike", 1, 2, "1OO"},
                         {"a call's ask", 2, 1, "2.00-2.2x"},
                         {"the typed volatility", 0, 0, "nan"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Label);
    const auto window = voltest::NewWindow();
    SetExampleGrid(*window);
    window->Form.BothLocked.SetChecked(true);
    if (c.Col == 0) {
      window->Form.VolRes.SetText(c.Text);
    } else {
      window->Form.Grid.SetCell(c.Col, c.Row, c.Text);
    }
    window->Form.RichEdit6.Add("earlier");
    window->Form.DevLabel.SetCaption("(1.00)");
    window->Run([&] { window->Pages.VolAnalysisClick(); });
    std::string bad = c.Text;
    if (c.Col == 2) bad = "2.2x";
    EXPECT_EQ(window->Platform.Messages, std::vector<std::string>{"'StrToFloat' error2: " + bad});
    EXPECT_EQ(window->Form.RichEdit6.Lines(), std::vector<std::string>{"earlier"});
    EXPECT_EQ(window->Form.ForwardRes.Text(), "100");
    EXPECT_EQ(window->Form.DevLabel.Caption(), "(1.00)");
  }
}

TEST(ImpliedVolatilityAnalysis, LockBoxesEnableTheResultFields) {
  const auto window = voltest::NewWindow();
  auto& form = window->Form;
  auto& pages = window->Pages;
  const auto state = [&] {
    return std::make_pair(form.ForwardRes.Enabled(), form.VolRes.Enabled());
  };
  form.Locked.SetChecked(true);
  pages.LockedClick();
  EXPECT_EQ(state(), std::make_pair(false, true));
  form.BothLocked.SetChecked(true);
  pages.BothLockedClick();
  EXPECT_EQ(state(), std::make_pair(false, false));
  form.BothLocked.SetChecked(false);
  pages.BothLockedClick();
  EXPECT_EQ(state(), std::make_pair(false, true));
  form.BothLocked.SetChecked(true);
  pages.BothLockedClick();
  form.Locked.SetChecked(false);
  pages.LockedClick();
  EXPECT_EQ(state(), std::make_pair(false, false));
  form.BothLocked.SetChecked(false);
  pages.BothLockedClick();
  EXPECT_EQ(state(), std::make_pair(true, true));
}

TEST(ImpliedVolatilityAnalysis, KeepsTheGridInTheSystemSection) {
  const auto window = voltest::NewWindow();
  const auto file = window->Scratch / "system" / "valquor.ini";
  window->Pages.BtnSaveClick();  // an empty grid writes nothing
  EXPECT_FALSE(std::filesystem::exists(file));

  SetExampleGrid(*window);
  window->Form.Grid.SetCell(2, 3, "9.8-10.2");
  window->Pages.BtnSaveClick();
  const std::string text = voltest::ReadFile(file);
  for (const char* line :
       {"Strike1=110\n", "Call3=9.8-10.2\n", "Put4=1.00\n", "Strike5=\n", "Put5=\n", "Days=20\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }

  const auto loaded = voltest::NewWindow();
  loaded->Platform.Folder = window->Scratch.Path();
  loaded->Pages.BtnLoadClick();
  for (int row = 1; row <= kStrikeRows; ++row) {
    for (int col = 1; col <= 3; ++col) {
      EXPECT_EQ(loaded->Form.Grid.Cell(col, row), window->Form.Grid.Cell(col, row));
    }
  }
  EXPECT_EQ(loaded->Form.DaysEdit.Text(), "20");

  // Emptied strikes leave the stored grid alone; a missing file loads empty cells and 0 days.
  for (int row = 1; row <= kStrikeRows; ++row) window->Form.Grid.SetCell(1, row, "");
  window->Pages.BtnSaveClick();
  EXPECT_EQ(voltest::ReadFile(file), text);
  const auto fresh = voltest::NewWindow();
  fresh->Pages.BtnLoadClick();
  EXPECT_EQ(fresh->Form.Grid.Cell(1, 1), "");
  EXPECT_EQ(fresh->Form.DaysEdit.Text(), "0");
}

}  // namespace
}  // namespace valquor
