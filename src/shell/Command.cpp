#include "shell/Command.h"

#include <string>

#include "forms/Platform.h"

namespace valquor {

TCommandOutcome ComputeCommand(TCommand& command, TValuationEngine& engine, TWorkControl& control) {
  TCommandOutcome outcome;
  TComputeContext context(engine, outcome.Messages, control);
  for (TCommandStage& stage : command.Stages) {
    stage.ReadMessages.ReplayTo(outcome.Messages);
    if (stage.ReadFailure) {
      outcome.Failure = stage.ReadFailure;
      return outcome;
    }
    try {
      if (stage.Compute) stage.Compute(context);
    } catch (const EStopped&) {
      outcome.Stopped = true;
      return outcome;
    } catch (...) {
      outcome.Failure = std::current_exception();
      return outcome;
    }
    ++outcome.Completed;
  }
  return outcome;
}

void ShowFailure(std::exception_ptr failure, TPlatform& platform) {
  if (!failure) return;
  try {
    std::rethrow_exception(failure);
  } catch (const EAbort&) {
  } catch (const EAbandoned&) {
  } catch (const EStopped&) {
  } catch (const EConvertError& e) {
    platform.ShowMessage(e.what(), TMessageKind::Error);
  } catch (const ArithmeticFault& e) {
    platform.ShowMessage(std::string("Floating point error: ") + e.what(), TMessageKind::Error);
  } catch (const std::exception& e) {
    platform.ShowMessage(e.what(), TMessageKind::Error);
  }
}

void FinishCommand(TCommand& command, TCommandOutcome& outcome, TPlatform& platform) {
  if (outcome.Stopped) return;
  outcome.Messages.ReplayTo(platform);
  for (std::size_t i = 0; i < outcome.Completed && i < command.Stages.size(); ++i) {
    if (command.Stages[i].Apply) command.Stages[i].Apply();
  }
  ShowFailure(outcome.Failure, platform);
}

void TCommandRunner::Run(TCommand command, TValuationEngine& engine, TPlatform& platform) {
  TWorkControl control;
  TCommandOutcome outcome = ComputeCommand(command, engine, control);
  FinishCommand(command, outcome, platform);
}

}  // namespace valquor
