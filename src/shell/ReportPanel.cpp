#include "shell/ReportPanel.h"

#include <array>

#include "forms/Text.h"
#include "models/Format.h"
#include "models/Numbers.h"

namespace valquor {
namespace {

constexpr std::array<const char*, 12> kDaySteps = {"1",  "2",   "2*", "5",  "5*",  "10",
                                                   "11", "11*", "22", "44", "44*", "65"};

// The trading days of the eleven columns of every day-step entry.
constexpr int kDayTable[12][kDayColumns] = {
    {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0},
    {20, 18, 16, 14, 12, 10, 8, 6, 4, 2, 0},
    {40, 38, 36, 34, 32, 30, 28, 26, 24, 22, 20},
    {50, 45, 40, 35, 30, 25, 20, 15, 10, 5, 0},
    {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50},
    {100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0},
    {110, 99, 88, 77, 66, 55, 44, 33, 22, 11, 0},
    {220, 209, 198, 187, 176, 165, 154, 143, 132, 121, 110},
    {220, 198, 176, 154, 132, 110, 88, 66, 44, 22, 0},
    {440, 396, 352, 308, 264, 220, 176, 132, 88, 44, 0},
    {880, 836, 792, 748, 704, 660, 616, 572, 528, 484, 440},
    {650, 585, 520, 455, 390, 325, 260, 195, 130, 65, 0},
};

}  // namespace

TReportPanel::TReportPanel(TFormPersonalControls& form, TModelDispatch& dispatch,
                           TPlatform& platform)
    : form_(form), dispatch_(dispatch), platform_(platform) {}

int TReportPanel::DayStepFactor() const {
  const std::string& text = form_.DaysCombo.Text();
  if (!text.empty() && text.back() == '*') {
    const std::int64_t n = StrToInt(std::string_view(text).substr(0, text.size() - 1));
    return static_cast<int>(static_cast<std::uint32_t>(2 * n));  // wraps like 32-bit arithmetic
  }
  return StrToInt(text);
}

int TReportPanel::DayStepIndex() {
  const std::string& text = form_.DaysCombo.Text();
  for (std::size_t i = 0; i < kDaySteps.size(); ++i) {
    if (text == kDaySteps[i]) return static_cast<int>(i) + 1;
  }
  platform_.ShowMessage("DaysStep error", TMessageKind::Error);
  return 0;
}

int TReportPanel::DayColumn(int dayStepIndex, int column) {
  if (dayStepIndex < 1 || dayStepIndex > 12 || column < 1 || column > kDayColumns) {
    platform_.ShowMessage("Error 33", TMessageKind::Error);
    return -1;
  }
  return kDayTable[dayStepIndex - 1][column - 1];
}

int TReportPanel::ColumnDays(int column) { return DayColumn(DayStepIndex(), column); }

float TReportPanel::AxisValue(int row, float base) const {
  const double step = Inputs.StrikeStep;
  return static_cast<float>(static_cast<double>(base) + 6.0 * step - row * step);
}

void TReportPanel::RefreshReportInputs() {
  if (!form_.MainForwardLock.Checked()) {
    const std::int64_t days = 10 * static_cast<std::int64_t>(DayStepFactor());
    const float price = ParseNumber(form_.PriceEdit.Text(), platform_);
    const float forward =
        dispatch_.ForwardOf(static_cast<int>(static_cast<std::uint32_t>(days)), true, price);
    form_.ForwardEdit.SetText(FormatFixed(forward, 2));
  }

  Inputs.StrikeStep =
      form_.Steps.Text().empty() ? 10.0f : ParseNumber(form_.Steps.Text(), platform_);
  Inputs.Strike = ParseNumber(form_.StrikeEdit.Text(), platform_);
  Inputs.Price = ParseNumber(form_.PriceEdit.Text(), platform_);
  Inputs.Forward = ParseNumber(form_.ForwardEdit.Text(), platform_);

  const auto reset = [this](const char* message) {
    platform_.ShowMessage(message, TMessageKind::Warning);
    Inputs.Forward = Inputs.Strike;
    if (!form_.MainForwardLock.Checked()) form_.ForwardEdit.SetText(FormatFixed(Inputs.Strike, 2));
  };
  if (1.5 * static_cast<double>(Inputs.Strike) < Inputs.Forward) {
    reset("Calculator cannot handle such a large difference ... forward is reset");
  }
  if (0.5 * static_cast<double>(Inputs.Forward) > Inputs.Forward) {
    reset("Calculator cannot handle such a large difference ... forward is rest");
  }

  Inputs.Volatility = ParseNumber(form_.VolEdit.Text(), platform_);
  Inputs.TrueVolatility = ParseNumber(form_.TrueVolEdit.Text(), platform_);
  Inputs.CostPerTrade = ParseNumber(form_.CostPerTrade.Text(), platform_);
  dispatch_.OptionInt1.Intervals = form_.NumberOfIntervals.Value();

  dispatch_.FormulaKind = dispatch_.SelectedFormula();
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
