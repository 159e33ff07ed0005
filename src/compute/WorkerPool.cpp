#include "compute/WorkerPool.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace valquor {
namespace {

constexpr int kMaxWorkers = 256;

}  // namespace

int DefaultWorkerCount() {
  if (const char* text = std::getenv("VALQUOR_THREADS"); text != nullptr && *text != '\0') {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (*end == '\0' && n >= 1 && n <= kMaxWorkers) return static_cast<int>(n);
  }
  const unsigned hardware = std::thread::hardware_concurrency();
  return hardware == 0 ? 1 : static_cast<int>(std::min<unsigned>(hardware, kMaxWorkers));
}

TWorkerPool::TWorkerPool(int workers) : workers_(std::clamp(workers, 1, kMaxWorkers)) {
  threads_.reserve(static_cast<std::size_t>(workers_ - 1));
  for (int w = 1; w < workers_; ++w) threads_.emplace_back([this, w] { Work(w); });
}

TWorkerPool::~TWorkerPool() {
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  threads_.clear();  // joins
}

void TWorkerPool::For(std::size_t count, const std::function<void(std::size_t, int)>& body,
                      const std::function<bool(std::size_t)>& skip) {
  if (count == 0) return;
  if (workers_ == 1 || count == 1) {
    for (std::size_t i = 0; i < count && !skip(i); ++i) body(i, 0);
    return;
  }
  {
    std::lock_guard lock(mutex_);
    body_ = &body;
    skip_ = &skip;
    count_ = count;
    next_.store(0, std::memory_order_relaxed);
    busy_ = workers_;
    ++round_;
  }
  wake_.notify_all();
  RunUnits(0);
  std::unique_lock lock(mutex_);
  --busy_;
  done_.wait(lock, [this] { return busy_ == 0; });
  body_ = nullptr;
  skip_ = nullptr;
}

void TWorkerPool::RunUnits(int worker) {
  for (;;) {
    const std::size_t i = next_.fetch_add(1, std::memory_order_relaxed);
    if (i >= count_) return;
    if ((*skip_)(i)) {
      next_.store(count_, std::memory_order_relaxed);
      return;
    }
    (*body_)(i, worker);
  }
}

void TWorkerPool::Work(int worker) {
  unsigned long long seen = 0;
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return quit_ || round_ != seen; });
      if (quit_) return;
      seen = round_;
    }
    RunUnits(worker);
    std::lock_guard lock(mutex_);
    if (--busy_ == 0) done_.notify_all();
  }
}

}  // namespace valquor
