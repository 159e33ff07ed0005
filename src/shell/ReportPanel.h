#pragma once
// The Pricing page's input panel as the reports read it: the snapshot TReportInputs, its
// refresh (the forward kept in step with the price unless locked, the forward checks, the
// formula choice), the day-step table and the rows of the tabular reports, and the panel's
// change handlers.

#include <cstdint>
#include <string>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "forms/Platform.h"
#include "shell/ModelDispatch.h"

namespace valquor {

// The snapshot of the Pricing panel the reports work on.
struct TReportInputs {
  float Strike = 0;
  float StrikeStep = 0;  // row step; 10 when the Steps field is empty
  float Price = 0;
  float Forward = 0;     // after the forward checks
  float Volatility = 0;  // percent
  float TrueVolatility = 0;
  float CostPerTrade = 0;
  int MaxDays = 0;  // ten times the day-step factor: the days of the first column
};

// The Options page as the model dispatch reads it.
class TOptionsPageInputs : public TDispatchInputs {
 public:
  explicit TOptionsPageInputs(const TFormPersonalControls& form) : form_(form) {}
  [[nodiscard]] std::string FormulaText() const override { return form_.Formula.Text(); }
  [[nodiscard]] int ExpirationStyleIndex() const override {
    return form_.ExpirationStyle.ItemIndex();
  }
  [[nodiscard]] std::string RiskFreeInterestText() const override {
    return form_.RiskFreeInterest.Text();
  }
  [[nodiscard]] std::string CostOfCarryText() const override { return form_.CostOfCarry.Text(); }
  [[nodiscard]] int NumberOfStepsValue() const override { return form_.NumberOfSteps.Value(); }

 private:
  const TFormPersonalControls& form_;
};

inline constexpr int kDayColumns = 11;
inline constexpr int kAxisRows = 11;

class TReportPanel {
 public:
  TReportPanel(TFormPersonalControls& form, TModelDispatch& dispatch, TPlatform& platform);

  TReportInputs Inputs;

  // Recomputes the forward from the price unless it is locked, reads the snapshot with the
  // forward checks and sets FormulaKind from the Options page. A day-step text that is not a
  // whole number throws EConvertError; arithmetic faults of the forward reach the caller.
  void RefreshReportInputs();

  // The day-step text as a whole number, twice the number before a final "*"; throws
  // EConvertError when it is not one.
  [[nodiscard]] int DayStepFactor() const;
  // The place of the day-step text in its list, 1 to 12; "DaysStep error" and 0 for any other.
  [[nodiscard]] int DayStepIndex();
  // Trading days of a column (1 to 11) of a day-step row (1 to 12); "Error 33" and -1 for an
  // index outside the table.
  [[nodiscard]] int DayColumn(int dayStepIndex, int column);
  // The value of a table row (1 to 11): base + 6 × StrikeStep − row × StrikeStep.
  [[nodiscard]] float AxisValue(int row, float base) const;
  // The days of a column of the day-step text in view: DayColumn(DayStepIndex(), column).
  [[nodiscard]] int ColumnDays(int column);

  // Change handlers of the panel.
  void PriceEditChange() { RefreshReportInputs(); }
  void DaysComboChange() { RefreshReportInputs(); }
  void MainForwardLockClick();
  void Button7Click();

 private:
  TFormPersonalControls& form_;
  TModelDispatch& dispatch_;
  TPlatform& platform_;
};

namespace detail {
// Replaces the pane's lines with `lines`.
void ReplaceLines(TRichEdit& pane, std::vector<std::string>& lines);
}  // namespace detail

}  // namespace valquor
