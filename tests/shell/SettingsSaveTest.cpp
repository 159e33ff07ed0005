// Saves of the settings files that are killed on the way, and two programs that close at the
// same moment. Each save runs in a child process forked from a window that is ready to close,
// in a settings folder in memory, so that hundreds of saves with their flushes take seconds.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "forms/FileReplace.h"
#include "forms/SettingsFiles.h"
#include "forms/ScriptedPlatform.h"
#include "shell/FormPersonal.h"
#include "shell/TempFolder.h"

namespace valquor {
namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 200;
constexpr std::array<const char*, 4> kFiles = {"valqor11.ini", "valqor.ini", "valquor.ini",
                                               "system/valquor.ini"};
// Each file's content, nothing when it is missing.
using TFiles = std::array<std::optional<std::string>, kFiles.size()>;

// What the user had before, with keys the program does not own in every file.
const TFiles kBefore = {
    "; written by hand\n[FormPersonal\\StrikeEdit]\nText=1000\n[Foreign]\nKey=kept\n",
    "[FormWiz2\\Vol]\nText=20\n[Foreign]\nKey=kept\n",
    "[System font]\nName=Courier new\nSize=10\n[EndOfWeek]\nWeek-1=100\nNote=kept\n"
    "[Foreign]\nKey=kept\n",
    "[System]\nCurrentTab=TabPricing\nOther=kept\nStrike1=100\n[Files]\nDirectory=/data\n",
};

class SettingsSaveTest : public ::testing::Test {
 protected:
  TFiles ReadAll() const {
    TFiles files;
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
      std::ifstream in(folder_.Path() / kFiles[i], std::ios::binary);
      if (in) {
        files[i] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      }
    }
    return files;
  }
  void WriteAll(const TFiles& files) const {
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
      const fs::path path = folder_.Path() / kFiles[i];
      fs::remove(path);
      if (!files[i]) continue;
      fs::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary) << *files[i];
    }
  }
  std::size_t Temporaries() const {
    std::size_t count = 0;
    for (const fs::path& folder : {folder_.Path(), folder_.Path() / "system"}) {
      for (const auto& entry : fs::directory_iterator(folder)) {
        count += IsReplacementTemporary(entry.path().filename().string()) ? 1 : 0;
      }
    }
    return count;
  }

  // A number that tells the programs apart: 1000 times the tag's letter plus n.
  static std::string Number(const std::string& tag, int n) {
    return std::to_string(1000 * tag[0] + n);
  }

  // A window started on the folder, its fields, grids, font, sub-page and risk dialog changed
  // to texts marked with tag: ready to close.
  std::unique_ptr<TFormPersonal> Prepare(TScriptedPlatform& platform, const std::string& tag) {
    platform.Folder = folder_.Path();
    auto form = std::make_unique<TFormPersonal>(platform);
    form->RunHandler([&] { form->Show(); });
    form->RunHandler([&] { form->Activate(); });
    for (TEdit* edit : {&form->StrikeEdit, &form->PriceEdit, &form->VolEdit, &form->Strike9,
                        &form->Price9, &form->Vol9, &form->Days9, &form->TrueVolEdit}) {
      edit->SetText(Number(tag, 1));
    }
    for (int row = 1; row <= kWeekRows; ++row) {
      form->WeeksGrid.SetCell(1, row, Number(tag, row));
    }
    for (int row = 1; row <= kStrikeRows; ++row) {
      for (int col = 1; col <= 3; ++col) {
        form->Grid.SetCell(col, row, Number(tag, 10 * col + row));
      }
    }
    TFontSpec font = form->RichEdit1.Font();
    font.Name = "Font " + tag;
    form->RichEdit1.SetFont(font);
    form->MainPageControl.SetActivePage(tag == "B" ? &form->TabDelta : &form->TabPricing);
    form->RunHandler([&] { form->FormWiz2.Show(); });
    form->FormWiz2.Vol.SetText(Number(tag, 2));
    platform.Messages.clear();
    return form;
  }

  // In a child: closes the dialog and the window, as a user ending the program would, once
  // the parent closes its end of the pipe `go` when one is given. Exits with the number of
  // messages shown.
  static pid_t SaveInChild(TFormPersonal& form, TScriptedPlatform& platform,
                           const int* go = nullptr) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    if (go != nullptr) {
      ::close(go[1]);
      char byte = 0;
      const ssize_t got = ::read(go[0], &byte, 1);
      (void)got;
    }
    form.RunHandler([&] { form.FormWiz2.Close(); });
    form.RunHandler([&] { form.Close(); });
    ::_exit(static_cast<int>(platform.Messages.size()));
  }
  static int ExitStatus(pid_t child) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  TTempFolder folder_{/*inMemory=*/true};
};

