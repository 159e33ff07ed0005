#pragma once
// The main window: every page and control of the form model in Qt layouts, and the two
// calculator dialogs. Every user event runs through the form's handler runner and is followed
// by a pull of the controls that changed. Enter presses the Compute button of the page in view.

#include <QWidget>
#include <functional>
#include <vector>

#include "forms/FormPersonalControls.h"
#include "forms/FormWiz2Controls.h"
#include "forms/FormWizControls.h"
#include "gui/FormBinder.h"

class QGridLayout;
class QLabel;

namespace valquor {

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

 protected:
  bool event(QEvent* event) override;
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
  void BuildCalculator(QWidget* page);
  void BuildOptions(QWidget* page);
  void BuildAbout(QWidget* page);
  void ApplyGeometry();
  void StoreGeometry();
  // The form's Activate() once, for a window system that never reports the window active.
  void ActivateOnce();

  TFormPersonalControls& form_;
  THandlerRunner runHandler_;
  TQtPlatform& platform_;
  TFormBinder* binder_;
  TWizardDialog* overUnder_ = nullptr;
  TWizardDialog* risk_ = nullptr;
  std::vector<QWidget*> tabOrder_;
  int running_ = 0;
  bool activated_ = false;
  bool closed_ = false;
};

}  // namespace valquor
