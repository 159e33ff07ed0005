#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/ScriptedPlatform.h"
#include "shell/Command.h"

namespace valquor {
namespace {

// A stage that reads with one message, computes with another, and records its writing.
TCommandStage Stage(const std::string& name, std::vector<std::string>& written,
                    std::function<void(TComputeContext&)> extra = {}) {
  TCommandStage stage;
  stage.ReadMessages.ShowMessage(name + " read", TMessageKind::Error);
  stage.Compute = [name, extra](TComputeContext& context) {
    context.Messages().ShowMessage(name + " computed", TMessageKind::Error);
    if (extra) extra(context);
  };
  stage.Apply = [name, &written] { written.push_back(name); };
  return stage;
}

TEST(CommandTest, MessagesComeInStageOrderAndAFailureEndsTheCommandAfterTheStagesBeforeIt) {
  const struct {
    const char* Label;
    int FailingStage;  // -1: none; 1: the second stage's reading; 2: the third's computation
    std::vector<std::string> Messages;
    std::vector<std::string> Written;
  } kCases[] = {
      {"complete",
       -1,
       {"a read", "a computed", "b read", "b computed", "c read", "c computed"},
       {"a", "b", "c"}},
      {"refused reading",
       1,
       {"a read", "a computed", "b read", "'x' is not a valid integer value"},
       {"a"}},
      {"fault",
       2,
       {"a read", "a computed", "b read", "b computed", "c read", "c computed",
        "Floating point error: ln of 0"},
       {"a", "b"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Label);
    TScriptedPlatform platform;
    TValuationEngine engine(2);
    std::vector<std::string> written;
    TCommand command;
    command.Stages.push_back(Stage("a", written));
    command.Stages.push_back(Stage("b", written));
    command.Stages.push_back(Stage("c", written, [&](TComputeContext&) {
      if (c.FailingStage == 2) throw ArithmeticFault("ln of 0");
    }));
    if (c.FailingStage == 1) {
      command.Stages[1].ReadFailure =
          std::make_exception_ptr(EConvertError("'x' is not a valid integer value"));
    }
    TCommandRunner().Run(std::move(command), engine, platform);
    EXPECT_EQ(platform.Messages, c.Messages);
    EXPECT_EQ(written, c.Written);
  }
}

TEST(CommandTest, AStoppedCommandShowsAndWritesNothing) {
  TScriptedPlatform platform;
  TValuationEngine engine(1);
  std::vector<std::string> written;
  TCommand command;
  command.Stages.push_back(Stage("a", written));
  command.Stages.push_back(Stage("b", written, [](TComputeContext& context) {
    context.Control().RequestStop();
    context.Control().CheckStop();
  }));
  TWorkControl control;
  TCommandOutcome outcome = ComputeCommand(command, engine, control);
  EXPECT_TRUE(outcome.Stopped);
  FinishCommand(command, outcome, platform);
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_TRUE(written.empty());
}

TEST(CommandTest, AnAbandonedComputationShowsOnlyItsOwnMessage) {
  TScriptedPlatform platform;
  TValuationEngine engine(1);
  std::vector<std::string> written;
  TCommand command;
  command.Stages.push_back(Stage("a", written, [](TComputeContext& context) {
    context.Messages().ShowMessage("Forward must be > 0", TMessageKind::Error);
    throw EAbandoned();
  }));
  TCommandRunner().Run(std::move(command), engine, platform);
  EXPECT_EQ(platform.Messages,
            (std::vector<std::string>{"a read", "a computed", "Forward must be > 0"}));
  EXPECT_TRUE(written.empty());
}

}  // namespace
}  // namespace valquor
