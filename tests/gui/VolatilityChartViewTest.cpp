// The Chart sub-page of Volatility offscreen: Compute draws both charts and the cone, whose
// series read back as the model holds them; hovering the rolling volatility reads the date and
// every line; the grids show the model's cells and offer Export...; the smile is drawn beside the
// implied-volatility report with its left-out line.

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXYSeries>
#include <cmath>
#include <memory>

#include "TestApp.h"
#include "gui/ChartView.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

struct TApp : test::TTestApp {
  using TTestApp::TTestApp;
  void Show(TPageControl& pages, TTabSheet& page) {
    auto* tabs = qobject_cast<QTabWidget*>(window->Binder().Find(pages));
    tabs->setCurrentWidget(window->Binder().Find(page));
    QCoreApplication::processEvents();
  }
};

// Sixty weekdays of March to May 2001 with open, high, low and close.
void WritePrices(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QByteArray text = "D;O;H;L;C;V;S;0;0;0;View\r\n";
  double close = 100;
  for (int i = 0; i < 60; ++i) {
    const double open = close;
    close = 100 + 5 * std::sin(i / 3.0);
    const int date = 20010000 + 100 * (3 + i / 20) + 1 + i % 20;
    text += QByteArray::number(date) + ';' + QByteArray::number(open, 'f', 2) + ';' +
            QByteArray::number(std::max(open, close) + 1, 'f', 2) + ';' +
            QByteArray::number(std::min(open, close) - 1, 'f', 2) + ';' +
            QByteArray::number(close, 'f', 2) + ";1;0\r\n";
  }
  file.write(text);
}

void CompareSeries(TChartView* view, const TChartData& data) {
  const std::vector<QXYSeries*> series = view->DataSeries();
  QCOMPARE(series.size(), data.Series.size());
  for (std::size_t i = 0; i < series.size(); ++i) {
    QCOMPARE(series[i]->name(), QString::fromStdString(data.Series[i].Name));
    const QList<QPointF> points = series[i]->points();
    QCOMPARE(static_cast<std::size_t>(points.size()), data.Series[i].Points.size());
    for (qsizetype k = 0; k < points.size(); ++k) {
      const TChartPoint& p = data.Series[i].Points[static_cast<std::size_t>(k)];
      QCOMPARE(points[k].y(), double{p.Y});
    }
  }
}

}  // namespace

class TVolatilityChartViewTest : public QObject {
  Q_OBJECT

 private slots:
  void ComputeDrawsThePageAndItsSeriesReadBack();
  void TheSmileIsDrawnBesideTheReport();
};

