#pragma once
// A profile (INI) file with the semantics the program's settings rely on: sections and keys
// matched without regard to letter case (ASCII), section names kept verbatim (backslashes and
// blanks included), the first of duplicate sections and keys wins, keys and values trimmed and
// one pair of enclosing double quotes dropped on reading, values read back cut at 1023
// characters while the file keeps them whole. Writing keeps every other line, comment, section
// and the file's line ends as they were; new keys go at the end of their section, new sections
// at the end of the file. Every change is written at once and replaces the file whole (a
// temporary file, then a rename), so a crash or a full disk never leaves half a file; a file
// that cannot be written throws EIniFileException "Unable to write to <path>". A missing or
// unreadable file reads as empty.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valquor {

class TIniProfile {
 public:
  static constexpr std::size_t kMaxValue = 1023;

  // Reads the file when it exists; the path is where writes go (folders are created on write).
  explicit TIniProfile(std::filesystem::path path);

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
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Removes a section with all its keys and saves the file; nothing when it is missing.
  void EraseSection(std::string_view section);
  // Removes one key and saves the file; nothing when it is missing.
  void DeleteKey(std::string_view section, std::string_view key);

  // Between BeginUpdate and the matching EndUpdate, changes stay in memory; EndUpdate writes
  // them in one replacement of the file (and throws EIniFileException when it cannot), so a
  // batch of keys is written all or not at all.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

  // The text of the file as it would be written.
  [[nodiscard]] std::string Serialize() const;
  // Replaces the content by a parsed text (no write).
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

  [[nodiscard]] const TSection* FindSection(std::string_view name) const;
  [[nodiscard]] TSection* FindSection(std::string_view name);
  void Save() const;
  void Changed();

  std::filesystem::path path_;
  std::vector<TSection> sections_;
  std::string eol_ = "\n";
  bool bom_ = false;  // the file starts with a UTF-8 byte order mark
  int updating_ = 0;
  bool dirty_ = false;
};

}  // namespace valquor
