#include "gui/SpinField.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace valquor {

TSpinField::TSpinField(QWidget* parent) : QAbstractSpinBox(parent) {
  // Without keyboard tracking the base class leaves the text alone: it has no value of its own.
  setKeyboardTracking(false);
  setAccelerated(false);
  connect(lineEdit(), &QLineEdit::textEdited, this, &TSpinField::TextEdited);
}

void TSpinField::SetText(const QString& text) {
  if (lineEdit()->text() == text) return;
  const QSignalBlocker blocker(lineEdit());
  lineEdit()->setText(text);
}

void TSpinField::stepBy(int steps) {
  if (steps != 0) emit Stepped(steps);
}

QValidator::State TSpinField::validate(QString& input, int& /*pos*/) const {
  static const QRegularExpression kWholeNumber(QStringLiteral("^\\s*[-+]?[0-9]*\\s*$"));
  if (kWholeNumber.match(input).hasMatch()) return QValidator::Acceptable;
  // A stored text that is no number can still be shortened, character by character.
  return input.size() < lineEdit()->text().size() ? QValidator::Intermediate : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled TSpinField::stepEnabled() const {
  // The model keeps the value within its bounds.
  return isReadOnly() ? StepNone : (StepUpEnabled | StepDownEnabled);
}

QSize TSpinField::sizeHint() const {
  ensurePolished();
  const QFontMetrics metrics(fontMetrics());
  const QSize text(metrics.horizontalAdvance(QStringLiteral("-000000 ")) + 2,
                   lineEdit()->sizeHint().height());
  QStyleOptionSpinBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize TSpinField::minimumSizeHint() const { return sizeHint(); }

}  // namespace valquor