void TVolatilityChartViewTest::ComputeDrawsThePageAndItsSeriesReadBack() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  const QString path = folder.filePath("prices.txt");
  WritePrices(path);
  app.form->RunHandler([&] { app.form->Volatility.ReadPriceFile(path.toStdString()); });
  app.Show(app.form->PageControl1, app.form->TabSheet4);
  app.Show(app.form->PageControl2, app.form->TabHVChart);
  auto* compute = app.Get<QPushButton>(app.form->HVChartBtn);
  QVERIFY(compute != nullptr);
  QVERIFY(compute->isVisible());
  QTest::mouseClick(compute, Qt::LeftButton);

  auto* rolling = app.Get<TChartView>(app.form->HVChart);
  QVERIFY(rolling != nullptr);
  QTRY_COMPARE(rolling->DataSeries().size(), std::size_t{5});
  QVERIFY(app.messages.empty());
  CompareSeries(rolling, app.form->HVChart.Data());
  CompareSeries(app.Get<TChartView>(app.form->HVCloseChart), app.form->HVCloseChart.Data());
  CompareSeries(app.Get<TChartView>(app.form->ConeChart), app.form->ConeChart.Data());
  QCOMPARE(rolling->DataSeries()[0]->name(), QString("Close-to-close"));

  // Hovering reads the date and the five estimators.
  QVERIFY(rolling->isVisible());
  QTest::qWait(50);  // laid out with its data
  const QPointF centre = rolling->chart()->plotArea().center();
  const QPoint at = rolling->mapFromScene(rolling->chart()->mapToScene(centre));
  QTest::mouseMove(rolling->viewport(), at - QPoint(1, 1));
  QTest::mouseMove(rolling->viewport(), at);
  QTRY_VERIFY(!rolling->CrosshairText().isEmpty());
  const QStringList readout = rolling->CrosshairText().split('\n');
  QCOMPARE(readout.size(), qsizetype{6});
  QVERIFY2(readout[0].startsWith("Date 2001-"), qPrintable(readout[0]));
  QVERIFY(readout[1].startsWith("Close-to-close: "));
  // The last point reads its own date and value.
  const QPointF last = rolling->DataSeries()[0]->points().last();
  const QStringList end = rolling->Readout(last.x());
  QCOMPARE(end.first(), QString("Date 2001-05-20"));
  QCOMPARE(end[1], QString("Close-to-close: %1").arg(last.y(), 0, 'f', 2));

  // The grids show the model's cells and offer Export... on their menus.
  for (TStringGrid* grid :
       {&app.form->EstimatorsGrid, &app.form->ConeGrid, &app.form->MoveOddsGrid}) {
    auto* table = app.Get<QTableWidget>(*grid);
    QVERIFY(table != nullptr);
    for (int row = 0; row < grid->RowCount(); ++row) {
      for (int col = 0; col < grid->ColCount(); ++col) {
        const QTableWidgetItem* item = table->item(row, col);
        const QString shown = item != nullptr ? item->text() : QString();
        QCOMPARE(shown, QString::fromStdString(grid->Cell(col, row)));
      }
    }
    QCOMPARE(table->actions().size(), qsizetype{1});
    QCOMPARE(table->contextMenuPolicy(), Qt::ActionsContextMenu);
  }
  QCOMPARE(app.Get<QTableWidget>(app.form->EstimatorsGrid)->item(1, 0)->text(),
           QString("Close-to-close"));
  QVERIFY(!app.Get<QLabel>(app.form->SkippedLabel)->text().isEmpty());
  QVERIFY(!app.Get<QLabel>(app.form->MoveOddsLabel)->text().isEmpty());
}

void TVolatilityChartViewTest::TheSmileIsDrawnBesideTheReport() {
  QTemporaryDir folder;
  TApp app(folder.path());
  QVERIFY(app.Start());
  TFormPersonal& form = *app.form;
  const char* rows[4][3] = {{"80", "0.50", "0.05"},
                            {"100", "3.25", "2.95"},
                            {"110", "0.50", "10.20"},
                            {"120", "0.05", "19.60-19.80"}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 3; ++c) form.Grid.SetCell(c + 1, r + 1, rows[r][c]);
  }
  form.DaysEdit.SetText("25");
  form.ForwardRes.SetText("100.29");
  form.RunHandler([&] { form.Locked.SetChecked(true); });
  app.Show(form.PageControl1, form.TabSheet4);
  app.Show(form.PageControl2, form.TabSheet3);
  QTest::mouseClick(app.Get<QPushButton>(form.VolAnalysis), Qt::LeftButton);

  auto* smile = app.Get<TChartView>(form.SmileChart);
  QVERIFY(smile != nullptr);
  QTRY_COMPARE(smile->DataSeries().size(), std::size_t{2});
  QVERIFY(smile->isVisible());
  CompareSeries(smile, form.SmileChart.Data());
  QCOMPARE(smile->MarkLabels().last(), QString("forward"));
  QCOMPARE(app.Get<QLabel>(form.SmileLeftOut)->text(),
           QString("Left out (no volatility from 0.1 % to 200 % gives the premium): 80 call"));
  // Beside the report, under the grid.
  auto* report = app.window->Binder().Find(form.RichEdit6);
  auto* grid = app.window->Binder().Find(form.Grid);
  QVERIFY(smile->mapTo(app.window.get(), QPoint(0, 0)).y() >
          grid->mapTo(app.window.get(), QPoint(0, 0)).y() + grid->height() - 1);
  QVERIFY(smile->mapTo(app.window.get(), QPoint(0, 0)).x() >
          report->mapTo(app.window.get(), QPoint(0, 0)).x());
  QVERIFY(app.messages.empty());
}

}  // namespace valquor

QTEST_MAIN(valquor::TVolatilityChartViewTest)
#include "VolatilityChartViewTest.moc"
