// The binding of the form model's controls to widgets, on the main window's controls with
// handlers wired by the test: the user's actions reach the model's setters and events, the
// model's changes reach the widgets, Enter presses the Compute button of the page in view, and
// the dialogs follow their forms.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "gui/FormBinder.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "gui/SpinField.h"
#include "gui/WizardDialog.h"

namespace valquor {
namespace {

// The main window over the bare controls, with a runner that records what the handlers threw.
struct TFixture {
  QTemporaryDir folder;
  TFormPersonalControls form;
  TFormWizControls overUnder;
  TFormWiz2Controls risk;
  TQtPlatform platform{folder.path().toStdString(), folder.path().toStdString()};
  std::vector<std::string> messages;
  int runs = 0;
  std::unique_ptr<TMainWindow> window;

  TFixture() {
    platform.MessageSink = [this](const std::string& text, TMessageKind) {
      messages.push_back(text);
    };
    window = std::make_unique<TMainWindow>(
        form, overUnder, risk,
        [this](const std::function<void()>& handler) {
          ++runs;
          try {
            handler();
          } catch (const std::exception& e) {
            messages.emplace_back(e.what());
          }
        },
        platform);
  }

  template <class TWidget>
  TWidget* Get(const TControl& control) {
    return qobject_cast<TWidget*>(window->Binder().Find(control));
  }
  // Brings a page into view through the model, with the pages that hold it.
  void Page(TTabSheet& sheet) {
    window->Run([&sheet] {
      for (TControl* c = &sheet; c != nullptr; c = c->Parent()) {
        if (auto* page = dynamic_cast<TTabSheet*>(c)) page->PageControl()->SetActivePage(page);
      }
    });
  }
  bool ShowActive() {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
  }
};

}  // namespace

class TFormBinderTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryControlHasItsOwnWidget();
  void TypingSetsTheTextAndFiresOnChange();
  void HandlersChangesReachOtherWidgets();
  void ListsFollowTypingAndChoosing();
  void TypedListTextsAreMatchedWhenTypingEnds();
  void CheckBoxClickTogglesTheModelOnce();
  void RadioGroupsFollowTheItemIndex();
  void SpinEditsStepThroughTheModel();
  void DatePickersCarryDayNumbers();
  void GridCellsGoBothWays();
  void ReportPanesShowExactlyTheLines();
  void OutputFieldsAreReadOnlyAndOutOfTheTabChain();
  void EnablingReachesFieldAndLabel();
  void PagesFollowTheUserAndTheModel();
  void EnterPressesTheComputeButtonOfThePageInView_data();
  void EnterPressesTheComputeButtonOfThePageInView();
  void EnterOnAFocusedButtonPressesThatButton();
  void AcceleratorsFocusTheirFields();
  void TabFollowsTheReadingOrder();
  void DialogsFollowTheirForms();
  void ClosingTheDialogGoesThroughItsForm();
  void ClosingTheWindowWritesItsPlaceBack();
};

void TFormBinderTest::EveryControlHasItsOwnWidget() {
  TFixture f;
  QVERIFY(f.window->Binder().Unplaced().empty());
  QVERIFY(f.window->OverUnderDialog().Binder().Unplaced().empty());
  QVERIFY(f.window->RiskDialog().Binder().Unplaced().empty());
  for (TForm* form : std::initializer_list<TForm*>{&f.form, &f.overUnder, &f.risk}) {
    QWidget* root = form == &f.form        ? static_cast<QWidget*>(f.window.get())
                    : form == &f.overUnder ? static_cast<QWidget*>(&f.window->OverUnderDialog())
                                           : static_cast<QWidget*>(&f.window->RiskDialog());
    for (TComponent* component : form->Components()) {
      const QString name = QString::fromStdString(component->Name());
      QWidget* widget = root->findChild<QWidget*>(name);
      QVERIFY2(widget != nullptr, qPrintable(name));
    }
  }
  // The hidden buffers exist but are never shown.
  f.window->show();
  QVERIFY(!f.Get<QPlainTextEdit>(f.form.RichEdit7)->isVisible());
  QVERIFY(!f.Get<QPlainTextEdit>(f.form.RichEdit5)->isVisible());
}

