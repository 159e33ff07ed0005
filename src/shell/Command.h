#pragma once
// A command of the window (a Compute press and the reports it makes) split for running away from
// the window's thread: stages that were read from the controls on the window's thread, computed
// anywhere, and written back on the window's thread. The messages come out in the order one
// thread would show them: each stage's reading messages, then its computation's.

#include <exception>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "compute/Engine.h"
#include "compute/WorkControl.h"
#include "models/MessageSink.h"

namespace valquor {

class TPlatform;

struct TCommandStage {
  // Messages the reading of this stage showed.
  TMessageLog ReadMessages;
  // A refusal met while reading (EAbort after its message, EConvertError): it ends the command
  // at this stage, after the messages above; the stages before it are written.
  std::exception_ptr ReadFailure;
  // Computes the stage's result and keeps it (in the closure). Runs away from the window's
  // thread: it must not touch controls or the platform. Its messages go to the context.
  std::function<void(TComputeContext&)> Compute;
  // Writes the kept result into panes and fields, on the window's thread, once every stage has
  // been computed (or the command ended), for each stage whose computation finished.
  std::function<void()> Apply;
};

struct TCommand {
  std::vector<TCommandStage> Stages;
};

// A command of one stage: compute(request, context) makes the result away from the window's
// thread, apply(request, result) writes it on the window's thread.
template <class Request, class Compute, class Apply>
[[nodiscard]] TCommand OneStageCommand(Request request, Compute compute, Apply apply) {
  using Result = std::decay_t<std::invoke_result_t<Compute&, const Request&, TComputeContext&>>;
  struct TKept {
    Request In;
    Result Out{};
  };
  auto kept = std::make_shared<TKept>(TKept{std::move(request), Result{}});
  TCommand command;
  TCommandStage& stage = command.Stages.emplace_back();
  stage.Compute = [kept, compute](TComputeContext& context) {
    kept->Out = compute(std::as_const(kept->In), context);
  };
  stage.Apply = [kept, apply] { apply(std::as_const(kept->In), std::as_const(kept->Out)); };
  return command;
}

// How a command ended, after its computations.
struct TCommandOutcome {
  TMessageLog Messages;        // every message of the command, in order
  std::size_t Completed = 0;   // stages computed in full
  std::exception_ptr Failure;  // the refusal or fault that ended it early, if any
  bool Stopped = false;        // the user asked it to stop: nothing is written or shown
};

// Runs the command's computations in stage order (any thread): each stage's reading messages,
// then its reading refusal or its computation. A fault or refusal ends the command there.
[[nodiscard]] TCommandOutcome ComputeCommand(TCommand& command, TValuationEngine& engine,
                                             TWorkControl& control);

// Finishes a command on the window's thread: shows its messages through the platform in order,
// writes the stages that completed, then shows what ended it early the way the window shows an
// event's failure (see ShowFailure). A stopped command shows and writes nothing.
void FinishCommand(TCommand& command, TCommandOutcome& outcome, TPlatform& platform);

// Shows the message of an event's failure: nothing for an abandoned command (EAbort,
// EAbandoned, EStopped), the text of a refused conversion, "Floating point error: <what>" for an
// arithmetic fault, the text of anything else.
void ShowFailure(std::exception_ptr failure, TPlatform& platform);

// Runs the commands of a window. The default runs each to its end before returning; the Qt
// window runs the computation on another thread and finishes the command when it is done.
class TCommandRunner {
 public:
  virtual ~TCommandRunner() = default;
  // Runs command with engine; platform shows its messages.
  virtual void Run(TCommand command, TValuationEngine& engine, TPlatform& platform);
  // True while a command runs (never, for this runner).
  [[nodiscard]] virtual bool Running() const { return false; }
};

}  // namespace valquor
