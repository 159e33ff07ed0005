#pragma once
// Context help: the "What's this?" text and help topic of every control of the main window and
// of both dialogs, and where each topic lives in the manual (docs/manual, shipped beside the
// program). Topic 0 is the manual's table of contents; topics 45 to 72 are the 28 positions of
// the position list in list order; every other control has its own topic from 100 up.

#include <string>
#include <vector>

#include "forms/Controls.h"
#include "reports/Positions.h"

namespace valquor {

// The first topic of the position list; a position's topic is this plus its place from 0.
inline constexpr int kPositionHelpBase = 45;

struct THelpEntry {
  const char* Window;   // "FormPersonal", "FormWiz" or "FormWiz2"
  const char* Control;  // the control's name
  const char* Page;     // manual page that describes it, "pricing.html"
  const char* Text;     // "What's this?" text
  int Topic;
};

// Every control's help, in manual order.
[[nodiscard]] const std::vector<THelpEntry>& HelpEntries();

// Gives every control of the window the "What's this?" text and topic of its entry; controls
// without an entry keep theirs. Returns the number of controls set.
int AssignHelp(TForm& window);

// The manual file and anchor of a topic, relative to the manual's folder: "index.html" for 0
// and for unknown topics, "positions.html#position-1" for the first position, the control's
// page and name ("pricing.html#StrikeEdit", dialogs "dialogs.html#FormWiz2-Strike") otherwise.
[[nodiscard]] std::string ManualLocation(int topic);

// The manual's anchor of a control: its name, or "<window>-<name>" for a dialog's control.
[[nodiscard]] std::string ManualAnchor(const THelpEntry& entry);

}  // namespace valquor
