#pragma once
// What the Volatility page's tests share: the window's parts the page works with, a scratch
// folder for settings and price files, and small file helpers.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "compute/Engine.h"
#include "forms/FormPersonalControls.h"
#include "forms/ScriptedPlatform.h"
#include "models/Dates.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/ReportPanel.h"
#include "shell/VolatilityPages.h"

namespace valquor::voltest {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TScratchFolder {
 public:
  TScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "valquor-vol-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
  [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
    return path_ / std::string(name);
  }

 private:
  std::filesystem::path path_;
};

// The parts of the main window the Volatility page works with, its settings folder a scratch
// folder, its commands run to their end on an engine of its own.
struct TVolatilityWindow {
  explicit TVolatilityWindow(int workers) : Engine(workers) {
    Platform.Folder = Scratch.Path();
    Pages.SetUpGridCaptions();
  }
  // Runs an event handler as the window's event loop does: a failure shows its message.
  void Run(const std::function<void()>& handler) {
    try {
      handler();
    } catch (...) {
      ShowFailure(std::current_exception(), Platform);
    }
  }
  TScratchFolder Scratch;
  TScriptedPlatform Platform;
  TFormPersonalControls Form;
  bool American = false;
  TReportPanel Panel{Form, Platform, American};
  TValuationEngine Engine;
  TExports Exports;
  TCommandRunner Runner;
  TVolatilityPages Pages{
      Form,
      Platform,
      Panel,
      Exports,
      [this](TCommand command) { Runner.Run(std::move(command), Engine, Platform); },
      American};
};

// Windows live on the heap: the price series alone takes about 100 KB.
inline std::unique_ptr<TVolatilityWindow> NewWindow(int workers = 1) {
  return std::make_unique<TVolatilityWindow>(workers);
}

inline void WriteFile(const std::filesystem::path& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A day number as the "yyyymmdd" of a price file.
inline std::string DateText(int dayNumber) {
  const TCalendarDate d = DecodeDate(dayNumber);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", d.Year, d.Month, d.Day);
  return text;
}

inline int Day(int year, int month, int day) { return *EncodeDate(year, month, day); }

// The trading days Monday to Friday from a Monday on, count of them.
inline std::vector<int> TradingDays(int monday, int count) {
  std::vector<int> days;
  for (int d = monday; static_cast<int>(days.size()) < count; ++d) {
    const int weekday = DayOfWeek(d);
    if (weekday != 1 && weekday != 7) days.push_back(d);
  }
  return days;
}

}  // namespace valquor::voltest
