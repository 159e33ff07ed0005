// The Graph page offscreen: Enter draws the chart, whose series and marks read back as the
// model holds them; hovering, zooming and a double-click; typing a what-if redraws; the chart
// takes the spare room; Save PNG... and Export... through their dialogs; and the chart view on
// its own with points and a date axis.

#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLegendMarker>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QXYSeries>
#include <memory>

#include "ModalHelper.h"
#include "TestApp.h"
#include "gui/ChartView.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

using test::TModalCloser;

struct TApp : test::TTestApp {
  using TTestApp::TTestApp;
  // The Graph page in view, by its tab, and Enter pressed.
  void Draw() {
    auto* tabs = qobject_cast<QTabWidget*>(window->Binder().Find(form->MainPageControl));
    tabs->setCurrentWidget(window->Binder().Find(form->TabGraph));
    QTest::keyClick(window.get(), Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  TChartView* Chart() const { return window->findChild<TChartView*>("GraphChart"); }
};

// The middle of the plot, in the view's coordinates.
QPoint PlotCentre(TChartView* view) {
  const QPointF centre = view->chart()->plotArea().center();
  return view->mapFromScene(view->chart()->mapToScene(centre));
}

void TypeFileName(QWidget* modal, const QString& name) {
  auto* dialog = qobject_cast<QFileDialog*>(modal);
  QVERIFY(dialog != nullptr);
  dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
  static_cast<QDialog*>(dialog)->accept();
}

}  // namespace

class TGraphViewTest : public QObject {
  Q_OBJECT

 private slots:
  void EnterDrawsTheChartAndItsSeriesReadBack();
  void HoverZoomAndDoubleClick();
  void TypingAWhatIfRedraws();
  void TheChartTakesTheSpareRoom();
  void SavePngAndExportGoThroughTheirDialogs();
  void PointsAndDatesOnTheirOwn();
};

void TGraphViewTest::EnterDrawsTheChartAndItsSeriesReadBack() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.Draw();
  QVERIFY(app.messages.empty());
  TChartView* view = app.Chart();
  QVERIFY(view != nullptr);
  QVERIFY(view->isVisible());

  const TChartData& data = app.form->GraphChart.Data();
  const std::vector<QXYSeries*> series = view->DataSeries();
  QCOMPARE(series.size(), std::size_t{4});
  for (std::size_t i = 0; i < series.size(); ++i) {
    QCOMPARE(series[i]->name(), QString::fromStdString(data.Series[i].Name));
    const QList<QPointF> points = series[i]->points();
    QCOMPARE(points.size(), qsizetype{201});
    for (qsizetype k = 0; k < points.size(); ++k) {
      QCOMPARE(points[k].x(), double{data.Series[i].Points[static_cast<std::size_t>(k)].X});
      QCOMPARE(points[k].y(), double{data.Series[i].Points[static_cast<std::size_t>(k)].Y});
    }
  }
  QCOMPARE(series[0]->name(), QString("20 days left"));
  QCOMPARE(series[3]->name(), QString("0 days left"));
  QCOMPARE(view->MarkLabels(), QStringList({"-2\u03c3", "-1\u03c3", "+1\u03c3", "+2\u03c3",
                                            "current price", "zero", "breakeven"}));
  // The lines are in the legend; the marks are not.
  int shown = 0;
  for (QLegendMarker* marker : view->chart()->legend()->markers()) shown += marker->isVisible();
  QCOMPARE(shown, 4);

  // The figures beside it.
  QCOMPARE(qobject_cast<QLineEdit*>(app.window->Binder().Find(app.form->BreakevenEdit))->text(),
           QString("1023.27"));
  QCOMPARE(app.form->GreeksGrid.Cell(5, 1), std::string("0.5276"));

  // The chart's texts take the report font's size.
  QCOMPARE(view->chart()->legend()->font().pointSizeF(),
           static_cast<double>(app.form->RichEdit1.Font().Size));
}

void TGraphViewTest::HoverZoomAndDoubleClick() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.window->resize(1024, 768);
  app.Draw();
  TChartView* view = app.Chart();
  QCoreApplication::processEvents();

  // Over the plot: the price and every line's profit or loss there.
  const QPoint centre = PlotCentre(view);
  QTest::mouseMove(view->viewport(), centre);
  QCoreApplication::processEvents();
  const QStringList readout = view->CrosshairText().split('\n');
  QCOMPARE(readout.size(), qsizetype{5});
  QVERIFY(readout[0].startsWith("Price "));
  QVERIFY(readout[1].startsWith("20 days left: "));
  QVERIFY(readout[4].startsWith("0 days left: "));
  // At the lowest price the expiring call is worth nothing: its premium lost.
  const double lowest = app.form->GraphChart.Data().Series[3].Points.front().X;
  QCOMPARE(view->Readout(lowest).last(), QString("0 days left: -23.27"));
  QVERIFY(view->Readout(5000.0).size() == 1);  // beyond the lines only the price

  // The wheel zooms about the pointer; a double-click shows everything again.
  const QPointF before = view->XRange();
  const QPointF yBefore = view->YRange();
  QWheelEvent wheel(QPointF(centre), view->viewport()->mapToGlobal(QPointF(centre)), QPoint(),
                    QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(view->viewport(), &wheel);
  const QPointF zoomed = view->XRange();
  QVERIFY(zoomed.y() - zoomed.x() < 0.8 * (before.y() - before.x()));
  QVERIFY(zoomed.x() > before.x() && zoomed.y() < before.y());
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
  QCOMPARE(view->XRange(), before);
  QCOMPARE(view->YRange(), yBefore);

  // Leaving the chart hides the crosshair.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(view, &leave);
  QCOMPARE(view->CrosshairText(), QString());
}

