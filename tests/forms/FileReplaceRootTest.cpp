// Run as root only (skipped otherwise): a save by root must not lock the files' owner out.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "forms/FileLock.h"
#include "forms/IniProfile.h"
#include "forms/Platform.h"
#include "shell/TempFolder.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

// A user and a group that are not root's.
constexpr uid_t kUser = 4242;
constexpr gid_t kGroup = 4343;

class FileReplaceRootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root";
    // The user's settings folder.
    ASSERT_EQ(::chown(folder_.Path().c_str(), kUser, kGroup), 0);
  }

  fs::path File(const std::string& name) const { return folder_.Path() / name; }
  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static struct stat Stat(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
  }

  TTempFolder folder_;
};

TEST_F(FileReplaceRootTest, TheReplacementKeepsTheOwnerGroupAndMode) {
  const mode_t modes[] = {0600, 0640, 0664, 0700};
  for (const mode_t mode : modes) {
    SCOPED_TRACE(mode);
    Write(File("valqor11.ini"), "[A]\nK=1\n");
    ASSERT_EQ(::chown(File("valqor11.ini").c_str(), kUser, kGroup), 0);
    ASSERT_EQ(::chmod(File("valqor11.ini").c_str(), mode), 0);
    TIniProfile ini(File("valqor11.ini"), File(".valquor.lock"));
    ini.WriteString("A", "K", "2");
    const struct stat info = Stat(File("valqor11.ini"));
    EXPECT_EQ(info.st_uid, kUser);
    EXPECT_EQ(info.st_gid, kGroup);
    EXPECT_EQ(info.st_mode & 07777, mode);
    EXPECT_EQ(Read(File("valqor11.ini")), "[A]\nK=2\n");
  }
  // The lock file root made is the folder owner's too.
  EXPECT_EQ(Stat(File(".valquor.lock")).st_uid, kUser);
}

TEST_F(FileReplaceRootTest, AFileWithoutItsOwnersWriteBitIsRefused) {
  for (const mode_t mode : {0444, 0400, 0066}) {
    SCOPED_TRACE(mode);
    Write(File("valquor.ini"), "[System font]\nSize=10\n");
    ASSERT_EQ(::chmod(File("valquor.ini").c_str(), mode), 0);
    TIniProfile ini(File("valquor.ini"));
    try {
      ini.WriteString("System font", "Size", "12");
      ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + File("valquor.ini").string());
    }
    EXPECT_EQ(Read(File("valquor.ini")), "[System font]\nSize=10\n");
    EXPECT_EQ(Stat(File("valquor.ini")).st_mode & 07777, mode);
  }
}

TEST_F(FileReplaceRootTest, NewFilesAndFoldersGoToTheOwnerOfTheirFolder) {
  TIniProfile ini(File("system/valquor.ini"));
  ini.WriteString("System", "CurrentTab", "TabDelta");
  EXPECT_EQ(Stat(File("system")).st_uid, kUser);
  EXPECT_EQ(Stat(File("system")).st_gid, kGroup);
  EXPECT_EQ(Stat(File("system/valquor.ini")).st_uid, kUser);
  EXPECT_EQ(Stat(File("system/valquor.ini")).st_gid, kGroup);
}

TEST_F(FileReplaceRootTest, ALinkIsFollowedOnlyToAFileOfItsOwnOwner) {
  // Root's own file, and a user's link to it in the user's folder.
  const TTempFolder rootFolder;
  const fs::path target = rootFolder.Path() / "system-file";
  Write(target, "[A]\nK=root\n");
  fs::create_symlink(target, File("valqor11.ini"));
  ASSERT_EQ(::lchown(File("valqor11.ini").c_str(), kUser, kGroup), 0);
  TIniProfile ini(File("valqor11.ini"));
  EXPECT_THROW(ini.WriteString("A", "K", "user"), EIniFileException);
  EXPECT_EQ(Read(target), "[A]\nK=root\n");

  // A link to a file of its own owner is followed.
  ASSERT_EQ(::chown(target.c_str(), kUser, kGroup), 0);
  TIniProfile again(File("valqor11.ini"));
  again.WriteString("A", "K", "user");
  EXPECT_EQ(Read(target), "[A]\nK=user\n");
  EXPECT_TRUE(fs::is_symlink(File("valqor11.ini")));
}

}  // namespace
}  // namespace valquor
