#include "forms/SettingsFiles.h"

#include <cstdlib>

#include "forms/Text.h"

namespace valquor {

std::filesystem::path DefaultSettingsFolder() {
  // A relative $XDG_CONFIG_HOME is ignored, as the XDG base directory rules ask.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME");
      xdg != nullptr && std::filesystem::path(xdg).is_absolute()) {
    return std::filesystem::path(xdg) / "valquor";
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return std::filesystem::path(home) / ".config" / "valquor";
  }
  return std::filesystem::path(".config") / "valquor";
}

std::filesystem::path ProgramFilePath(TPlatform& platform) {
  return platform.SettingsFolder() / kProgramFileName;
}

std::filesystem::path ProgramFolder(TPlatform& platform) { return platform.SettingsFolder(); }

std::filesystem::path ProgramSettingsPath(TPlatform& platform) {
  std::filesystem::path path = ProgramFilePath(platform);
  const std::string name = path.filename().string();
  const std::size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return path.parent_path() / (stem + ".ini");
}

std::filesystem::path SystemFolder(TPlatform& platform) {
  return platform.SettingsFolder() / "system";
}

std::filesystem::path SystemFolderFile(TPlatform& platform) {
  return SystemFolder(platform) /
         (LowerCase(ProgramFilePath(platform).filename().string()) + ".ini");
}

}  // namespace valquor
