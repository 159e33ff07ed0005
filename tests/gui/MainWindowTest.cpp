// The whole program offscreen: the window model with its Qt view, driven as a user drives it.
// Every control of the main window with its default, the Calculator priced by typing and
// Enter, Copy, the report font, the dialogs, help, the layout at the first-start size, and the
// window's place and size kept from one start to the next.

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QWhatsThis>
#include <memory>

#include "ModalHelper.h"
#include "TestApp.h"
#include "ValquorVersion.h"
#include "gui/HelpWindow.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "gui/SpinField.h"
#include "gui/WizardDialog.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

using test::TModalCloser;

// The program with what these tests read of the window besides.
struct TApp : test::TTestApp {
  using TTestApp::TTestApp;
  QString LabelOf(TControl& control) const {
    QLabel* label = window->Binder().Label(control);
    if (label == nullptr) return QString();
    // The accelerator's mark goes; a doubled one is a shown "&".
    return label->text().replace("&&", "\x01").remove('&').replace('\x01', '&');
  }
  // Replaces the text of a field by typing.
  void Type(TControl& control, const QString& text) {
    QWidget* widget = Find(control);
    widget->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(widget)) line->selectAll();
    QTest::keyClicks(widget, text);
  }
};

QString Items(const QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items.join('|');
}

QString CheckedItem(const QGroupBox* group) {
  for (const QRadioButton* button : group->findChildren<QRadioButton*>()) {
    if (button->isChecked()) return button->text();
  }
  return {};
}

}  // namespace

class TMainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void EveryControlShowsItsDefault_data();
  void EveryControlShowsItsDefault();
  void PagesStartWhereTheProgramStarts();
  void TheCalculatorPricesAnOptionOnEnter();
  void TheCalculatorRefusesTheShippedDefaults();
  void CopyPutsTheReportInViewOnTheClipboard();
  void ANewReportFontClearsAndRestylesThePanes();
  void TheDialogButtonsOpenModelessDialogs();
  void HelpOpensTheManualAndWhatsThisMode();
  void TheBusyCursorShowsWhileComputingOnly();
  void EveryPanelControlFitsTheFirstSize();
  void TheFirstSizeShowsTheWholeFairValueTable();
  void ReportPanesTakeTheSpareRoom();
  void ListsKeepTheirWidthInALargeWindow();
  void CalculatorAndOptionsGroupsStayTogether();
  void F1OpensTheManualAtTheFocusedField();
  void CopyLeavesANoteInTheStatusLine();
  void PlaceAndSizeComeBackAtTheNextStart();

 private:
  QTemporaryDir firstFolder_;
  std::unique_ptr<TApp> first_;  // a first start, for the defaults
};

void TMainWindowTest::initTestCase() {
  first_ = std::make_unique<TApp>(firstFolder_.path());
  QVERIFY(first_->Start());
  QVERIFY(first_->messages.empty());
}

void TMainWindowTest::cleanupTestCase() { first_.reset(); }

