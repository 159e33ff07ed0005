#include "shell/PricingReports.h"

#include <utility>

namespace valquor {

TPricingReports::TPricingReports(TFormPersonalControls& form, TPlatform& platform,
                                 TReportPanel& panel, TExports& exports,
                                 std::function<void(TCommand)> run)
    : form_(form), platform_(platform), panel_(panel), exports_(exports), run_(std::move(run)) {}

int TPricingReports::PositionCode() const {
  const std::string& name = form_.PositionName.Text();
  const std::vector<std::string>& names = TFormPersonalControls::PositionNames();
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool TPricingReports::StrikeAxis() const { return form_.YAxis.Text() == "Strike"; }

void TPricingReports::UseCustomInputClick() {
  const bool custom = form_.UseCustomInput.Checked();
  for (TEdit* edit : {&form_.Call3, &form_.Put3}) {
    edit->SetEnabled(custom);
    edit->SetColor(custom ? clWindow : clBtnFace);
  }
}

}  // namespace valquor
