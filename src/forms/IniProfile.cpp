#include "forms/IniProfile.h"

#include <algorithm>
#include <utility>

#include "forms/FileLock.h"
#include "forms/FileReplace.h"
#include "forms/Platform.h"
#include "forms/Text.h"
#include "models/Numbers.h"

namespace valquor {
namespace {

std::string KeyOf(std::string_view trimmedLine) {
  if (trimmedLine.empty() || trimmedLine[0] == ';' || trimmedLine[0] == '[') return {};
  const std::size_t eq = trimmedLine.find('=');
  if (eq == std::string_view::npos) return {};
  return Trim(trimmedLine.substr(0, eq));
}

// The value of a key line as it is read back: trimmed, one pair of enclosing double quotes
// dropped, cut at TIniProfile::kMaxValue (only that much is copied, whatever the line's size).
std::string ValueOf(std::string_view raw) {
  std::string_view value = StripBlanks(raw.substr(raw.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, TIniProfile::kMaxValue));
}

// Line ends inside a value would break the file apart: they become blanks.
std::string OneLine(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return s;
}

// A section or key name as it is written, and as a name asked for is looked up.
std::string NameOf(std::string_view text) { return OneLine(Trim(text)); }

}  // namespace

TIniProfile::TIniProfile(std::filesystem::path path, std::filesystem::path lockFile)
    : path_(std::move(path)), lockFile_(std::move(lockFile)) {
  std::string text;
  if (ReadWholeFile(path_, text) != TFileRead::Read) text.clear();
  ParseText(text);
}

void TIniProfile::Parse(std::string_view text) {
  ParseText(text);
  changes_.clear();
}

void TIniProfile::ParseText(std::string_view text) {
  sections_.clear();
  sections_.push_back(TSection{});
  // A UTF-8 byte order mark stays at the head of the file but is no part of its first line.
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  bom_ = text.substr(0, kBom.size()) == kBom;
  if (bom_) text.remove_prefix(kBom.size());
  const std::size_t firstEnd = text.find_first_of("\r\n");
  eol_ = firstEnd != std::string_view::npos && text[firstEnd] == '\r' &&
                 firstEnd + 1 < text.size() && text[firstEnd + 1] == '\n'
             ? "\r\n"
             : "\n";
  for (std::string& raw : SplitLines(text)) {
    // A view: a line may be a value of many megabytes.
    const std::string_view trimmed = StripBlanks(raw);
    if (!trimmed.empty() && trimmed[0] == '[') {
      const std::size_t close = trimmed.find(']');
      TSection section;
      section.Name = Trim(
          trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      section.HasHeader = true;
      section.Lines.push_back(TLine{std::move(raw), {}});
      sections_.push_back(std::move(section));
      continue;
    }
    std::string key = KeyOf(trimmed);
    sections_.back().Lines.push_back(TLine{std::move(raw), std::move(key)});
  }
}

std::string TIniProfile::Serialize() const {
  std::size_t size = 3;
  for (const TSection& section : sections_) {
    for (const TLine& line : section.Lines) size += line.Raw.size() + eol_.size();
  }
  std::string text;
  text.reserve(size);
  if (bom_) text = "\xEF\xBB\xBF";
  for (const TSection& section : sections_) {
    for (const TLine& line : section.Lines) {
      text += line.Raw;
      text += eol_;
    }
  }
  return text;
}

const TIniProfile::TSection* TIniProfile::FindSection(std::string_view name) const {
  for (const TSection& section : sections_) {
    if (section.HasHeader && SameText(section.Name, NameOf(name))) return &section;
  }
  return nullptr;
}

TIniProfile::TSection* TIniProfile::FindSection(std::string_view name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

std::optional<std::string> TIniProfile::Get(std::string_view section, std::string_view key) const {
  const TSection* s = FindSection(section);
  if (s == nullptr) return std::nullopt;
  const std::string wanted = NameOf(key);
  for (const TLine& line : s->Lines) {
    if (!line.Key.empty() && SameText(line.Key, wanted)) {
      return ValueOf(line.Raw);
    }
  }
  return std::nullopt;
}

std::string TIniProfile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
  std::optional<std::string> value = Get(section, key);
  return value ? *value : std::string(fallback);
}

int TIniProfile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const std::optional<std::string> value = Get(section, key);
  if (!value) return fallback;
  const std::optional<int> number = TryStrToInt(*value);
  return number ? *number : fallback;
}

bool TIniProfile::SectionExists(std::string_view section) const {
  return FindSection(section) != nullptr;
}

std::vector<std::string> TIniProfile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FindSection(section)) {
    for (const TLine& line : s->Lines) {
      if (!line.Key.empty()) keys.push_back(line.Key);
    }
  }
  return keys;
}

std::vector<std::string> TIniProfile::Sections() const {
  std::vector<std::string> names;
  for (const TSection& section : sections_) {
    if (section.HasHeader) names.push_back(section.Name);
  }
  return names;
}

