#include "compute/Engine.h"

#include <atomic>
#include <bit>

namespace valquor {
namespace {

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

void Mix(std::size_t& seed, std::uint64_t value) {
  seed ^= static_cast<std::size_t>(value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
}

}  // namespace

bool TValuationMemo::TKey::operator==(const TKey& other) const {
  const TValuationTerms& a = Terms;
  const TValuationTerms& b = other.Terms;
  return a.Formula == b.Formula && Bits(a.RiskFree) == Bits(b.RiskFree) &&
         Bits(a.Carry) == Bits(b.Carry) && a.Steps == b.Steps && a.American == b.American &&
         a.DaysPerYear == b.DaysPerYear && a.Intervals == b.Intervals && IsPut == other.IsPut &&
         Days == other.Days && Bits(Strike) == Bits(other.Strike) &&
         Bits(Price) == Bits(other.Price) && Bits(Volatility) == Bits(other.Volatility);
}

std::size_t TValuationMemo::THash::operator()(const TKey& key) const {
  std::size_t seed = 0;
  Mix(seed, key.Terms.Formula);
  Mix(seed, Bits(key.Terms.RiskFree));
  Mix(seed, Bits(key.Terms.Carry));
  Mix(seed, static_cast<std::uint32_t>(key.Terms.Steps));
  Mix(seed, key.Terms.American ? 1 : 0);
  Mix(seed, static_cast<std::uint32_t>(key.Terms.DaysPerYear));
  Mix(seed, static_cast<std::uint32_t>(key.Terms.Intervals));
  Mix(seed, key.IsPut ? 1 : 0);
  Mix(seed, static_cast<std::uint32_t>(key.Days));
  Mix(seed, Bits(key.Strike));
  Mix(seed, Bits(key.Price));
  Mix(seed, Bits(key.Volatility));
  return seed;
}

bool TValuationMemo::Worthwhile(const TValuationTerms& terms) {
  return terms.Formula == kFormulaBinomial || terms.Integration();
}

std::optional<TValuationMemo::TEntry> TValuationMemo::Find(const TKey& key) const {
  const TShard& shard = shards_[THash{}(key) % kShards];
  std::lock_guard lock(shard.Mutex);
  const auto found = shard.Entries.find(key);
  if (found == shard.Entries.end()) return std::nullopt;
  return found->second;
}

void TValuationMemo::Keep(const TKey& key, TEntry entry) {
  TShard& shard = shards_[THash{}(key) % kShards];
  std::lock_guard lock(shard.Mutex);
  shard.Entries.try_emplace(key, std::move(entry));
}

TValuer::TValuer(TModelSet& models, TValuationMemo* memo, TMessageSink& messages)
    : models_(models), memo_(memo), messages_(messages), previousTarget_(models.Messages.Target()) {
  models_.Messages.SetTarget(&messages_);
}

TValuer::~TValuer() { models_.Messages.SetTarget(previousTarget_); }

float TValuer::Value(const TValuationTerms& terms, bool isPut, int days, float strike, float price,
                     float volatility, float& firstEstimate, float& secondEstimate) {
  if (memo_ == nullptr || !TValuationMemo::Worthwhile(terms)) {
    return models_.Value(terms, isPut, days, strike, price, volatility, firstEstimate,
                         secondEstimate);
  }
  const TValuationMemo::TKey key{terms, isPut, days, strike, price, volatility};
  if (std::optional<TValuationMemo::TEntry> kept = memo_->Find(key)) {
    for (const TMessage& m : kept->Messages) messages_.ShowMessage(m.Text, m.Kind);
    firstEstimate = kept->First;
    secondEstimate = kept->Second;
    return kept->Value;
  }
  // The valuation's own messages, kept with it and passed on.
  TMessageLog shown;
  models_.Messages.SetTarget(&shown);
  TValuationMemo::TEntry entry;
  try {
    entry.First = firstEstimate;
    entry.Second = secondEstimate;
    entry.Value =
        models_.Value(terms, isPut, days, strike, price, volatility, entry.First, entry.Second);
  } catch (...) {
    models_.Messages.SetTarget(&messages_);
    for (const TMessage& m : shown.Messages) messages_.ShowMessage(m.Text, m.Kind);
    throw;
  }
  models_.Messages.SetTarget(&messages_);
  for (const TMessage& m : shown.Messages) messages_.ShowMessage(m.Text, m.Kind);
  firstEstimate = entry.First;
  secondEstimate = entry.Second;
  const float value = entry.Value;
  entry.Messages = std::move(shown.Messages);
  memo_->Keep(key, std::move(entry));
  return value;
}

float TValuer::Value(const TValuationTerms& terms, bool isPut, int days, float strike, float price,
                     float volatility) {
  float first = 0.0f;
  float second = 0.0f;
  return Value(terms, isPut, days, strike, price, volatility, first, second);
}

TValuationEngine::TValuationEngine(int workers) : pool_(workers) {
  models_.reserve(static_cast<std::size_t>(pool_.Workers()));
  for (int w = 0; w < pool_.Workers(); ++w) models_.push_back(std::make_unique<TModelSet>());
}

TComputeContext::TComputeContext(TValuationEngine& engine, TMessageSink& messages,
                                 TWorkControl& control)
    : engine_(engine),
      messages_(messages),
      control_(control),
      sequential_(std::make_unique<TValuer>(*engine.models_[0], &memo_, messages)) {}

void TComputeContext::Run(std::size_t count,
                          const std::function<void(std::size_t, TValuer&)>& unit) {
  control_.CheckStop();
  std::vector<TMessageLog> logs(count);
  std::vector<std::exception_ptr> faults(count);
  std::atomic<std::size_t> firstFault{count};
  const std::function<void(std::size_t, int)> body = [&](std::size_t i, int worker) {
    {
      TValuer valuer(*engine_.models_[static_cast<std::size_t>(worker)], &memo_, logs[i]);
      try {
        unit(i, valuer);
      } catch (...) {
        faults[i] = std::current_exception();
        std::size_t lowest = firstFault.load();
        while (i < lowest && !firstFault.compare_exchange_weak(lowest, i)) {
        }
      }
    }
    control_.Finish();
  };
  const std::function<bool(std::size_t)> skip = [&](std::size_t i) {
    return control_.StopRequested() || i > firstFault.load(std::memory_order_relaxed);
  };
  engine_.pool_.For(count, body, skip);
  control_.CheckStop();
  for (std::size_t i = 0; i < count; ++i) {
    logs[i].ReplayTo(messages_);
    if (faults[i]) std::rethrow_exception(faults[i]);
  }
}

}  // namespace valquor
