#include "forms/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace valquor {

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
  std::error_code ec;
  std::filesystem::path target = path;
  if (std::filesystem::is_symlink(path, ec)) {
    target = std::filesystem::weakly_canonical(path, ec);
    if (ec) target = path;
  }
  std::string pattern = target.string() + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) return false;
  const std::filesystem::path temporary = pattern;
  const auto abandon = [&] {
    ::close(fd);
    std::filesystem::remove(temporary, ec);
    return false;
  };
  // mkstemp makes the file private; a new export is readable as any file the user makes.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat existing {};
  ::fchmod(fd, ::stat(target.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0666 & ~mask);
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return abandon();
    written += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return abandon();
  if (::close(fd) != 0) {
    std::filesystem::remove(temporary, ec);
    return false;
  }
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace valquor