void TMainWindowTest::EveryControlShowsItsDefault_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("label");  // the label beside it, caption or group title
  QTest::addColumn<QString>("value");  // text, state, chosen item, or size
  auto row = [](const char* name, const char* kind, const char* label, const char* value) {
    QTest::newRow(name) << name << kind << label << value;
  };
  // Pricing panel.
  row("StrikeEdit", "edit", "Strike", "1000");
  row("DaysCombo", "list", "Daysteps", "2");
  row("Steps", "list", "Steps", "10");
  row("VolEdit", "edit", "Vol (%)", "20");
  row("PriceEdit", "edit", "Price", "1000");
  row("YAxis", "list", "Y-axis", "Strike");
  row("PositionName", "list", "Position", "Call");
  row("ForwardEdit", "edit", "Forward", "1000");
  row("MainForwardLock", "check", "Lock", "off");
  row("ComputeBtn", "button", "Compute", "");
  row("CopyBtn", "button", "Copy", "");
  row("ExportBtn", "button", "Export...", "");
  row("SpeedButton1", "picture", "Help", "");
  row("HelpContext", "picture", "What's this?", "");
  // Pricing sub-pages.
  row("RichEdit1", "pane", "", "nowrap");
  row("Days1", "edit", "Trading days to expiration", "20");
  row("RichEdit2", "pane", "", "wrap");
  row("CalcDays", "edit", "Trading days to expiration", "20");
  row("TrueVolEdit", "edit", "True volatility (%)", "20");
  row("UseCustomInput", "check", "Use custom input", "off");
  row("Call3", "edit", "Call", "0 disabled");
  row("Put3", "edit", "Put", "0 disabled");
  row("SumDividends", "edit", "Sum dividends before expiration", "0");
  row("RichEdit10", "pane", "", "wrap");
  row("MoreInt", "check", "Wide intervals", "off");
  row("RichEdit8", "pane", "", "wrap");
  row("Adjust", "spin", "Adjust", "0");
  row("Button7", "button", "Clear", "");
  row("AnalysisFormula", "list", "Assuming", "Normal distribution");
  row("CostPerTrade", "edit", "Total cost per trade", "0");
  row("RichEdit3", "pane", "", "nowrap");
  row("GreeksGrid", "grid", "", "11x5");
  row("BreakevenEdit", "output", "Breakevens", "");
  row("MaxProfitEdit", "output", "Max profit", "");
  row("MaxLossEdit", "output", "Max loss", "");
  row("ProfitChanceEdit", "output", "P(profit)", "");
  row("ExpectedPLEdit", "output", "Expected P&L", "");
  row("WhatIfPrice", "edit", "Price change %", "0");
  row("WhatIfDays", "edit", "Days forward", "0");
  row("WhatIfVol", "edit", "Vol change", "0");
  // Volatility.
  row("ClipBoardBtn", "button", "Read clipboard", "");
  row("Button1", "button", "Read textfile", "");
  row("Button4", "button", "Copy", "");
  row("ExportDailyBtn", "button", "Export...", "");
  row("LatestFirst", "check", "First line is oldest", "off");
  row("RichEdit4", "pane", "", "wrap");
  row("WeeksGrid", "grid", "", "2x14");
  row("WeeklyBtn", "button", "Compute", "");
  row("Button3", "button", "Clear", "");
  row("Button2", "button", "Copy", "");
  row("ExportWeeklyBtn", "button", "Export...", "");
  row("BitBtn2", "button", "Down", "");
  row("BitBtn3", "button", "Up", "");
  row("Button12", "button", "Save", "");
  row("Button13", "button", "Load", "");
  row("RichEdit9", "pane", "", "wrap");
  row("Strike7", "edit", "Strike", "0");
  row("Price7", "edit", "Current price", "0");
  row("Premium7", "edit", "Premium", "0");
  row("Riskfree7", "edit", "Risk-free interest (fraction/yr)", "0.05");
  row("Days7", "edit", "Days to expiration", "0");
  row("OptionType7", "radio", "Option type", "Call");
  row("DaysOption7", "radio", "Day counting", "Trading days");
  row("Button8", "button", "Compute", "");
  row("Edit6", "output", "Implied volatility", "0");
  row("IVModelLabel", "text", "Model", "");
  row("Grid", "grid", "", "4x6");
  row("DaysEdit", "edit", "Trading days to expiration", "0");  // no system file: the grid load
  row("ForwardRes", "edit", "Implied forward", "100");
  row("VolRes", "edit", "Av. implied vol (%)", "45.4");
  row("Locked", "check", "Lock", "off");
  row("BothLocked", "check", "Lock both", "off");
  row("DevLabel", "text", "StdDev", "0");
  row("VolAnalysis", "button", "Compute", "");
  row("BtnCopy2", "button", "Copy", "");
  row("ExportImpliedBtn", "button", "Export...", "");
  row("RichEdit6", "pane", "", "nowrap");
  row("SmileLeftOut", "text", "", "");
  row("HVChartBtn", "button", "Compute", "");
  row("HVWindow", "radio", "Window", "21 days");
  row("EstimatorsGrid", "grid", "", "4x6");
  row("SkippedLabel", "text", "", "");
  row("ConeGrid", "grid", "", "7x8");
  row("IVPercentileEdit", "output", "IV percentile", "");
  row("MoveOddsGrid", "grid", "", "5x11");
  row("MoveOddsLabel", "text", "", "");
  // Calculator.
  row("Strike9", "edit", "Strike", "0");
  row("Price9", "edit", "Current price", "0");
  row("Vol9", "edit", "Volatility (%)", "0");
  row("RiskFree9", "edit", "Risk-free interest (fraction/yr)", "0.05");
  row("CostofCarry9", "edit", "Cost of carry (fraction/yr)**", "0.05");
  row("Days9", "edit", "Days to expiration", "0");
  row("OptionType9", "radio", "Option type", "Call");
  row("DaysOption", "radio", "Day counting", "Trading days");
  row("Button9", "button", "Compute", "");
  row("Label43", "text", "Formula", "-");
  row("Label45", "text", "Option type", "(?)");
  row("Edit8", "output", "Premium", "0");
  row("Edit3", "output", "P(gain)", "0");
  row("CalcModelLabel", "text", "Model", "");
  row("CarryNote", "text", "", "** Cox-ross-rubenstein only");
  row("OverUnderCaption", "text", "", "Overpricing/underpricing");
  row("Button10", "button", "O/U Calculator", "");
  row("Button11", "button", "Risk Calculator", "");
  // Options: the group title stands for the label.
  row("Formula", "list", "Formula", "Black-Scholes");
  row("RiskFreeInterest", "edit", "Risk-free interest (drift, fraction/yr)", "0.03");
  row("RiskFreeNote", "text", "Risk-free interest (drift, fraction/yr)",
      "Black-Scholes/ Cox-Ross-Rubenstein only");
  row("ExpirationStyle", "radio", "Expiration style (Cox-Ross-Rubenstein)", "European");
  row("NumberOfSteps", "spin", "Number of steps", "300");
  row("StepsNote", "text", "Number of steps", "Used by Cox-Ross-Rubinstein");
  row("NumberOfIntervals", "spin", "Number of intervals", "1000");
  row("IntervalsNote", "text", "Number of intervals", "Used by payoff analysis");
  row("CostOfCarry", "edit", "Cost of carry (fraction/yr)", "0.03");
  row("CarryGroupNote", "text", "Cost of carry (fraction/yr)",
      "Used by Cox,-Ross- Rubenstein only");
  row("StartDate", "date", "Start date", "today");
  row("EndDate", "date", "End date", "today+30");
  row("UseTradingDays", "check", "Use trading days", "on");
  row("Button5", "button", "Compute", "");
  row("CompDays", "text", "Days", "0");
  row("Button6", "button", "Change", "");
  // About.
  row("ProductLabel", "text", "", "Valquor");
  row("VersionLabel", "text", "", "Version 2.3");
}

