#include "forms/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace valquor {

TFileLock::TFileLock(const std::filesystem::path& lockFile) : TFileLock(lockFile, true) {}

TFileLock::TFileLock(const std::filesystem::path& lockFile, bool wait) {
  if (lockFile.empty()) return;
  // Read access is all flock needs, so a lock file that another user (root) created can still
  // be used.
  const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return;
  // Made by root in someone else's folder, it goes to the folder's owner, who may need to
  // recreate or remove it later.
  struct stat file {};
  struct stat folder {};
  const std::filesystem::path parent =
      lockFile.has_parent_path() ? lockFile.parent_path() : std::filesystem::path(".");
  if (::geteuid() == 0 && ::fstat(fd, &file) == 0 && ::stat(parent.c_str(), &folder) == 0 &&
      (file.st_uid != folder.st_uid || file.st_gid != folder.st_gid)) {
    const int changed = ::fchown(fd, folder.st_uid, folder.st_gid);
    (void)changed;  // a lock file that keeps root as its owner still works
  }
  int rc = 0;
  do {
    rc = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
}

TFileLock::~TFileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the only descriptor releases the lock
}

}  // namespace valquor
