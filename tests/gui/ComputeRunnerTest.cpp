// Computing away from the window's thread: the window keeps turning while a long Compute runs,
// its inputs are locked and a progress bar with Cancel shows; Cancel (or Esc, or closing the
// window) leaves every pane as it was; a finished run is written as one action.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "ModalHelper.h"
#include "TestApp.h"
#include "gui/MainWindow.h"
#include "gui/QtCommandRunner.h"
#include "gui/QtPlatform.h"
#include "gui/WizardDialog.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

using test::TModalCloser;
using TTexts = std::vector<std::string>;

// The program with the window's runner installed, its messages recorded.
struct TApp : test::TTestApp {
  explicit TApp(const QString& folder) : TTestApp(folder, {}, test::TRunBy::Window) {}
  TQtCommandRunner& Runner() const { return window->CommandRunner(); }
  QWidget* Progress() const { return window->findChild<QWidget*>("ProgressPanel"); }
  void ClickCompute() { qobject_cast<QPushButton*>(Find(form->ComputeBtn))->click(); }
  // Whether each control of the three windows is enabled, in the model.
  std::vector<bool> EnabledStates() const {
    std::vector<bool> states;
    for (TForm* w : {static_cast<TForm*>(form.get()), static_cast<TForm*>(&form->FormWiz),
                     static_cast<TForm*>(&form->FormWiz2)}) {
      for (TComponent* component : w->Components()) {
        if (auto* control = dynamic_cast<TControl*>(component)) {
          states.push_back(control->Enabled());
        }
      }
    }
    return states;
  }
  std::vector<std::vector<std::string>> PaneLines() const {
    std::vector<std::vector<std::string>> lines;
    for (TRichEdit* pane : form->ReportPanes()) lines.push_back(pane->Lines());
    lines.push_back(form->FormWiz2.RichEdit1.Lines());
    return lines;
  }
};

// A computation that lasts until the test lets it end: 64 units of binomial valuations, of
// which those from unit 8 on wait (checking the stop request) until Release is set.
struct TLongWork {
  static constexpr std::size_t kUnits = 64;
  static constexpr std::size_t kFree = 8;
  std::atomic<bool> Release{false};
  std::atomic<int> Waiting{0};
  int Given = 0;  // commands given by the button
};

TCsvTable SumTable(double sum) { return TCsvTable{{"Sum"}, {{std::to_string(sum)}}}; }

// A command of one stage: shows messages, values the units, and writes "Sum <total>" into pane
// with an export of it.
TCommand LongCommand(TLongWork& work, TFormPersonal& form, TRichEdit& pane, TTexts messages) {
  auto sum = std::make_shared<double>(0.0);
  TCommandStage stage;
  stage.Compute = [&work, sum, messages](TComputeContext& context) {
    for (const std::string& text : messages) {
      context.Messages().ShowMessage(text, TMessageKind::Error);
    }
    TWorkControl& control = context.Control();
    control.Plan(TLongWork::kUnits);
    const std::vector<float> values =
        context.Map<float>(TLongWork::kUnits, [&work, &control](std::size_t i, TValuer& valuer) {
          if (i >= TLongWork::kFree) {
            ++work.Waiting;
            // Bounded, so that a window that waited for its computation fails instead of
            // hanging.
            for (int t = 0; t < 20000 && !work.Release && !control.StopRequested(); ++t) {
              std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
          }
          TValuationTerms terms;
          terms.Formula = kFormulaBinomial;
          terms.RiskFree = 0.05f;
          terms.Carry = 0.05f;
          terms.Steps = 200;
          terms.American = true;
          return valuer.Value(terms, i % 2 == 1, 20 + static_cast<int>(i % 7), 100.0f,
                              95.0f + static_cast<float>(i % 11), 20.0f);
        });
    for (const float value : values) *sum += value;
  };
  stage.Apply = [&form, &pane, sum] {
    pane.Clear();
    pane.Add("Sum " + std::to_string(*sum));
    form.Exports.Set(pane, SumTable(*sum), "sum.csv");
  };
  TCommand command;
  command.Stages.push_back(std::move(stage));
  return command;
}

}  // namespace

class TComputeRunnerTest : public QObject {
  Q_OBJECT

 private slots:
  void TheWindowKeepsTurningWhileALongComputeRuns();
  void CancelLeavesEverythingAsItWas_data();
  void CancelLeavesEverythingAsItWas();
  void ClosingTheWindowDuringARunCancelsIt();
  void TheCommandsOfOneClickAreWrittenAsOneAction();
  void ExportSavesThePaneInViewThroughADialog();
};

