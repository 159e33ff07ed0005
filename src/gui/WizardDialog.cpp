#include "gui/WizardDialog.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <vector>

namespace valquor {

TWizardDialog::TWizardDialog(TForm& form, TEventRunner run, std::function<bool()> shuttingDown,
                             QWidget* parent)
    : QDialog(parent),
      form_(form),
      run_(std::move(run)),
      shuttingDown_(std::move(shuttingDown)),
      binder_(new TFormBinder(form, run_, this)) {
  setObjectName(QString::fromStdString(form.Name()));
  setModal(false);
  Build();
  raiseRequests_ = form.RaiseRequests;
  Sync();
}

void TWizardDialog::Build() {
  auto* layout = new QVBoxLayout(this);
  TPageControl* pages = nullptr;
  for (TControl* child : form_.Children()) {
    if (auto* p = dynamic_cast<TPageControl*>(child); p != nullptr && pages == nullptr) pages = p;
  }
  std::vector<QWidget*> order;
  if (pages != nullptr) {
    layout->addWidget(binder_->Widget(*pages, this), 1);
    for (TTabSheet* sheet : pages->Pages()) {
      QWidget* page = binder_->Widget(*sheet);
      auto* column = new QVBoxLayout(page);
      QFormLayout* fields = nullptr;
      auto* closing = new QHBoxLayout;
      closing->addStretch(1);
      bool pane = false;
      int beforeStretch = 0;  // buttons of the pane, left of the stretch in the closing row
      for (TControl* child : sheet->Children()) {
        auto* button = dynamic_cast<TButton*>(child);
        if (button != nullptr && (button->Default || button->Cancel)) {
          closing->addWidget(binder_->Widget(*button, page));
          continue;
        }
        if (button != nullptr && pane) {
          // Copy and Export of the Result pane sit at the left of Compute and Close.
          closing->insertWidget(beforeStretch++, binder_->Widget(*button, page));
          continue;
        }
        if (!child->LabelCaption.empty()) {
          if (fields == nullptr) {
            fields = new QFormLayout;
            fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
            column->addLayout(fields);
          }
          QWidget* widget = binder_->Widget(*child, page);
          fields->addRow(binder_->Label(*child, page), widget);
          order.push_back(widget);
          continue;
        }
        fields = nullptr;
        QWidget* widget = binder_->Widget(*child, page);
        if (dynamic_cast<TRichEdit*>(child) != nullptr) {
          column->addWidget(widget, 1);
          pane = true;
        } else if (button != nullptr) {
          auto* row = new QHBoxLayout;
          row->addWidget(widget);
          row->addStretch(1);
          column->addLayout(row);
          order.push_back(widget);
        } else {
          column->addWidget(widget);
          order.push_back(widget);
        }
      }
      if (!pane) column->addStretch(1);
      column->addLayout(closing);
      for (int i = 0; i < closing->count(); ++i) {
        if (QWidget* w = closing->itemAt(i)->widget(); w != nullptr) order.push_back(w);
      }
    }
  }
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  // Fixed-size border; the client area of the layout, or more when the fonts need it.
  setFixedSize(QSize(form_.Width, form_.Height).expandedTo(minimumSizeHint()));
}

void TWizardDialog::Sync() {
  binder_->Pull();
  setWindowTitle(QString::fromStdString(form_.Caption));
  if (form_.Visible() && isHidden()) {
    if (!placed_) {
      // Centred on the screen at the first showing; later showings keep the user's place.
      QScreen* screen =
          parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
      if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
      }
      placed_ = true;
    }
    show();
    raise();
    activateWindow();
  } else if (!form_.Visible() && !isHidden()) {
    StoreGeometry();
    hide();
  }
  if (form_.RaiseRequests != raiseRequests_) {
    raiseRequests_ = form_.RaiseRequests;
    if (!isHidden()) {
      raise();
      activateWindow();
    }
  }
}

void TWizardDialog::StoreGeometry() {
  form_.Left = x();
  form_.Top = y();
  form_.Width = width();
  form_.Height = height();
}

void TWizardDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // Enter presses Compute while the Result page is in view, and nothing elsewhere.
    if (TButton* button = binder_->DefaultButtonInView(); button != nullptr) {
      run_([button] { button->Click(); });
    }
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);  // Escape: reject()
}

void TWizardDialog::reject() {
  if (shuttingDown_ && shuttingDown_()) {
    QDialog::reject();
    return;
  }
  StoreGeometry();
  if (TButton* cancel = binder_->CancelButton(); cancel != nullptr) {
    run_([cancel] { cancel->Click(); });
  } else {
    run_([this] { form_.Close(); });
  }
}

void TWizardDialog::closeEvent(QCloseEvent* event) {
  // At the end of the program the dialogs go without their close handling.
  if (isHidden() || (shuttingDown_ && shuttingDown_())) {
    event->accept();
    return;
  }
  StoreGeometry();
  run_([this] { form_.Close(); });
  event->setAccepted(!form_.Visible());  // the form may keep itself open
}

}  // namespace valquor
