// Arbitrary bytes as a price file: read by "Read textfile" (load, then report or status lines).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FuzzWindow.h"

namespace {

// A file of this process, in memory where the system offers a folder for it; removed when the
// process ends.
const std::string& FilePath() {
  static const std::string path = [] {
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path folder =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    return (folder / ("valquor-fuzz-" + std::to_string(::getpid()) + ".txt")).string();
  }();
  static const int removal = std::atexit([] { std::remove(FilePath().c_str()); });
  (void)removal;
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace valquor;
  fuzz::TFuzzWindow& window = fuzz::Window();
  {
    std::ofstream out(FilePath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  window.Platform.Messages.clear();
  window.Form.RichEdit4.Clear();
  try {
    window.Pages.ReadPriceFile(FilePath());
  } catch (const EConvertError&) {
    // A header integer that is not one: the handler stops, as the window reports it.
  }
  const std::uint8_t status = window.Pages.Prices1.Status;
  switch (status) {
    case kPricesLoaded:
    case kPricesHeaderFailed:
    case kPricesBadHeader:
    case kPricesNoCloses:
    case kPricesTooMany:
    case kPricesReadFailed:
    case kPricesDateOrder:
    case kPricesZeroOpen:
    case kPricesOpenOutside:
    case kPricesBadDate:
    case kPricesCheckFailed:
      break;
    default:
      fuzz::Fail("status", std::to_string(status));
  }
  fuzz::CheckPane(window);
  return 0;
}
