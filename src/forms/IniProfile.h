#pragma once
// A profile (INI) file with the semantics the program's settings rely on: sections and keys
// matched without regard to letter case (ASCII), section names kept verbatim (backslashes and
// blanks included), the first of duplicate sections and keys wins, keys and values trimmed and
// one pair of enclosing double quotes dropped on reading, values read back cut at 1023
// characters while the file keeps them whole. Files are read whole, whatever their size.
// Writing keeps every other line, comment, section and the file's line ends as they were; new
// keys go at the end of their section, new sections at the end of the file.
// A save re-reads the file from disk and applies this object's changes to what it finds, so
// that keys another program wrote since are kept; with a lock file, the re-read, the change
// and the write happen under its lock (TFileLock). The file is then replaced whole in one
// rename (ReplaceFile), so a crash or a full disk never leaves half a file; a file that cannot
// be read back or written throws EIniFileException "Unable to write to <path>". A missing or
// unreadable file reads as empty.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valquor {

class TIniProfile {
 public:
  static constexpr std::size_t kMaxValue = 1023;

  // Reads the file when it exists; the path is where writes go (folders are created on write).
  // Saves hold the lock on lockFile when one is given (its folder is created when missing).
  explicit TIniProfile(std::filesystem::path path, std::filesystem::path lockFile = {});

  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

  // The value of a key, cut at kMaxValue characters; nothing when the section or key is missing.
  [[nodiscard]] std::optional<std::string> Get(std::string_view section,
                                               std::string_view key) const;
  [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key,
                                       std::string_view fallback) const;
  // The value as the toolkit's integer conversion reads it; fallback when missing or not one.
  [[nodiscard]] int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  [[nodiscard]] bool SectionExists(std::string_view section) const;
  // The keys of a section, in file order.
  [[nodiscard]] std::vector<std::string> ReadSection(std::string_view section) const;
  [[nodiscard]] std::vector<std::string> Sections() const;

  // Writes a key (replacing its value in place, keeping the key's spelling) and saves the file.
  // Line ends in the section, key or value become blanks; a key that could not be read back
  // (empty, holding "=", starting with ";" or "[") or a section name holding "]" writes nothing.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Removes a section with all its keys and saves the file; nothing when it is missing.
  void EraseSection(std::string_view section);
  // Removes one key and saves the file; nothing when it is missing.
  void DeleteKey(std::string_view section, std::string_view key);
  // Removes every key that owned accepts from every section of that name and saves the file;
  // a section left without a key or comment goes too. Keys owned does not accept stay.
  void EraseKeys(std::string_view section, const std::function<bool(std::string_view)>& owned);

  // Between BeginUpdate and the matching EndUpdate, changes stay in memory; EndUpdate saves
  // them in one replacement of the file (and throws EIniFileException when it cannot), so a
  // batch of keys is written all or not at all. Updates nest.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

  // The text of the file as it would be written.
  [[nodiscard]] std::string Serialize() const;
  // Replaces the content by a parsed text and forgets changes not yet saved (no write).
  void Parse(std::string_view text);

 private:
  struct TLine {
    std::string Raw;  // the line as in the file, without its line end
    std::string Key;  // trimmed key of a "key=value" line; empty for other lines
  };
  struct TSection {
    std::string Name;  // empty for the lines before the first section header
    bool HasHeader = false;
    std::vector<TLine> Lines;
  };

  // A change as it is applied again to the file found on disk at the save.
  using TChange = std::function<void(TIniProfile&)>;

  [[nodiscard]] const TSection* FindSection(std::string_view name) const;
  [[nodiscard]] TSection* FindSection(std::string_view name);
  void ParseText(std::string_view text);
  void ApplyWrite(const std::string& section, const std::string& key, const std::string& value);
  bool ApplyEraseSection(const std::string& section);
  bool ApplyDeleteKey(const std::string& section, const std::string& key);
  bool ApplyEraseKeys(const std::string& section,
                      const std::function<bool(std::string_view)>& owned);
  void Changed(TChange change);
  void Save();

  std::filesystem::path path_;
  std::filesystem::path lockFile_;
  std::vector<TSection> sections_;
  std::vector<TChange> changes_;  // not yet saved, in order
  std::string eol_ = "\n";
  bool bom_ = false;  // the file starts with a UTF-8 byte order mark
  int updating_ = 0;
};

}  // namespace valquor
