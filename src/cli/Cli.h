#pragma once
// valquor-cli: the main window's form model without a display, driven by steps from the
// command line (set a control, click, bring a page into view, print, answer the next dialog,
// put text on the clipboard, export a report). Message boxes go to standard error as
// "message: TEXT".

#include <cstddef>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace valquor {

class TFormPersonal;
class TScriptedPlatform;

// A usage error of the command line (unknown option, step or control, a control the user
// could not change); what() is the reason. The driver exits with status 2.
class ECliUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Runs the driver with the arguments after the program name; returns the exit status: 0, 1 for
// a fault that ends the run, an export that could not be written or a --save run that could not
// write a settings file (after its messages), or 2 for a usage error
// (unknown option, step or control, or a control the user could not change) or an export with
// nothing to export. --help and --version only print their text. progress: standard error is
// a terminal, where work over a second shows a progress line (cleared at its end).
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           bool progress = false);

// Runs the steps args[first...] on a started form whose platform is platform; out takes what
// they print. Returns 0 when every step ran, or the status of the export step that ended them
// (1 unwritable, 2 nothing to export). Throws ECliUsage for a usage error.
int RunCliSteps(TFormPersonal& form, TScriptedPlatform& platform,
                const std::vector<std::string>& args, std::size_t first, std::ostream& out);

// The text of `valquor-cli --help`.
[[nodiscard]] std::string CliUsage();

}  // namespace valquor
