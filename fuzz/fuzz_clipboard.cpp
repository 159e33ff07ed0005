// Arbitrary bytes as clipboard text: read by "Read clipboard". The first byte chooses the order
// of the lines (LatestFirst).

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzWindow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace valquor;
  if (size == 0) return 0;
  fuzz::TFuzzWindow& window = fuzz::Window();
  window.Platform.Messages.clear();
  window.Form.LatestFirst.SetChecked((data[0] & 1) != 0);
  window.Platform.Clipboard.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  window.Pages.ClipBoardBtnClick();
  fuzz::CheckPane(window);
  return 0;
}
