#pragma once
// Writing a whole file so that a reader only ever sees the old file or the new one.

#include <filesystem>
#include <string_view>

namespace valquor {

// Writes text to a temporary file beside path, flushes it to disk and renames it over path
// (through a symbolic link, the file it points at). False when any step fails; the old file,
// if any, is then left whole and no temporary file remains.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace valquor
