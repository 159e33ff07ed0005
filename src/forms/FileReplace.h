#pragma once
// Reading a settings file whole and replacing it safely: the new content goes to a temporary
// file of our own naming beside the old one, reaches the disk, takes the old file's owner,
// group and mode, and then takes its place in one rename, so that a crash, a kill or a full
// disk leaves either the old file or the new one, never a mix.

#include <filesystem>
#include <string>
#include <string_view>

namespace valquor {

enum class TFileRead {
  Read,     // the text holds the whole file
  Missing,  // no such file (or no such folder): reads as empty
  Failed,   // anything else: no permission, not a regular file, a read error
};

// Reads a regular file whole, whatever its size, following symbolic links. A FIFO, a device
// or a folder is Failed and is never opened for long.
[[nodiscard]] TFileRead ReadWholeFile(const std::filesystem::path& path, std::string& text);

// Creates a folder and the folders above it that are missing. Run as root, each folder it
// creates takes the owner and group of the folder that holds it. False when it cannot.
[[nodiscard]] bool MakeFolders(const std::filesystem::path& folder);

// Replaces the file at path (through a symbolic link, the file it points at) by text: a
// temporary file ".<name>.valquor-tmp-XXXXXX" in the same folder is written and flushed, given
// the old file's owner, group and mode (a new file: the umask's mode; run as root, the owner
// of its folder), renamed over the old file, and the folder is flushed. Missing folders are
// created. Ignores SIGXFSZ, so a file-size limit is a short write. False, leaving the old file
// whole and no temporary file, on any short write or error (EFBIG, ENOSPC ...), when the old
// file lacks its owner's write permission (for root too) or may not be written by this user,
// or is no regular file; run as root, also through a link whose owner does not own its target.
[[nodiscard]] bool ReplaceFile(const std::filesystem::path& path, std::string_view text);

// Whether a file name has the form of ReplaceFile's temporary files.
[[nodiscard]] bool IsReplacementTemporary(std::string_view fileName);

// Removes the files of a folder (not of its subfolders) that IsReplacementTemporary names.
// Only safe while no save can be writing in the folder (hold the settings lock).
void RemoveReplacementTemporaries(const std::filesystem::path& folder);

}  // namespace valquor
