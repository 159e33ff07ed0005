#pragma once
// The window's parts that the Pricing reports need, built without the shell, in the state
// start-up leaves them, with an engine of as many workers as the test's parameter: every report
// test runs with 1, 2 and 7 workers and must give the same text.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "compute/Engine.h"
#include "forms/FormPersonalControls.h"
#include "forms/ScriptedPlatform.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/PricingReports.h"
#include "shell/ReportPanel.h"

namespace valquor {

// The worker counts every report is tried with.
inline const auto kWorkerCounts = ::testing::Values(1, 2, 7);

class ReportsTest : public ::testing::TestWithParam<int> {
 protected:
  ReportsTest() { panel.RefreshReportInputs(); }

  // Compute with the Fair value or the Analysis page in view.
  void ComputeFairValuePage() {
    form.MainPageControl.SetActivePage(&form.TabPricing);
    reports.ComputeBtnClick();
  }
  void ComputeAnalysisPage() {
    form.MainPageControl.SetActivePage(&form.TabAnalysis);
    reports.ComputeBtnClick();
  }

  // The panel as Compute reads it.
  TPanelReading ReadPanel() {
    TPanelReading reading = panel.ReadReportInputs(platform, true);
    reading.Inputs.MaxDays = panel.MaxDays();
    return reading;
  }
  // One report's computation alone, on the fixture's engine, its messages shown on the platform.
  template <class Compute, class Request>
  auto Run(Compute compute, const Request& request) {
    TWorkControl control;
    TComputeContext context(engine, platform, control);
    return compute(request, context);
  }

  TScriptedPlatform platform;
  TFormPersonalControls form;
  bool american = false;
  TReportPanel panel{form, platform, american};
  TValuationEngine engine{GetParam()};
  TExports exports;
  TPricingReports reports{form, platform, panel, exports, [this](TCommand command) {
                            TCommandRunner().Run(std::move(command), engine, platform);
                          }};
};

// The pane holds exactly `expected`, line by line.
inline void ExpectLines(const std::vector<std::string>& lines,
                        const std::vector<std::string>& expected, const std::string& name = "") {
  for (std::size_t i = 0; i < expected.size() && i < lines.size(); ++i) {
    SCOPED_TRACE(name + " line " + std::to_string(i + 1));
    EXPECT_EQ(lines[i], expected[i]);
  }
  EXPECT_EQ(lines.size(), expected.size()) << name;
}
inline void ExpectLines(const TRichEdit& pane, const std::vector<std::string>& expected) {
  ExpectLines(pane.Lines(), expected, pane.Name());
}

}  // namespace valquor
