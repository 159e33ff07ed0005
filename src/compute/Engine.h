#pragma once
// The valuation engine: a pool of workers, each with valuation components of its own, and the
// context of one computation (its messages in order, its stop request and progress, and the
// valuations it has made, so none is made twice). Results and messages come out the same, bit
// for bit and in the same order, whatever the number of workers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "compute/WorkControl.h"
#include "compute/WorkerPool.h"
#include "models/MessageSink.h"
#include "models/ModelSet.h"
#include "models/ValuationTerms.h"

namespace valquor {

class TComputeContext;

// The valuations one computation has made with the binomial and integration models (the others
// cost less than a lookup): the value, both estimates and the messages the valuation showed.
class TValuationMemo {
 public:
  struct TKey {
    TValuationTerms Terms;
    bool IsPut = false;
    int Days = 0;
    float Strike = 0.0f, Price = 0.0f, Volatility = 0.0f;
    bool operator==(const TKey& other) const;
  };
  struct TEntry {
    float Value = 0.0f, First = 0.0f, Second = 0.0f;
    std::vector<TMessage> Messages;
  };
  // Whether valuations under these terms are worth keeping.
  [[nodiscard]] static bool Worthwhile(const TValuationTerms& terms);
  [[nodiscard]] std::optional<TEntry> Find(const TKey& key) const;
  void Keep(const TKey& key, TEntry entry);

 private:
  struct THash {
    std::size_t operator()(const TKey& key) const;
  };
  static constexpr std::size_t kShards = 16;
  struct TShard {
    mutable std::mutex Mutex;
    std::unordered_map<TKey, TEntry, THash> Entries;
  };
  std::array<TShard, kShards> shards_;
};

// What one unit of work values with: its worker's components, the computation's memo, and the
// unit's own message list.
class TValuer {
 public:
  TValuer(TModelSet& models, TValuationMemo* memo, TMessageSink& messages);
  ~TValuer();
  TValuer(const TValuer&) = delete;
  TValuer& operator=(const TValuer&) = delete;

  // TModelSet::Value under terms, or the same valuation made before in this computation (its
  // messages shown again).
  float Value(const TValuationTerms& terms, bool isPut, int days, float strike, float price,
              float volatility, float& firstEstimate, float& secondEstimate);
  float Value(const TValuationTerms& terms, bool isPut, int days, float strike, float price,
              float volatility);
  // The unit's messages, and its worker's components for what Value does not cover.
  [[nodiscard]] TMessageSink& Messages() { return messages_; }
  [[nodiscard]] TModelSet& Models() { return models_; }

 private:
  TModelSet& models_;
  TValuationMemo* memo_;
  TMessageSink& messages_;
  TMessageSink* previousTarget_;
};

class TValuationEngine {
 public:
  // workers as TWorkerPool takes it; DefaultWorkerCount() by default.
  explicit TValuationEngine(int workers = DefaultWorkerCount());
  TValuationEngine(const TValuationEngine&) = delete;
  TValuationEngine& operator=(const TValuationEngine&) = delete;

  [[nodiscard]] int Workers() const { return pool_.Workers(); }

 private:
  friend class TComputeContext;
  TWorkerPool pool_;
  std::vector<std::unique_ptr<TModelSet>> models_;  // one per worker
};

// One computation: a button press's worth of reports. Its messages go to a sink in the order a
// single worker would show them; its units of work may run on every worker of the engine.
class TComputeContext {
 public:
  TComputeContext(TValuationEngine& engine, TMessageSink& messages, TWorkControl& control);

  [[nodiscard]] TMessageSink& Messages() { return messages_; }
  [[nodiscard]] TWorkControl& Control() { return control_; }
  [[nodiscard]] TValuationEngine& Engine() { return engine_; }

  // A valuer for work done in sequence on the calling thread (worker 0's components); its
  // messages go straight to Messages(). Not for use while Map runs.
  [[nodiscard]] TValuer& Sequential() { return *sequential_; }

  // Runs unit(index, valuer) for the indices 0 to count - 1 on every worker and returns the
  // results in index order. Each unit's messages are passed to Messages() in index order once
  // all have run. When units throw, the one with the lowest index ends the run: the messages of
  // the units before it, and its own up to the throw, are passed on and its exception is
  // rethrown. A stop request throws EStopped and passes nothing on. Each unit counts as one
  // finished unit of progress (announce them with Control().Plan first).
  template <class T, class Unit>
  std::vector<T> Map(std::size_t count, Unit&& unit);

 private:
  // Map without the result type: unit(index, valuer) for every index.
  void Run(std::size_t count, const std::function<void(std::size_t, TValuer&)>& unit);

  TValuationEngine& engine_;
  TMessageSink& messages_;
  TWorkControl& control_;
  TValuationMemo memo_;
  std::unique_ptr<TValuer> sequential_;
};

template <class T, class Unit>
std::vector<T> TComputeContext::Map(std::size_t count, Unit&& unit) {
  std::vector<std::optional<T>> computed(count);
  Run(count, [&](std::size_t i, TValuer& valuer) { computed[i].emplace(unit(i, valuer)); });
  std::vector<T> results;
  results.reserve(count);
  for (std::optional<T>& cell : computed) results.push_back(std::move(*cell));
  return results;
}

}  // namespace valquor
