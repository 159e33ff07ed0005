#include "forms/IniProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>
#include <utility>

#include "forms/Text.h"
#include "forms/Platform.h"

namespace valquor {
namespace {

// Profile files are small; a "profile" beyond this size is read only up to it.
constexpr std::streamsize kMaxFileSize = 64 << 20;

std::string KeyOf(std::string_view trimmedLine) {
  if (trimmedLine.empty() || trimmedLine[0] == ';' || trimmedLine[0] == '[') return {};
  const std::size_t eq = trimmedLine.find('=');
  if (eq == std::string_view::npos) return {};
  return Trim(trimmedLine.substr(0, eq));
}

std::string ValueOf(std::string_view raw) {
  const std::size_t eq = raw.find('=');
  std::string value = Trim(raw.substr(eq + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// Line ends inside a value would break the file apart: they become blanks.
std::string OneLine(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return s;
}

}  // namespace

TIniProfile::TIniProfile(std::filesystem::path path) : path_(std::move(path)) {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  std::string text;
  char buffer[16384];
  while (in && static_cast<std::streamsize>(text.size()) < kMaxFileSize) {
    in.read(buffer, sizeof buffer);
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (static_cast<std::streamsize>(text.size()) > kMaxFileSize) {
    text.resize(static_cast<std::size_t>(kMaxFileSize));
  }
  Parse(text);
}

void TIniProfile::Parse(std::string_view text) {
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
    const std::string trimmed = Trim(raw);
    if (!trimmed.empty() && trimmed[0] == '[') {
      const std::size_t close = trimmed.find(']');
      TSection section;
      section.Name = Trim(std::string_view(trimmed).substr(
          1, close == std::string::npos ? std::string::npos : close - 1));
      section.HasHeader = true;
      section.Lines.push_back(TLine{raw, {}});
      sections_.push_back(std::move(section));
      continue;
    }
    sections_.back().Lines.push_back(TLine{raw, KeyOf(trimmed)});
  }
}

std::string TIniProfile::Serialize() const {
  std::string text = bom_ ? "\xEF\xBB\xBF" : "";
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
    if (section.HasHeader && SameText(section.Name, Trim(name))) return &section;
  }
  return nullptr;
}

TIniProfile::TSection* TIniProfile::FindSection(std::string_view name) {
  return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

std::optional<std::string> TIniProfile::Get(std::string_view section, std::string_view key) const {
  const TSection* s = FindSection(section);
  if (s == nullptr) return std::nullopt;
  const std::string wanted = Trim(key);
  for (const TLine& line : s->Lines) {
    if (!line.Key.empty() && SameText(line.Key, wanted)) {
      std::string value = ValueOf(line.Raw);
      if (value.size() > kMaxValue) value.resize(kMaxValue);
      return value;
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
  const std::string cleanKey = OneLine(Trim(key));
  const std::string cleanValue = OneLine(value);
  // A key that is empty, or holds "=", could never be read back.
  if (cleanKey.empty() || cleanKey.find('=') != std::string::npos) return;
  TSection* s = FindSection(section);
  if (s == nullptr) {
    TSection added;
    added.Name = OneLine(Trim(section));
    added.HasHeader = true;
    added.Lines.push_back(TLine{"[" + added.Name + "]", {}});
    sections_.push_back(std::move(added));
    s = &sections_.back();
  }
  bool replaced = false;
  for (TLine& line : s->Lines) {
    if (!line.Key.empty() && SameText(line.Key, cleanKey)) {
      line.Raw = line.Key + "=" + cleanValue;
      replaced = true;
      break;
    }
  }
  if (!replaced) {
    // After the section's last line that is not blank.
    std::size_t at = s->Lines.size();
    while (at > 1 && Trim(s->Lines[at - 1].Raw).empty()) --at;
    s->Lines.insert(s->Lines.begin() + static_cast<std::ptrdiff_t>(at),
                    TLine{cleanKey + "=" + cleanValue, cleanKey});
  }
  Changed();
}

void TIniProfile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniProfile::EraseSection(std::string_view section) {
  bool erased = false;
  for (auto it = sections_.begin(); it != sections_.end();) {
    if (it->HasHeader && SameText(it->Name, Trim(section))) {
      it = sections_.erase(it);
      erased = true;
    } else {
      ++it;
    }
  }
  if (erased) Changed();
}

void TIniProfile::DeleteKey(std::string_view section, std::string_view key) {
  TSection* s = FindSection(section);
  if (s == nullptr) return;
  const std::string wanted = Trim(key);
  for (auto it = s->Lines.begin(); it != s->Lines.end(); ++it) {
    if (!it->Key.empty() && SameText(it->Key, wanted)) {
      s->Lines.erase(it);
      Changed();
      return;
    }
  }
}

void TIniProfile::Changed() {
  if (updating_ > 0) {
    dirty_ = true;
    return;
  }
  Save();
}

void TIniProfile::EndUpdate() {
  if (updating_ > 0) --updating_;
  if (updating_ > 0 || !dirty_) return;
  dirty_ = false;
  Save();
}

void TIniProfile::Save() const {
  const EIniFileException failure("Unable to write to " + path_.string());
  std::error_code ec;
  // Through a symbolic link the file it points at is replaced, not the link.
  std::filesystem::path target = path_;
  if (std::filesystem::is_symlink(path_, ec)) {
    target = std::filesystem::weakly_canonical(path_, ec);
    if (ec) target = path_;
  }
  // A file the user may not write (marked read-only) stays as it is.
  if (std::filesystem::exists(target, ec) && ::access(target.c_str(), W_OK) != 0) throw failure;
  if (target.has_parent_path()) {
    std::filesystem::create_directories(target.parent_path(), ec);
  }
  std::string pattern = target.string() + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw failure;
  const std::filesystem::path temporary = pattern;
  const auto abandon = [&] {
    ::close(fd);
    std::filesystem::remove(temporary, ec);
    throw failure;
  };
  // The new file keeps the permissions of the one it replaces (mkstemp makes it private).
  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) {
    ::fchmod(fd, existing.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  const std::string text = Serialize();
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) abandon();
    written += static_cast<std::size_t>(n);
  }
  // On disk before it takes the old file's place, so a crash leaves one file or the other.
  if (::fsync(fd) != 0) abandon();
  if (::close(fd) != 0) {
    std::filesystem::remove(temporary, ec);
    throw failure;
  }
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    throw failure;
  }
}

}  // namespace valquor
