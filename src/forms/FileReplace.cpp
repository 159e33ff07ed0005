#include "forms/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>

namespace valquor {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".valquor-tmp-";
constexpr std::size_t kTemporaryRandom = 6;  // the XXXXXX of mkstemp
// A temporary's name keeps at most this much of the file's name, so that it stays within the
// 255 bytes a file name may have.
constexpr std::size_t kNameInTemporary = 200;

// A file beyond the size limit raises SIGXFSZ, which by default ends the program in the middle
// of a write. Ignored, the write returns EFBIG and the save fails cleanly; a handler the
// program installed itself is left alone.
void IgnoreFileSizeSignal() {
  struct sigaction current {};
  if (::sigaction(SIGXFSZ, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGXFSZ, &ignore, nullptr);
}

fs::path FolderOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Root follows a link only to a file of the link's own owner (or, for a file still to be
// made, into a folder of that owner): a link planted in a user's folder never makes root
// overwrite a file of the system.
bool RootMayFollow(const fs::path& link, const fs::path& target) {
  if (::geteuid() != 0) return true;
  struct stat linkStat {};
  struct stat targetStat {};
  if (::lstat(link.c_str(), &linkStat) != 0) return false;
  if (::stat(target.c_str(), &targetStat) != 0 &&
      ::stat(FolderOf(target).c_str(), &targetStat) != 0) {
    return false;
  }
  return linkStat.st_uid == targetStat.st_uid;
}

bool WriteAll(int fd, std::string_view text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

TFileRead ReadWholeFile(const fs::path& path, std::string& text) {
  text.clear();
  // Without O_NONBLOCK a FIFO would hold the open until someone writes into it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? TFileRead::Missing : TFileRead::Failed;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return TFileRead::Failed;
  }
  text.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      text.clear();
      return TFileRead::Failed;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return TFileRead::Read;
}

bool MakeFolders(const fs::path& folder) {
  std::error_code ec;
  if (folder.empty() || fs::is_directory(folder, ec)) return true;
  const fs::path parent = folder.parent_path();
  if (parent != folder && !MakeFolders(parent)) return false;
  if (::mkdir(folder.c_str(), 0777) != 0) return errno == EEXIST && fs::is_directory(folder, ec);
  if (::geteuid() == 0) {
    struct stat holder {};
    if (::stat(FolderOf(folder).c_str(), &holder) == 0) {
      const int changed = ::chown(folder.c_str(), holder.st_uid, holder.st_gid);
      (void)changed;  // the folder is there; only its owner stays root
    }
  }
  return true;
}

bool ReplaceFile(const fs::path& path, std::string_view text) {
  IgnoreFileSizeSignal();
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(path, ec)) {
    target = fs::weakly_canonical(path, ec);
    if (ec) target = path;
    if (!RootMayFollow(path, target)) return false;
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists) {
    // A file marked read-only stays as it is, whoever runs the program: root passes access()
    // whatever the mode, so the owner's write bit is looked at by itself.
    if (!S_ISREG(old.st_mode) || (old.st_mode & S_IWUSR) == 0) return false;
    if (::access(target.c_str(), W_OK) != 0) return false;
  }
  const fs::path folder = FolderOf(target);
  if (!MakeFolders(folder)) return false;

  std::string name = target.filename().string();
  if (name.size() > kNameInTemporary) name.resize(kNameInTemporary);
  std::string pattern =
      (folder / ("." + name + std::string(kTemporaryMark) + std::string(kTemporaryRandom, 'X')))
          .string();
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return false;
  const fs::path temporary = pattern;
  const auto abandon = [&](bool open) {
    if (open) ::close(fd);
    ::unlink(temporary.c_str());
    return false;
  };

  // The owner first: a change of owner clears the set-id bits a mode may carry.
  struct stat made {};
  if (::fstat(fd, &made) != 0) return abandon(true);
  uid_t owner = made.st_uid;
  gid_t group = made.st_gid;
  if (exists) {
    owner = old.st_uid;
    group = old.st_gid;
  } else if (::geteuid() == 0) {
    struct stat holder {};
    if (::stat(folder.c_str(), &holder) == 0) {
      owner = holder.st_uid;
      group = holder.st_gid;
    }
  }
  if ((owner != made.st_uid || group != made.st_gid) && ::fchown(fd, owner, group) != 0) {
    // Another user cannot give a file away; the file is then the user's own, which costs
    // nobody access. Root must not leave its own files in a user's folder.
    if (::geteuid() == 0) return abandon(true);
  }
  const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
  if (::fchmod(fd, mode) != 0) return abandon(true);

  // On disk before it takes the old file's place, so a crash leaves one file or the other.
  if (!WriteAll(fd, text) || ::fsync(fd) != 0) return abandon(true);
  if (::close(fd) != 0) return abandon(false);
  if (::rename(temporary.c_str(), target.c_str()) != 0) return abandon(false);
  // The rename itself reaches the disk with the folder. Some file systems cannot flush a
  // folder; the file is in place all the same.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

bool IsReplacementTemporary(std::string_view fileName) {
  if (fileName.size() < 1 + kTemporaryMark.size() + kTemporaryRandom || fileName[0] != '.') {
    return false;
  }
  const std::size_t mark = fileName.size() - kTemporaryRandom - kTemporaryMark.size();
  return mark >= 1 && fileName.substr(mark, kTemporaryMark.size()) == kTemporaryMark;
}

void RemoveReplacementTemporaries(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& entry = it->path();
    if (!IsReplacementTemporary(entry.filename().string())) continue;
    // Only our own regular files: a link or a folder of that name is someone else's.
    struct stat info {};
    if (::lstat(entry.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(entry.c_str());
  }
}

}  // namespace valquor