void TMainWindowTest::EveryControlShowsItsDefault() {
  QFETCH(QString, name);
  QFETCH(QString, kind);
  QFETCH(QString, label);
  QFETCH(QString, value);
  TApp& app = *first_;
  auto* control = dynamic_cast<TControl*>(app.form->FindComponent(name.toStdString()));
  QVERIFY(control != nullptr);
  QWidget* widget = app.window->findChild<QWidget*>(name);
  QVERIFY(widget != nullptr);
  QCOMPARE(widget, app.Find(*control));
  // "What's this?" help on the field and on its label.
  QCOMPARE(widget->whatsThis(), QString::fromStdString(control->WhatsThis));
  if (kind != "text") QVERIFY2(!control->WhatsThis.empty(), "no help text");
  if (QLabel* label = app.window->Binder().Label(*control)) {
    QCOMPARE(label->whatsThis(), widget->whatsThis());
  }
  // The label beside it, or for the Options page the title of its group.
  QString beside = app.LabelOf(*control);
  auto* group = qobject_cast<QGroupBox*>(widget->parentWidget());
  if (beside.isEmpty() && group != nullptr) beside = group->title();

  if (kind == "edit" || kind == "output") {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    QVERIFY(edit != nullptr);
    const bool disabled = value.endsWith(" disabled");
    QCOMPARE(edit->text(), disabled ? value.section(' ', 0, 0) : value);
    QCOMPARE(edit->isEnabled(), !disabled);
    QCOMPARE(edit->isReadOnly(), kind == "output");
    QCOMPARE(beside, label);
  } else if (kind == "list") {
    auto* list = qobject_cast<QComboBox*>(widget);
    QVERIFY(list != nullptr);
    QVERIFY(list->isEditable());
    QCOMPARE(list->currentText(), value);
    QCOMPARE(beside, label);
  } else if (kind == "check") {
    auto* box = qobject_cast<QCheckBox*>(widget);
    QVERIFY(box != nullptr);
    QCOMPARE(box->text(), label);
    QCOMPARE(box->isChecked(), value == "on");
  } else if (kind == "radio") {
    auto* radios = qobject_cast<QGroupBox*>(widget);
    QVERIFY(radios != nullptr);
    QCOMPARE(radios->title(), label);
    QCOMPARE(CheckedItem(radios), value);
  } else if (kind == "spin") {
    auto* spin = qobject_cast<TSpinField*>(widget);
    QVERIFY(spin != nullptr);
    QCOMPARE(spin->text(), value);
    QCOMPARE(beside, label);
  } else if (kind == "date") {
    auto* date = qobject_cast<QDateEdit*>(widget);
    QVERIFY(date != nullptr);
    const QDate today = QDate::currentDate();
    QCOMPARE(date->date(), value == "today" ? today : today.addDays(30));
    QCOMPARE(beside, label);
  } else if (kind == "text") {
    auto* text = qobject_cast<QLabel*>(widget);
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(), value);
    QCOMPARE(beside, label);
  } else if (kind == "button") {
    auto* button = qobject_cast<QPushButton*>(widget);
    QVERIFY(button != nullptr);
    QCOMPARE(button->text(), label);
  } else if (kind == "picture") {
    auto* button = qobject_cast<QToolButton*>(widget);
    QVERIFY(button != nullptr);
    QCOMPARE(button->toolTip(), label);
  } else if (kind == "pane") {
    auto* pane = qobject_cast<QPlainTextEdit*>(widget);
    QVERIFY(pane != nullptr);
    QVERIFY(pane->isReadOnly());
    QCOMPARE(pane->toPlainText(), QString());
    QCOMPARE(pane->lineWrapMode() == QPlainTextEdit::NoWrap, value == "nowrap");
    QVERIFY(QFontInfo(pane->font()).fixedPitch());
  } else if (kind == "grid") {
    auto* grid = qobject_cast<QTableWidget*>(widget);
    QVERIFY(grid != nullptr);
    QCOMPARE(QString("%1x%2").arg(grid->columnCount()).arg(grid->rowCount()), value);
  } else {
    QFAIL("unknown kind");
  }
}

