#pragma once
// The Pricing page's Compute: reads the panel and the Options page into the requests of the fair
// value and delta reports, or of the three analysis reports when the Analysis page is in view,
// runs their computations as one command, and writes each pane with its lines and its export.

#include <functional>
#include <string>

#include "forms/FormPersonalControls.h"
#include "forms/Platform.h"
#include "reports/AnalysisCalculator.h"
#include "reports/Delta.h"
#include "reports/FairValue.h"
#include "reports/Payoff.h"
#include "reports/Probabilities.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/ReportPanel.h"

namespace valquor {

class TPricingReports {
 public:
  // run runs a command of this page (the window's runner).
  TPricingReports(TFormPersonalControls& form, TPlatform& platform, TReportPanel& panel,
                  TExports& exports, std::function<void(TCommand)> run);

  // The Compute button (and Enter): checks the required fields, then reads every field the
  // reports need, in the order they are met, and runs the fair value and delta reports (or the
  // analysis calculator, probabilities and payoff analysis) as one command. A number that cannot
  // be read shows its message and stops the command before anything is computed or written; a
  // day count that is no whole number ends it at its report, the reports before it written.
  void ComputeBtnClick();

  // Change handler of UseCustomInput: Call3 and Put3 enabled and shown active while checked.
  void UseCustomInputClick();

  // The code (1 to 28) of the position named in PositionName, compared exactly; 0 for a name
  // that is not in the catalogue.
  [[nodiscard]] int PositionCode() const;

  // The requests as the command reads them from the form, for reading on the window's thread.
  // Messages of the reading go to platform; see ComputeBtnClick for what stops it.
  [[nodiscard]] TFairValueRequest ReadFairValue(const TPanelReading& panel, TPlatform& platform);
  [[nodiscard]] TDeltaRequest ReadDelta(const TFairValueRequest& fairValue);
  [[nodiscard]] TAnalysisCalculatorRequest ReadAnalysisCalculator(const TPanelReading& panel,
                                                                  TPlatform& platform);
  [[nodiscard]] TProbabilitiesRequest ReadProbabilities(const TPanelReading& panel);
  [[nodiscard]] TPayoffRequest ReadPayoff(const TPanelReading& panel, TPlatform& platform);

 private:
  // YAxis is "Strike": the rows of the tables run through strikes.
  [[nodiscard]] bool StrikeAxis() const;

  TFormPersonalControls& form_;
  TPlatform& platform_;
  TReportPanel& panel_;
  TExports& exports_;
  std::function<void(TCommand)> run_;
};

}  // namespace valquor
