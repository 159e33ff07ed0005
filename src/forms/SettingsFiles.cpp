#include "forms/SettingsFiles.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "forms/FileLock.h"
#include "forms/FileReplace.h"
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
  // Without HOME (a service, a cron job, "env -i") the user's home is still known.
  const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
  struct passwd entry {};
  struct passwd* found = nullptr;
  while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  if (found != nullptr && found->pw_dir != nullptr && *found->pw_dir != '\0') {
    return std::filesystem::path(found->pw_dir) / ".config" / "valquor";
  }
  return std::filesystem::path(".config") / "valquor";
}

std::vector<std::filesystem::path> SettingsFiles(const std::filesystem::path& folder) {
  const std::string program = std::string(kProgramFileName) + ".ini";
  return {folder / "valqor11.ini", folder / "valqor.ini", folder / program,
          folder / "system" / program};
}

std::filesystem::path SettingsLockFile(TPlatform& platform) {
  return platform.SettingsFolder() / ".valquor.lock";
}

namespace {

bool HoldsTemporaries(const std::filesystem::path& folder) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (IsReplacementTemporary(it->path().filename().string())) return true;
  }
  return false;
}

}  // namespace

void RemoveStaleTemporaries(TPlatform& platform) {
  const std::filesystem::path folder = platform.SettingsFolder();
  if (!HoldsTemporaries(folder) && !HoldsTemporaries(SystemFolder(platform))) return;
  // A temporary file exists only while a save holds the lock, so one found under the lock was
  // left by a save that never finished.
  const TFileLock lock(SettingsLockFile(platform), /*wait=*/false);
  if (!lock.Held()) return;
  RemoveReplacementTemporaries(folder);
  RemoveReplacementTemporaries(SystemFolder(platform));
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
