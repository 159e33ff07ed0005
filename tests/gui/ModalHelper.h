#pragma once
// Test helper: acts on the next modal window (message box, file or font dialog) from a timer,
// because a modal window's exec() does not return until someone closes it.

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace valquor::test {

// Calls act with the next modal widget as soon as one is open (polling every 10 ms, for at
// most five seconds); act must close it. The timer belongs to the returned object.
class TModalCloser {
 public:
  explicit TModalCloser(std::function<void(QWidget*)> act) : act_(std::move(act)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) {
        if (++ticks_ > 500) timer_.stop();
        return;
      }
      timer_.stop();
      ++Seen;
      act_(modal);
    });
    timer_.start(10);
  }

  int Seen = 0;

 private:
  std::function<void(QWidget*)> act_;
  QTimer timer_;
  int ticks_ = 0;
};

}  // namespace valquor::test