void TComputeRunnerTest::TheWindowKeepsTurningWhileALongComputeRuns() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  TFormPersonal& form = *app.form;
  app.ShowPage(form.TabPricing);
  TLongWork work;
  form.ComputeBtn.OnClick = [&] {
    ++work.Given;
    form.RunCommand(LongCommand(work, form, form.RichEdit1, {}));
  };
  const std::vector<bool> enabled = app.EnabledStates();
  app.Find(form.StrikeEdit)->setFocus();
  app.ClickCompute();
  // The click has returned while the computation goes on.
  QVERIFY(app.Runner().Running());
  QTRY_VERIFY(work.Waiting > 0);
  bool fired = false;
  QTimer::singleShot(10, [&fired] { fired = true; });
  QTRY_VERIFY_WITH_TIMEOUT(fired, 100);

  // Inputs and command buttons are locked, in the dialogs too; pages, panes, Copy stay.
  for (TControl* locked : std::initializer_list<TControl*>{
           &form.StrikeEdit, &form.PositionName, &form.MainForwardLock, &form.ComputeBtn,
           &form.Button9, &form.NumberOfSteps, &form.StartDate, &form.Grid, &form.OptionType9,
           &form.FormWiz2.OKBtn, &form.FormWiz2.Strike}) {
    QVERIFY2(!locked->Enabled(), locked->Name().c_str());
  }
  QVERIFY(!app.Find(form.StrikeEdit)->isEnabled());
  QVERIFY(!app.Find(form.ComputeBtn)->isEnabled());
  for (TControl* usable : std::initializer_list<TControl*>{
           &form.CopyBtn, &form.ExportBtn, &form.RichEdit1, &form.MainPageControl,
           &form.PageControl1, &form.SpeedButton1, &form.FormWiz2.CancelBtn}) {
    QVERIFY2(usable->Enabled(), usable->Name().c_str());
  }
  QVERIFY(app.Find(form.RichEdit1)->isEnabled());
  // After a moment the progress shows, with its Cancel button.
  QTRY_VERIFY(app.Progress()->isVisible());
  QVERIFY(app.window->findChild<QPushButton*>("CancelComputeButton")->isVisible());
  // Pages can be switched, and Enter starts nothing more.
  app.ShowPage(form.TabDelta);
  QCOMPARE(form.MainPageControl.ActivePage(), &form.TabDelta);
  app.ShowPage(form.TabPricing);
  QTest::keyClick(app.window.get(), Qt::Key_Return);
  QCOMPARE(work.Given, 1);
  QVERIFY(form.RichEdit1.Lines().empty());

  work.Release = true;
  QTRY_VERIFY(!app.Runner().Running());
  QCOMPARE(form.RichEdit1.Lines().size(), std::size_t{1});
  QVERIFY(form.RichEdit1.Lines()[0].rfind("Sum ", 0) == 0);
  QCOMPARE(app.Get<QPlainTextEdit>(form.RichEdit1)->toPlainText(),
           QString::fromStdString(form.RichEdit1.Lines()[0]));
  QVERIFY(form.Exports.Find(form.RichEdit1).has_value());
  QVERIFY(app.EnabledStates() == enabled);  // Call3 and Put3 stay disabled, as they were
  QVERIFY(app.Find(form.StrikeEdit)->isEnabled());
  QCOMPARE(QApplication::focusWidget(), app.Find(form.StrikeEdit));  // where the lock took it
  QVERIFY(!app.Progress()->isVisible());
  QVERIFY(app.messages.empty());
}

void TComputeRunnerTest::CancelLeavesEverythingAsItWas_data() {
  QTest::addColumn<bool>("escape");
  QTest::newRow("Cancel button") << false;
  QTest::newRow("Esc") << true;
}

