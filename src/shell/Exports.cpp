#include "shell/Exports.h"

#include <filesystem>
#include <system_error>

#include "forms/FileReplace.h"

namespace valquor {

void TExports::Set(const TComponent& control, TCsvTable table, std::string fileName) {
  kept_[&control] = TKept{std::move(table), std::move(fileName), control.Version()};
}

void TExports::Clear(const TComponent& control) { kept_.erase(&control); }

std::optional<TExports::TExport> TExports::Find(const TComponent& control) const {
  const auto found = kept_.find(&control);
  if (found == kept_.end() || found->second.Version != control.Version()) return std::nullopt;
  return TExport{&found->second.Table, found->second.FileName};
}

int TExports::Write(const TComponent& control, const std::string& path, TPlatform& platform) const {
  const std::optional<TExport> kept = Find(control);
  if (!kept) {
    platform.ShowMessage("Nothing to export", TMessageKind::Error);
    return 2;
  }
  // Replaced as the settings files are, in one rename; into a folder that exists only: an
  // export never makes folders.
  std::error_code ec;
  const std::filesystem::path file(path);
  const std::filesystem::path folder =
      file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  if (path.empty() || !std::filesystem::is_directory(folder, ec) ||
      !ReplaceFile(file, CsvText(*kept->Table))) {
    platform.ShowMessage("Unable to write to " + path, TMessageKind::Error);
    return 1;
  }
  return 0;
}

void TExports::ExportWithDialog(const TComponent& control, TPlatform& platform) const {
  const std::optional<TExport> kept = Find(control);
  if (!kept) {
    platform.ShowMessage("Nothing to export", TMessageKind::Error);
    return;
  }
  TFileDialogRequest request;
  request.Title = "Export";
  request.Filter = "CSV files (*.csv)|*.csv|All files|*.*";
  request.FileName = kept->FileName;
  request.DefaultExt = "csv";
  if (const std::optional<std::string> path = platform.SaveFileDialog(request)) {
    (void)Write(control, *path, platform);
  }
}

}  // namespace valquor
