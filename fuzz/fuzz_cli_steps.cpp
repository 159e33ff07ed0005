// Arbitrary words, split at line ends and NUL bytes, as the arguments of valquor-cli after
// "--settings-dir settings": options and steps alike. Everything a run writes stays in a
// folder of this process (the working folder during a run, and TMPDIR): a "/" in a word
// becomes "_", so file answers, pasted files and settings folders all name files inside it.
// Checked: no crash, no hang (the fuzzer's -timeout), an exit status of 0, 1 or 2, and no temporary
// file of a save left in the settings folder.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Cli.h"
#include "forms/FileReplace.h"
#include "forms/Text.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxWords = 40;
constexpr std::size_t kMaxWordLength = 160;

// Settings a user may have: the startup reads them, the grids and fields start filled.
const char* const kSettings[][2] = {
    {"valqor11.ini",
     "[FormPersonal]\nHeight=472\n[FormPersonal\\StrikeEdit]\nText=1050\n"
     "[FormPersonal\\NumberOfSteps]\nValue=50\n[FormPersonal\\UseTradingDays]\nChecked=TRUE\n"},
    {"valqor.ini", "[FormWiz2\\Vol]\nText=20\n[FormWiz\\Strike]\nText=100\n"},
    {"valquor.ini",
     "[System font]\nName=Courier new\nSize=10\n[EndOfWeek]\nWeek-1=100\nWeek-2=101\n"
     "Week-3=99,5\nNote=kept\n"},
    {"system/valquor.ini",
     "[System]\nCurrentTab=TabPricing\nStrike1=110\nCall1=2.10\nPut1=12.00\nStrike2=100\n"
     "Call2=6.00\nPut2=5.50\nDays=20\n"},
};

fs::path& Folder() {
  static fs::path folder;
  return folder;
}

void WriteSettings() {
  for (const auto& [name, text] : kSettings) {
    const fs::path path = Folder() / "settings" / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  }
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "fuzz check failed: %s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  // In memory where the system offers a folder for it: every run writes its settings.
  const fs::path shm = "/dev/shm";
  std::string pattern =
      ((fs::is_directory(shm) ? shm : fs::temp_directory_path()) / "valquor-fuzz-cli-XXXXXX")
          .string();
  if (::mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp", pattern);
  Folder() = pattern;
  WriteSettings();
  ::setenv("TMPDIR", pattern.c_str(), 1);
  std::atexit([] {
    std::error_code ec;
    fs::remove_all(Folder(), ec);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args = {"--settings-dir", "settings"};
  std::string word;
  const auto flush = [&] {
    if (args.size() < kMaxWords + 2) args.push_back(word);
    word.clear();
  };
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n' || c == '\0') {
      flush();
    } else if (word.size() < kMaxWordLength) {
      word.push_back(c == '/' ? '_' : c);
    }
  }
  if (!word.empty()) flush();

  bool saves = false;
  for (std::size_t i = 2; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
    saves = saves || args[i] == "--save";
  }

  // The fuzzer's own relative paths (corpus, artifacts) hold outside the run.
  const int home = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (home < 0 || ::chdir(Folder().c_str()) != 0) Fail("chdir", Folder().string());
  std::ostringstream out, err;
  const int status = valquor::RunCli(args, out, err);
  if (::fchdir(home) != 0) Fail("fchdir", "");
  ::close(home);
  if (status < 0 || status > 2) Fail("exit status", std::to_string(status));
  for (const fs::path& folder : {Folder() / "settings", Folder() / "settings" / "system"}) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (valquor::IsReplacementTemporary(it->path().filename().string())) {
        Fail("a temporary file was left", it->path().string());
      }
    }
  }
  // The next run starts from the same files again: the settings as they were, and nothing
  // that this run's dialogs wrote beside them.
  std::error_code ec;
  for (fs::directory_iterator it(Folder(), ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().filename() != "settings") fs::remove_all(it->path(), ec);
  }
  if (saves) WriteSettings();
  return 0;
}
