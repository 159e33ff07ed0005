#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "forms/FileLock.h"
#include "forms/FileReplace.h"
#include "forms/IniProfile.h"
#include "forms/Platform.h"
#include "shell/TempFolder.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class IniProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "iniprofile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }

  fs::path File(const std::string& name) const { return folder_ / name; }

  static void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }
  static std::string ReadFile(const fs::path& path) {
    std::string text;
    (void)ReadWholeFile(path, text);
    return text;
  }
  // Entries of the folder: a write leaves no temporary file behind.
  std::size_t EntryCount() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

// A file as a user's editor or another program may have left it.
const char kWindowsFile[] =
    "; settings of the main window\r\n"
    "[FormPersonal]\r\n"
    "Height=520\r\n"
    "\r\n"
    "[FormPersonal\\StrikeEdit]\r\n"
    "Text=1050\r\n"
    "  Padded Key  =  padded value  \r\n"
    "Quoted=\"a quoted value\"\r\n"
    ";Commented=1\r\n"
    "Empty=\r\n"
    "Equals=a=b\r\n"
    "\r\n"
    "[Some Section]\r\n"
    "A=1\r\n"
    "a=2\r\n"
    "[some section]\r\n"
    "A=3\r\n";

TEST_F(IniProfileTest, ReadsSectionsAndKeysWithoutRegardToLetterCase) {
  WriteFile(File("valqor11.ini"), kWindowsFile);
  const TIniProfile ini(File("valqor11.ini"));
  struct Row {
    const char* Section;
    const char* Key;
    std::optional<std::string> Expected;
  };
  const Row rows[] = {
      {"FormPersonal", "Height", "520"},
      {"formpersonal", "HEIGHT", "520"},
      {"FormPersonal\\StrikeEdit", "Text", "1050"},
      {"FORMPERSONAL\\strikeedit", "text", "1050"},
      {"FormPersonal\\StrikeEdit", "Padded Key", "padded value"},
      {"FormPersonal\\StrikeEdit", "  Padded Key ", "padded value"},
      {"FormPersonal\\StrikeEdit", "Quoted", "a quoted value"},
      {"FormPersonal\\StrikeEdit", "Commented", std::nullopt},
      {"FormPersonal\\StrikeEdit", ";Commented", std::nullopt},
      {"FormPersonal\\StrikeEdit", "Empty", ""},
      {"FormPersonal\\StrikeEdit", "Equals", "a=b"},
      {"FormPersonal\\StrikeEdit", "Height", std::nullopt},
      {"FormPersonal/StrikeEdit", "Text", std::nullopt},
      {"Some Section", "A", "1"},  // the first of duplicate keys and sections wins
      {"Missing", "Text", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.Section) + " / " + row.Key);
    EXPECT_EQ(ini.Get(row.Section, row.Key), row.Expected);
    EXPECT_EQ(ini.ReadString(row.Section, row.Key, "default"), row.Expected.value_or("default"));
  }
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"FormPersonal", "FormPersonal\\StrikeEdit",
                                                      "Some Section", "some section"}));
  EXPECT_EQ(ini.ReadSection("formpersonal\\strikeedit"),
            (std::vector<std::string>{"Text", "Padded Key", "Quoted", "Empty", "Equals"}));
}

TEST_F(IniProfileTest, ReadsIntegersAsTheToolkitConvertsThem) {
  WriteFile(File("n.ini"),
            "[N]\nPlain=42\nNegative=-7\nHex=$1F\nBlank= 12 \nWord=abc\nFraction=1.5\n"
            "Huge=99999999999\nEmpty=\n");
  const TIniProfile ini(File("n.ini"));
  const std::pair<const char*, int> rows[] = {
      {"Plain", 42},    {"Negative", -7}, {"Hex", 31},   {"Blank", 12},   {"Word", -1},
      {"Fraction", -1}, {"Huge", -1},     {"Empty", -1}, {"Missing", -1},
  };
  for (const auto& [key, expected] : rows) {
    SCOPED_TRACE(key);
    EXPECT_EQ(ini.ReadInteger("n", key, -1), expected);
  }
}

