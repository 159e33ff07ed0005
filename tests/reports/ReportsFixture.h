#pragma once
// The window's parts that the Pricing reports need, built without the shell, in the state
// start-up leaves them: the rates copied into the models and the report inputs read.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "shell/ModelDispatch.h"
#include "forms/ScriptedPlatform.h"
#include "shell/PricingReports.h"
#include "shell/ReportPanel.h"

namespace valquor {

class ReportsTest : public ::testing::Test {
 protected:
  ReportsTest() {
    dispatch.RefreshModelRates();
    panel.RefreshReportInputs();
  }

  // Compute with the Fair value or the Analysis page in view.
  void ComputeFairValuePage() {
    form.MainPageControl.SetActivePage(&form.TabPricing);
    reports.ComputeBtnClick();
  }
  void ComputeAnalysisPage() {
    form.MainPageControl.SetActivePage(&form.TabAnalysis);
    reports.ComputeBtnClick();
  }

  TScriptedPlatform platform;
  TFormPersonalControls form;
  TOptionsPageInputs options{form};
  TModelDispatch dispatch{platform, options};
  TReportPanel panel{form, dispatch, platform};
  TPricingReports reports{form, dispatch, platform, panel};
};

// The pane holds exactly `expected`, line by line.
inline void ExpectLines(const TRichEdit& pane, const std::vector<std::string>& expected) {
  const std::vector<std::string>& lines = pane.Lines();
  for (std::size_t i = 0; i < expected.size() && i < lines.size(); ++i) {
    SCOPED_TRACE(pane.Name() + " line " + std::to_string(i + 1));
    EXPECT_EQ(lines[i], expected[i]);
  }
  EXPECT_EQ(lines.size(), expected.size()) << pane.Name();
}

}  // namespace valquor