void TMainWindowTest::PagesStartWhereTheProgramStarts() {
  TApp& app = *first_;
  QCOMPARE(app.window->windowTitle(), QString("Valquor"));
  struct TPages {
    TPageControl* Control;
    QStringList Captions;
    QString Current;
  };
  const TPages pages[] = {
      {&app.form->PageControl1,
       {"Pricing", "Volatility", "Calculator", "Options", "About"},
       "Pricing"},
      // A first start without a remembered sub-page shows the fair-value table.
      {&app.form->MainPageControl, {"Fair value", "Delta", "Analysis", "Graph"}, "Fair value"},
      {&app.form->PageControl3, {"Calculator", "Probabilities", "Payoff"}, "Payoff"},
      {&app.form->PageControl2,
       {"HV using daily data", "HV using weekly data", "IV Calculator", "Implied volatility",
        "Chart"},
       "Implied volatility"},
  };
  for (const TPages& p : pages) {
    auto* tabs = app.Get<QTabWidget>(*p.Control);
    QVERIFY(tabs != nullptr);
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    QCOMPARE(captions, p.Captions);
    QCOMPARE(tabs->tabText(tabs->currentIndex()), p.Current);
  }
  QCOMPARE(Items(app.Get<QComboBox>(app.form->DaysCombo)),
           QString("1|2|2*|5|5*|10|11|11*|22|44|44*|65"));
  QCOMPARE(Items(app.Get<QComboBox>(app.form->Steps)), QString("1|2|2.5|5|7.5|10|15|20|30|50"));
  QCOMPARE(Items(app.Get<QComboBox>(app.form->YAxis)), QString("Strike|Forward"));
  QCOMPARE(Items(app.Get<QComboBox>(app.form->AnalysisFormula)),
           QString("Lognormal distribution|Normal distribution|Medium normal/lognormal"));
  QCOMPARE(Items(app.Get<QComboBox>(app.form->Formula)),
           QString("Black-Scholes|Cox-Ross-Rubenstein|Integration normal distribution|"
                   "Integration lognormal distribution|Integration medium distribution"));
  auto* positions = app.Get<QComboBox>(app.form->PositionName);
  QCOMPARE(positions->count(), 28);
  QCOMPARE(positions->itemText(27), QString("Short butterfly"));
  QCOMPARE(positions->maxVisibleItems(), 25);
  QCOMPARE(app.Get<QComboBox>(app.form->DaysCombo)->maxVisibleItems(), 15);
  // The About page: the name in large type, the version and the release; nothing else to read.
  auto* product = app.Get<QLabel>(app.form->ProductLabel);
  QVERIFY(product->font().pointSize() >= 2 * QApplication::font().pointSize());
  QVERIFY(product->font().bold());
  QWidget* about = app.Find(app.form->TabSheet8);
  QCOMPARE(about->findChildren<QLabel*>().size(), 3);
  auto* release = about->findChild<QLabel*>("ReleaseLabel");
  QVERIFY(release != nullptr);
  QCOMPARE(release->text(), QString("Release ") + kValquorVersion);
  QVERIFY(about->layout()->indexOf(release) >
          about->layout()->indexOf(app.Find(app.form->VersionLabel)));
}

