#pragma once
// The window's command runner: a command's computations run on a thread of their own while the
// event loop keeps turning; the finished commands are written on the window's thread as one user
// action. The commands given during one event run together, in order, as one run.

#include <QObject>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "shell/Command.h"

namespace valquor {

class TQtCommandRunner : public QObject, public TCommandRunner {
  Q_OBJECT

 public:
  // Runs a function as one user action of the window and brings the view in step.
  using TActionRunner = std::function<void(const std::function<void()>&)>;

  // runAction writes the finished commands (the window's Run); idle tells whether the window
  // is outside its event handlers, so that a run may start or be written now (else later).
  TQtCommandRunner(TActionRunner runAction, std::function<bool()> idle, QObject* parent = nullptr);
  // Stops a run in progress (see Stop).
  ~TQtCommandRunner() override;
  TQtCommandRunner(const TQtCommandRunner&) = delete;
  TQtCommandRunner& operator=(const TQtCommandRunner&) = delete;

  // Queues command; the run starts once the event that gave it has ended. platform shows its
  // messages when it is written; engine and platform must outlive the run.
  void Run(TCommand command, TValuationEngine& engine, TPlatform& platform) override;
  // From the first Run until the run is written or cancelled.
  [[nodiscard]] bool Running() const override;
  // The fraction of the run done, 0 to 1 (each command of the run an equal share).
  [[nodiscard]] double Fraction() const;
  // A cancelled run is still ending (its computation has not reached its next stop check).
  [[nodiscard]] bool Cancelling() const;

  // Asks the run's computations to stop and forgets the run: nothing of it is shown or
  // written. Returns at once; Ended follows when the computing thread has left.
  void Cancel();
  // Cancel, then waits for the computing thread to leave (Ended is emitted before returning).
  void Stop();

 signals:
  // A run begins: the window locks what would change it. Emitted before the computing starts.
  void Started();
  // The run has ended, finished or cancelled: emitted before the finished commands are written.
  void Ended();

 private:
  struct TJob;
  struct TBatch;

  void Start();
  // The computing thread has finished batch (on the window's thread).
  void Computed(const std::shared_ptr<TBatch>& batch);
  void PostStart();

  TActionRunner runAction_;
  std::function<bool()> idle_;
  std::vector<TJob> pending_;
  std::shared_ptr<TBatch> batch_;
  std::jthread worker_;
  bool startPosted_ = false;
};

}  // namespace valquor
