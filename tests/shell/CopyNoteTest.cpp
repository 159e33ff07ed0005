// Every Copy button leaves the note "Report copied" in the status line, and no message box;
// nothing else leaves a note.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/FormTestSupport.h"

namespace valquor {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CopyNoteTest : public ::testing::Test, protected TFormFixture {};

TEST_F(CopyNoteTest, EveryCopyButtonNotesTheCopyOnce) {
  TFormPersonal& form = Start();
  Form->RunHandler([&] { form.ComputeBtn.Click(); });
  EXPECT_THAT(Platform.StatusNotes, IsEmpty());  // a computation leaves none
  Platform.TakeMessages();
  struct TCase {
    const char* Name;
    TButton* Copy;
    const TRichEdit* Pane;  // the report that reaches the clipboard
  };
  const std::vector<TCase> cases = {
      {"CopyBtn", &form.CopyBtn, &form.RichEdit1},
      {"Button4", &form.Button4, &form.RichEdit4},
      {"Button2", &form.Button2, &form.RichEdit9},
      {"BtnCopy2", &form.BtnCopy2, &form.RichEdit6},
      {"FormWiz.CopyBtn", &form.FormWiz.CopyBtn, &form.FormWiz.RichEdit1},
      {"FormWiz2.CopyBtn", &form.FormWiz2.CopyBtn, &form.FormWiz2.RichEdit1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Platform.StatusNotes.clear();
    Platform.Clipboard = "before";
    Form->RunHandler([&] { c.Copy->Click(); });
    EXPECT_THAT(Platform.StatusNotes, ElementsAre("Report copied"));
    EXPECT_NE(Platform.Clipboard, "before");
    EXPECT_NE(Platform.Clipboard.find(c.Pane->Text()), std::string::npos);
    EXPECT_THAT(Platform.TakeMessages(), IsEmpty());
  }
}

}  // namespace
}  // namespace valquor
