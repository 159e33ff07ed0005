#pragma once
// The Pricing page's input panel: reading it into the snapshot TReportInputs (the forward kept in
// step with the price unless locked, the forward checks), the day-step lookups and table rows as
// the panel shows them, and the panel's change handlers.

#include <cstdint>
#include <string>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "forms/Platform.h"
#include "reports/ReportInputs.h"

namespace valquor {

// The panel as one reading leaves it: the snapshot (MaxDays aside) and the text the forward field
// is to show.
struct TPanelReading {
  TReportInputs Inputs;
  std::string ForwardText;
};

class TReportPanel {
 public:
  // american is the window's one record of the tree's exercise style (every page reads and
  // keeps it); it must outlive the panel.
  TReportPanel(TFormPersonalControls& form, TPlatform& platform, bool& american);

  TReportInputs Inputs;
  // The binomial tree's exercise style, kept between commands: ExpirationStyle's item 0 or 1
  // sets it when the Options page's terms are read, no item leaves it (ReadOptionsTerms).
  bool& American;

  // Reads the panel: the forward grown from the price over the day step's days (unless locked),
  // the snapshot's numbers, and the forward checks ("Calculator cannot handle such a large
  // difference ... forward is reset" above 1.5 times the strike, "... forward is rest" below 0,
  // both resetting it to the strike). Messages go to platform. For a command (`command` true)
  // a number that cannot be read shows its message and throws EAbort; otherwise it counts as
  // -999 after its message. A day-step text that is not a whole number throws EConvertError;
  // arithmetic faults of the forward throw ArithmeticFault. Writes nothing.
  [[nodiscard]] TPanelReading ReadReportInputs(TPlatform& platform, bool command) const;

  // The change handlers' refresh: ReadReportInputs with every message shown and nothing
  // stopped, the forward written back unless locked, the snapshot kept in Inputs.
  void RefreshReportInputs();

  // The day-step text as a whole number, twice the number before a final "*"; throws
  // EConvertError when it is not one.
  [[nodiscard]] int DayStepFactor() const;
  // Ten times DayStepFactor: the days of the first column (32-bit arithmetic).
  [[nodiscard]] int MaxDays() const;
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
  TPlatform& platform_;
};

namespace detail {
// Replaces the pane's lines with `lines`.
void ReplaceLines(TRichEdit& pane, std::vector<std::string>& lines);
}  // namespace detail

}  // namespace valquor