TEST_F(SettingsSaveTest, AKilledSaveLeavesEachFileOldOrNewAndTheNextStartNoTemporary) {
  WriteAll(kBefore);
  TScriptedPlatform platform;
  const auto form = Prepare(platform, "N");

  // Saves to the end: the new version of every file, and how long a save takes at least, to
  // spread the kills over it.
  long span = 0;
  for (int run = 0; run < 3; ++run) {
    WriteAll(kBefore);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(ExitStatus(SaveInChild(*form, platform)), 0);
    const long took = static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
    span = run == 0 ? took : std::min(span, took);
  }
  const TFiles after = ReadAll();
  for (std::size_t i = 0; i < kFiles.size(); ++i) {
    SCOPED_TRACE(kFiles[i]);
    ASSERT_TRUE(after[i].has_value());
    ASSERT_NE(after[i], kBefore[i]);
    EXPECT_NE(after[i]->find("kept"), std::string::npos);
  }

  std::mt19937 random(static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed()));
  std::uniform_int_distribution<long> delay(0, span);
  int allOld = 0, allNew = 0, mixed = 0, withTemporary = 0;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    WriteAll(kBefore);
    const pid_t child = SaveInChild(*form, platform);
    ASSERT_GT(child, 0);
    ::usleep(static_cast<useconds_t>(delay(random)));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    const TFiles files = ReadAll();
    int old = 0;
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
      SCOPED_TRACE(kFiles[i]);
      EXPECT_TRUE(files[i] == kBefore[i] || files[i] == after[i]) << files[i].value_or("(none)");
      old += files[i] == kBefore[i] ? 1 : 0;
    }
    (old == 4 ? allOld : old == 0 ? allNew : mixed) += 1;

    // The next start clears what the killed save left (a window is started only then: it
    // costs more than the save).
    if (Temporaries() > 0) {
      ++withTemporary;
      TScriptedPlatform next;
      next.Folder = folder_.Path();
      const TFormPersonal started(next);
      EXPECT_EQ(Temporaries(), 0u);
    }
    if (HasFailure()) break;
  }
  std::printf(
      "kills: %d before any file was replaced, %d after all, %d between files, "
      "%d with a temporary file left\n",
      allOld, allNew, mixed, withTemporary);
}

TEST_F(SettingsSaveTest, TwoProgramsClosingAtOnceLoseNothing) {
  WriteAll(kBefore);
  TScriptedPlatform platformA, platformB;
  const auto formA = Prepare(platformA, "A");
  const auto formB = Prepare(platformB, "B");
  // Each program's save alone.
  ASSERT_EQ(ExitStatus(SaveInChild(*formA, platformA)), 0);
  const TFiles savedA = ReadAll();
  WriteAll(kBefore);
  ASSERT_EQ(ExitStatus(SaveInChild(*formB, platformB)), 0);
  const TFiles savedB = ReadAll();
  for (const TFiles* saved : {&savedA, &savedB}) {
    const char tag = saved == &savedA ? 'A' : 'B';
    SCOPED_TRACE(tag);
    for (std::size_t i = 0; i < kFiles.size(); ++i) ASSERT_TRUE((*saved)[i].has_value());
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_NE((*saved)[i]->find("[Foreign]\nKey=kept\n"), std::string::npos) << kFiles[i];
    }
    const std::string& weeks = *(*saved)[2];
    EXPECT_NE(weeks.find("Note=kept\n"), std::string::npos);
    EXPECT_NE(weeks.find("Week-13=" + Number(std::string(1, tag), 13) + "\n"), std::string::npos);
    const std::string& system = *(*saved)[3];
    EXPECT_NE(system.find("Put5=" + Number(std::string(1, tag), 35) + "\n"), std::string::npos);
    EXPECT_NE(system.find("Other=kept\n"), std::string::npos);
    EXPECT_NE(system.find("[Files]\nDirectory=/data\n"), std::string::npos);
  }

  int mixed = 0;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    WriteAll(kBefore);
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const pid_t a = SaveInChild(*formA, platformA, go);
    const pid_t b = SaveInChild(*formB, platformB, go);
    ::close(go[0]);
    ::close(go[1]);  // both start
    EXPECT_EQ(ExitStatus(a), 0);
    EXPECT_EQ(ExitStatus(b), 0);
    // Each file is one program's whole version, merged over what the other wrote.
    const TFiles files = ReadAll();
    int fromA = 0;
    for (std::size_t i = 0; i < kFiles.size(); ++i) {
      SCOPED_TRACE(kFiles[i]);
      EXPECT_TRUE(files[i] == savedA[i] || files[i] == savedB[i]) << files[i].value_or("(none)");
      fromA += files[i] == savedA[i] ? 1 : 0;
    }
    mixed += fromA != 0 && fromA != 4 ? 1 : 0;
    EXPECT_EQ(Temporaries(), 0u);
    if (HasFailure()) break;
  }
  std::printf("closings at once: %d of %d left files of both programs\n", mixed, kRounds);
}

}  // namespace
}  // namespace valquor
