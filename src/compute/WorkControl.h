#pragma once
// The stop request and the progress of one computation, shared between the thread that asked
// for it (the window) and the threads doing it. Computations check the stop request between
// units of work and count the units they finish.

#include <atomic>
#include <cstdint>
#include <exception>

namespace valquor {

// Thrown out of a computation whose stop was requested; whatever it would have written is not
// written.
class EStopped : public std::exception {
 public:
  [[nodiscard]] const char* what() const noexcept override { return "Computation stopped"; }
};

// Thrown by a computation that gives up after showing its own message (a forward of 0 or less,
// say): the command ends without a further message.
class EAbandoned : public std::exception {
 public:
  [[nodiscard]] const char* what() const noexcept override { return "Computation abandoned"; }
};

class TWorkControl {
 public:
  // Asks the computation to stop at its next check.
  void RequestStop() noexcept { stop_.store(true, std::memory_order_relaxed); }
  [[nodiscard]] bool StopRequested() const noexcept {
    return stop_.load(std::memory_order_relaxed);
  }
  // Throws EStopped when a stop was requested.
  void CheckStop() const {
    if (StopRequested()) throw EStopped();
  }

  // Announces units more units of work; the fraction done is finished / announced.
  void Plan(std::uint64_t units) noexcept { planned_.fetch_add(units, std::memory_order_relaxed); }
  // Counts finished units.
  void Finish(std::uint64_t units = 1) noexcept {
    finished_.fetch_add(units, std::memory_order_relaxed);
  }
  // The fraction done, 0 to 1; 0 before anything was announced, and below 1 while finished
  // units run ahead of the announced ones.
  [[nodiscard]] double Fraction() const noexcept;

 private:
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> planned_{0};
  std::atomic<std::uint64_t> finished_{0};
};

}  // namespace valquor
