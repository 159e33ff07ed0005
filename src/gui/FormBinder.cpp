#include "gui/FormBinder.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "gui/ChartView.h"
#include "gui/QtPlatform.h"
#include "gui/SpinField.h"

namespace valquor {
namespace {

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

QColor ColorOf(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

// The background a control's colour asks for: nothing for the theme's own field colour (or a
// system colour without a meaning here), the face colour for clBtnFace, else the RGB colour.
std::optional<QColor> BackgroundOf(TColor color) {
  if (color == clBtnFace) return QApplication::palette().color(QPalette::Window);
  if (color < 0) return std::nullopt;  // clWindow and the other system colours
  return ColorOf(static_cast<std::uint32_t>(color));
}

// Is the widget one whose background is a text field (and so takes the control's colour)?
bool IsField(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(w) != nullptr ||
         qobject_cast<const QAbstractSpinBox*>(w) != nullptr ||
         qobject_cast<const QComboBox*>(w) != nullptr ||
         qobject_cast<const QTableWidget*>(w) != nullptr;
}

QPalette::ColorRole TextRoleOf(const QWidget* w) {
  if (IsField(w)) return QPalette::Text;
  if (qobject_cast<const QPushButton*>(w) != nullptr ||
      qobject_cast<const QToolButton*>(w) != nullptr) {
    return QPalette::ButtonText;
  }
  return QPalette::WindowText;
}

// The caption of a label without its accelerator mark ("&&" stays one "&").
QString WithoutMnemonic(const QString& caption) {
  QString out;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    out += caption[i];
  }
  return out;
}

QString DateFormat() {
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains(QStringLiteral("yyyy"))) format.replace(QStringLiteral("yy"), "yyyy");
  return format;
}

QString JoinLines(const std::vector<std::string>& lines) {
  QString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += ToQ(lines[i]);
  }
  return text;
}

Qt::FocusPolicy FocusOf(bool readOnly) { return readOnly ? Qt::ClickFocus : Qt::StrongFocus; }

}  // namespace

struct TFormBinder::TBinding {
  TControl* Control = nullptr;
  QPointer<QWidget> Widget;
  QPointer<QLabel> Label;
  std::uint64_t Version = 0;  // 0: pull at the next chance
  std::function<void()> PullState;
  bool TabSheet = false;  // shown by its tab, not by the widget's own visibility
  // What was last applied, so that a pull only touches what changed.
  std::optional<TFontSpec> AppliedFont;
  std::optional<std::pair<TColor, std::uint32_t>> AppliedColors;
  std::string AppliedWhatsThis = "\x01";
  bool OwnPalette = false;
};

bool InView(const TControl& control) {
  for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
    if (!c->IsWindow() && !c->Visible()) return false;
    if (const auto* sheet = dynamic_cast<const TTabSheet*>(c); sheet != nullptr) {
      if (sheet->PageControl()->ActivePage() != sheet) return false;
    }
  }
  return true;
}

TFormBinder::TFormBinder(TForm& form, TEventRunner run, QObject* parent)
    : QObject(parent), form_(form), run_(std::move(run)) {}

TFormBinder::~TFormBinder() = default;

QWidget* TFormBinder::Widget(TControl& control, QWidget* parent) {
  if (auto it = byControl_.find(&control); it != byControl_.end()) return it->second->Widget;
  return Make(control, parent).Widget;
}

QWidget* TFormBinder::Find(const TControl& control) const {
  auto it = byControl_.find(&control);
  return it == byControl_.end() ? nullptr : it->second->Widget.data();
}

QLabel* TFormBinder::Label(TControl& control, QWidget* parent) {
  if (control.LabelCaption.empty()) return nullptr;
  QWidget* widget = Widget(control, parent);
  TBinding& b = *byControl_.at(&control);
  if (b.Label == nullptr) {
    b.Label = new QLabel(parent != nullptr ? parent : widget->parentWidget());
    b.Label->setObjectName(ToQ(control.Name() + "Label"));
    b.Label->setTextFormat(Qt::PlainText);
    b.Version = 0;
    PullOne(b);
  }
  return b.Label;
}

void TFormBinder::Push(TBinding& binding, const std::function<void()>& change) {
  if (pulling_) return;
  binding.Version = 0;
  run_(change);
  if (binding.Version == 0) PullOne(binding);
}

