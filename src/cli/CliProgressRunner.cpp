#include "cli/CliProgressRunner.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "compute/WorkControl.h"

namespace valquor {

void TCliProgressRunner::Run(TCommand command, TValuationEngine& engine, TPlatform& platform) {
  TWorkControl control;
  TCommandOutcome outcome;
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  std::jthread worker([&] {
    TCommandOutcome computed = ComputeCommand(command, engine, control);
    const std::lock_guard lock(mutex);
    outcome = std::move(computed);
    done = true;
    finished.notify_one();
  });

  const auto start = std::chrono::steady_clock::now();
  std::size_t widest = 0;
  int shown = -1;
  {
    std::unique_lock lock(mutex);
    while (!finished.wait_for(lock, poll_, [&] { return done; })) {
      if (std::chrono::steady_clock::now() - start < delay_) continue;
      const int percent = static_cast<int>(std::floor(100.0 * control.Fraction()));
      if (percent == shown) continue;
      const std::string line = "Computing... " + std::to_string(percent) + " %";
      err_ << '\r' << line;
      // A shorter line than the last leaves no digits of it behind.
      if (line.size() < widest) err_ << std::string(widest - line.size(), ' ');
      err_.flush();
      widest = std::max(widest, line.size());
      shown = percent;
    }
  }
  worker.join();
  if (widest > 0) {
    err_ << '\r' << std::string(widest, ' ') << '\r';
    err_.flush();
  }
  FinishCommand(command, outcome, platform);
}

}  // namespace valquor
