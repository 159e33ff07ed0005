#include "reports/DaySteps.h"

#include <array>

#include "reports/ReportInputs.h"

namespace valquor {
namespace {

constexpr std::array<std::string_view, 12> kDaySteps = {"1",  "2",   "2*", "5",  "5*",  "10",
                                                        "11", "11*", "22", "44", "44*", "65"};

// The trading days of the eleven columns of every day step: ten steps down to none, or for a
// "*" step twenty steps down to ten.
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

int FindDayStep(std::string_view text) {
  for (std::size_t i = 0; i < kDaySteps.size(); ++i) {
    if (text == kDaySteps[i]) return static_cast<int>(i) + 1;
  }
  return 0;
}

int DayColumn(int dayStep, int column, TMessageSink& messages) {
  if (dayStep < 1 || dayStep > 12 || column < 1 || column > kDayColumns) {
    messages.ShowMessage("Error 33", TMessageKind::Error);
    return -1;
  }
  return kDayTable[dayStep - 1][column - 1];
}

int ColumnDays(int dayStep, int column, TMessageSink& messages) {
  if (dayStep == 0) messages.ShowMessage("DaysStep error", TMessageKind::Error);
  return DayColumn(dayStep, column, messages);
}

float AxisValue(int row, float base, float step) {
  const double s = step;
  return static_cast<float>(static_cast<double>(base) + 6.0 * s - row * s);
}

}  // namespace valquor
