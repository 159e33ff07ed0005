// The Export... buttons of the main window: each exports the pane its Copy button copies.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compute/Csv.h"
#include "forms/Text.h"
#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

class ExportButtonsTest : public ::testing::Test, protected TFormFixture {};

// A table that names its pane, so that an export of the wrong pane shows.
TCsvTable TableOf(const TRichEdit& pane) {
  return TCsvTable{{"Pane", "Value"}, {{pane.Name(), CsvNumber(1.5f)}}};
}

TEST_F(ExportButtonsTest, EachButtonExportsThePaneItsCopyButtonCopies) {
  TFormPersonal& form = Start();
  const std::vector<TRichEdit*> panes = {&form.RichEdit1, &form.RichEdit2,  &form.RichEdit3,
                                         &form.RichEdit8, &form.RichEdit10, &form.RichEdit4,
                                         &form.RichEdit9, &form.RichEdit6};
  for (TRichEdit* pane : panes) {
    form.Exports.Set(*pane, TableOf(*pane), LowerCase(pane->Name()) + ".csv");
  }
  const struct {
    TButton* Button;
    std::vector<TTabSheet*> Pages;  // brought into view first, outermost first
    const TRichEdit* Pane;
  } kCases[] = {
      {&form.ExportBtn, {&form.TabSheet1, &form.TabPricing}, &form.RichEdit1},
      {&form.ExportBtn, {&form.TabDelta}, &form.RichEdit2},
      {&form.ExportBtn, {&form.TabAnalysis, &form.TabCalc}, &form.RichEdit10},
      {&form.ExportBtn, {&form.TabProb}, &form.RichEdit8},
      {&form.ExportBtn, {&form.TabPL}, &form.RichEdit3},
      {&form.ExportDailyBtn, {&form.TabSheet4, &form.TabSheet6}, &form.RichEdit4},
      {&form.ExportWeeklyBtn, {&form.TabSheet7}, &form.RichEdit9},
      {&form.ExportImpliedBtn, {&form.TabSheet3}, &form.RichEdit6},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Button->Name() + " " + c.Pane->Name());
    for (TTabSheet* page : c.Pages) {
      form.RunHandler([&] { page->PageControl()->SetActivePage(page); });
    }
    const std::string path = File(c.Pane->Name() + ".csv").string();
    Platform.FileAnswers.push_back(path);
    form.RunHandler([&] { c.Button->Click(); });
    ASSERT_FALSE(Platform.FileRequests.empty());
    EXPECT_EQ(Platform.FileRequests.back().FileName, LowerCase(c.Pane->Name()) + ".csv");
    EXPECT_EQ(Platform.FileRequests.back().DefaultExt, "csv");
    EXPECT_EQ(ReadText(c.Pane->Name() + ".csv"), CsvText(TableOf(*c.Pane)));
    EXPECT_TRUE(Platform.Messages.empty());
  }
  // Copy still copies the pane in view; its heading is unchanged.
  form.RichEdit3.Add("payoff line");
  form.RunHandler([&] {
    form.MainPageControl.SetActivePage(&form.TabAnalysis);
    form.PageControl3.SetActivePage(&form.TabPL);
  });
  form.RunHandler([&] { form.CopyBtn.Click(); });
  EXPECT_EQ(Platform.Clipboard, "\n *** Analysis ***\npayoff line\n");
}

TEST_F(ExportButtonsTest, NothingKeptOrACancelledDialogWritesNothing) {
  TFormPersonal& form = Start();
  form.RunHandler([&] { form.MainPageControl.SetActivePage(&form.TabPricing); });
  (void)Platform.TakeMessages();
  // No report yet: no dialog, one message.
  form.RunHandler([&] { form.ExportBtn.Click(); });
  EXPECT_EQ(Platform.TakeMessages(), std::vector<std::string>{"Nothing to export"});
  EXPECT_TRUE(Platform.FileRequests.empty());
  // A report whose pane changed since has nothing to export either.
  form.Exports.Set(form.RichEdit1, TableOf(form.RichEdit1), "fair-value.csv");
  form.RichEdit1.Add("a line typed over it");
  form.RunHandler([&] { form.ExportBtn.Click(); });
  EXPECT_EQ(Platform.TakeMessages(), std::vector<std::string>{"Nothing to export"});
  // The dialog cancelled: nothing written, nothing shown.
  form.Exports.Set(form.RichEdit1, TableOf(form.RichEdit1), "fair-value.csv");
  form.RunHandler([&] { form.ExportBtn.Click(); });
  EXPECT_EQ(Platform.FileRequests.size(), 1u);
  EXPECT_TRUE(Platform.TakeMessages().empty());
  EXPECT_FALSE(std::filesystem::exists(File("fair-value.csv")));
}

}  // namespace
}  // namespace valquor
