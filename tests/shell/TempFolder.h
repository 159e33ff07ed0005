#pragma once
// A fresh temporary folder for one test, removed with everything in it afterwards. In memory
// (/dev/shm) when asked and the system has it: for tests that write and flush a file many
// times, or a very large one.

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace valquor {

class TTempFolder {
 public:
  explicit TTempFolder(bool inMemory = false) {
    const std::filesystem::path shm = "/dev/shm";
    std::error_code ec;
    const std::filesystem::path base = inMemory && std::filesystem::is_directory(shm, ec)
                                           ? shm
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "valquor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TTempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;
  [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace valquor