void TGraphViewTest::TypingAWhatIfRedraws() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.Draw();
  auto* days = qobject_cast<QLineEdit*>(app.window->Binder().Find(app.form->WhatIfDays));
  days->setFocus();
  days->selectAll();
  QTest::keyClicks(days, "5");
  QCoreApplication::processEvents();
  QCOMPARE(app.Chart()->DataSeries().front()->name(), QString("15 days left"));
  QCOMPARE(app.form->GreeksGrid.Cell(3, 1), std::string("15"));
  QVERIFY(app.messages.empty());
}

void TGraphViewTest::TheChartTakesTheSpareRoom() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  app.Draw();
  TChartView* view = app.Chart();
  app.window->resize(645, 472);  // from the smallest size
  QCoreApplication::processEvents();
  const QSize before = view->size();
  QVERIFY(before.height() >= 120);
  app.window->resize(645 + 120, 472 + 100);
  QCoreApplication::processEvents();
  QCOMPARE(view->width(), before.width() + 120);
  QCOMPARE(view->height(), before.height() + 100);
  // Every control of the page is on it, within the window.
  const QRect client = app.window->rect();
  for (const char* name : {"GraphChart", "GreeksScroller", "BreakevenEdit", "ExpectedPLEdit",
                           "WhatIfPrice", "WhatIfVol", "GraphSavePng", "GraphExport"}) {
    auto* w = app.window->findChild<QWidget*>(name);
    QVERIFY2(w != nullptr && w->isVisible(), name);
    QVERIFY2(client.contains(QRect(w->mapTo(app.window.get(), QPoint(0, 0)), w->size())), name);
    QVERIFY2(w == app.window->findChild<QWidget*>("GreeksScroller") || !w->whatsThis().isEmpty(),
             name);
  }
  QVERIFY(!app.window->Binder().Find(app.form->GreeksGrid)->whatsThis().isEmpty());
}

void TGraphViewTest::SavePngAndExportGoThroughTheirDialogs() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  auto* save = app.window->findChild<QPushButton*>("GraphSavePng");
  auto* exportData = app.window->findChild<QPushButton*>("GraphExport");
  // Nothing drawn: nothing to save or export.
  save->click();
  exportData->click();
  QCOMPARE(app.messages, std::vector<std::string>({"Nothing to export", "Nothing to export"}));
  app.messages.clear();

  app.Draw();
  const QString png = QDir(folder.path()).filePath("chart.png");
  {
    TModalCloser closer([&](QWidget* modal) { TypeFileName(modal, png); });
    save->click();
    QCOMPARE(closer.Seen, 1);
  }
  QImage image(png);
  QVERIFY(!image.isNull());
  QCOMPARE(image.size(), app.Chart()->size());

  const QString csv = QDir(folder.path()).filePath("graph.csv");
  {
    TModalCloser closer([&](QWidget* modal) {
      QCOMPARE(qobject_cast<QFileDialog*>(modal)->defaultSuffix(), QString("csv"));
      TypeFileName(modal, csv);
    });
    exportData->click();
    QCOMPARE(closer.Seen, 1);
  }
  QFile file(csv);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readLine(),
           QByteArray("price,20 days left,13 days left,7 days left,0 days left\r\n"));
  QVERIFY(app.messages.empty());
}

void TGraphViewTest::PointsAndDatesOnTheirOwn() {
  // A chart of another kind: points over dates, with a horizontal mark.
  TChartView view;
  view.resize(500, 300);
  TChartData data;
  data.XTitle = "Date";
  data.YTitle = "Volatility";
  data.XKind = TChartAxisKind::Date;
  data.Series.push_back({"close to close",
                         TChartSeriesStyle::Points,
                         {{46360.0f, 18.0f}, {46361.0f, 21.5f}, {46364.0f, 19.0f}}});
  data.Marks.push_back({TChartMarkKind::YLine, TChartMarkStyle::Dashed, "average", 19.5f});
  view.SetData(data);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  QCOMPARE(view.DataSeries().size(), std::size_t{1});
  QCOMPARE(view.DataSeries()[0]->count(), 3);
  QCOMPARE(view.MarkLabels(), QStringList({"average"}));
  // 2026-12-05 is day 46361; the nearest point is read.
  const double day = view.DataSeries()[0]->points()[1].x();
  QCOMPARE(view.Readout(day), QStringList({"Date 2026-12-05", "close to close: 21.50"}));
  // Cleared data draws nothing.
  view.SetData(TChartData{});
  QVERIFY(view.DataSeries().empty());
  QVERIFY(view.chart()->series().isEmpty());
}

}  // namespace valquor

QTEST_MAIN(valquor::TGraphViewTest)
#include "GraphViewTest.moc"