void TIniProfile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
  std::string cleanSection = NameOf(section);
  std::string cleanKey = NameOf(key);
  // A key that is empty, holds "=" or reads as a comment or a section, or a section name that
  // holds "]", could never be read back.
  if (cleanKey.empty() || cleanKey.find('=') != std::string::npos || cleanKey[0] == ';' ||
      cleanKey[0] == '[' || cleanSection.find(']') != std::string::npos) {
    return;
  }
  std::string cleanValue = OneLine(value);
  ApplyWrite(cleanSection, cleanKey, cleanValue);
  Changed(
      [section = std::move(cleanSection), key = std::move(cleanKey),
       value = std::move(cleanValue)](TIniProfile& ini) { ini.ApplyWrite(section, key, value); });
}

void TIniProfile::ApplyWrite(const std::string& section, const std::string& key,
                             const std::string& value) {
  TSection* s = FindSection(section);
  if (s == nullptr) {
    TSection added;
    added.Name = section;
    added.HasHeader = true;
    added.Lines.push_back(TLine{"[" + section + "]", {}});
    sections_.push_back(std::move(added));
    s = &sections_.back();
  }
  for (TLine& line : s->Lines) {
    if (!line.Key.empty() && SameText(line.Key, key)) {
      line.Raw = line.Key + "=" + value;
      return;
    }
  }
  // After the section's last line that is not blank.
  std::size_t at = s->Lines.size();
  while (at > 1 && StripBlanks(s->Lines[at - 1].Raw).empty()) --at;
  s->Lines.insert(s->Lines.begin() + static_cast<std::ptrdiff_t>(at),
                  TLine{key + "=" + value, key});
}

void TIniProfile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniProfile::EraseSection(std::string_view section) {
  std::string name = NameOf(section);
  if (!ApplyEraseSection(name)) return;
  Changed([name = std::move(name)](TIniProfile& ini) { ini.ApplyEraseSection(name); });
}

bool TIniProfile::ApplyEraseSection(const std::string& section) {
  bool erased = false;
  for (auto it = sections_.begin(); it != sections_.end();) {
    if (it->HasHeader && SameText(it->Name, section)) {
      it = sections_.erase(it);
      erased = true;
    } else {
      ++it;
    }
  }
  return erased;
}

void TIniProfile::DeleteKey(std::string_view section, std::string_view key) {
  std::string sectionName = NameOf(section);
  std::string keyName = NameOf(key);
  if (!ApplyDeleteKey(sectionName, keyName)) return;
  Changed([section = std::move(sectionName), key = std::move(keyName)](TIniProfile& ini) {
    ini.ApplyDeleteKey(section, key);
  });
}

bool TIniProfile::ApplyDeleteKey(const std::string& section, const std::string& key) {
  TSection* s = FindSection(section);
  if (s == nullptr) return false;
  for (auto it = s->Lines.begin(); it != s->Lines.end(); ++it) {
    if (!it->Key.empty() && SameText(it->Key, key)) {
      s->Lines.erase(it);
      return true;
    }
  }
  return false;
}

void TIniProfile::EraseKeys(std::string_view section,
                            const std::function<bool(std::string_view)>& owned) {
  std::string name = NameOf(section);
  if (!ApplyEraseKeys(name, owned)) return;
  Changed([name = std::move(name), owned](TIniProfile& ini) { ini.ApplyEraseKeys(name, owned); });
}

bool TIniProfile::ApplyEraseKeys(const std::string& section,
                                 const std::function<bool(std::string_view)>& owned) {
  bool changed = false;
  for (auto it = sections_.begin(); it != sections_.end();) {
    if (!it->HasHeader || !SameText(it->Name, section)) {
      ++it;
      continue;
    }
    std::vector<TLine>& lines = it->Lines;
    const auto before = lines.size();
    std::erase_if(lines, [&](const TLine& line) { return !line.Key.empty() && owned(line.Key); });
    changed = changed || lines.size() != before;
    // Nothing but the header and blank lines left: the section is gone as a whole.
    const bool empty = std::all_of(lines.begin() + 1, lines.end(),
                                   [](const TLine& line) { return StripBlanks(line.Raw).empty(); });
    if (empty) {
      it = sections_.erase(it);
      changed = true;
    } else {
      ++it;
    }
  }
  return changed;
}

void TIniProfile::Changed(TChange change) {
  changes_.push_back(std::move(change));
  if (updating_ == 0) Save();
}

void TIniProfile::EndUpdate() {
  if (updating_ > 0) --updating_;
  if (updating_ > 0 || changes_.empty()) return;
  Save();
}

void TIniProfile::Save() {
  const std::string failure = "Unable to write to " + path_.string();
  if (!lockFile_.empty() && lockFile_.has_parent_path()) (void)MakeFolders(lockFile_.parent_path());
  const TFileLock lock(lockFile_);
  // What is on disk now, written by another program since this one read it, is what the
  // changes apply to: keys this program does not change are kept as they are there.
  std::string text;
  const TFileRead read = ReadWholeFile(path_, text);
  if (read == TFileRead::Failed) throw EIniFileException(failure);
  std::vector<TChange> changes = std::move(changes_);
  changes_.clear();
  ParseText(text);
  for (const TChange& change : changes) change(*this);
  if (!ReplaceFile(path_, Serialize())) {
    changes_ = std::move(changes);  // still to be saved
    throw EIniFileException(failure);
  }
}

}  // namespace valquor
