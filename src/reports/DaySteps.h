#pragma once
// The day steps of the Pricing panel: the trading days of the eleven columns of each listed step,
// and the strikes or forwards of the table rows.

#include <string_view>

#include "models/MessageSink.h"

namespace valquor {

// The place of a day-step text in its list ("1", "2", "2*", "5", "5*", "10", "11", "11*", "22",
// "44", "44*", "65"), 1 to 12, compared exactly; 0 for any other text.
[[nodiscard]] int FindDayStep(std::string_view text);

// The trading days of a column (1 to 11) of a day-step row (1 to 12); "Error 33" and -1 for an
// index outside the table.
[[nodiscard]] int DayColumn(int dayStep, int column, TMessageSink& messages);

// A column's days as the panel looks them up from its text: dayStep 0 (a text outside the list)
// shows "DaysStep error" before DayColumn refuses it.
[[nodiscard]] int ColumnDays(int dayStep, int column, TMessageSink& messages);

// The value of a table row (1 to 11): base + 6 step - row step, in single precision.
[[nodiscard]] float AxisValue(int row, float base, float step);

}  // namespace valquor