void TMainWindowTest::TheCalculatorPricesAnOptionOnEnter() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabSheet2);
  QCOMPARE(app.form->PageControl1.ActivePage(), &app.form->TabSheet2);
  app.Type(app.form->Strike9, "100");
  app.Type(app.form->Price9, "100");
  app.Type(app.form->Vol9, "20");
  app.Type(app.form->Days9, "260");
  QCOMPARE(app.Get<QLineEdit>(app.form->RiskFree9)->text(), QString("0.05"));
  QTest::keyClick(app.Find(app.form->Days9), Qt::Key_Return);
  QCOMPARE(app.Get<QLineEdit>(app.form->Edit8)->text(), QString("10.45"));
  QCOMPARE(app.Get<QLineEdit>(app.form->Edit3)->text(), QString("33%"));
  QCOMPARE(app.Get<QLabel>(app.form->Label43)->text(), QString("Black-Scholes"));
  QCOMPARE(app.Get<QLabel>(app.form->Label45)->text(), QString("European"));
  QVERIFY(app.messages.empty());
  // The same with all days and 365 days: the same premium.
  app.Get<QGroupBox>(app.form->DaysOption)->findChild<QRadioButton*>("DaysOption_1")->click();
  app.Type(app.form->Days9, "365");
  QTest::keyClick(app.Find(app.form->Days9), Qt::Key_Return);
  QCOMPARE(app.Get<QLineEdit>(app.form->Edit8)->text(), QString("10.45"));
  QVERIFY(app.messages.empty());
  // A whole number that is not one stops with the conversion message.
  app.Type(app.form->Days9, "1.5");
  QTest::keyClick(app.Find(app.form->Days9), Qt::Key_Return);
  QCOMPARE(app.messages, std::vector<std::string>{"'1.5' is not a valid integer value"});
  QCOMPARE(app.Get<QLineEdit>(app.form->Edit8)->text(), QString("10.45"));
  QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TMainWindowTest::TheCalculatorRefusesTheShippedDefaults() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabSheet2);
  app.Find(app.form->Button9)->setFocus();
  QTest::keyClick(app.Find(app.form->Button9), Qt::Key_Space);
  QCOMPARE(app.messages, std::vector<std::string>{"Strike input error"});
  QCOMPARE(app.Get<QLineEdit>(app.form->Edit8)->text(), QString("0"));
  QCOMPARE(app.Get<QLineEdit>(app.form->Edit3)->text(), QString("0"));
  QCOMPARE(app.Get<QLabel>(app.form->Label43)->text(), QString("-"));
}

void TMainWindowTest::CopyPutsTheReportInViewOnTheClipboard() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabPricing);
  app.Get<QPushButton>(app.form->ComputeBtn)->click();
  const QString fair = app.Get<QPlainTextEdit>(app.form->RichEdit1)->toPlainText();
  QVERIFY(fair.contains("Call"));
  app.Get<QPushButton>(app.form->CopyBtn)->click();
  QCOMPARE(QApplication::clipboard()->text(), fair + "\n");
  // On the Payoff page the copy starts with an empty line and the heading.
  app.ShowPage(app.form->TabPL);
  app.Get<QPushButton>(app.form->CopyBtn)->click();
  const QString payoff = app.Get<QPlainTextEdit>(app.form->RichEdit3)->toPlainText();
  QCOMPARE(QApplication::clipboard()->text(),
           "\n *** Analysis ***\n" + (payoff.isEmpty() ? QString() : payoff + "\n"));
  QVERIFY(app.messages.empty());
}

