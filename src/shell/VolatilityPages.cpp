#include "shell/VolatilityPages.h"

#include <cmath>
#include <string>

#include "models/Format.h"

namespace valquor {

TVolatilityPages::TVolatilityPages(TFormPersonalControls& form, TPlatform& platform,
                                   TReportPanel& panel, TExports& exports, TRunCommand run,
                                   bool& american)
    : Prices1(platform),
      form_(form),
      platform_(platform),
      panel_(panel),
      exports_(exports),
      run_(std::move(run)),
      american_(american) {}

void TVolatilityPages::SetUpGridCaptions() {
  TStringGrid& weeks = form_.WeeksGrid;
  weeks.SetCell(0, 0, "Week");
  weeks.SetCell(1, 0, "Close");
  for (int row = 1; row <= kWeekRows; ++row) {
    weeks.SetCell(0, row, PadLeft(std::to_string(1 - row), 3));
  }
  // The close column is half as wide again as the others.
  weeks.ColWidths.resize(static_cast<std::size_t>(weeks.ColCount()), weeks.DefaultColWidth);
  weeks.ColWidths[1] = static_cast<int>(std::lround(1.5 * weeks.DefaultColWidth));

  TStringGrid& grid = form_.Grid;
  grid.SetCell(1, 0, "Strike");
  grid.SetCell(2, 0, "Call");
  grid.SetCell(3, 0, "Put");
}

}  // namespace valquor
