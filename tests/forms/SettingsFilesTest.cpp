#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "forms/FileLock.h"
#include "forms/FileReplace.h"
#include "forms/SettingsFiles.h"
#include "forms/ScriptedPlatform.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

// Sets or unsets an environment variable for the life of the object.
class TEnvironment {
 public:
  TEnvironment(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~TEnvironment() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  TEnvironment(const TEnvironment&) = delete;
  TEnvironment& operator=(const TEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SettingsFiles, TheDefaultFolderFollowsXdgThenHomeThenThePasswordDatabase) {
  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(std::string(entry->pw_dir), "");
  const fs::path fromDatabase = fs::path(entry->pw_dir) / ".config" / "valquor";
  struct Row {
    std::optional<std::string> Xdg;
    std::optional<std::string> Home;
    fs::path Expected;
  };
  const Row rows[] = {
      {"/xdg/config", "/home/trader", "/xdg/config/valquor"},
      {"relative/config", "/home/trader", "/home/trader/.config/valquor"},
      {std::nullopt, "/home/trader", "/home/trader/.config/valquor"},
      {std::nullopt, std::nullopt, fromDatabase},
      {std::nullopt, "", fromDatabase},
      {"relative/config", "", fromDatabase},
      {"", std::nullopt, fromDatabase},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Xdg.value_or("(unset)") + " / " + row.Home.value_or("(unset)"));
    const TEnvironment xdg("XDG_CONFIG_HOME", row.Xdg);
    const TEnvironment home("HOME", row.Home);
    EXPECT_EQ(DefaultSettingsFolder(), row.Expected);
  }
}

TEST(SettingsFiles, TemporaryNamesAreRecognised) {
  const std::pair<const char*, bool> rows[] = {
      {".valqor11.ini.valquor-tmp-a1B2c3", true},
      {".x.valquor-tmp-XXXXXX", true},
      {"valqor11.ini.valquor-tmp-a1B2c3", false},    // not hidden
      {".valqor11.ini.valquor-tmp-a1B2c", false},    // five characters
      {".valqor11.ini.valquor-tmp-a1B2c3d", false},  // seven
      {".valquor-tmp-a1B2c3", false},                // no file name in it
      {"valqor11.ini.a1B2c3", false},                // the naming before this one
      {".valquor.lock", false},
  };
  for (const auto& [name, expected] : rows) {
    SCOPED_TRACE(name);
    EXPECT_EQ(IsReplacementTemporary(name), expected);
  }
}

class SettingsFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "settingsfiles-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    platform_.Folder = folder_;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  void Touch(const fs::path& name) const {
    fs::create_directories((folder_ / name).parent_path());
    std::ofstream(folder_ / name) << "x";
  }

  fs::path folder_;
  TScriptedPlatform platform_;
};

TEST_F(SettingsFolderTest, StaleTemporariesAreRemovedFromBothFoldersOnly) {
  const char* const stale[] = {".valqor11.ini.valquor-tmp-Ab12Cd",
                               "system/.valquor.ini.valquor-tmp-Zz99zz"};
  const char* const kept[] = {"valqor11.ini", "valqor11.ini.bak", "notes.valquor-tmp-Ab12Cd",
                              "other/.valquor.ini.valquor-tmp-Ab12Cd"};
  for (const char* name : stale) Touch(name);
  for (const char* name : kept) Touch(name);
  // A link or a folder of that name is not one of ours.
  fs::create_symlink(folder_ / "valqor11.ini", folder_ / ".link.valquor-tmp-Ab12Cd");
  fs::create_directory(folder_ / ".dir.valquor-tmp-Ab12Cd");

  // While another program saves, its temporary file is not stale: nothing is removed.
  {
    const TFileLock busy(SettingsLockFile(platform_));
    RemoveStaleTemporaries(platform_);
    for (const char* name : stale) EXPECT_TRUE(fs::exists(folder_ / name)) << name;
  }
  RemoveStaleTemporaries(platform_);
  for (const char* name : stale) EXPECT_FALSE(fs::exists(folder_ / name)) << name;
  for (const char* name : kept) EXPECT_TRUE(fs::exists(folder_ / name)) << name;
  EXPECT_TRUE(fs::is_symlink(folder_ / ".link.valquor-tmp-Ab12Cd"));
  EXPECT_TRUE(fs::is_directory(folder_ / ".dir.valquor-tmp-Ab12Cd"));

  // A start with no settings folder creates none.
  platform_.Folder = folder_ / "missing";
  RemoveStaleTemporaries(platform_);
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

}  // namespace
}  // namespace valquor
