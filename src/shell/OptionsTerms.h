#pragma once
// The valuation terms the Options page sets for a command.

#include <cstdint>
#include <string>
#include <string_view>

#include "forms/FormPersonalControls.h"
#include "forms/Platform.h"
#include "models/ValuationTerms.h"

namespace valquor {

// The kind a Formula text names: "Bla..." 1, "Cox..." 2 (case-sensitive), the two integration
// texts 3 and 4, anything else 5 ("Integration medium distribution"). The Formula list lets only
// its five items stand, so these are the texts it sees.
[[nodiscard]] std::uint8_t SelectedFormula(std::string_view text);

// The Formula list's check of a text that names none of its items (the list has already matched
// the items whatever the letter case and surrounding blanks): shows "Unknown formula: <text>"
// and refuses it, so the previous formula stays.
[[nodiscard]] bool AcceptFormulaText(const std::string& text, TPlatform& platform);

// The Options page's terms, read as a command reads: the formula its Formula text names, and of
// the page's fields only those that formula uses: the rate (Black-Scholes and the tree), the
// carry, steps and exercise style (the tree), the grid intervals (integration). A rate or carry
// that is no number stops the command (ReadCommandNumber), and so does a step text that is no
// whole number (EConvertError, as StrToInt). american is the tree's exercise style kept between
// commands: ExpirationStyle's item 0 sets it false, item 1 true, anything else leaves it.
[[nodiscard]] TValuationTerms ReadOptionsTerms(const TFormPersonalControls& form,
                                               TPlatform& platform, bool& american);

}  // namespace valquor
