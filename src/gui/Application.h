#pragma once
// The program `valquor`: the form model of the main window with its Qt view and event loop.

namespace valquor {

// Runs the program with its command line ([--settings-dir DIR], Qt's own options, --help,
// --version); returns the exit status: 0, or 2 for a command line it cannot use.
int RunValquor(int argc, char** argv);

}  // namespace valquor
