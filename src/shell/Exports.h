#pragma once
// The tables behind the report panes, grids and charts, kept as their commands wrote them, for
// export as CSV files. A table belongs to the control it was written into and lasts until that
// control changes again (a new report, a cleared pane).

#include <map>
#include <optional>
#include <string>

#include "compute/Csv.h"
#include "forms/Controls.h"
#include "forms/Platform.h"

namespace valquor {

class TExports {
 public:
  // Keeps table as the export of control, offered as fileName ("fair-value.csv"); call it right
  // after writing the control.
  void Set(const TComponent& control, TCsvTable table, std::string fileName);
  // Forgets the export of control.
  void Clear(const TComponent& control);

  struct TExport {
    const TCsvTable* Table;
    std::string FileName;
  };
  // The export of control, or nothing when none was kept or the control changed since.
  [[nodiscard]] std::optional<TExport> Find(const TComponent& control) const;

  // Writes the export of control to path. Nothing kept: shows "Nothing to export" and returns 2.
  // A file that cannot be written: "Unable to write to <path>", 1. Written: 0.
  int Write(const TComponent& control, const std::string& path, TPlatform& platform) const;
  // The Export... button of control: "Nothing to export" when nothing is kept, else a save
  // dialog offering the kept file name, then Write to the chosen path (nothing when cancelled).
  void ExportWithDialog(const TComponent& control, TPlatform& platform) const;

 private:
  struct TKept {
    TCsvTable Table;
    std::string FileName;
    std::uint64_t Version = 0;  // the control's version when the table was kept
  };
  std::map<const TComponent*, TKept> kept_;
};

}  // namespace valquor