TEST_F(IniProfileTest, ValuesReadBackAreCutAt1023CharactersWhileTheFileKeepsThemWhole) {
  const std::string longValue(2000, 'x');
  TIniProfile ini(File("long.ini"));
  ini.WriteString("Long", "Value", longValue);
  ini.WriteString("Long", "Exact", std::string(1023, 'y'));
  const TIniProfile reread(File("long.ini"));
  EXPECT_EQ(reread.ReadString("Long", "Value", ""), std::string(1023, 'x'));
  EXPECT_EQ(reread.ReadString("Long", "Exact", ""), std::string(1023, 'y'));
  EXPECT_NE(ReadFile(File("long.ini")).find("Value=" + longValue + "\n"), std::string::npos);
}

TEST_F(IniProfileTest, WritingKeepsEveryOtherLineByteForByte) {
  WriteFile(File("keep.ini"), kWindowsFile);
  TIniProfile ini(File("keep.ini"));
  ini.WriteString("formpersonal\\STRIKEEDIT", "TEXT", "990");  // in place, spelling kept
  ini.WriteString("FormPersonal", "Width", "700");  // before the section's trailing blank line
  ini.WriteString("FormPersonal\\UseTradingDays", "Checked", "TRUE");  // a new section at the end
  ini.WriteString("some SECTION", "B", "x");
  const std::string expected =
      "; settings of the main window\r\n"
      "[FormPersonal]\r\n"
      "Height=520\r\n"
      "Width=700\r\n"
      "\r\n"
      "[FormPersonal\\StrikeEdit]\r\n"
      "Text=990\r\n"
      "  Padded Key  =  padded value  \r\n"
      "Quoted=\"a quoted value\"\r\n"
      ";Commented=1\r\n"
      "Empty=\r\n"
      "Equals=a=b\r\n"
      "\r\n"
      "[Some Section]\r\n"
      "A=1\r\n"
      "a=2\r\n"
      "B=x\r\n"
      "[some section]\r\n"
      "A=3\r\n"
      "[FormPersonal\\UseTradingDays]\r\n"
      "Checked=TRUE\r\n";
  EXPECT_EQ(ReadFile(File("keep.ini")), expected);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(IniProfileTest, ANewFileIsCreatedWithItsFolders) {
  const fs::path path = folder_ / "system" / "valquor.ini";
  TIniProfile ini(path);
  EXPECT_EQ(ini.ReadString("System", "CurrentTab", "none"), "none");
  ini.WriteString("System", "CurrentTab", "TabDelta");
  ini.WriteInteger("System font", "Size", 12);
  EXPECT_EQ(ReadFile(path), "[System]\nCurrentTab=TabDelta\n[System font]\nSize=12\n");
  EXPECT_EQ(TIniProfile(path).ReadInteger("SYSTEM FONT", "size", 0), 12);
}

TEST_F(IniProfileTest, EraseSectionRemovesItsKeysAndLeavesTheRest) {
  WriteFile(File("erase.ini"), "; head\n[EndOfWeek]\nWeek-1=100\nWeek-2=101\n[Other]\nK=v\n");
  TIniProfile ini(File("erase.ini"));
  ini.EraseSection("endofweek");
  EXPECT_EQ(ReadFile(File("erase.ini")), "; head\n[Other]\nK=v\n");
  EXPECT_FALSE(ini.SectionExists("EndOfWeek"));
  ini.DeleteKey("other", "k");
  EXPECT_EQ(ReadFile(File("erase.ini")), "; head\n[Other]\n");

  // Erasing what is not there writes nothing: no file appears.
  TIniProfile absent(File("absent.ini"));
  absent.EraseSection("EndOfWeek");
  absent.DeleteKey("Other", "K");
  EXPECT_FALSE(fs::exists(File("absent.ini")));
}

TEST_F(IniProfileTest, TextsThatWouldBreakTheFileApartAreKeptOnOneLine) {
  WriteFile(File("bom.ini"), "\xEF\xBB\xBF[A]\nK=1\n");
  TIniProfile ini(File("bom.ini"));
  EXPECT_EQ(ini.ReadString("A", "K", ""), "1");
  ini.WriteString("A", "Lines", "one\r\ntwo\nthree");
  ini.WriteString("A", "", "no key");
  ini.WriteString("A", "a=b", "key with an equals sign");
  EXPECT_EQ(ReadFile(File("bom.ini")), "\xEF\xBB\xBF[A]\nK=1\nLines=one  two three\n");
}

TEST_F(IniProfileTest, AFailedWriteThrowsAndLeavesNoPartialFile) {
  // The file's place is taken by a folder: the rename fails after the temporary file was
  // written, which must then disappear.
  fs::create_directory(File("taken.ini"));
  TIniProfile ini(File("taken.ini"));
  try {
    ini.WriteString("A", "K", "v");
    FAIL() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + File("taken.ini").string());
  }
  EXPECT_TRUE(fs::is_directory(File("taken.ini")));
  EXPECT_EQ(EntryCount(), 1u);

  // A folder that cannot be made: its parent is a file.
  WriteFile(File("plain"), "x");
  TIniProfile nested(File("plain") / "sub.ini");
  EXPECT_THROW(nested.WriteString("A", "K", "v"), EIniFileException);
  EXPECT_EQ(ReadFile(File("plain")), "x");
}

