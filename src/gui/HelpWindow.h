#pragma once
// The manual in a window of the program: an HTML browser with Contents, Back and Forward;
// Escape closes it.

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace valquor {

class THelpWindow : public QWidget {
  Q_OBJECT

 public:
  // A top-level window (owned by parent when one is given).
  explicit THelpWindow(QWidget* parent = nullptr);

  // Shows the page at contents (a local file), brings the window to the front and remembers it
  // as the page the Contents button returns to.
  void ShowContents(const QUrl& contents);
  // Shows page (a local file, with an anchor as its fragment), brings the window to the front
  // and remembers contents as the page the Contents button returns to.
  void ShowTopic(const QUrl& contents, const QUrl& page);
  [[nodiscard]] QUrl Source() const;
  [[nodiscard]] QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
  QPushButton* back_;
  QPushButton* forward_;
  QUrl contents_;
};

}  // namespace valquor
