// The manual page "Reading the reports" against the program: every example's valquor-cli
// command, run from the default settings, prints exactly the report the page shows.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

const fs::path kManual = fs::path(VALQUOR_SOURCE_DIR) / "docs/manual";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text of a <pre> block: the four entities the page uses, back to their characters.
std::string Unescape(const std::string& html) {
  std::string text;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '&') {
      const std::size_t end = html.find(';', i);
      const std::string entity = html.substr(i + 1, end - i - 1);
      if (entity == "lt") text += '<';
      if (entity == "gt") text += '>';
      if (entity == "amp") text += '&';
      if (entity == "quot") text += '"';
      i = end;
    } else {
      text += html[i];
    }
  }
  return text;
}

// The contents of every <pre class="NAME"> block, in page order.
std::vector<std::string> Blocks(const std::string& page, const std::string& name) {
  std::vector<std::string> blocks;
  const std::string open = "<pre class=\"" + name + "\">";
  for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at)) {
    at += open.size();
    blocks.push_back(Unescape(page.substr(at, page.find("</pre>", at) - at)));
  }
  return blocks;
}

// A command line split into words as a shell splits it: at blanks, double quotes holding a word
// together. A step "open FILE" names a file beside the manual.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, inWord = false;
  for (const char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (c == ' ' && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  for (std::size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i] == "open") words[i + 1] = (kManual / words[i + 1]).string();
  }
  return words;
}

TEST(ManualExamplesTest, EveryExamplePrintsTheReportThePageShows) {
  const std::string page = ReadFile(kManual / "reports.html");
  ASSERT_FALSE(page.empty());
  const std::vector<std::string> runs = Blocks(page, "run");
  const std::vector<std::string> reports = Blocks(page, "report");
  ASSERT_EQ(runs.size(), reports.size());
  EXPECT_EQ(runs.size(), 10u);
  for (std::size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(runs[i]);
    std::vector<std::string> args = Words(runs[i]);
    ASSERT_EQ(args.front(), "valquor-cli");
    const fs::path folder =
        fs::temp_directory_path() /
        ("valquor-manual-example-" + std::to_string(::getpid()) + "-" + std::to_string(i));
    fs::remove_all(folder);
    fs::create_directories(folder);
    args.front() = "--settings-dir";
    args.insert(args.begin() + 1, folder.string());
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, out, err), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str(), reports[i] + "\n");
    fs::remove_all(folder);
  }
}

}  // namespace
}  // namespace valquor
