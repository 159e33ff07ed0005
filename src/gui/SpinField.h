#pragma once
// A spin box whose text belongs to the form model: the user types a whole number (digits with
// an optional sign), the arrow buttons, arrow keys and the wheel ask the model to step, and the
// box shows whatever text the model holds, also one that is not a number.

#include <QAbstractSpinBox>
#include <QString>

namespace valquor {

class TSpinField : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit TSpinField(QWidget* parent = nullptr);

  // Shows text without signalling an edit.
  void SetText(const QString& text);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  // The user typed: the new text.
  void TextEdited(const QString& text);
  // The user pressed an arrow, a key or turned the wheel: +n steps up, -n down.
  void Stepped(int steps);

 protected:
  StepEnabled stepEnabled() const override;
};

}  // namespace valquor
