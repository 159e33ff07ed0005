#pragma once
// valquor-cli's command line read into values before any step meets a window: the options, and
// each step's kind, its words and the control it names split into window, name and grid cell.
// What depends on the window (whether the control exists, what it can be set to) is checked
// when the step runs. Every text is untrusted: a malformed one throws ECliUsage, never more.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/Cli.h"

namespace valquor {

// The options before the first step.
struct TCliOptions {
  std::optional<std::string> SettingsFolder;  // --settings-dir DIR or --settings-dir=DIR
  bool Save = false;                          // --save
  bool Help = false;                          // --help or -h: nothing after it is read
  bool Version = false;                       // --version: nothing after it is read
  std::size_t FirstStep = 0;                  // the index of the first step in args
};

// Reads the options at the start of args, up to the first word that does not start with "--"
// (or --help, -h, --version). Throws ECliUsage for an unknown option or a --settings-dir
// without its folder.
[[nodiscard]] TCliOptions ParseCliOptions(const std::vector<std::string>& args);

// A control as a step names it: "NAME" or "WINDOW.NAME", each optionally followed by
// "[COL,ROW]".
struct TCliTarget {
  std::string Spec;        // the words that named it
  std::size_t Window = 0;  // the index of its window in the names ParseCliStep was given
  std::string Name;
  std::optional<std::pair<int, int>> Cell;

  bool operator==(const TCliTarget&) const = default;
};

enum class TCliStepKind { Set, Click, Page, Print, Paste, Copied, Open, Font, Export };

struct TCliStep {
  TCliStepKind Kind = TCliStepKind::Copied;
  std::size_t Words = 1;  // the arguments the step takes: 1 to 3
  TCliTarget Target;      // Set, Click, Page, Print, Export
  std::string Text;       // Set's text, Paste's and Open's operand, Export's file
  std::string FontName;   // Font
  int FontSize = 0;       // Font, above 0

  bool operator==(const TCliStep&) const = default;
};

// Reads the step that starts at args[first] (first < args.size()). windows names the windows a
// target may be prefixed with, the main window first; a name is matched in any letter case.
// Throws ECliUsage for an unknown step, a missing operand, an unknown window, a malformed grid
// cell or font.
[[nodiscard]] TCliStep ParseCliStep(const std::vector<std::string>& args, std::size_t first,
                                    const std::vector<std::string>& windows);

}  // namespace valquor
