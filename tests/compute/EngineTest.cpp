#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "compute/Engine.h"
#include "compute/WorkControl.h"
#include "models/ArithmeticFault.h"

namespace valquor {
namespace {

// Trees with messages of their own in some cells: days 3 with a tiny volatility ("Option Error:
// 1086"), too many steps ("Number of steps too large"), and plain values.
struct TCellResult {
  float Value;
  float First;
  bool operator==(const TCellResult&) const = default;
};

TValuationTerms Tree(int steps) {
  TValuationTerms terms;
  terms.Formula = kFormulaBinomial;
  terms.RiskFree = 0.05f;
  terms.Carry = 0.03f;
  terms.Steps = steps;
  terms.American = true;
  return terms;
}

struct TRun {
  std::vector<TCellResult> Cells;
  std::vector<std::string> Messages;
};

TRun RunGrid(int workers) {
  TValuationEngine engine(workers);
  TMessageLog log;
  TWorkControl control;
  TComputeContext context(engine, log, control);
  control.Plan(60);
  TRun run;
  run.Cells = context.Map<TCellResult>(60, [](std::size_t i, TValuer& valuer) {
    const int k = static_cast<int>(i);
    const TValuationTerms terms = Tree(k % 7 == 3 ? 10000 : 50 + k);
    const float volatility = k % 5 == 1 ? 0.002f : 10.0f + static_cast<float>(k);
    float first = 0;
    float second = 0;
    const float value = valuer.Value(terms, k % 2 == 0, 3 + k, 100.0f,
                                     95.0f + static_cast<float>(k % 11), volatility, first, second);
    // The same valuation again: made once, its messages shown twice.
    (void)valuer.Value(terms, k % 2 == 0, 3 + k, 100.0f, 95.0f + static_cast<float>(k % 11),
                       volatility);
    return TCellResult{value, first};
  });
  run.Messages = log.Texts();
  EXPECT_EQ(control.Fraction(), 1.0);
  return run;
}

TEST(ValuationEngineTest, ResultsAndMessagesAreTheSameForAnyWorkerCount) {
  const TRun one = RunGrid(1);
  ASSERT_FALSE(one.Messages.empty());
  EXPECT_EQ(one.Messages.front(), "Option Error: 1086: Days= 4 Vol= 0.0020000000949949");
  for (const int workers : {2, 7}) {
    SCOPED_TRACE(workers);
    const TRun many = RunGrid(workers);
    EXPECT_EQ(many.Cells, one.Cells);
    EXPECT_EQ(many.Messages, one.Messages);
  }
}

TEST(ValuationEngineTest, TheLowestFailingUnitEndsTheRunAfterTheMessagesBeforeIt) {
  for (const int workers : {1, 2, 7}) {
    SCOPED_TRACE(workers);
    TValuationEngine engine(workers);
    TMessageLog log;
    TWorkControl control;
    TComputeContext context(engine, log, control);
    EXPECT_THROW((void)context.Map<int>(40,
                                        [](std::size_t i, TValuer& valuer) {
                                          valuer.Messages().ShowMessage("unit " + std::to_string(i),
                                                                        TMessageKind::Error);
                                          if (i == 9 || i == 30)
                                            throw ArithmeticFault("at " + std::to_string(i));
                                          return static_cast<int>(i);
                                        }),
                 ArithmeticFault);
    std::vector<std::string> expected;
    for (int i = 0; i <= 9; ++i) expected.push_back("unit " + std::to_string(i));
    EXPECT_EQ(log.Texts(), expected);
  }
}

TEST(ValuationEngineTest, AStopRequestEndsTheRunWithoutMessages) {
  for (const int workers : {1, 2, 7}) {
    SCOPED_TRACE(workers);
    TValuationEngine engine(workers);
    TMessageLog log;
    TWorkControl control;
    TComputeContext context(engine, log, control);
    int ran = 0;
    std::mutex mutex;
    EXPECT_THROW((void)context.Map<int>(1000,
                                        [&](std::size_t i, TValuer& valuer) {
                                          valuer.Messages().ShowMessage("shown?",
                                                                        TMessageKind::Error);
                                          std::lock_guard lock(mutex);
                                          if (++ran == 5) control.RequestStop();
                                          return static_cast<int>(i);
                                        }),
                 EStopped);
    EXPECT_TRUE(log.Messages.empty());
    EXPECT_LT(ran, 1000);
  }
}

TEST(ValuationEngineTest, SequentialValuationsShowTheirMessagesAtOnce) {
  TValuationEngine engine(2);
  TMessageLog log;
  TWorkControl control;
  TComputeContext context(engine, log, control);
  TValuationTerms terms = Tree(10000);
  EXPECT_EQ(context.Sequential().Value(terms, false, 20, 100, 100, 20), 0.0f);
  EXPECT_EQ(log.Texts(), std::vector<std::string>{"Number of steps too large"});
  terms.Formula = kFormulaNone;
  EXPECT_EQ(context.Sequential().Value(terms, true, 20, 100, 100, 20), 0.0f);
  EXPECT_EQ(log.Texts(), (std::vector<std::string>{"Number of steps too large", "Error 809"}));
}

TEST(ValuationEngineTest, ModelSetValuesUnderTheTermsDayBasisAndFormula) {
  TModelSet models;
  TValuationTerms terms;
  terms.Formula = kFormulaBlackScholes;
  terms.RiskFree = 0.05f;
  // One year in both day bases.
  const float trading = models.Value(terms, false, 260, 100, 100, 20);
  terms.DaysPerYear = kCalendarDaysPerYear;
  EXPECT_EQ(models.Value(terms, false, 365, 100, 100, 20), trading);
  EXPECT_NEAR(trading, 10.45058, 5e-5);
  terms.Formula = kFormulaBinomial;
  terms.Carry = 0.05f;
  terms.DaysPerYear = kTradingDaysPerYear;
  EXPECT_NEAR(models.Value(terms, true, 260, 100, 100, 20), 5.5669, 5e-4);
  terms.American = true;
  EXPECT_NEAR(models.Value(terms, true, 260, 100, 100, 20), 6.0877, 5e-4);
  terms.Formula = kFormulaIntNormal;
  terms.Intervals = 400;
  float first = 0;
  float second = 0;
  const float mean = models.Value(terms, false, 20, 100, 100, 45, first, second);
  EXPECT_NEAR(first, 5.6208, 5e-4);
  EXPECT_NEAR(second, 7.0692, 5e-4);
  EXPECT_EQ(mean, (first + second) / 2.0f);
}

TEST(WorkerPoolTest, WorkerCountComesFromTheEnvironmentWhenItHoldsOne) {
  const unsigned hardware = std::max(1u, std::thread::hardware_concurrency());
  const struct {
    const char* Text;
    int Expected;
  } kCases[] = {{"3", 3},
                {"1", 1},
                {"256", 256},
                {"0", static_cast<int>(hardware)},
                {"257", static_cast<int>(hardware)},
                {"2x", static_cast<int>(hardware)},
                {"", static_cast<int>(hardware)}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Text);
    ::setenv("VALQUOR_THREADS", c.Text, 1);
    EXPECT_EQ(DefaultWorkerCount(), c.Expected);
  }
  ::unsetenv("VALQUOR_THREADS");
}

}  // namespace
}  // namespace valquor
