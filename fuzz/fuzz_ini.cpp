// Arbitrary bytes as a profile (INI) file, then a few changes chosen by the rest of the input,
// all in memory (the profile is in an update that never ends, so nothing reaches a disk).
// Checked: writing back keeps every line of the file; what is written reads back; a change
// touches no other key; the text written reads back as the same profile.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/IniProfile.h"
#include "forms/Text.h"

namespace {

using valquor::TIniProfile;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

[[noreturn]] void Fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "fuzz check failed: %s: %.*s\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

std::string_view WithoutBom(std::string_view text) {
  return text.substr(0, kBom.size()) == kBom ? text.substr(kBom.size()) : text;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string TrimmedOneLine(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  std::string s(text.substr(begin, end - begin));
  for (char& c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return s;
}

// What a value written reads back as: trimmed, one pair of double quotes dropped, cut.
std::string ReadBack(std::string_view value) {
  std::string s(value);
  for (char& c : s) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  s = TrimmedOneLine(s);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  if (s.size() > TIniProfile::kMaxValue) s.resize(TIniProfile::kMaxValue);
  return s;
}

// Every section/key a reader reaches, with its value.
using TSnapshot = std::map<std::pair<std::string, std::string>, std::optional<std::string>>;

TSnapshot Snapshot(const TIniProfile& ini) {
  TSnapshot all;
  for (const std::string& section : ini.Sections()) {
    for (const std::string& key : ini.ReadSection(section)) {
      const std::optional<std::string> value = ini.Get(section, key);
      if (!value) Fail("a listed key reads as missing", section + "/" + key);
      if (value->size() > TIniProfile::kMaxValue) Fail("a value read back uncut", key);
      all[{section, key}] = value;
    }
  }
  return all;
}

// The keys of `before` other than the changed ones read as they did.
template <class TChanged>
void CheckOthers(const TIniProfile& ini, const TSnapshot& before, TChanged changed) {
  for (const auto& [name, value] : before) {
    if (changed(name.first, name.second)) continue;
    if (ini.Get(name.first, name.second) != value) {
      Fail("a change touched another key", name.first + "/" + name.second);
    }
  }
}

std::vector<std::string> Lines(std::string_view text) {
  return valquor::SplitLines(WithoutBom(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string text = input.ConsumeRandomLengthString(16384);

  // No file: the path is never written, since the update below never ends.
  TIniProfile ini{std::filesystem::path()};
  ini.BeginUpdate();
  ini.Parse(text);
  const std::string written = ini.Serialize();
  if (Lines(written) != Lines(text)) Fail("a line of the file was not kept");
  if ((written.substr(0, kBom.size()) == kBom) != (text.substr(0, kBom.size()) == kBom)) {
    Fail("byte order mark");
  }
  {
    TIniProfile again{std::filesystem::path()};
    again.BeginUpdate();
    again.Parse(written);
    if (again.Serialize() != written) Fail("written text does not read back the same");
  }

  for (int step = 0; step < 12 && input.remaining_bytes() > 0; ++step) {
    const int op = input.ConsumeIntegralInRange(0, 3);
    const std::string section = input.ConsumeRandomLengthString(40);
    const std::string key = input.ConsumeRandomLengthString(40);
    const TSnapshot before = Snapshot(ini);
    const std::vector<std::string> linesBefore = Lines(ini.Serialize());
    const auto sameSection = [&](const std::string& s) {
      return valquor::SameText(s, TrimmedOneLine(section));
    };
    switch (op) {
      case 0: {
        const std::string value = input.ConsumeRandomLengthString(1200);
        ini.WriteString(section, key, value);
        const std::string cleanKey = TrimmedOneLine(key);
        const bool readable = !cleanKey.empty() && cleanKey.find('=') == std::string::npos &&
                              cleanKey[0] != ';' && cleanKey[0] != '[' &&
                              TrimmedOneLine(section).find(']') == std::string::npos;
        if (readable && ini.Get(section, key) != ReadBack(value)) {
          Fail("a written value does not read back", key);
        }
        CheckOthers(ini, before, [&](const std::string& s, const std::string& k) {
          return sameSection(s) && valquor::SameText(k, cleanKey);
        });
        // One line replaced, or one added, or a section of one key added at the end.
        const std::vector<std::string> linesAfter = Lines(ini.Serialize());
        std::size_t differ = 0;
        if (linesAfter.size() == linesBefore.size()) {
          for (std::size_t i = 0; i < linesAfter.size(); ++i)
            differ += linesAfter[i] != linesBefore[i];
          if (differ > 1) Fail("a write changed more than one line");
        } else if (linesAfter.size() == linesBefore.size() + 1) {
          std::size_t i = 0;
          while (i < linesBefore.size() && linesAfter[i] == linesBefore[i]) ++i;
          for (; i < linesBefore.size(); ++i) {
            if (linesAfter[i + 1] != linesBefore[i]) Fail("a write moved lines");
          }
        } else if (linesAfter.size() == linesBefore.size() + 2) {
          for (std::size_t i = 0; i < linesBefore.size(); ++i) {
            if (linesAfter[i] != linesBefore[i]) Fail("a new section moved lines");
          }
        } else {
          Fail("a write changed the number of lines", std::to_string(linesAfter.size()));
        }
        if (!readable && linesAfter != linesBefore) Fail("a refused write changed the file", key);
        break;
      }
      case 1:
        ini.DeleteKey(section, key);
        CheckOthers(ini, before, [&](const std::string& s, const std::string& k) {
          return sameSection(s) && valquor::SameText(k, TrimmedOneLine(key));
        });
        break;
      case 2:
        ini.EraseSection(section);
        if (ini.SectionExists(section)) Fail("an erased section is still there", section);
        CheckOthers(ini, before,
                    [&](const std::string& s, const std::string&) { return sameSection(s); });
        break;
      default: {
        // The keys owned: those that begin with the first byte of the key text, in either letter
        // case, as keys are named (an owner that took "a" and left "A" would uncover "A=" lines
        // that "a=" lines above them hid).
        const std::string first(1, key.empty() ? 'W' : key[0]);
        const auto owned = [&first](std::string_view k) {
          return valquor::SameText(k.substr(0, 1), first);
        };
        ini.EraseKeys(section, owned);
        for (const std::string& k : ini.ReadSection(section)) {
          if (owned(k)) Fail("an owned key is still there", k);
        }
        CheckOthers(ini, before, [&](const std::string& s, const std::string& k) {
          return sameSection(s) && owned(k);
        });
        break;
      }
    }
  }

  // What is written reads back as the same profile.
  const std::string final = ini.Serialize();
  TIniProfile reread{std::filesystem::path()};
  reread.BeginUpdate();
  reread.Parse(final);
  if (Snapshot(reread) != Snapshot(ini)) Fail("the written profile reads back differently");
  return 0;
}
