#include "reports/ReportCells.h"

#include <climits>
#include <cmath>

#include "models/Format.h"

namespace valquor {
namespace {

// A text that does not fit its cell shows the cell's mark; shorter texts are already padded to
// their width.
std::string FitCell(std::string text, std::size_t width, const char* overflow) {
  return text.size() <= width ? text : overflow;
}

std::string FormatValueCell(float value, double wholeFrom, double oneDecimalFrom,
                            double negativeOneFrom, double negativeWholeFrom) {
  if (!std::isfinite(value)) return kOverflowCell;
  const double v = value;
  int decimals = 2;
  if (v >= wholeFrom || v <= negativeWholeFrom) {
    decimals = 0;
  } else if (v >= oneDecimalFrom || v <= negativeOneFrom) {
    decimals = 1;
  }
  return FitCell(FormatFixed(v, decimals, 6), 6, kOverflowCell);
}

}  // namespace

std::string FormatCell(float value) { return FormatValueCell(value, 999.5, 9.95, -10, -1000); }

std::string FormatStatCell(float value) { return FormatValueCell(value, 50, 1, -1, -50); }

std::string FormatDays(int n) { return FitCell(PadLeft(std::to_string(n), 5), 6, kOverflowDays); }

std::string FormatAxisLabel(float value) {
  if (!std::isfinite(value)) return kOverflowAxis;
  const std::string text = FormatFixed(value, 1, 7);
  return text.size() <= 7 ? text + " " : FitCell(text, 8, kOverflowAxis);
}

int RoundToInt(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(rounded);
}

}  // namespace valquor