void TFormBinderTest::TypingSetsTheTextAndFiresOnChange() {
  TFixture f;
  std::vector<std::string> seen;
  f.form.PriceEdit.OnChange = [&] { seen.push_back(f.form.PriceEdit.Text()); };
  auto* price = f.Get<QLineEdit>(f.form.PriceEdit);
  price->selectAll();
  QTest::keyClicks(price, "99,5");
  QCOMPARE(f.form.PriceEdit.Text(), std::string("99,5"));
  QCOMPARE(seen, (std::vector<std::string>{"9", "99", "99,", "99,5"}));
  QTest::keyClick(price, Qt::Key_Backspace);
  QCOMPARE(seen.back(), std::string("99,"));
  // A change made by the program reaches the field at the next event.
  f.window->Run([&] { f.form.PriceEdit.SetText("1000"); });
  QCOMPARE(price->text(), QString("1000"));
}

void TFormBinderTest::HandlersChangesReachOtherWidgets() {
  TFixture f;
  f.form.RiskFree9.OnChange = [&] { f.form.CostofCarry9.SetText(f.form.RiskFree9.Text()); };
  auto* rate = f.Get<QLineEdit>(f.form.RiskFree9);
  rate->selectAll();
  QTest::keyClicks(rate, "0.04");
  QCOMPARE(f.Get<QLineEdit>(f.form.CostofCarry9)->text(), QString("0.04"));
  QCOMPARE(f.form.CostofCarry9.Text(), std::string("0.04"));
}

void TFormBinderTest::ListsFollowTypingAndChoosing() {
  TFixture f;
  int changes = 0;
  f.form.DaysCombo.OnChange = [&] { ++changes; };
  auto* days = f.Get<QComboBox>(f.form.DaysCombo);
  QCOMPARE(days->count(), 12);
  QCOMPARE(days->currentText(), QString("2"));
  days->lineEdit()->selectAll();
  QTest::keyClicks(days->lineEdit(), "44*");
  QCOMPARE(f.form.DaysCombo.Text(), std::string("44*"));
  QCOMPARE(f.form.DaysCombo.ItemIndex(), 10);
  QCOMPARE(changes, 3);
  days->setCurrentIndex(0);  // as a choice from the list
  QCOMPARE(f.form.DaysCombo.Text(), std::string("1"));
  QCOMPARE(changes, 4);
  // The program's texts: an item selects it, other text shows as typed with no item.
  auto* axis = f.Get<QComboBox>(f.form.YAxis);
  f.window->Run([&] { f.form.YAxis.SetText("Forward"); });
  QCOMPARE(axis->currentIndex(), 1);
  f.window->Run([&] { f.form.YAxis.SetText("sideways"); });
  QCOMPARE(axis->currentText(), QString("sideways"));
  QCOMPARE(axis->currentIndex(), -1);
  QCOMPARE(axis->count(), 2);  // typed text never becomes an item
}

