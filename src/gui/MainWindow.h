#pragma once
// The main window: every page and control of the form model in Qt layouts, and the two
// calculator dialogs. Every user event runs through the form's handler runner and is followed
// by a pull of the controls that changed. Enter presses the Compute button of the page in view.
// Its command runner computes away from the window's thread: while a run lasts the inputs of
// the window and its dialogs are locked, and after 0.3 s a progress bar with Cancel shows.

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "forms/FormWiz2Controls.h"
#include "forms/FormWizControls.h"
#include "gui/FormBinder.h"

class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;

namespace valquor {

class TQtCommandRunner;
class TQtPlatform;
class TWizardDialog;

// Runs an event handler as the application's event loop does (the form's RunHandler).
using THandlerRunner = std::function<void(const std::function<void()>&)>;

class TMainWindow : public QWidget {
  Q_OBJECT

 public:
  // The view of form and of its two dialogs; it must not outlive them.
  TMainWindow(TFormPersonalControls& form, TFormWizControls& overUnder, TFormWiz2Controls& risk,
              THandlerRunner runHandler, TQtPlatform& platform, QWidget* parent = nullptr);
  ~TMainWindow() override;

  // Runs one user event through the form's handler runner, then brings the view in step.
  void Run(const std::function<void()>& handler);
  // Brings every widget, the dialogs and the window's caption in step with the model.
  void Sync();

  // The start of the program: the form's Show() (its settings are restored), the window at its
  // stored place and size, shown, and the form's Activate() once it is active.
  void Start();

  [[nodiscard]] TFormBinder& Binder() { return *binder_; }
  [[nodiscard]] TWizardDialog& OverUnderDialog() { return *overUnder_; }
  [[nodiscard]] TWizardDialog& RiskDialog() { return *risk_; }
  [[nodiscard]] bool ShuttingDown() const { return closed_; }

  // The runner to install in the form (TFormPersonal::SetCommandRunner) for computing away
  // from the window's thread; uninstall it before the window goes.
  [[nodiscard]] TQtCommandRunner& CommandRunner() { return *runner_; }
  // Cancels the run in progress, as the Cancel button and Esc do.
  void CancelCompute();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* W(TControl& control, QWidget* parent);
  QLabel* L(TControl& control, QWidget* parent);
  // A label and its field in row `row` of a grid, at column pair `pair`.
  void AddPair(QGridLayout* grid, int row, int pair, TControl& control, QWidget* parent);
  void BuildPricing(QWidget* page);
  // The Graph sub-page of Pricing (MainWindowGraph.cpp).
  void BuildGraph(QWidget* page);
  void BuildVolatility(QWidget* page);
  // The Chart sub-page of Volatility, and the smile placed beside the implied-volatility
  // report (returned in a splitter with it) (MainWindowVolatility.cpp).
  void BuildHVChart(QWidget* page);
  QWidget* BuildSmile(QWidget* page, QWidget* report);
  // Export... of the table kept for control, on its widget's context menu.
  void OfferExport(TControl& control, QWidget* widget);
  void BuildCalculator(QWidget* page);
  void BuildOptions(QWidget* page);
  void BuildAbout(QWidget* page);
  void ApplyGeometry();
  // At a first start (no stored size), grows the shown window so that the fair-value pane
  // shows its default table whole, within the screen's free area.
  void FitFairValueTable();
  // The status line under the pages: the platform's notes, each for a few seconds.
  void BuildStatusLine();
  // The help topic of the control in focus or the nearest control around it; 0 for none.
  [[nodiscard]] int FocusedTopic() const;
  void StoreGeometry();
  // The form's Activate() once, for a window system that never reports the window active.
  void ActivateOnce();
  void BuildProgress();
  // A run of the command runner begins or ends: locks or restores the inputs, the progress.
  void ComputeStarted();
  void ComputeEnded();
  void ShowProgress();
  // Disables every input control and command button of the window and its dialogs that is
  // enabled now; UnlockInputs enables them again.
  void LockInputs();
  void UnlockInputs();

  TFormPersonalControls& form_;
  THandlerRunner runHandler_;
  TQtPlatform& platform_;
  TFormBinder* binder_;
  TWizardDialog* overUnder_ = nullptr;
  TWizardDialog* risk_ = nullptr;
  TQtCommandRunner* runner_ = nullptr;
  QStatusBar* status_ = nullptr;
  QWidget* progressPanel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QTimer* progressDelay_ = nullptr;
  QTimer* progressTick_ = nullptr;
  std::vector<TControl*> locked_;
  // The focus before the inputs were locked, and where locking moved it.
  QPointer<QWidget> focusBeforeLock_;
  QPointer<QWidget> focusAfterLock_;
  std::vector<QWidget*> tabOrder_;
  int running_ = 0;
  bool activated_ = false;
  bool closed_ = false;
};

}  // namespace valquor
