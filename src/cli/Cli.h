#pragma once
// valquor-cli: the main window's form model without a display, driven by steps from the
// command line (set a control, click, bring a page into view, print, answer the next dialog,
// put text on the clipboard). Message boxes go to standard error as "message: TEXT".

#include <ostream>
#include <string>
#include <vector>

namespace valquor {

// Runs the driver with the arguments after the program name; returns the exit status: 0, 2 for
// a usage error (unknown option, step or control, or a control the user could not change), 1
// when a --save run could not write a settings file (after its messages) or could not start.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The text of `valquor-cli --help`.
[[nodiscard]] std::string CliUsage();

}  // namespace valquor