void TFormBinderTest::TypedListTextsAreMatchedWhenTypingEnds() {
  TFixture f;
  QVERIFY(f.ShowActive());
  // While typing, the text stays as typed, the blank before "spread" included; Enter ends the
  // typing and the list shows its item.
  auto* position = f.Get<QComboBox>(f.form.PositionName);
  position->lineEdit()->setFocus();
  position->lineEdit()->selectAll();
  QTest::keyClicks(position->lineEdit(), "call ");
  QCOMPARE(f.form.PositionName.Text(), std::string("call "));
  QTest::keyClicks(position->lineEdit(), "spread");
  QCOMPARE(f.form.PositionName.ItemIndex(), -1);
  QTest::keyClick(position->lineEdit(), Qt::Key_Return);
  QCOMPARE(f.form.PositionName.Text(), std::string("Call spread"));
  QCOMPARE(f.form.PositionName.ItemIndex(), 1);
  QCOMPARE(position->currentText(), QString("Call spread"));
  QCOMPARE(position->currentIndex(), 1);

  // A list that checks its texts: a refused text gives way to the last one that stood, here an
  // item chosen from the list, when the field is left.
  std::vector<std::string> asked;
  f.form.Formula.OnValidate = [&](const std::string& text) {
    asked.push_back(text);
    return false;
  };
  f.Page(f.form.TabSheet5);
  auto* formula = f.Get<QComboBox>(f.form.Formula);
  formula->setCurrentIndex(1);  // as a choice from the list
  QCOMPARE(f.form.Formula.Text(), std::string("Cox-Ross-Rubenstein"));
  formula->lineEdit()->setFocus();
  formula->lineEdit()->selectAll();
  QTest::keyClicks(formula->lineEdit(), "Binomial");
  QVERIFY(asked.empty());
  f.Get<QLineEdit>(f.form.RiskFreeInterest)->setFocus();  // leaves the field
  QTRY_COMPARE(f.form.Formula.Text(), std::string("Cox-Ross-Rubenstein"));
  QCOMPARE(formula->currentText(), QString("Cox-Ross-Rubenstein"));
  QCOMPARE(asked, std::vector<std::string>{"Binomial"});
  // An item typed in other letter case stands without a check.
  formula->lineEdit()->setFocus();
  formula->lineEdit()->selectAll();
  QTest::keyClicks(formula->lineEdit(), " black-scholes");
  QTest::keyClick(formula->lineEdit(), Qt::Key_Return);
  QCOMPARE(f.form.Formula.Text(), std::string("Black-Scholes"));
  QCOMPARE(asked.size(), std::size_t{1});
}

void TFormBinderTest::CheckBoxClickTogglesTheModelOnce() {
  TFixture f;
  int clicks = 0;
  f.form.MoreInt.OnClick = [&] { ++clicks; };
  auto* box = f.Get<QCheckBox>(f.form.MoreInt);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
  QVERIFY(f.form.MoreInt.Checked());
  QVERIFY(box->isChecked());
  QCOMPARE(clicks, 1);
  // A handler that refuses the change puts the box back.
  f.form.Locked.OnClick = [&] {
    if (f.form.Locked.Checked()) f.form.Locked.SetChecked(false);
  };
  auto* locked = f.Get<QCheckBox>(f.form.Locked);
  locked->click();
  QVERIFY(!f.form.Locked.Checked());
  QVERIFY(!locked->isChecked());
  // Label on the left.
  QCOMPARE(f.Get<QCheckBox>(f.form.UseTradingDays)->layoutDirection(), Qt::RightToLeft);
  QVERIFY(f.Get<QCheckBox>(f.form.UseTradingDays)->isChecked());
}

void TFormBinderTest::RadioGroupsFollowTheItemIndex() {
  TFixture f;
  int clicks = 0;
  f.form.OptionType9.OnClick = [&] { ++clicks; };
  auto* group = f.Get<QGroupBox>(f.form.OptionType9);
  QCOMPARE(group->title(), QString("Option type"));
  auto* call = group->findChild<QRadioButton*>("OptionType9_0");
  auto* put = group->findChild<QRadioButton*>("OptionType9_1");
  QVERIFY(call->isChecked());
  put->click();
  QCOMPARE(f.form.OptionType9.ItemIndex(), 1);
  QCOMPARE(clicks, 1);
  f.window->Run([&] { f.form.OptionType9.SetItemIndex(-1); });
  QVERIFY(!call->isChecked());
  QVERIFY(!put->isChecked());
}

void TFormBinderTest::SpinEditsStepThroughTheModel() {
  TFixture f;
  auto* steps = f.Get<TSpinField>(f.form.NumberOfSteps);
  QCOMPARE(steps->text(), QString("300"));
  QTest::keyClick(steps, Qt::Key_Up);
  QCOMPARE(f.form.NumberOfSteps.Text(), std::string("350"));
  QCOMPARE(steps->text(), QString("350"));
  QTest::keyClick(steps, Qt::Key_Down);
  QTest::keyClick(steps, Qt::Key_Down);
  QCOMPARE(f.form.NumberOfSteps.Value(), 250);
  // The model keeps the bounds: the tree's 1 to 9999.
  f.window->Run([&] { f.form.NumberOfSteps.SetText("9990"); });
  QTest::keyClick(steps, Qt::Key_Up);
  QCOMPARE(f.form.NumberOfSteps.Value(), 9999);
  steps->selectAll();
  QTest::keyClicks(steps, "10000");
  QCOMPARE(f.form.NumberOfSteps.Text(), std::string("9999"));
  QCOMPARE(steps->text(), QString("9999"));
  // Typing: digits and a sign only.
  steps->selectAll();
  QTest::keyClicks(steps, "1x2");
  QCOMPARE(f.form.NumberOfSteps.Text(), std::string("12"));
  // A stored text that is no number is shown as it is; stepping starts from the minimum.
  f.window->Run([&] { f.form.NumberOfSteps.SetText("abc"); });
  QCOMPARE(steps->text(), QString("abc"));
  QTest::keyClick(steps, Qt::Key_Up);
  QCOMPARE(f.form.NumberOfSteps.Value(), 51);
  // No bounds: Adjust steps by 5 below zero.
  auto* adjust = f.Get<TSpinField>(f.form.Adjust);
  QTest::keyClick(adjust, Qt::Key_Down);
  QCOMPARE(f.form.Adjust.Text(), std::string("-5"));
}

