// The message gate of the main window: within one user action a text is shown once, and after
// five different texts the rest are counted into one last message.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/ScriptedPlatform.h"
#include "shell/FormTestSupport.h"
#include "shell/MessageGate.h"

namespace valquor {
namespace {

using TTexts = std::vector<std::string>;

TEST(MessageGateTest, AnActionShowsEachTextOnceAndFiveAtMostThenCountsTheRest) {
  const struct {
    const char* Label;
    TTexts Given;
    TTexts Shown;
  } kCases[] = {
      {"repeats", {"a", "a", "b", "a", "b"}, {"a", "b"}},
      {"five different", {"a", "b", "c", "d", "e", "a"}, {"a", "b", "c", "d", "e"}},
      {"one more",
       {"a", "b", "c", "d", "e", "f"},
       {"a", "b", "c", "d", "e", "1 more messages of this action were not shown"}},
      // Repeats of a text held back count once, repeats of a shown one not at all.
      {"held back with repeats",
       {"a", "b", "a", "c", "d", "e", "f", "g", "f", "a", "h", "g", "e"},
       {"a", "b", "c", "d", "e", "3 more messages of this action were not shown"}},
      {"none", {}, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Label);
    TScriptedPlatform screen;
    TMessageGate gate(screen);
    {
      const TMessageAction action(gate);
      for (const std::string& text : c.Given) gate.ShowMessage(text, TMessageKind::Error);
    }
    EXPECT_EQ(screen.Messages, c.Shown);
  }
}

TEST(MessageGateTest, NestedActionsAreOneAndEachActionStartsAfresh) {
  TScriptedPlatform screen;
  TMessageGate gate(screen);
  gate.ShowMessage("outside", TMessageKind::Error);
  gate.ShowMessage("outside", TMessageKind::Error);
  {
    const TMessageAction outer(gate);
    gate.ShowMessage("a", TMessageKind::Error);
    {
      const TMessageAction inner(gate);
      for (const char* text : {"a", "b", "c", "d", "e", "f"}) {
        gate.ShowMessage(text, TMessageKind::Error);
      }
    }
    // The inner action's end is not the action's end: no summary yet.
    EXPECT_EQ(screen.Messages.size(), 7u);
    gate.ShowMessage("g", TMessageKind::Error);
  }
  {
    const TMessageAction next(gate);
    gate.ShowMessage("a", TMessageKind::Error);
  }
  EXPECT_EQ(screen.Messages, (TTexts{"outside", "outside", "a", "b", "c", "d", "e",
                                     "2 more messages of this action were not shown", "a"}));
  EXPECT_FALSE(gate.InAction());
}

class FormMessagesTest : public ::testing::Test, protected TFormFixture {};

TEST_F(FormMessagesTest, AHandlerRunIsOneActionWithItsFailureCountedIn) {
  TFormPersonal& form = Start();
  (void)Platform.TakeMessages();
  form.RunHandler([&] {
    for (const char* text : {"a", "b", "a", "c", "d", "e", "f"}) {
      form.Platform.ShowMessage(text, TMessageKind::Error);
    }
    throw EConvertError("'x' is not a valid integer value");
  });
  EXPECT_EQ(Platform.TakeMessages(),
            (TTexts{"a", "b", "c", "d", "e", "2 more messages of this action were not shown"}));
  // A command finished by the window is an action of the handler that ran it.
  form.RunHandler([&] {
    TCommand command;
    TCommandStage stage;
    stage.ReadMessages.ShowMessage("read", TMessageKind::Error);
    stage.Compute = [](TComputeContext& context) {
      for (int i = 0; i < 3; ++i) context.Messages().ShowMessage("computed", TMessageKind::Error);
    };
    command.Stages.push_back(std::move(stage));
    form.RunCommand(std::move(command));
  });
  EXPECT_EQ(Platform.TakeMessages(), (TTexts{"read", "computed"}));
}

TEST_F(FormMessagesTest, AStormOfOneActionBecomesAHandful) {
  TFormPersonal& form = Start();
  (void)Platform.TakeMessages();
  // A day step that is not in the list: 407 boxes of three texts, once each now.
  form.RunHandler([&] { form.MainPageControl.SetActivePage(&form.TabPricing); });
  form.RunHandler([&] { form.DaysCombo.SetText("3"); });
  EXPECT_EQ(Platform.TakeMessages(), TTexts{});
  form.RunHandler([&] { form.ComputeBtn.Click(); });
  EXPECT_EQ(Platform.TakeMessages(),
            (TTexts{"DaysStep error", "Error 33", "Internal error: Days < 0"}));
  EXPECT_FALSE(form.RichEdit1.Lines().empty());

  // A rate that is no number: its change reads it for every model, Compute for every cell.
  form.RunHandler([&] { form.DaysCombo.SetText("2"); });
  form.RunHandler([&] { form.RiskFreeInterest.SetText("3%"); });
  EXPECT_EQ(Platform.TakeMessages(), TTexts{"'StrToFloat' error2: 3%"});
  form.RunHandler([&] { form.ComputeBtn.Click(); });
  EXPECT_EQ(Platform.TakeMessages(), TTexts{"'StrToFloat' error2: 3%"});
}

}  // namespace
}  // namespace valquor
