#pragma once
// The command runner of valquor-cli on a terminal: a command computes on a thread of its own
// while the driver waits, and work that takes longer than a while shows one progress line on
// standard error ("\rComputing... 45 %"), cleared before the command's messages and outputs
// come. What the command shows and writes is the same as with the synchronous runner.

#include <chrono>
#include <ostream>

#include "shell/Command.h"

namespace valquor {

class TCliProgressRunner : public TCommandRunner {
 public:
  // The line goes to err once a command has run for delay; it is refreshed every poll.
  explicit TCliProgressRunner(std::ostream& err,
                              std::chrono::milliseconds delay = std::chrono::seconds(1),
                              std::chrono::milliseconds poll = std::chrono::milliseconds(100))
      : err_(err), delay_(delay), poll_(poll) {}

  // Computes command, showing the progress line while it takes long, clears the line, then
  // finishes it on the calling thread. Returns when it is written.
  void Run(TCommand command, TValuationEngine& engine, TPlatform& platform) override;

 private:
  std::ostream& err_;
  std::chrono::milliseconds delay_;
  std::chrono::milliseconds poll_;
};

}  // namespace valquor
