#include <cstdint>
#include <utility>

#include "shell/FormPersonal.h"
#include "shell/GraphPage.h"
#include "shell/PricingReports.h"

namespace valquor {

void TPricingReports::ComputeBtnClick() {
  const std::pair<const std::string*, const char*> kRequired[] = {
      {&form_.PositionName.Text(), "No position selected"},
      {&form_.Steps.Text(), "No Days selected"},
      {&form_.DaysCombo.Text(), "No DayLength selected"},
      {&form_.YAxis.Text(), "YAxis not defined"},
      {&form_.Formula.Text(), "No formula isselected"},
  };
  for (const auto& [text, message] : kRequired) {
    if (text->empty()) {
      platform_.ShowMessage(message, TMessageKind::Warning);
      return;
    }
  }
  TBusyCursor busy(platform_);
  if (form_.MainPageControl.ActivePage() == &form_.TabGraph) {
    GraphCompute(dynamic_cast<TFormPersonal&>(form_));
    return;
  }
  panel_.RefreshReportInputs();
  panel_.Inputs.MaxDays = static_cast<int>(
      static_cast<std::uint32_t>(10 * static_cast<std::int64_t>(panel_.DayStepFactor())));
  if (form_.MainPageControl.ActivePage() == &form_.TabAnalysis) {
    AnalysisCalculatorReport();
    ProbabilitiesReport();
    PayoffAnalysisReport();
  } else {
    FairValueReport();
    DeltaReport();
  }
}

}  // namespace valquor
