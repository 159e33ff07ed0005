#pragma once
// Where the settings files live. Both programs (the window and the command-line driver) name
// their files after the window program, "valquor", placed in the settings folder: files that
// belong beside the program go directly in that folder, the one that belongs in the operating
// system's own folder goes in its subfolder "system".

#include <filesystem>
#include <vector>

#include "forms/Platform.h"

namespace valquor {

// The settings folder when none is given, shared by both programs: $XDG_CONFIG_HOME/valquor when
// that variable holds an absolute path, else $HOME/.config/valquor, else (HOME unset or empty)
// .config/valquor in the home folder of the password database, else .config/valquor below the
// working folder.
[[nodiscard]] std::filesystem::path DefaultSettingsFolder();

// The four settings files of a settings folder: valqor11.ini (the main window's fields),
// valqor.ini (the two dialogs'), valquor.ini (report font, weekly closes) and
// system/valquor.ini (sub-page, price-file folder, implied-volatility grid).
[[nodiscard]] std::vector<std::filesystem::path> SettingsFiles(const std::filesystem::path& folder);

// The lock file every save of a settings file holds (TIniProfile): <settings folder>/.valquor.lock.
[[nodiscard]] std::filesystem::path SettingsLockFile(TPlatform& platform);

// Removes the temporary files that saves killed on the way left in the settings folder and its
// "system" subfolder. Waits for no one: while another program holds the lock it is left for
// the next start. Creates nothing when the folder is missing.
void RemoveStaleTemporaries(TPlatform& platform);

// The name of the program file the settings files are named after.
inline constexpr const char* kProgramFileName = "valquor";

// The program file as the settings see it: <settings folder>/valquor.
[[nodiscard]] std::filesystem::path ProgramFilePath(TPlatform& platform);
// The folder of the program file (the settings folder); dialogs without a remembered folder
// start there.
[[nodiscard]] std::filesystem::path ProgramFolder(TPlatform& platform);
// The program settings file: the program file's path without its extension, plus ".ini"; a
// name without an extension loses nothing ("valquor" gives "valquor.ini").
[[nodiscard]] std::filesystem::path ProgramSettingsPath(TPlatform& platform);
// The system-folder file: the program file's name, extension included, in lower case, plus
// ".ini", in the "system" subfolder of the settings folder.
[[nodiscard]] std::filesystem::path SystemFolderFile(TPlatform& platform);
// The operating system's own folder of this program: <settings folder>/system.
[[nodiscard]] std::filesystem::path SystemFolder(TPlatform& platform);

}  // namespace valquor