void TFormBinderTest::DatePickersCarryDayNumbers() {
  TFixture f;
  auto* start = f.Get<QDateEdit>(f.form.StartDate);
  QVERIFY(start->calendarPopup());
  f.window->Run([&] { f.form.StartDate.SetDate(46364); });
  QCOMPARE(start->date(), QDate(2026, 12, 8));
  int changes = 0;
  f.form.EndDate.OnChange = [&] { ++changes; };
  f.Get<QDateEdit>(f.form.EndDate)->setDate(QDate(2027, 1, 7));  // as the calendar does
  QCOMPARE(f.form.EndDate.Date(), 46394);
  QCOMPARE(changes, 1);
}

void TFormBinderTest::GridCellsGoBothWays() {
  TFixture f;
  f.window->Run([&] {
    f.form.WeeksGrid.SetCell(0, 0, "Week");
    f.form.WeeksGrid.SetCell(0, 1, "  0");
    f.form.WeeksGrid.SetCell(1, 2, "101.5");
  });
  auto* weeks = f.Get<QTableWidget>(f.form.WeeksGrid);
  QCOMPARE(weeks->rowCount(), 14);
  QCOMPARE(weeks->columnCount(), 2);
  QCOMPARE(weeks->item(0, 0)->text(), QString("Week"));
  QCOMPARE(weeks->item(1, 0)->text(), QString("  0"));
  QCOMPARE(weeks->item(2, 1)->text(), QString("101.5"));
  QVERIFY(QFontInfo(weeks->font()).fixedPitch());
  // Headings are not editable; the other cells are, and an edit reaches the model.
  QVERIFY(!(weeks->item(1, 0)->flags() & Qt::ItemIsEditable));
  QVERIFY(weeks->item(1, 1)->flags() & Qt::ItemIsEditable);
  weeks->item(3, 1)->setText("99");
  QCOMPARE(f.form.WeeksGrid.Cell(1, 3), std::string("99"));
  // The implied-volatility grid hides its first column and never scrolls.
  auto* grid = f.Get<QTableWidget>(f.form.Grid);
  QVERIFY(grid->isColumnHidden(0));
  QCOMPARE(grid->columnWidth(1), 74);
  QCOMPARE(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TFormBinderTest::ReportPanesShowExactlyTheLines() {
  TFixture f;
  f.window->Run([&] {
    f.form.RichEdit1.Add("  Call - (buy call <strike>)");
    f.form.RichEdit1.Add("");
    f.form.RichEdit1.Add("1050.0   6.70   5.53");
  });
  auto* fair = f.Get<QPlainTextEdit>(f.form.RichEdit1);
  QCOMPARE(fair->toPlainText(), QString("  Call - (buy call <strike>)\n\n1050.0   6.70   5.53"));
  QVERIFY(fair->isReadOnly());
  QCOMPARE(fair->lineWrapMode(), QPlainTextEdit::NoWrap);
  QCOMPARE(f.Get<QPlainTextEdit>(f.form.RichEdit2)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  QVERIFY(QFontInfo(fair->font()).fixedPitch());
  QCOMPARE(fair->font().pointSize(), 10);
  QCOMPARE(fair->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xE1));
  QCOMPARE(fair->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));
  f.window->Run([&] { f.form.RichEdit1.Clear(); });
  QCOMPARE(fair->toPlainText(), QString());
  // A new font for a pane reaches its widget.
  f.window->Run([&] {
    f.form.RichEdit3.SetFont(TFontSpec{"DejaVu Sans Mono", 12, true, false, false, false, 0});
  });
  auto* payoff = f.Get<QPlainTextEdit>(f.form.RichEdit3);
  QCOMPARE(payoff->font().pointSize(), 12);
  QVERIFY(payoff->font().bold());
  QCOMPARE(QFontInfo(payoff->font()).family(), QString("DejaVu Sans Mono"));
}

void TFormBinderTest::OutputFieldsAreReadOnlyAndOutOfTheTabChain() {
  TFixture f;
  for (TEdit* output : {&f.form.Edit8, &f.form.Edit3, &f.form.Edit6}) {
    auto* field = f.Get<QLineEdit>(*output);
    QVERIFY2(field->isReadOnly(), output->Name().c_str());
    QVERIFY(!field->hasFrame());
    QCOMPARE(field->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(field->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Window));
  }
  QCOMPARE(f.Get<QLineEdit>(f.form.Edit8)->palette().color(QPalette::Active, QPalette::Text),
           QColor(Qt::blue));
  QVERIFY(f.Get<QLineEdit>(f.form.VolRes)->font().bold());
  QCOMPARE(f.Get<QLabel>(f.form.Label43)->text(), QString("-"));
  QCOMPARE(f.Get<QLabel>(f.form.Label43)->textFormat(), Qt::PlainText);
}

void TFormBinderTest::EnablingReachesFieldAndLabel() {
  TFixture f;
  f.form.UseCustomInput.OnClick = [&] {
    f.form.Call3.SetEnabled(f.form.UseCustomInput.Checked());
    f.form.Put3.SetEnabled(f.form.UseCustomInput.Checked());
  };
  auto* call = f.Get<QLineEdit>(f.form.Call3);
  QLabel* label = f.window->Binder().Label(f.form.Call3);
  QVERIFY(!call->isEnabled());
  QVERIFY(!label->isEnabled());
  f.Get<QCheckBox>(f.form.UseCustomInput)->click();
  QVERIFY(call->isEnabled());
  QVERIFY(label->isEnabled());
  QVERIFY(f.Get<QLineEdit>(f.form.Put3)->isEnabled());
}

void TFormBinderTest::PagesFollowTheUserAndTheModel() {
  TFixture f;
  int changes = 0;
  f.form.MainPageControl.OnChange = [&] { ++changes; };
  auto* pages = f.Get<QTabWidget>(f.form.MainPageControl);
  QCOMPARE(pages->tabText(0), QString("Fair value"));
  QCOMPARE(pages->tabText(2), QString("Analysis"));
  QCOMPARE(pages->currentIndex(), 0);
  pages->tabBar()->setCurrentIndex(1);  // as a click on the tab
  QCOMPARE(f.form.MainPageControl.ActivePage(), &f.form.TabDelta);
  QCOMPARE(changes, 1);
  f.window->Run([&] { f.form.MainPageControl.SetActivePage(&f.form.TabAnalysis); });
  QCOMPARE(pages->currentIndex(), 2);
  f.window->Run([&] { f.form.PageControl1.SetTabPosition(TTabPosition::tpBottom); });
  QCOMPARE(f.Get<QTabWidget>(f.form.PageControl1)->tabPosition(), QTabWidget::South);
}

void TFormBinderTest::EnterPressesTheComputeButtonOfThePageInView_data() {
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("button");
  QTest::newRow("Pricing, from an edit") << "TabPricing"
                                         << "StrikeEdit"
                                         << "ComputeBtn";
  QTest::newRow("Pricing, from a list") << "TabDelta"
                                        << "PositionName"
                                        << "ComputeBtn";
  QTest::newRow("Pricing, from a check box") << "TabPL"
                                             << "MainForwardLock"
                                             << "ComputeBtn";
  QTest::newRow("Pricing, from a spin edit") << "TabPL"
                                             << "Adjust"
                                             << "ComputeBtn";
  QTest::newRow("weekly data, from the grid") << "TabSheet7"
                                              << "WeeksGrid"
                                              << "WeeklyBtn";
  QTest::newRow("IV Calculator") << "TabImplied"
                                 << "Premium7"
                                 << "Button8";
  QTest::newRow("Implied volatility") << "TabSheet3"
                                      << "DaysEdit"
                                      << "VolAnalysis";
  QTest::newRow("Calculator") << "TabSheet2"
                              << "Days9"
                              << "Button9";
  QTest::newRow("Options, from a spin edit") << "TabSheet5"
                                             << "NumberOfSteps"
                                             << "Button5";
  QTest::newRow("Options, from a date") << "TabSheet5"
                                        << "EndDate"
                                        << "Button5";
  QTest::newRow("daily data has none") << "TabSheet6"
                                       << "LatestFirst"
                                       << "";
}

void TFormBinderTest::EnterPressesTheComputeButtonOfThePageInView() {
  QFETCH(QString, page);
  QFETCH(QString, field);
  QFETCH(QString, button);
  TFixture f;
  std::vector<std::string> pressed;
  for (TComponent* c : f.form.Components()) {
    if (auto* b = dynamic_cast<TButton*>(c))
      b->OnClick = [&pressed, b] { pressed.push_back(b->Name()); };
  }
  QVERIFY(f.ShowActive());
  f.Page(*dynamic_cast<TTabSheet*>(f.form.FindComponent(page.toStdString())));
  QWidget* widget =
      f.window->Binder().Find(*dynamic_cast<TControl*>(f.form.FindComponent(field.toStdString())));
  QVERIFY(widget->isVisible());
  widget->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  const std::vector<std::string> expected = button.isEmpty()
                                                ? std::vector<std::string>{}
                                                : std::vector<std::string>{button.toStdString()};
  QCOMPARE(pressed, expected);
}

void TFormBinderTest::EnterOnAFocusedButtonPressesThatButton() {
  TFixture f;
  std::vector<std::string> pressed;
  f.form.CopyBtn.OnClick = [&] { pressed.push_back("CopyBtn"); };
  f.form.ComputeBtn.OnClick = [&] { pressed.push_back("ComputeBtn"); };
  QVERIFY(f.ShowActive());
  f.Get<QPushButton>(f.form.CopyBtn)->setFocus();
  QTest::keyClick(f.Get<QPushButton>(f.form.CopyBtn), Qt::Key_Return);
  QCOMPARE(pressed, std::vector<std::string>{"CopyBtn"});
}

void TFormBinderTest::AcceleratorsFocusTheirFields() {
  TFixture f;
  QVERIFY(f.ShowActive());
  QCOMPARE(f.window->Binder().Label(f.form.PriceEdit)->text(), QString("&Price"));
  QTest::keyClick(f.window.get(), Qt::Key_P, Qt::AltModifier);
  QTRY_COMPARE(QApplication::focusWidget(), f.Get<QWidget>(f.form.PriceEdit));
  QTest::keyClick(f.window.get(), Qt::Key_V, Qt::AltModifier);
  QTRY_COMPARE(QApplication::focusWidget(), f.Get<QWidget>(f.form.VolEdit));
  f.Page(f.form.TabSheet2);
  QTest::keyClick(f.window.get(), Qt::Key_Y, Qt::AltModifier);  // "Cost of carr&y**"
  QTRY_COMPARE(QApplication::focusWidget(), f.Get<QWidget>(f.form.CostofCarry9));
  // A label beside an output has no accelerator to offer.
  QCOMPARE(f.window->Binder().Label(f.form.Edit8)->text(), QString("Premium"));
}

void TFormBinderTest::TabFollowsTheReadingOrder() {
  TFixture f;
  QVERIFY(f.ShowActive());
  f.Page(f.form.TabPricing);
  f.Get<QWidget>(f.form.StrikeEdit)->setFocus();
  const std::vector<TControl*> order = {
      &f.form.StrikeEdit,   &f.form.PriceEdit,    &f.form.ForwardEdit, &f.form.MainForwardLock,
      &f.form.VolEdit,      &f.form.PositionName, &f.form.YAxis,       &f.form.DaysCombo,
      &f.form.Steps,        &f.form.ComputeBtn,   &f.form.CopyBtn,     &f.form.ExportBtn,
      &f.form.SpeedButton1, &f.form.HelpContext};
  for (std::size_t i = 1; i < order.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(
        focus == f.Get<QWidget>(*order[i]) || focus->parentWidget() == f.Get<QWidget>(*order[i]),
        order[i]->Name().c_str());
  }
}

void TFormBinderTest::DialogsFollowTheirForms() {
  TFixture f;
  TWizardDialog& dialog = f.window->OverUnderDialog();
  QVERIFY(!dialog.isVisible());
  QVERIFY(!dialog.isModal());
  f.window->Run([&] { f.overUnder.Show(); });
  QVERIFY(dialog.isVisible());
  QCOMPARE(dialog.windowTitle(), QString("O/U Calculator"));
  QVERIFY(dialog.width() >= 437 && dialog.height() >= 263);
  QCOMPARE(dialog.minimumSize(), dialog.maximumSize());  // a fixed-size border
  f.window->Run([&] { f.overUnder.Close(); });
  QVERIFY(!dialog.isVisible());
  // Enter: Compute on the Result page only.
  int computed = 0;
  f.risk.OKBtn.OnClick = [&] { ++computed; };
  f.window->Run([&] { f.risk.Show(); });
  TWizardDialog& risk = f.window->RiskDialog();
  QCOMPARE(f.risk.PageControl1.ActivePage(), &f.risk.TabSheet5);
  QTest::keyClick(&risk, Qt::Key_Return);
  QCOMPARE(computed, 1);
  f.window->Run([&] { f.risk.PageControl1.SetActivePage(&f.risk.Tab); });
  QTest::keyClick(f.window->RiskDialog().Binder().Find(f.risk.Strike), Qt::Key_Return);
  QCOMPARE(computed, 1);
  // Escape presses Close.
  int closes = 0;
  f.risk.CancelBtn.OnClick = [&] {
    ++closes;
    f.risk.Close();
  };
  QTest::keyClick(&risk, Qt::Key_Escape);
  QCOMPARE(closes, 1);
  QVERIFY(!risk.isVisible());
  QVERIFY(!f.risk.Visible());
}

void TFormBinderTest::ClosingTheDialogGoesThroughItsForm() {
  TFixture f;
  int closes = 0;
  f.overUnder.OnClose = [&](TCloseAction&) { ++closes; };
  f.window->Run([&] { f.overUnder.Show(); });
  TWizardDialog& dialog = f.window->OverUnderDialog();
  QVERIFY(dialog.close());
  QCOMPARE(closes, 1);
  QVERIFY(!dialog.isVisible());
  QVERIFY(!f.overUnder.Visible());
  // A form that keeps itself open keeps the dialog open.
  f.overUnder.OnClose = [&](TCloseAction& action) {
    ++closes;
    action = TCloseAction::caNone;
  };
  f.window->Run([&] { f.overUnder.Show(); });
  QVERIFY(!dialog.close());
  QCOMPARE(closes, 2);
  QVERIFY(dialog.isVisible());
  // A raise request brings the shown dialog to the front.
  f.window->Run([&] { f.overUnder.BringToFront(); });
  QVERIFY(dialog.isVisible());
}

void TFormBinderTest::ClosingTheWindowWritesItsPlaceBack() {
  TFixture f;
  f.window->show();
  f.window->resize(800, 600);
  int closes = 0;
  int widthAtClose = 0;
  f.form.OnClose = [&](TCloseAction&) {
    ++closes;
    widthAtClose = f.form.Width;
  };
  f.window->Run([&] { f.overUnder.Show(); });
  QVERIFY(f.window->close());
  QCOMPARE(closes, 1);
  QCOMPARE(widthAtClose, 800);
  QCOMPARE(f.form.Height, 600);
  // The dialogs go with the window, without their own close.
  QVERIFY(!f.window->OverUnderDialog().isVisible());
  QVERIFY(f.overUnder.Visible());
  QVERIFY(f.window->close());  // a second close does not close the form again
  QCOMPARE(closes, 1);
}

}  // namespace valquor

QTEST_MAIN(valquor::TFormBinderTest)
#include "FormBinderTest.moc"
