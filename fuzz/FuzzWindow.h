#pragma once
// The parts of the main window the Volatility page works with, made once per fuzzing process,
// and the checks every input must pass: the series stays within its 3000 records and no report
// line shows a number that is not finite.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "compute/Engine.h"
#include "forms/FormPersonalControls.h"
#include "forms/ScriptedPlatform.h"
#include "shell/Command.h"
#include "shell/Exports.h"
#include "shell/ModelDispatch.h"
#include "shell/ReportPanel.h"
#include "shell/VolatilityPages.h"

namespace valquor::fuzz {

struct TFuzzWindow {
  TScriptedPlatform Platform;
  TFormPersonalControls Form;
  TOptionsPageInputs Options{Form};
  TModelDispatch Dispatch{Platform, Options};
  TReportPanel Panel{Form, Dispatch, Platform};
  TExports Exports;
  TValuationEngine Engine;
  TCommandRunner Runner;  // runs each command to its end, as valquor-cli does
  bool American = false;
  TVolatilityPages Pages{
      Form,
      Platform,
      Panel,
      Exports,
      [this](TCommand command) { Runner.Run(std::move(command), Engine, Platform); },
      American};
};

inline TFuzzWindow& Window() {
  static TFuzzWindow* window = new TFuzzWindow();  // lives as long as the process
  return *window;
}

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail) {
  std::fprintf(stderr, "fuzz check failed: %.*s: %.*s\n", static_cast<int>(what.size()),
               what.data(), static_cast<int>(detail.size()), detail.data());
  std::abort();
}

// The pane after a read. Line 2 of a report is the series name, text of the file itself.
inline void CheckPane(const TFuzzWindow& window) {
  const TPrices& prices = window.Pages.Prices1;
  if (prices.Count < 0 || prices.Count > kMaxPrices) Fail("count", std::to_string(prices.Count));
  const auto& lines = window.Form.RichEdit4.Lines();
  const bool report = !lines.empty() && lines[0] == " Historical volatility";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (report && i == 1) continue;
    const std::string& line = lines[i];
    if (line.find("nan") != std::string::npos || line.find("inf") != std::string::npos ||
        line.find("NaN") != std::string::npos || line.find("INF") != std::string::npos) {
      Fail("pane line", line);
    }
  }
  if (report && lines.size() != 18) Fail("report lines", std::to_string(lines.size()));
}

}  // namespace valquor::fuzz