TEST_F(IniProfileTest, ABatchOfChangesIsWrittenAllOrNotAtAll) {
  WriteFile(File("batch.ini"), "[A]\nK=1\n");
  TIniProfile ini(File("batch.ini"));
  ini.BeginUpdate();
  ini.WriteString("A", "K", "2");
  ini.WriteString("B", "K", "3");
  ini.EraseSection("A");
  EXPECT_EQ(ReadFile(File("batch.ini")), "[A]\nK=1\n");  // nothing written yet
  ini.EndUpdate();
  EXPECT_EQ(ReadFile(File("batch.ini")), "[B]\nK=3\n");

  fs::create_directory(File("taken.ini"));
  TIniProfile taken(File("taken.ini"));
  taken.BeginUpdate();
  taken.WriteString("A", "K", "v");
  EXPECT_THROW(taken.EndUpdate(), EIniFileException);
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(IniProfileTest, WritesThroughASymbolicLinkReplaceItsTarget) {
  WriteFile(File("real.ini"), "[A]\nK=1\n");
  fs::create_symlink(File("real.ini"), File("link.ini"));
  TIniProfile ini(File("link.ini"));
  ini.WriteString("A", "K", "2");
  EXPECT_TRUE(fs::is_symlink(File("link.ini")));
  EXPECT_EQ(ReadFile(File("real.ini")), "[A]\nK=2\n");
}

TEST_F(IniProfileTest, ASaveKeepsWhatAnotherProgramWroteSinceTheFileWasRead) {
  WriteFile(File("shared.ini"), "; kept\n[Mine]\nK=1\n[Theirs]\nT=1\n");
  TIniProfile mine(File("shared.ini"), File(".valquor.lock"));
  TIniProfile theirs(File("shared.ini"), File(".valquor.lock"));
  theirs.BeginUpdate();
  theirs.WriteString("Theirs", "T", "2");
  theirs.WriteString("Theirs", "New", "  spaced = \"value\"  ");
  theirs.EndUpdate();
  mine.WriteString("Mine", "K", "2");
  EXPECT_EQ(ReadFile(File("shared.ini")),
            "; kept\n[Mine]\nK=2\n[Theirs]\nT=2\nNew=  spaced = \"value\"  \n");
  // Its own view is what it saved.
  EXPECT_EQ(mine.ReadString("Theirs", "T", ""), "2");
  // Only the lock file joins the settings file: no temporary file is left.
  EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(IniProfileTest, OwnedKeysAreErasedAndTheRestOfTheirSectionStays) {
  const auto owned = [](std::string_view key) { return key.rfind("Week-", 0) == 0; };
  struct Row {
    const char* Before;
    const char* After;
  };
  const Row rows[] = {
      {"[EndOfWeek]\nWeek-1=100\nNote=keep\nWeek-2=101\n[Other]\nWeek-1=x\n",
       "[EndOfWeek]\nNote=keep\n[Other]\nWeek-1=x\n"},
      // A comment keeps the section; nothing but blank lines does not.
      {"[EndOfWeek]\n; mine\nWeek-1=1\n", "[EndOfWeek]\n; mine\n"},
      {"[A]\nk=1\n[EndOfWeek]\nWeek-1=1\n\n[B]\nk=2\n", "[A]\nk=1\n[B]\nk=2\n"},
      // Every section of the name: the first one gone, a second would otherwise show through.
      {"[EndOfWeek]\nWeek-1=1\n[endofweek]\nWeek-2=2\nNote=n\n", "[endofweek]\nNote=n\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Before);
    WriteFile(File("weeks.ini"), row.Before);
    TIniProfile ini(File("weeks.ini"));
    ini.EraseKeys("endofweek", owned);
    EXPECT_EQ(ReadFile(File("weeks.ini")), row.After);
  }
  // Nothing to erase writes nothing.
  TIniProfile absent(File("absent.ini"));
  absent.EraseKeys("EndOfWeek", owned);
  EXPECT_FALSE(fs::exists(File("absent.ini")));
}

TEST_F(IniProfileTest, AFileOverSixtyFourMebibytesIsReadAndWrittenWhole) {
  // A foreign value far beyond the 1023 characters the program reads, and a section after
  // the 64 MiB mark.
  const std::string huge((64u << 20) + 4096, 'h');
  const std::string text = "[Foreign]\nHuge=" + huge + "\n[After]\nKey=kept\n";
  const TTempFolder memory(/*inMemory=*/true);
  const fs::path file = memory.Path() / "large.ini";
  WriteFile(file, text);
  TIniProfile ini(file);
  EXPECT_EQ(ini.ReadString("After", "Key", ""), "kept");
  EXPECT_EQ(ini.ReadString("Foreign", "Huge", ""), std::string(TIniProfile::kMaxValue, 'h'));
  ini.WriteString("Mine", "K", "v");
  EXPECT_TRUE(ReadFile(file) == text + "[Mine]\nK=v\n");
}

TEST_F(IniProfileTest, UnreadableNamesAreNotWrittenAndOddOnesReadBack) {
  WriteFile(File("names.ini"), "[A]\nK=1\n");
  TIniProfile ini(File("names.ini"));
  // A section with "]" would read back as another section; keys that read as a comment or a
  // section could never be read.
  ini.WriteString("B]C", "K", "x");
  ini.WriteString("A", ";K", "x");
  ini.WriteString("A", "[K", "x");
  EXPECT_EQ(ReadFile(File("names.ini")), "[A]\nK=1\n");
  // A line end inside a name becomes a blank, in the file and in the lookup alike.
  ini.WriteString("Two\nLines", "Key\r\nName", "v");
  EXPECT_EQ(ini.ReadString("Two\nLines", "Key\r\nName", ""), "v");
  EXPECT_EQ(TIniProfile(File("names.ini")).ReadString("Two Lines", "Key  Name", ""), "v");
}

TEST_F(IniProfileTest, AFileThatIsNoRegularFileIsNeitherWaitedForNorReplaced) {
  ASSERT_EQ(::mkfifo(File("fifo.ini").c_str(), 0644), 0);
  TIniProfile ini(File("fifo.ini"));  // a FIFO without a writer would block a plain open
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_THROW(ini.WriteString("A", "K", "v"), EIniFileException);
  struct stat info {};
  ASSERT_EQ(::lstat(File("fifo.ini").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(IniProfileTest, AShortWriteFailsTheSaveAndLeavesTheOldFileWhole) {
  const std::string old = "[Keep]\nK=old\n";
  WriteFile(File("limited.ini"), old);
  // In a child process: the file-size limit and SIGXFSZ stay there. The limit lets the old
  // file be, but not the new one; the default action of SIGXFSZ would end the child.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit limit{1024, RLIM_INFINITY};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    TIniProfile ini(File("limited.ini"));
    try {
      ini.WriteString("Keep", "K", std::string(4000, 'n'));
    } catch (const EIniFileException& e) {
      ::_exit(std::string(e.what()) == "Unable to write to " + File("limited.ini").string() ? 0
                                                                                            : 3);
    }
    ::_exit(4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(File("limited.ini")), old);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(IniProfileTest, ASaveWaitsForTheLock) {
  WriteFile(File("locked.ini"), "[A]\nK=1\n");
  const fs::path lockFile = File(".valquor.lock");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Holds the lock, then writes the file as another program would, while the parent waits.
    const TFileLock lock(lockFile);
    ::close(ready[0]);
    ::close(ready[1]);
    ::usleep(100000);
    std::ofstream(File("locked.ini"), std::ios::binary | std::ios::trunc) << "[A]\nK=1\nT=2\n";
    ::_exit(0);
  }
  ::close(ready[1]);
  char byte = 0;
  const ssize_t got = ::read(ready[0], &byte, 1);  // end of file: the child holds the lock
  EXPECT_EQ(got, 0);
  ::close(ready[0]);
  TIniProfile ini(File("locked.ini"), lockFile);
  ini.WriteString("A", "K", "3");  // waits for the child, then merges what it wrote
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(ReadFile(File("locked.ini")), "[A]\nK=3\nT=2\n");
}

}  // namespace
}  // namespace valquor
