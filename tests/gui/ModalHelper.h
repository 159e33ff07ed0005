#pragma once
// Test helper: acts on the next modal window (message box, file or font dialog) from a timer,
// because a modal window's exec() does not return until someone closes it.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace valquor::test {

// Calls act with the next modal widget as soon as one is open (polling every 10 ms, for at
// most five seconds); act must close it. A window that act left open is rejected two seconds
// later, so that a failing test fails instead of hanging. The timer belongs to this object.
class TModalCloser {
 public:
  explicit TModalCloser(std::function<void(QWidget*)> act) : act_(std::move(act)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start(10);
  }

  int Seen = 0;
  bool LeftOpen = false;

 private:
  void Tick() {
    QWidget* modal = QApplication::activeModalWidget();
    if (acted_) {
      if (target_.isNull() || modal != target_) {
        timer_.stop();
      } else if (++ticks_ > 200) {
        LeftOpen = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        timer_.stop();
      }
      return;
    }
    if (modal == nullptr) {
      if (++ticks_ > 500) timer_.stop();
      return;
    }
    ++Seen;
    acted_ = true;
    target_ = modal;
    ticks_ = 0;
    act_(modal);
  }

  std::function<void(QWidget*)> act_;
  QTimer timer_;
  bool acted_ = false;
  QPointer<QWidget> target_;
  int ticks_ = 0;
};

}  // namespace valquor::test
