#pragma once
// A small pool of worker threads that run the units of one loop at a time. The thread that
// starts a loop works in it too, as worker 0, so a pool of one worker has no thread of its own
// and runs everything on the caller's thread.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace valquor {

// The number of workers: the whole number 1 to 256 in the environment variable VALQUOR_THREADS
// when it holds one, else the hardware's thread count (at least 1).
[[nodiscard]] int DefaultWorkerCount();

class TWorkerPool {
 public:
  // workers is clamped to 1..256; workers - 1 threads are started.
  explicit TWorkerPool(int workers);
  // Waits for the threads to end (a loop in progress finishes first).
  ~TWorkerPool();
  TWorkerPool(const TWorkerPool&) = delete;
  TWorkerPool& operator=(const TWorkerPool&) = delete;

  [[nodiscard]] int Workers() const { return workers_; }

  // Runs body(index, worker) for the indices 0 to count - 1, handing them out in increasing
  // order to whichever worker is free; worker is 0 to Workers() - 1 and no two units run on the
  // same worker at once. Stops handing out indices once skip(index) is true (skip is called
  // before each index is handed out, from any worker). Returns when every unit handed out has
  // finished. body and skip must not throw. One loop at a time: For is not reentrant.
  void For(std::size_t count, const std::function<void(std::size_t, int)>& body,
           const std::function<bool(std::size_t)>& skip);

 private:
  void Work(int worker);
  void RunUnits(int worker);

  int workers_;
  std::vector<std::jthread> threads_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  // The loop in progress.
  const std::function<void(std::size_t, int)>* body_ = nullptr;
  const std::function<bool(std::size_t)>* skip_ = nullptr;
  std::size_t count_ = 0;
  std::atomic<std::size_t> next_{0};
  int busy_ = 0;                  // workers inside the loop
  unsigned long long round_ = 0;  // increases with every loop, wakes the threads
  bool quit_ = false;
};

}  // namespace valquor
