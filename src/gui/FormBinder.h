#pragma once
// Binds the controls of one form model to Qt widgets, both ways. A widget is made for a control
// on request (the window's layout code places it); a user's action becomes the control's setter
// or click, run through the form's event runner, and Pull() brings every widget whose control's
// version changed back in step with the model. The binder holds no behaviour of its own.

#include <QObject>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "forms/Controls.h"

class QLabel;
class QTabWidget;
class QWidget;

namespace valquor {

// Runs one of the user's events: the form's handler runner, then the view brought in step.
using TEventRunner = std::function<void(const std::function<void()>&)>;

class TFormBinder : public QObject {
  Q_OBJECT

 public:
  TFormBinder(TForm& form, TEventRunner run, QObject* parent = nullptr);
  ~TFormBinder() override;

  [[nodiscard]] TForm& Form() const { return form_; }

  // The widget of a control, made on the first request with the given parent (a layout may
  // reparent it). Its object name is the control's name. Tab sheets are the page widgets of
  // their page control's tab widget, which must be requested first.
  QWidget* Widget(TControl& control, QWidget* parent = nullptr);
  template <class TWidget>
  TWidget* As(TControl& control, QWidget* parent = nullptr) {
    return qobject_cast<TWidget*>(Widget(control, parent));
  }
  // The widget already made for a control, or nullptr.
  [[nodiscard]] QWidget* Find(const TControl& control) const;
  // The label beside a control (its LabelCaption; the '&' letter focuses the control), made on
  // the first request; nullptr when the control has no label caption.
  QLabel* Label(TControl& control, QWidget* parent = nullptr);

  // Brings every widget whose control changed since the last pull in step with the model.
  void Pull();
  // Controls of the form without a widget (a layout that forgot one).
  [[nodiscard]] std::vector<const TControl*> Unplaced() const;

  // The default button on the page in view (Enter presses it), or nullptr.
  [[nodiscard]] TButton* DefaultButtonInView() const;
  // The form's cancel button (Escape presses it), or nullptr.
  [[nodiscard]] TButton* CancelButton() const;

  // True while the model is being copied into the widgets (signals of the widgets are blocked
  // then; this guards the ones that are not).
  [[nodiscard]] bool Pulling() const { return pulling_; }

 private:
  struct TBinding;
  TBinding& Make(TControl& control, QWidget* parent);
  void PullOne(TBinding& binding);
  // Runs a user's change; the binding is pulled afterwards even when the model refused it.
  void Push(TBinding& binding, const std::function<void()>& change);

  TForm& form_;
  TEventRunner run_;
  std::vector<std::unique_ptr<TBinding>> bindings_;
  std::unordered_map<const TControl*, TBinding*> byControl_;
  bool pulling_ = false;
};

// Shown: the control and its parents visible, and every tab sheet on the way the active page
// of its page control.
[[nodiscard]] bool InView(const TControl& control);

}  // namespace valquor
