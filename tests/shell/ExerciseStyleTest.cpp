#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

class ExerciseStyleTest : public ::testing::Test, protected TFormFixture {};

TEST_F(ExerciseStyleTest, OneStyleIsKeptForEveryPageWhenNoItemIsSelected) {
  // Whichever page read the Options page last, a later reading with no item selected keeps
  // the style it left; the analysis calculator's heading shows the one it values with.
  TFormPersonal& form = Start();
  form.Formula.SetText("Cox-Ross-Rubenstein");
  form.NumberOfSteps.SetText("50");
  form.Strike9.SetText("100");
  form.Price9.SetText("100");
  form.Vol9.SetText("20");
  form.RiskFree9.SetText("0.05");
  form.CostofCarry9.SetText("0.05");
  form.Days9.SetText("60");
  enum class TPage { Calculator, Analysis, Graph };
  const struct {
    const char* Label;
    int Item;
    TPage Page;
    bool American;
  } kSteps[] = {
      {"American on the Calculator page", 1, TPage::Calculator, true},
      {"no item, analysis calculator", -1, TPage::Analysis, true},
      {"European on the Graph page", 0, TPage::Graph, false},
      {"no item, analysis calculator again", -1, TPage::Analysis, false},
      {"American on the Analysis page", 1, TPage::Analysis, true},
      {"no item on the Graph page", -1, TPage::Graph, true},
      {"no item on the Calculator page", -1, TPage::Calculator, true},
      {"no item, analysis calculator at last", -1, TPage::Analysis, true},
  };
  for (const auto& step : kSteps) {
    SCOPED_TRACE(step.Label);
    form.ExpirationStyle.SetItemIndex(step.Item);
    switch (step.Page) {
      case TPage::Calculator:
        form.RunHandler([&] { form.Button9.Click(); });
        break;
      case TPage::Analysis:
        form.RunHandler([&] { form.MainPageControl.SetActivePage(&form.TabAnalysis); });
        form.RunHandler([&] { form.ComputeBtn.Click(); });
        ASSERT_GE(form.RichEdit10.Lines().size(), 2u);
        EXPECT_EQ(form.RichEdit10.Lines()[1].substr(0, 24),
                  step.American ? " Option type = American " : " Option type = European ");
        break;
      case TPage::Graph:
        form.RunHandler([&] { form.MainPageControl.SetActivePage(&form.TabGraph); });
        form.RunHandler([&] { form.ComputeBtn.Click(); });
        break;
    }
    EXPECT_EQ(form.TreeAmerican, step.American);
    EXPECT_EQ(Platform.TakeMessages(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace valquor
