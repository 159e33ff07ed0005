// Arbitrary bytes as a typed number: ParseNumber (an edit box) and ParseFloat (a price-file
// field). The first byte chooses the platform's decimal mark. Every result must be finite; a
// message comes with -999 and names the text; the other decimal mark reads the same number.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "forms/ScriptedPlatform.h"
#include "models/Numbers.h"

namespace {

using valquor::TScriptedPlatform;

[[noreturn]] void Fail(const char* what, std::string_view text, float value) {
  std::fprintf(stderr, "fuzz check failed: %s: text \"%.*s\" gives %a\n", what,
               static_cast<int>(text.size()), text.data(), static_cast<double>(value));
  std::abort();
}

// One parse with its checks; returns the value.
template <class TParse>
float Check(TScriptedPlatform& platform, std::string_view text, const std::string& prefix,
            TParse parse) {
  platform.Messages.clear();
  const float value = parse(text, platform);
  if (!std::isfinite(value)) Fail("not finite", text, value);
  if (!platform.Messages.empty()) {
    if (platform.Messages.size() != 1) Fail("more than one message", text, value);
    if (platform.Messages[0] != prefix + std::string(text)) Fail("message text", text, value);
    if (value != valquor::kBadNumber) Fail("a message without -999", text, value);
  }
  // Whatever shows the value as a premium shows digits.
  const std::string shown = valquor::FormatPremium(value);
  if (shown.find("nan") != std::string::npos || shown.find("inf") != std::string::npos) {
    Fail("premium text", text, value);
  }
  return value;
}

// The window's readers: the platform's decimal mark, its message boxes.
float ReadNumber(std::string_view text, TScriptedPlatform& platform) {
  return valquor::ParseNumber(text, platform);
}
float ReadFloat(std::string_view text, TScriptedPlatform& platform) {
  return valquor::ParseFloat(text, platform);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static TScriptedPlatform* platform = new TScriptedPlatform();  // lives as long as the process
  platform->Mark = (data[0] & 1) != 0 ? ',' : '.';
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

  const float number = Check(*platform, text, "'StrToFloat' error2: ", ReadNumber);
  const bool refused = !platform->Messages.empty();
  (void)Check(*platform, text, "'StrToFloat' error22: ", ReadFloat);
  if (text.empty() && (number != 0 || refused)) Fail("empty text", text, number);

  // The first "." or "," is the decimal mark whatever the platform says, so a text with only
  // points reads the same with its first point turned into a comma, and the other way round.
  const bool comma = text.find(',') != std::string_view::npos;
  const bool point = text.find('.') != std::string_view::npos;
  if (comma != point) {
    const std::string other = point ? valquor::PointToComma(text) : valquor::CommaToPoint(text);
    const float again = Check(*platform, other, "'StrToFloat' error2: ", ReadNumber);
    if (refused != !platform->Messages.empty() || (!refused && again != number)) {
      Fail("the other decimal mark reads differently", text, number);
    }
  }
  return 0;
}
