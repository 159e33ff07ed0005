#pragma once
// Where the settings files live. Both programs (the window and the command-line driver) name
// their files after the window program, "valquor", placed in the settings folder: files that
// belong beside the program go directly in that folder, the one that belongs in the operating
// system's own folder goes in its subfolder "system".

#include <filesystem>

#include "forms/Platform.h"

namespace valquor {

// The settings folder when none is given, shared by both programs: $XDG_CONFIG_HOME/valquor when
// that variable holds an absolute path, else $HOME/.config/valquor, else .config/valquor below
// the working folder.
[[nodiscard]] std::filesystem::path DefaultSettingsFolder();

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