TFormBinder::TBinding& TFormBinder::Make(TControl& control, QWidget* parent) {
  auto owned = std::make_unique<TBinding>();
  TBinding& b = *owned;
  b.Control = &control;
  const QString name = ToQ(control.Name());

  if (auto* pages = dynamic_cast<TPageControl*>(&control)) {
    auto* tabs = new QTabWidget(parent);
    for (TTabSheet* sheet : pages->Pages()) {
      auto* page = new QWidget;
      page->setObjectName(ToQ(sheet->Name()));
      const int index = tabs->addTab(page, ToQ(sheet->Caption));
      auto sheetBinding = std::make_unique<TBinding>();
      sheetBinding->Control = sheet;
      sheetBinding->Widget = page;
      sheetBinding->TabSheet = true;
      sheetBinding->PullState = [tabs, sheet, index] {
        tabs->setTabText(index, ToQ(sheet->Caption));
        tabs->setTabVisible(index, sheet->Visible());
        tabs->setTabEnabled(index, sheet->Enabled());
      };
      byControl_[sheet] = sheetBinding.get();
      bindings_.push_back(std::move(sheetBinding));
    }
    connect(tabs, &QTabWidget::currentChanged, this, [this, pages, &b](int index) {
      if (index < 0 || index >= static_cast<int>(pages->Pages().size())) return;
      TTabSheet* page = pages->Pages()[static_cast<std::size_t>(index)];
      Push(b, [pages, page] { pages->SetActivePage(page); });
    });
    b.PullState = [tabs, pages] {
      static constexpr QTabWidget::TabPosition kPositions[] = {QTabWidget::North, QTabWidget::South,
                                                               QTabWidget::West, QTabWidget::East};
      tabs->setTabPosition(kPositions[static_cast<int>(pages->TabPosition())]);
      if (pages->ActivePageIndex() >= 0) tabs->setCurrentIndex(pages->ActivePageIndex());
    };
    b.Widget = tabs;
  } else if (auto* sheet = dynamic_cast<TTabSheet*>(&control)) {
    // Made with its page control.
    Widget(*sheet->PageControl(), parent);
    return *byControl_.at(sheet);
  } else if (auto* edit = dynamic_cast<TEdit*>(&control)) {
    auto* line = new QLineEdit(parent);
    connect(line, &QLineEdit::textEdited, this, [this, edit, &b](const QString& text) {
      Push(b, [edit, text] { edit->SetText(text.toStdString()); });
    });
    b.PullState = [line, edit] {
      line->setReadOnly(edit->ReadOnly);
      line->setFrame(edit->Border);
      line->setFocusPolicy(FocusOf(edit->ReadOnly));
      const QString text = ToQ(edit->Text());
      if (line->text() != text) {
        line->setText(text);
        if (edit->ReadOnly) line->setCursorPosition(0);  // an output shows its beginning
      }
    };
    b.Widget = line;
  } else if (auto* list = dynamic_cast<TComboBox*>(&control)) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);  // the model sees exactly what is typed
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Keystrokes reach the model as typing; Enter, leaving the field or a choice from the list
    // ends it, and the model then matches the text to its items (or refuses it).
    connect(combo, &QComboBox::editTextChanged, this, [this, list, &b](const QString& text) {
      if (pulling_) return;
      Push(b, [list, text] { list->TypeText(text.toStdString()); });
    });
    const auto commit = [this, list, &b] {
      if (pulling_) return;
      Push(b, [list] { list->CommitText(); });
    };
    connect(combo->lineEdit(), &QLineEdit::editingFinished, this, commit);
    connect(combo, &QComboBox::activated, this, commit);
    b.PullState = [combo, list] {
      QStringList items;
      for (const std::string& item : list->Items()) items << ToQ(item);
      QStringList shown;
      for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
      if (shown != items) {
        combo->clear();
        combo->addItems(items);
        // Wide enough for the longest item (within reason); the list may be wider still.
        qsizetype longest = 4;
        for (const QString& item : items) longest = std::max(longest, item.size());
        combo->setMinimumContentsLength(static_cast<int>(std::min<qsizetype>(longest, 24)));
        // The open list shows every item whole, however narrow the field.
        QAbstractItemView* view = combo->view();
        view->setMinimumWidth(view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                              combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
      }
      combo->setMaxVisibleItems(std::max(1, list->DropDownCount));
      // While the user types, the text stays where it is and so does the cursor.
      QLineEdit* line = combo->lineEdit();
      const QString before = line->text();
      const int cursor = line->cursorPosition();
      if (combo->currentIndex() != list->ItemIndex()) combo->setCurrentIndex(list->ItemIndex());
      const QString text = ToQ(list->Text());
      if (combo->currentText() != text) combo->setEditText(text);
      if (line->text() == before) line->setCursorPosition(cursor);
    };
    b.Widget = combo;
  } else if (auto* check = dynamic_cast<TCheckBox*>(&control)) {
    auto* box = new QCheckBox(parent);
    connect(box, &QCheckBox::clicked, this,
            [this, check, &b] { Push(b, [check] { check->SetChecked(!check->Checked()); }); });
    b.PullState = [box, check] {
      box->setText(ToQ(check->Caption));
      box->setChecked(check->Checked());
      box->setLayoutDirection(check->LabelOnLeft ? Qt::RightToLeft : Qt::LeftToRight);
    };
    b.Widget = box;
  } else if (auto* radios = dynamic_cast<TRadioGroup*>(&control)) {
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    for (std::size_t i = 0; i < radios->Items().size(); ++i) {
      auto* button = new QRadioButton(ToQ(radios->Items()[i]), group);
      button->setObjectName(name + "_" + QString::number(i));
      buttons->addButton(button, static_cast<int>(i));
      layout->addWidget(button);
    }
    connect(buttons, &QButtonGroup::idClicked, this,
            [this, radios, &b](int id) { Push(b, [radios, id] { radios->SetItemIndex(id); }); });
    b.PullState = [group, buttons, radios] {
      group->setTitle(ToQ(radios->Caption));
      // No item chosen shows no button checked, which an exclusive group does not allow.
      buttons->setExclusive(false);
      for (QAbstractButton* button : buttons->buttons()) {
        button->setChecked(buttons->id(button) == radios->ItemIndex());
      }
      buttons->setExclusive(true);
    };
    b.Widget = group;
  } else if (auto* spin = dynamic_cast<TSpinEdit*>(&control)) {
    auto* field = new TSpinField(parent);
    connect(field, &TSpinField::TextEdited, this, [this, spin, &b](const QString& text) {
      Push(b, [spin, text] { spin->SetText(text.toStdString()); });
    });
    connect(field, &TSpinField::Stepped, this, [this, spin, &b](int steps) {
      Push(b, [spin, steps] {
        for (int i = 0; i < std::min(std::abs(steps), 10); ++i) {
          if (steps > 0) {
            spin->StepUp();
          } else {
            spin->StepDown();
          }
        }
      });
    });
    b.PullState = [field, spin] { field->SetText(ToQ(spin->Text())); };
    b.Widget = field;
  } else if (auto* label = dynamic_cast<TLabel*>(&control)) {
    auto* text = new QLabel(parent);
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    b.PullState = [text, label] { text->setText(ToQ(label->Caption())); };
    b.Widget = text;
  } else if (auto* picker = dynamic_cast<TDateTimePicker*>(&control)) {
    auto* date = new QDateEdit(parent);
    date->setCalendarPopup(true);
    date->setDisplayFormat(DateFormat());
    date->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    connect(date, &QDateEdit::dateChanged, this, [this, picker, &b](QDate value) {
      if (pulling_) return;
      Push(b, [picker, value] { picker->SetDate(DayNumberOfDate(value)); });
    });
    b.PullState = [date, picker] {
      const QDate value = DateOfDayNumber(picker->Date());
      if (date->date() != value) date->setDate(value);
    };
    b.Widget = date;
  } else if (auto* grid = dynamic_cast<TStringGrid*>(&control)) {
    auto* table = new QTableWidget(grid->RowCount(), grid->ColCount(), parent);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setTabKeyNavigation(false);  // Tab leaves the grid, as in the other fields
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    table->setWordWrap(false);
    for (int r = 0; r < grid->RowCount(); ++r) {
      for (int c = 0; c < grid->ColCount(); ++c) {
        auto* item = new QTableWidgetItem;
        if (r < grid->FixedRows || c < grid->FixedCols) {
          item->setFlags(Qt::ItemIsEnabled);
          item->setBackground(QApplication::palette().button());
          item->setForeground(QApplication::palette().buttonText());
        }
        table->setItem(r, c, item);
      }
    }
    connect(table, &QTableWidget::itemChanged, this, [this, grid, &b](QTableWidgetItem* item) {
      if (pulling_ || item == nullptr) return;
      const int col = item->column();
      const int row = item->row();
      const std::string text = item->text().toStdString();
      Push(b, [grid, col, row, text] { grid->SetCell(col, row, text); });
    });
    b.PullState = [table, grid] {
      if (grid->FixedPitch) table->setFont(FontOfSpec(TFontSpec{}));
      const int rowHeight = table->fontMetrics().height() + 6;
      table->verticalHeader()->setDefaultSectionSize(rowHeight);
      int width = 0;
      for (int c = 0; c < grid->ColCount(); ++c) {
        const auto index = static_cast<std::size_t>(c);
        const int w =
            index < grid->ColWidths.size() ? grid->ColWidths[index] : grid->DefaultColWidth;
        table->setColumnHidden(c, w <= 0);
        if (w > 0) {
          table->setColumnWidth(c, w);
          width += w;
        }
      }
      for (int r = 0; r < grid->RowCount(); ++r) {
        for (int c = 0; c < grid->ColCount(); ++c) {
          QTableWidgetItem* item = table->item(r, c);
          const QString text = ToQ(grid->Cell(c, r));
          if (item != nullptr && item->text() != text) item->setText(text);
        }
      }
      const int frame = 2 * table->frameWidth();
      const int height = grid->RowCount() * rowHeight + frame;
      if (grid->ScrollBars) {
        table->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        // As wide as its columns; as tall as its rows where there is room, else it scrolls.
        table->setFixedWidth(width + frame + table->verticalScrollBar()->sizeHint().width());
        table->setMinimumHeight(std::min(height, 6 * rowHeight + frame));
        table->setMaximumHeight(height);
        table->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
      } else {
        table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->setFixedSize(width + frame, height);
      }
    };
    b.Widget = table;
  } else if (auto* pane = dynamic_cast<TRichEdit*>(&control)) {
    auto* text = new QPlainTextEdit(parent);
    text->setTabChangesFocus(true);
    text->setUndoRedoEnabled(false);
    b.PullState = [text, pane] {
      text->setReadOnly(pane->ReadOnly);
      if (pane->ReadOnly) {
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      }
      text->setLineWrapMode(pane->WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
      const QString lines = JoinLines(pane->Lines());
      const QString shown = text->toPlainText();
      if (shown != lines) {
        // A report appended below the earlier ones is scrolled into view.
        const bool appended = !shown.isEmpty() && lines.startsWith(shown);
        text->setPlainText(lines);
        if (appended) {
          text->moveCursor(QTextCursor::End);
          text->ensureCursorVisible();
        }
      }
    };
    b.Widget = text;
  } else if (auto* button = dynamic_cast<TButton*>(&control)) {
    auto* push = new QPushButton(parent);
    push->setAutoDefault(true);  // Enter on the focused button presses that button
    connect(push, &QPushButton::clicked, this,
            [this, button, &b] { Push(b, [button] { button->Click(); }); });
    b.PullState = [push, button] {
      push->setText(ToQ(button->Caption));
      push->setDefault(button->Default);
    };
    b.Widget = push;
  } else if (auto* speed = dynamic_cast<TSpeedButton*>(&control)) {
    auto* tool = new QToolButton(parent);
    tool->setAutoRaise(true);
    connect(tool, &QToolButton::clicked, this,
            [this, speed, &b] { Push(b, [speed] { speed->Click(); }); });
    b.PullState = [tool, speed] {
      tool->setText(ToQ(speed->Caption));
      tool->setToolTip(ToQ(speed->Caption));
    };
    b.Widget = tool;
  } else if (auto* chart = dynamic_cast<TChart*>(&control)) {
    auto* view = new TChartView(parent);
    b.PullState = [view, chart] { view->SetData(chart->Data()); };
    b.Widget = view;
  } else if (auto* box = dynamic_cast<TGroupBox*>(&control)) {
    auto* group = new QGroupBox(parent);
    b.PullState = [group, box] { group->setTitle(ToQ(box->Caption)); };
    b.Widget = group;
  } else {
    // A plain container (or a control kind without a widget of its own).
    b.Widget = new QWidget(parent);
  }

  b.Widget->setObjectName(name);
  byControl_[&control] = &b;
  bindings_.push_back(std::move(owned));
  PullOne(b);
  return b;
}

