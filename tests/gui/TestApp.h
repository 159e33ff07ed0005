#pragma once
// The program over a settings folder, as the window's tests start it: the form model, the Qt
// platform (each message recorded with whether the busy cursor was up) and the window.

#include <QApplication>
#include <QCursor>
#include <QString>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/MainWindow.h"
#include "gui/QtCommandRunner.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor::test {

// Who runs a command: the form model itself, to its end before the click returns, or the
// window's runner beside the event loop, as the program runs them.
enum class TRunBy { Form, Window };

struct TTestApp {
  std::vector<std::string> messages;
  std::vector<bool> busyAtMessage;
  TQtPlatform platform;
  std::unique_ptr<TFormPersonal> form;
  std::unique_ptr<TMainWindow> window;

  explicit TTestApp(const QString& folder, const QString& manual = {}, TRunBy runBy = TRunBy::Form)
      : platform(folder.toStdString(), manual.toStdString()) {
    platform.MessageSink = [this](const std::string& text, TMessageKind) {
      messages.push_back(text);
      busyAtMessage.push_back(QApplication::overrideCursor() != nullptr &&
                              QApplication::overrideCursor()->shape() == Qt::WaitCursor);
    };
    form = std::make_unique<TFormPersonal>(platform);
    window = std::make_unique<TMainWindow>(
        *form, form->FormWiz, form->FormWiz2,
        [this](const std::function<void()>& handler) { form->RunHandler(handler); }, platform);
    if (runBy == TRunBy::Window) form->SetCommandRunner(&window->CommandRunner());
  }
  ~TTestApp() {
    window.reset();
    form->SetCommandRunner(nullptr);
    form.reset();
  }
  TTestApp(const TTestApp&) = delete;
  TTestApp& operator=(const TTestApp&) = delete;

  // Shows the window and runs the start-up; false when the window never became active.
  bool Start() {
    window->Start();
    if (!QTest::qWaitForWindowActive(window.get())) return false;
    QCoreApplication::processEvents();
    return form->StartupDone;
  }
  [[nodiscard]] QWidget* Find(const TControl& control) const {
    return window->Binder().Find(control);
  }
  template <class TWidget>
  [[nodiscard]] TWidget* Get(const TControl& control) const {
    return qobject_cast<TWidget*>(Find(control));
  }
  // Clicks the tabs that lead to a page, as the user does.
  void ShowPage(TTabSheet& sheet) {
    std::vector<TTabSheet*> path;
    for (TControl* c = &sheet; c != nullptr; c = c->Parent()) {
      if (auto* page = dynamic_cast<TTabSheet*>(c)) path.insert(path.begin(), page);
    }
    for (TTabSheet* page : path) {
      Get<QTabWidget>(*page->PageControl())->setCurrentWidget(Find(*page));
    }
  }
};

}  // namespace valquor::test
