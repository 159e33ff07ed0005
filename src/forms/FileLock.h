#pragma once
// An exclusive advisory lock (flock) on a lock file, held from construction to destruction, so
// that two programs that both read, merge and rewrite the same settings take turns. The lock
// belongs to the open file, so one process must never hold two TFileLock objects on the same
// lock file at once (the second would wait for the first forever).

#include <filesystem>

namespace valquor {

class TFileLock {
 public:
  // Waits for the lock on lockFile, creating the file when missing (not its folder). With an
  // empty path, or a lock file that can be neither created nor opened, no lock is held and
  // the work goes on unlocked: a folder that cannot be written then fails the write itself.
  explicit TFileLock(const std::filesystem::path& lockFile);
  // As above, but gives up at once, holding nothing, when another program holds the lock.
  TFileLock(const std::filesystem::path& lockFile, bool wait);
  ~TFileLock();
  TFileLock(const TFileLock&) = delete;
  TFileLock& operator=(const TFileLock&) = delete;

  // Whether the lock is held.
  [[nodiscard]] bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace valquor
