#include "gui/HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace valquor {

THelpWindow::THelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(new QTextBrowser(this)),
      back_(new QPushButton(tr("&Back"), this)),
      forward_(new QPushButton(tr("&Forward"), this)) {
  setObjectName("HelpWindow");
  setWindowTitle(tr("Valquor Help"));
  browser_->setObjectName("HelpBrowser");
  // Pages of the manual open here; addresses outside it go to the system's browser.
  browser_->setOpenExternalLinks(true);

  auto* contents = new QPushButton(tr("&Contents"), this);
  contents->setObjectName("HelpContents");
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(contents, &QPushButton::clicked, this, [this] {
    if (contents_.isValid()) browser_->setSource(contents_);
  });
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(contents);
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);
  resize(720, 560);
}

void THelpWindow::ShowContents(const QUrl& contents) { ShowTopic(contents, contents); }

void THelpWindow::ShowTopic(const QUrl& contents, const QUrl& page) {
  contents_ = contents;
  if (browser_->source() == page) {
    browser_->reload();
    if (!page.fragment().isEmpty()) browser_->scrollToAnchor(page.fragment());
  } else {
    browser_->setSource(page);
  }
  show();
  raise();
  activateWindow();
}

QUrl THelpWindow::Source() const { return browser_->source(); }

}  // namespace valquor