void TMainWindowTest::ANewReportFontClearsAndRestylesThePanes() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabPricing);
  app.Get<QPushButton>(app.form->ComputeBtn)->click();
  QVERIFY(!app.Get<QPlainTextEdit>(app.form->RichEdit1)->toPlainText().isEmpty());
  QVERIFY(!app.Get<QPlainTextEdit>(app.form->RichEdit2)->toPlainText().isEmpty());
  app.platform.MessageSink = nullptr;  // the real dialogs from here on
  app.ShowPage(app.form->TabSheet5);
  TModalCloser closer([](QWidget* modal) {
    auto* dialog = qobject_cast<QFontDialog*>(modal);
    QVERIFY(dialog != nullptr);
    dialog->setCurrentFont(QFont("DejaVu Sans Mono", 12));
    static_cast<QDialog*>(dialog)->accept();
  });
  app.Get<QPushButton>(app.form->Button6)->click();
  QCOMPARE(closer.Seen, 1);
  for (TRichEdit* pane : app.form->ReportPanes()) {
    auto* text = app.Get<QPlainTextEdit>(*pane);
    QVERIFY2(text->toPlainText().isEmpty(), pane->Name().c_str());
    QCOMPARE(QFontInfo(text->font()).family(), QString("DejaVu Sans Mono"));
    QCOMPARE(text->font().pointSize(), 12);
  }
  // Cancelling changes nothing.
  app.Get<QPushButton>(app.form->ComputeBtn)->click();
  TModalCloser cancel([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  app.Get<QPushButton>(app.form->Button6)->click();
  QCOMPARE(cancel.Seen, 1);
  QVERIFY(!app.Get<QPlainTextEdit>(app.form->RichEdit1)->toPlainText().isEmpty());
}

void TMainWindowTest::TheDialogButtonsOpenModelessDialogs() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabSheet2);
  app.Get<QPushButton>(app.form->Button10)->click();
  TWizardDialog& overUnder = app.window->OverUnderDialog();
  QVERIFY(overUnder.isVisible());
  QVERIFY(!overUnder.isModal());
  QCOMPARE(overUnder.windowTitle(), QString("O/U Calculator"));
  QVERIFY(app.window->isEnabled());
  app.Get<QPushButton>(app.form->Button11)->click();
  TWizardDialog& risk = app.window->RiskDialog();
  QVERIFY(risk.isVisible());
  QCOMPARE(risk.windowTitle(), QString("Risk Calculator"));
  // Copy and Export sit left of Compute and Close, below the Result pane.
  auto* copy = qobject_cast<QPushButton*>(risk.Binder().Find(app.form->FormWiz2.CopyBtn));
  auto* exportButton = qobject_cast<QPushButton*>(risk.Binder().Find(app.form->FormWiz2.ExportBtn));
  auto* compute = qobject_cast<QPushButton*>(risk.Binder().Find(app.form->FormWiz2.OKBtn));
  QVERIFY(copy != nullptr && exportButton != nullptr && compute != nullptr);
  QCOMPARE(copy->y(), compute->y());
  QVERIFY(copy->x() < exportButton->x());
  QVERIFY(exportButton->x() < compute->x());
  // The risk dialog opens on its Result page, where Enter computes; the worked example's
  // volatility is 100.
  app.form->FormWiz2.Vol.SetText("100");
  risk.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&risk));
  QTest::keyClick(&risk, Qt::Key_Return);
  const QStringList expected = {"Call 100",
                                "Trading days: 20",
                                "Days in position: 2",
                                "Formula: Black-Scholes",
                                "Expiration type: Eurpean",
                                "Price: 101",
                                "Volatility: 100%",
                                "Sigma: 8.86",
                                "P(2*sigma down): 1.55%",
                                "P(2*sigma up): 2.98%",
                                "Premium: 5.00",
                                "Fair price: 11.77",
                                "New fair price if down: 3.51",
                                "Money at risk: 1.49"};
  auto* result = qobject_cast<QPlainTextEdit*>(risk.Binder().Find(app.form->FormWiz2.RichEdit1));
  QCOMPARE(result->toPlainText(), expected.join('\n'));
  // Escape closes it through its Close button; pressing the main window's button again shows
  // it where it was.
  QTest::keyClick(&risk, Qt::Key_Escape);
  QVERIFY(!risk.isVisible());
  QVERIFY(!app.form->FormWiz2.Visible());
  const QPoint place = risk.pos();
  app.Get<QPushButton>(app.form->Button11)->click();
  QVERIFY(risk.isVisible());
  QCOMPARE(risk.pos(), place);
  QVERIFY(app.messages.empty());
}

void TMainWindowTest::HelpOpensTheManualAndWhatsThisMode() {
  QTemporaryDir folder;
  QTemporaryDir manual;
  QFile index(manual.filePath("index.html"));
  QVERIFY(index.open(QIODevice::WriteOnly));
  index.write("<html><body><h1>Valquor manual</h1></body></html>");
  index.close();
  TApp app(folder.path(), manual.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabPricing);
  app.Get<QToolButton>(app.form->SpeedButton1)->click();
  THelpWindow* help = app.platform.HelpWindow();
  QVERIFY(help != nullptr);
  QVERIFY(help->isVisible());
  QCOMPARE(help->Source(), QUrl::fromLocalFile(manual.filePath("index.html")));
  QVERIFY(help->Browser()->toPlainText().contains("Valquor manual"));
  app.Get<QToolButton>(app.form->HelpContext)->click();
  QVERIFY(QWhatsThis::inWhatsThisMode());
  QWhatsThis::leaveWhatsThisMode();
  QVERIFY(app.messages.empty());
}

void TMainWindowTest::TheBusyCursorShowsWhileComputingOnly() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabPricing);
  auto* position = app.Get<QComboBox>(app.form->PositionName);
  position->lineEdit()->selectAll();
  QTest::keyClicks(position->lineEdit(), "Nonsense");
  app.Get<QPushButton>(app.form->ComputeBtn)->click();
  QCOMPARE(app.messages, std::vector<std::string>{"Error: Not recognized: Nonsense"});
  QCOMPARE(app.busyAtMessage, std::vector<bool>{true});
  QVERIFY(QApplication::overrideCursor() == nullptr);
  QCOMPARE(app.platform.BusyDepth(), 0);
}

