#include "gui/QtCommandRunner.h"

#include <QMetaObject>
#include <QTimer>
#include <algorithm>
#include <atomic>

#include "compute/WorkControl.h"

namespace valquor {
namespace {

// How long a start or a finish waits for the window to leave its event handler.
constexpr int kRetryMs = 10;

}  // namespace

struct TQtCommandRunner::TJob {
  TCommand Command;
  TValuationEngine* Engine = nullptr;
  TPlatform* Platform = nullptr;
  TCommandOutcome Outcome;
  std::unique_ptr<TWorkControl> Control = std::make_unique<TWorkControl>();
};

struct TQtCommandRunner::TBatch {
  std::vector<TJob> Jobs;
  std::atomic<std::size_t> Done{0};  // jobs computed in full
  bool Cancelled = false;            // window's thread only

  void RequestStop() {
    for (TJob& job : Jobs) job.Control->RequestStop();
  }
};

TQtCommandRunner::TQtCommandRunner(TActionRunner runAction, std::function<bool()> idle,
                                   QObject* parent)
    : QObject(parent), runAction_(std::move(runAction)), idle_(std::move(idle)) {}

TQtCommandRunner::~TQtCommandRunner() { Stop(); }

void TQtCommandRunner::Run(TCommand command, TValuationEngine& engine, TPlatform& platform) {
  TJob job;
  job.Command = std::move(command);
  job.Engine = &engine;
  job.Platform = &platform;
  pending_.push_back(std::move(job));
  if (!batch_) PostStart();
}

bool TQtCommandRunner::Running() const { return batch_ != nullptr || !pending_.empty(); }

double TQtCommandRunner::Fraction() const {
  if (!batch_ || batch_->Jobs.empty()) return 0.0;
  const std::size_t count = batch_->Jobs.size();
  const std::size_t done = std::min(batch_->Done.load(), count);
  const double current = done < count ? batch_->Jobs[done].Control->Fraction() : 0.0;
  return (static_cast<double>(done) + current) / static_cast<double>(count);
}

bool TQtCommandRunner::Cancelling() const { return batch_ != nullptr && batch_->Cancelled; }

void TQtCommandRunner::PostStart() {
  if (startPosted_) return;
  startPosted_ = true;
  QMetaObject::invokeMethod(this, &TQtCommandRunner::Start, Qt::QueuedConnection);
}

void TQtCommandRunner::Start() {
  startPosted_ = false;
  if (batch_ || pending_.empty()) return;
  if (!idle_()) {
    // The event that gave the command (or a message box of it) is still running.
    startPosted_ = true;
    QTimer::singleShot(kRetryMs, this, &TQtCommandRunner::Start);
    return;
  }
  auto batch = std::make_shared<TBatch>();
  batch->Jobs = std::move(pending_);
  pending_.clear();
  batch_ = batch;
  emit Started();
  worker_ = std::jthread([this, batch] {
    for (TJob& job : batch->Jobs) {
      job.Outcome = ComputeCommand(job.Command, *job.Engine, *job.Control);
      if (job.Outcome.Stopped) break;
      batch->Done.fetch_add(1);
    }
    // The runner outlives the thread (it joins it), so it is there to take the call.
    QMetaObject::invokeMethod(
        this, [this, batch] { Computed(batch); }, Qt::QueuedConnection);
  });
}

void TQtCommandRunner::Computed(const std::shared_ptr<TBatch>& batch) {
  if (batch != batch_) return;  // stopped and ended already
  if (!batch->Cancelled && !idle_()) {
    QTimer::singleShot(kRetryMs, this, [this, batch] { Computed(batch); });
    return;
  }
  if (worker_.joinable()) worker_.join();
  batch_.reset();
  emit Ended();
  if (!batch->Cancelled) {
    runAction_([&batch] {
      for (TJob& job : batch->Jobs) FinishCommand(job.Command, job.Outcome, *job.Platform);
    });
  }
  if (!pending_.empty()) PostStart();
}

void TQtCommandRunner::Cancel() {
  pending_.clear();
  if (!batch_ || batch_->Cancelled) return;
  batch_->Cancelled = true;
  batch_->RequestStop();
}

void TQtCommandRunner::Stop() {
  Cancel();
  if (worker_.joinable()) worker_.join();
  if (batch_) {
    batch_.reset();
    emit Ended();
  }
}

}  // namespace valquor
