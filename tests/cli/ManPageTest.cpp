// The manual page valquor-cli.1 against the program: every step and option of --help has its
// entry and no entry names one that --help does not; every settings file a run writes is listed.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

const fs::path kManPage = fs::path(VALQUOR_SOURCE_DIR) / "docs/man/valquor-cli.1";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The entries of one section of the --help text ("Steps:", "Options:"): lines indented by
// exactly two blanks, up to the first run of two blanks that starts the explanation.
std::set<std::string> UsageEntries(const std::string& usage, const std::string& heading) {
  std::set<std::string> entries;
  bool inside = false;
  for (const std::string& line : Lines(usage)) {
    if (!line.empty() && line[0] != ' ') {
      inside = line == heading;
      continue;
    }
    if (!inside || line.size() < 3 || line.compare(0, 2, "  ") != 0 || line[2] == ' ') continue;
    const std::size_t gap = line.find("  ", 2);
    entries.insert(line.substr(2, gap == std::string::npos ? std::string::npos : gap - 2));
  }
  return entries;
}

// The text a roff line shows: font macros (.B, .I, .BI, .IR ...) join their arguments, without
// blanks when they alternate fonts; font escapes go, \- is a hyphen.
std::string RoffText(const std::string& line) {
  std::string text = line;
  if (!text.empty() && text[0] == '.') {
    const std::size_t blank = text.find(' ');
    const std::string macro = text.substr(1, blank == std::string::npos ? blank : blank - 1);
    std::vector<std::string> args;
    std::string rest = blank == std::string::npos ? std::string() : text.substr(blank + 1);
    for (std::size_t i = 0; i < rest.size();) {
      if (rest[i] == ' ') {
        ++i;
      } else if (rest[i] == '"') {
        const std::size_t close = rest.find('"', i + 1);
        args.push_back(rest.substr(i + 1, close == std::string::npos ? close : close - i - 1));
        i = close == std::string::npos ? rest.size() : close + 1;
      } else {
        const std::size_t end = rest.find(' ', i);
        args.push_back(rest.substr(i, end == std::string::npos ? end : end - i));
        i = end == std::string::npos ? rest.size() : end;
      }
    }
    const std::string separator = macro.size() == 1 ? " " : "";
    text.clear();
    for (std::size_t i = 0; i < args.size(); ++i) text += (i > 0 ? separator : "") + args[i];
  }
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      shown += text[i];
    } else if (text[i + 1] == 'f') {
      i += 2;  // \fB, \fI, \fR, \fP
    } else if (text[i + 1] == '&') {
      ++i;
    } else {
      shown += text[i + 1];  // \- and \e
      ++i;
    }
  }
  return shown;
}

// The tags of the .TP entries in one section (.SH NAME) of the man page, as shown.
std::set<std::string> ManEntries(const std::string& page, const std::string& section) {
  std::set<std::string> entries;
  bool inside = false;
  const std::vector<std::string> lines = Lines(page);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(".SH", 0) == 0) {
      std::string name = lines[i].substr(3);
      name.erase(0, name.find_first_not_of(' '));
      if (name.size() >= 2 && name.front() == '"') name = name.substr(1, name.size() - 2);
      inside = name == section;
    } else if (inside && lines[i] == ".TP" && i + 1 < lines.size()) {
      entries.insert(RoffText(lines[i + 1]));
    }
  }
  return entries;
}

// Names what one set holds and the other lacks.
void ExpectSameEntries(const std::set<std::string>& help, const std::set<std::string>& man) {
  for (const std::string& entry : help) {
    EXPECT_TRUE(man.count(entry)) << "'" << entry << "' of --help is missing from valquor-cli.1";
  }
  for (const std::string& entry : man) {
    EXPECT_TRUE(help.count(entry)) << "'" << entry << "' of valquor-cli.1 is not in --help";
  }
}

TEST(ManPageTest, ReadsEntriesAsTheyAreShown) {
  const std::string usage =
      "Usage: x\n\nSteps:\n  click NAME      press\n                  more\n  copied\n\n"
      "Options:\n  --save  write\n";
  EXPECT_EQ(UsageEntries(usage, "Steps:"), (std::set<std::string>{"click NAME", "copied"}));
  EXPECT_EQ(UsageEntries(usage, "Options:"), (std::set<std::string>{"--save"}));
  struct Row {
    const char* Roff;
    const char* Shown;
  };
  for (const Row& row : {Row{".BI \\-\\-settings\\-dir \" DIR\"", "--settings-dir DIR"},
                         Row{".IB NAME = TEXT", "NAME=TEXT"}, Row{".B copied", "copied"},
                         Row{".BI font \" NAME\" : SIZE", "font NAME:SIZE"},
                         Row{".I system/valquor.ini", "system/valquor.ini"},
                         Row{"\\fBexport\\fR \\fINAME FILE\\fR", "export NAME FILE"}}) {
    SCOPED_TRACE(row.Roff);
    EXPECT_EQ(RoffText(row.Roff), row.Shown);
  }
}

TEST(ManPageTest, ListsEveryStepAndOptionOfHelp) {
  const std::string page = ReadFile(kManPage);
  ASSERT_FALSE(page.empty()) << kManPage;
  struct Section {
    const char* Help;  // the heading in --help
    const char* Man;   // the section of the man page
  };
  for (const Section& section : {Section{"Steps:", "STEPS"}, Section{"Options:", "OPTIONS"}}) {
    SCOPED_TRACE(section.Help);
    const std::set<std::string> help = UsageEntries(CliUsage(), section.Help);
    ASSERT_FALSE(help.empty()) << "no entries under " << section.Help << " in --help";
    ExpectSameEntries(help, ManEntries(page, section.Man));
  }
}

TEST(ManPageTest, ListsEverySettingsFileARunWrites) {
  const fs::path folder =
      fs::temp_directory_path() / ("valquor-man-page-test-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  // The main window and both calculators, each opened and closed.
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"--settings-dir", folder.string(), "--save", "click", "Button10", "click",
                    "FormWiz.CancelBtn", "click", "Button11", "click", "FormWiz2.CancelBtn"},
                   out, err),
            0)
      << err.str();
  const std::set<std::string> listed = ManEntries(ReadFile(kManPage), "FILES");
  int written = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    ++written;
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    EXPECT_TRUE(listed.count(name)) << name << " is not listed in valquor-cli.1";
  }
  EXPECT_GT(written, 0);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace valquor