void TMainWindowTest::EveryPanelControlFitsTheFirstSize() {
  TApp& app = *first_;
  app.ShowPage(app.form->TabPricing);
  app.window->resize(645, 472);
  QCOMPARE(app.window->size(), QSize(645, 472));
  QCOMPARE(app.window->minimumSize(), QSize(645, 472));
  QVERIFY(app.window->minimumSizeHint().width() <= 645);
  QVERIFY(app.window->minimumSizeHint().height() <= 472);
  QCoreApplication::processEvents();
  const std::vector<TControl*> panel = {
      &app.form->StrikeEdit,   &app.form->DaysCombo,   &app.form->Steps,
      &app.form->VolEdit,      &app.form->PriceEdit,   &app.form->YAxis,
      &app.form->PositionName, &app.form->ForwardEdit, &app.form->MainForwardLock,
      &app.form->ComputeBtn,   &app.form->CopyBtn,     &app.form->ExportBtn,
      &app.form->SpeedButton1, &app.form->HelpContext};
  std::vector<QWidget*> shown;
  for (TControl* control : panel) {
    shown.push_back(app.Find(*control));
    if (QLabel* label = app.window->Binder().Label(*control)) shown.push_back(label);
  }
  const QRect client = app.window->rect();
  for (QWidget* w : shown) {
    const QString name = w->objectName();
    QVERIFY2(w->isVisible(), qPrintable(name));
    const QRect place(w->mapTo(app.window.get(), QPoint(0, 0)), w->size());
    QVERIFY2(client.contains(place), qPrintable(name));
    QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(name));
    if (auto* label = qobject_cast<QLabel*>(w)) {
      QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(name));
    }
    for (QWidget* other : shown) {
      if (other == w) continue;
      const QRect otherPlace(other->mapTo(app.window.get(), QPoint(0, 0)), other->size());
      QVERIFY2(!place.intersects(otherPlace),
               qPrintable(name + " overlaps " + other->objectName()));
    }
  }
}

void TMainWindowTest::ReportPanesTakeTheSpareRoom() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.ShowPage(app.form->TabPricing);
  auto* pane = app.Get<QPlainTextEdit>(app.form->RichEdit1);
  app.window->resize(645, 472);
  QCoreApplication::processEvents();
  const QSize before = pane->size();
  app.window->resize(645 + 120, 472 + 100);
  QCoreApplication::processEvents();
  QCOMPARE(pane->width(), before.width() + 120);
  QCOMPARE(pane->height(), before.height() + 100);
}

void TMainWindowTest::PlaceAndSizeComeBackAtTheNextStart() {
  QTemporaryDir folder;
  {
    TApp app(folder.path());
    QVERIFY(app.Start());
    QVERIFY(app.window->width() > 645);  // the first size, for the fair-value table
    app.window->resize(760, 540);
    app.window->move(30, 20);
    app.Type(app.form->StrikeEdit, "1200");
    QVERIFY(app.window->close());
    QCOMPARE(app.form->Width, 760);
    QVERIFY(app.messages.empty());
  }
  TApp again(folder.path());
  QVERIFY(again.Start());
  QCOMPARE(again.window->size(), QSize(760, 540));
  QCOMPARE(again.window->pos(), QPoint(30, 20));
  QCOMPARE(again.Get<QLineEdit>(again.form->StrikeEdit)->text(), QString("1200"));
}

void TMainWindowTest::TheFirstSizeShowsTheWholeFairValueTable() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  // It opens on the Fair value page.
  QCOMPARE(app.Get<QTabWidget>(app.form->PageControl1)->currentWidget(),
           app.Find(app.form->TabSheet1));
  QCOMPARE(app.Get<QTabWidget>(app.form->MainPageControl)->currentWidget(),
           app.Find(app.form->TabPricing));
  const QRect screen = app.window->screen()->availableGeometry();
  QVERIFY(app.window->width() <= screen.width());
  QVERIFY(app.window->height() <= screen.height());
  QVERIFY(app.window->width() >= 645);
  QVERIFY(app.window->height() >= 472);
  app.Get<QPushButton>(app.form->ComputeBtn)->click();
  QTRY_VERIFY(app.form->RichEdit1.Lines().size() == 23);
  QCoreApplication::processEvents();
  auto* pane = app.Get<QPlainTextEdit>(app.form->RichEdit1);
  // Every line whole on one line of the pane, and every line in view: nothing to scroll.
  QCOMPARE(pane->verticalScrollBar()->maximum(), 0);
  QCOMPARE(pane->horizontalScrollBar()->maximum(), 0);
  for (QTextBlock block = pane->document()->begin(); block.isValid(); block = block.next()) {
    QVERIFY2(block.layout()->lineCount() <= 1, qPrintable(block.text()));
  }
  QVERIFY(app.messages.empty());

  // A stored size wins, even the smallest.
  app.window->resize(645, 472);
  QVERIFY(app.window->close());
  TApp again(folder.path());
  QVERIFY(again.Start());
  QCOMPARE(again.window->size(), QSize(645, 472));
}