void TComputeRunnerTest::CancelLeavesEverythingAsItWas() {
  QFETCH(bool, escape);
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  TFormPersonal& form = *app.form;
  app.ShowPage(form.TabPricing);
  const TCsvTable earlier = SumTable(1.0);
  app.window->Run([&] {
    form.RichEdit1.Add("an earlier report");
    form.Exports.Set(form.RichEdit1, earlier, "fair-value.csv");
  });
  TLongWork work;
  form.ComputeBtn.OnClick = [&] {
    form.RunCommand(LongCommand(work, form, form.RichEdit1, {"a message it would show"}));
  };
  const std::vector<bool> enabled = app.EnabledStates();
  const auto panes = app.PaneLines();
  const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Dirs);

  app.ClickCompute();
  QTRY_VERIFY(work.Waiting > 0);
  if (escape) {
    QTest::keyClick(app.window.get(), Qt::Key_Escape);
  } else {
    QTRY_VERIFY(app.Progress()->isVisible());
    app.window->findChild<QPushButton*>("CancelComputeButton")->click();
  }
  QTRY_VERIFY(!app.Runner().Running());
  QVERIFY(app.PaneLines() == panes);
  QCOMPARE(app.Get<QPlainTextEdit>(form.RichEdit1)->toPlainText(), QString("an earlier report"));
  const auto kept = form.Exports.Find(form.RichEdit1);
  QVERIFY(kept.has_value());
  QCOMPARE(kept->Table->Rows, earlier.Rows);
  QVERIFY(app.messages.empty());
  QVERIFY(app.EnabledStates() == enabled);
  QVERIFY(!app.Progress()->isVisible());
  QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Dirs), files);

  // The next Compute runs to its end.
  work.Release = true;
  app.ClickCompute();
  QTRY_VERIFY(!app.Runner().Running());
  QVERIFY(form.RichEdit1.Lines().at(0).rfind("Sum ", 0) == 0);
  QCOMPARE(app.messages, TTexts{"a message it would show"});
}

void TComputeRunnerTest::ClosingTheWindowDuringARunCancelsIt() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  TFormPersonal& form = *app.form;
  TLongWork work;
  form.ComputeBtn.OnClick = [&] {
    form.RunCommand(LongCommand(work, form, form.RichEdit1, {"not shown"}));
  };
  app.ClickCompute();
  QTRY_VERIFY(work.Waiting > 0);
  // close() returns once the computation has left: the program can end.
  QVERIFY(app.window->close());
  QVERIFY(!app.Runner().Running());
  QVERIFY(!form.Visible());
  QVERIFY(form.RichEdit1.Lines().empty());
  QVERIFY(app.messages.empty());
  // The shut-down ran with the inputs as the user left them.
  QVERIFY(QFile::exists(folder.filePath("valqor11.ini")));
  QVERIFY(form.StrikeEdit.Enabled());
}

void TComputeRunnerTest::TheCommandsOfOneClickAreWrittenAsOneAction() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  TFormPersonal& form = *app.form;
  TLongWork work;
  work.Release = true;
  form.ComputeBtn.OnClick = [&] {
    form.RunCommand(LongCommand(work, form, form.RichEdit1, {"a", "b", "a", "c", "d"}));
    form.RunCommand(LongCommand(work, form, form.RichEdit2, {"e", "f", "g", "a"}));
  };
  app.ClickCompute();
  QTRY_VERIFY(!app.Runner().Running());
  QCOMPARE(app.messages,
           (TTexts{"a", "b", "c", "d", "e", "2 more messages of this action were not shown"}));
  QVERIFY(form.RichEdit1.Lines().at(0).rfind("Sum ", 0) == 0);
  QCOMPARE(form.RichEdit2.Lines(), form.RichEdit1.Lines());
}

void TComputeRunnerTest::ExportSavesThePaneInViewThroughADialog() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  TFormPersonal& form = *app.form;
  TLongWork work;
  work.Release = true;
  form.ComputeBtn.OnClick = [&] { form.RunCommand(LongCommand(work, form, form.RichEdit2, {})); };
  app.ShowPage(form.TabDelta);
  app.ClickCompute();
  QTRY_VERIFY(!app.Runner().Running());
  const QString path = folder.filePath("exported.csv");
  QString offered;
  TModalCloser closer([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(name != nullptr);
    offered = name->text();
    name->setText(path);
    static_cast<QDialog*>(dialog)->accept();
  });
  qobject_cast<QPushButton*>(app.Find(form.ExportBtn))->click();
  QCOMPARE(closer.Seen, 1);
  QCOMPARE(offered, QString("sum.csv"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const std::string sum = form.RichEdit2.Lines().at(0).substr(4);
  QCOMPARE(file.readAll().toStdString(), "Sum\r\n" + sum + "\r\n");
  QVERIFY(app.messages.empty());
}

}  // namespace valquor

QTEST_MAIN(valquor::TComputeRunnerTest)
#include "ComputeRunnerTest.moc"