void TFormBinder::Pull() {
  for (const auto& b : bindings_) {
    if (b->Version != b->Control->Version()) PullOne(*b);
  }
}

void TFormBinder::PullOne(TBinding& b) {
  if (b.Widget == nullptr) return;
  const bool wasPulling = pulling_;
  pulling_ = true;
  TControl& control = *b.Control;
  QWidget* w = b.Widget;
  {
    const QSignalBlocker blocker(w);
    if (b.PullState) b.PullState();
  }
  if (!b.TabSheet) {
    w->setEnabled(control.Enabled());
    // A widget without a parent yet would open as a window of its own.
    if (w->isHidden() == control.Visible() &&
        (w->parentWidget() != nullptr || !control.Visible())) {
      w->setVisible(control.Visible());
    }
    if (control.WhatsThis != b.AppliedWhatsThis) {
      w->setWhatsThis(ToQ(control.WhatsThis));
      b.AppliedWhatsThis = control.WhatsThis;
    }
    if (!b.AppliedFont || *b.AppliedFont != control.Font()) {
      // The toolkit's font is inherited; anything else is set on the widget.
      const TFontSpec toolkit{"", 8, false, false, false, false, 0};
      TFontSpec look = control.Font();
      look.Color = 0;
      w->setFont(look == toolkit ? QFont() : FontOfSpec(control.Font()));
      b.AppliedFont = control.Font();
      b.AppliedColors.reset();
    }
    const std::pair<TColor, std::uint32_t> colors{control.Color(), control.Font().Color};
    if (!b.AppliedColors || *b.AppliedColors != colors) {
      const std::optional<QColor> background =
          IsField(w) ? BackgroundOf(colors.first) : std::nullopt;
      // A field with a colour of its own gets dark text unless the font asks for a colour.
      const bool text = colors.second != 0 || (background && colors.first >= 0);
      if (background || text) {
        QPalette palette = QApplication::palette(w);
        if (background) palette.setColor(QPalette::Base, *background);
        if (text) {
          for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, TextRoleOf(w), ColorOf(colors.second));
          }
        }
        w->setPalette(palette);
        b.OwnPalette = true;
      } else if (b.OwnPalette) {
        w->setPalette(QPalette());  // inherit again
        b.OwnPalette = false;
      }
      b.AppliedColors = colors;
    }
  }
  if (b.Label != nullptr) {
    QLabel* label = b.Label;
    const QString caption = ToQ(control.LabelCaption);
    const bool focusable = w->focusPolicy() != Qt::NoFocus && !b.TabSheet;
    label->setTextFormat(focusable ? Qt::AutoText : Qt::PlainText);
    if (focusable) {
      label->setText(caption);  // '&' marks the accelerator that focuses the buddy
      label->setBuddy(w);
    } else {
      label->setText(WithoutMnemonic(caption));
    }
    label->setEnabled(control.Enabled());
    label->setWhatsThis(ToQ(control.WhatsThis));
    if (label->isHidden() == control.Visible() && label->parentWidget() != nullptr) {
      label->setVisible(control.Visible());
    }
  }
  b.Version = control.Version();
  pulling_ = wasPulling;
}

std::vector<const TControl*> TFormBinder::Unplaced() const {
  std::vector<const TControl*> missing;
  for (const TComponent* component : form_.Components()) {
    const auto* control = dynamic_cast<const TControl*>(component);
    if (control != nullptr && !byControl_.contains(control)) missing.push_back(control);
  }
  return missing;
}

TButton* TFormBinder::DefaultButtonInView() const {
  for (TComponent* component : form_.Components()) {
    auto* button = dynamic_cast<TButton*>(component);
    if (button != nullptr && button->Default && button->EffectivelyEnabled() && InView(*button)) {
      return button;
    }
  }
  return nullptr;
}

TButton* TFormBinder::CancelButton() const {
  for (TComponent* component : form_.Components()) {
    auto* button = dynamic_cast<TButton*>(component);
    if (button != nullptr && button->Cancel && button->EffectivelyEnabled()) return button;
  }
  return nullptr;
}

}  // namespace valquor