void TMainWindowTest::ListsKeepTheirWidthInALargeWindow() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.window->resize(1600, 1000);
  int seen = 0;
  for (TComponent* component : app.form->Components()) {
    auto* sheet = dynamic_cast<TTabSheet*>(component);
    if (sheet == nullptr) continue;
    app.ShowPage(*sheet);
    QCoreApplication::processEvents();
    for (auto* combo : app.window->findChildren<QComboBox*>()) {
      if (!combo->isVisible()) continue;
      QVERIFY2(combo->width() <= std::max(combo->sizeHint().width(), combo->minimumWidth()),
               qPrintable(QString::fromStdString(sheet->Name()) + " " + combo->objectName() + " " +
                          QString::number(combo->width())));
      ++seen;
    }
  }
  QVERIFY(seen >= 7);  // day step, steps, Y-axis, position, distribution, formula ...
}

void TMainWindowTest::CalculatorAndOptionsGroupsStayTogether() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  for (const QSize size : {QSize(1024, 768), QSize(1600, 1000)}) {
    app.window->resize(size);
    for (auto [sheet, name] : {std::pair{&app.form->TabSheet2, "CalculatorBlock"},
                               std::pair{&app.form->TabSheet5, "OptionsBlock"}}) {
      app.ShowPage(*sheet);
      QCoreApplication::processEvents();
      QWidget* page = app.Find(*sheet);
      auto* block = page->findChild<QWidget*>(name);
      QVERIFY2(block != nullptr, name);
      // The block keeps its natural width and stands in the middle of the page, at the top.
      QCOMPARE(block->width(), block->sizeHint().width());
      QVERIFY2(std::abs(block->geometry().center().x() - page->rect().center().x()) <= 1, name);
      QVERIFY2(block->y() <= 12, name);
    }
  }
}

void TMainWindowTest::F1OpensTheManualAtTheFocusedField() {
  QTemporaryDir folder;
  QTemporaryDir manual;
  for (const char* page : {"index.html", "pricing.html", "options.html"}) {
    QFile file(manual.filePath(page));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("<html><body><h1>") + page + "</h1></body></html>");
  }
  TApp app(folder.path(), manual.path());
  QVERIFY(app.Start());
  struct TCase {
    TTabSheet* Sheet;
    TControl* Focus;
    QString Opens;
  };
  const std::vector<TCase> cases = {
      {&app.form->TabPricing, &app.form->StrikeEdit, "pricing.html#StrikeEdit"},
      {&app.form->TabPricing, &app.form->YAxis, "pricing.html#YAxis"},
      {&app.form->TabSheet5, &app.form->RiskFreeInterest, "options.html#RiskFreeInterest"},
      {&app.form->TabSheet5, &app.form->Formula, "options.html#Formula"},
  };
  for (const TCase& c : cases) {
    app.ShowPage(*c.Sheet);
    QWidget* widget = app.Find(*c.Focus);
    app.window->activateWindow();
    widget->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), widget);
    QTest::keyClick(widget, Qt::Key_F1);
    THelpWindow* help = app.platform.HelpWindow();
    QVERIFY(help != nullptr);
    QCOMPARE(help->Source(), QUrl(QUrl::fromLocalFile(manual.path() + "/").toString() + c.Opens));
  }
  // The Help button keeps opening the contents.
  app.ShowPage(app.form->TabPricing);
  app.Get<QToolButton>(app.form->SpeedButton1)->click();
  QCOMPARE(app.platform.HelpWindow()->Source(), QUrl::fromLocalFile(manual.filePath("index.html")));
  QVERIFY(app.messages.empty());
}

void TMainWindowTest::CopyLeavesANoteInTheStatusLine() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  auto* status = app.window->findChild<QStatusBar*>("StatusLine");
  QVERIFY(status != nullptr);
  QVERIFY(!status->isVisible());
  app.ShowPage(app.form->TabPricing);
  app.Get<QPushButton>(app.form->ComputeBtn)->click();
  QTRY_VERIFY(!app.form->RichEdit1.Lines().empty());
  for (TButton* copy : {&app.form->CopyBtn, &app.form->FormWiz2.CopyBtn}) {
    status->clearMessage();
    QVERIFY(!status->isVisible());
    app.window->Run([copy] { copy->Click(); });
    QCOMPARE(status->currentMessage(), QString("Report copied"));
    QVERIFY(status->isVisible());
  }
  // No message box.
  QVERIFY(app.messages.empty());
}

}  // namespace valquor

QTEST_MAIN(valquor::TMainWindowTest)
#include "MainWindowTest.moc"
