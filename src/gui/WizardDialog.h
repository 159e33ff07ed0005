#pragma once
// A calculator dialog (the over/under-pricing and the risk dialog) built from its form model:
// one tab per page, a bold heading, labelled fields, the Result pane with Compute and Close.
// Modeless; shown and hidden as the form's Visible() says, raised on its RaiseRequests;
// the user's closing goes through the form's Close().

#include <QDialog>
#include <cstdint>
#include <functional>

#include "gui/FormBinder.h"

namespace valquor {

class TWizardDialog : public QDialog {
  Q_OBJECT

 public:
  // run: runs a user's event and brings the whole view in step. shuttingDown: true once the
  // program is ending, when closing the dialog must not reach the form.
  TWizardDialog(TForm& form, TEventRunner run, std::function<bool()> shuttingDown, QWidget* parent);

  [[nodiscard]] TFormBinder& Binder() { return *binder_; }
  [[nodiscard]] TForm& Form() const { return form_; }

  // Brings the widgets, the visibility and the stacking order in step with the form.
  void Sync();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 public slots:
  void reject() override;

 private:
  void Build();
  void StoreGeometry();

  TForm& form_;
  TEventRunner run_;
  std::function<bool()> shuttingDown_;
  TFormBinder* binder_;
  bool placed_ = false;
  std::uint64_t raiseRequests_ = 0;
};

}  // namespace valquor
