#include "shell/ReportPanel.h"

#include <utility>

#include "forms/Text.h"
#include "models/Format.h"
#include "models/Numbers.h"
#include "models/Single.h"
#include "models/ValuationTerms.h"
#include "reports/DaySteps.h"

namespace valquor {

TReportPanel::TReportPanel(TFormPersonalControls& form, TPlatform& platform, bool& american)
    : American(american), form_(form), platform_(platform) {}

int TReportPanel::DayStepFactor() const {
  const std::string& text = form_.DaysCombo.Text();
  if (!text.empty() && text.back() == '*') {
    const std::int64_t n = StrToInt(std::string_view(text).substr(0, text.size() - 1));
    return static_cast<int>(static_cast<std::uint32_t>(2 * n));  // wraps like 32-bit arithmetic
  }
  return StrToInt(text);
}

int TReportPanel::MaxDays() const {
  return static_cast<int>(
      static_cast<std::uint32_t>(10 * static_cast<std::int64_t>(DayStepFactor())));
}

int TReportPanel::DayStepIndex() {
  const int index = FindDayStep(form_.DaysCombo.Text());
  if (index == 0) platform_.ShowMessage("DaysStep error", TMessageKind::Error);
  return index;
}

int TReportPanel::DayColumn(int dayStepIndex, int column) {
  return valquor::DayColumn(dayStepIndex, column, platform_);
}

int TReportPanel::ColumnDays(int column) {
  return valquor::ColumnDays(FindDayStep(form_.DaysCombo.Text()), column, platform_);
}

float TReportPanel::AxisValue(int row, float base) const {
  return valquor::AxisValue(row, base, Inputs.StrikeStep);
}

TPanelReading TReportPanel::ReadReportInputs(TPlatform& platform, bool command) const {
  const auto number = [&](const std::string& text) {
    return command ? ReadCommandNumber(text, platform) : ParseNumber(text, platform);
  };
  TPanelReading reading;
  TReportInputs& in = reading.Inputs;
  const bool locked = form_.MainForwardLock.Checked();
  reading.ForwardText = form_.ForwardEdit.Text();
  if (!locked) {
    const int days = MaxDays();
    const float price = number(form_.PriceEdit.Text());
    const float rate = number(form_.RiskFreeInterest.Text());
    reading.ForwardText = FormatFixed(ForwardOf(rate, days, kTradingDaysPerYear, price), 2);
  }

  in.StrikeStep = form_.Steps.Text().empty() ? 10.0f : number(form_.Steps.Text());
  in.Strike = number(form_.StrikeEdit.Text());
  in.Price = number(form_.PriceEdit.Text());
  in.Forward = number(reading.ForwardText);

  const auto reset = [&](const char* message) {
    platform.ShowMessage(message, TMessageKind::Warning);
    in.Forward = in.Strike;
    if (!locked) reading.ForwardText = FormatFixed(in.Strike, 2);
  };
  if (1.5 * static_cast<double>(in.Strike) < in.Forward) {
    reset("Calculator cannot handle such a large difference ... forward is reset");
  }
  if (0.5 * static_cast<double>(in.Forward) > in.Forward) {
    reset("Calculator cannot handle such a large difference ... forward is rest");
  }

  in.Volatility = number(form_.VolEdit.Text());
  in.TrueVolatility = number(form_.TrueVolEdit.Text());
  in.CostPerTrade = number(form_.CostPerTrade.Text());
  in.MaxDays = Inputs.MaxDays;
  return reading;
}

void TReportPanel::RefreshReportInputs() {
  TPanelReading reading = ReadReportInputs(platform_, false);
  if (!form_.MainForwardLock.Checked()) form_.ForwardEdit.SetText(reading.ForwardText);
  Inputs = reading.Inputs;
}

void TReportPanel::MainForwardLockClick() {
  const bool locked = form_.MainForwardLock.Checked();
  form_.ForwardEdit.SetColor(locked ? clWindow : clBtnFace);
  form_.PriceEdit.SetColor(locked ? clBtnFace : clWindow);
}

void TReportPanel::Button7Click() { form_.Adjust.SetValue(0); }

namespace detail {

void ReplaceLines(TRichEdit& pane, std::vector<std::string>& lines) {
  pane.Clear();
  for (std::string& line : lines) pane.Add(std::move(line));
  lines.clear();
}

}  // namespace detail

}  // namespace valquor
