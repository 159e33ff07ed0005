// The Chart sub-page of Volatility: Compute, the window and the IV percentile above; the closes
// and the rolling volatility on the left, taking the spare room; the current estimators, the
// cone and the move odds on the right, scrolled when the window is short. And the smile beside
// the implied-volatility report, under its grid. Every grid and chart offers Export... on its
// context menu.

#include <QAction>
#include <QBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

#include "gui/ChartView.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

constexpr int kMargin = 6;

}  // namespace

void TMainWindow::OfferExport(TControl& control, QWidget* widget) {
  auto* window = dynamic_cast<TFormPersonal*>(&form_);
  if (window == nullptr) return;
  if (auto* chart = qobject_cast<TChartView*>(widget)) {
    chart->ExportRequested = [this, window, &control] {
      Run([window, &control] { window->Exports.ExportWithDialog(control, window->Platform); });
    };
    return;
  }
  auto* action = new QAction(tr("Export..."), widget);
  action->setObjectName(widget->objectName() + QStringLiteral("Export"));
  connect(action, &QAction::triggered, this, [this, window, &control] {
    Run([window, &control] { window->Exports.ExportWithDialog(control, window->Platform); });
  });
  widget->addAction(action);
  widget->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TMainWindow::BuildHVChart(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);

  // Compute and the window (its choices side by side) on one line, the IV percentile below.
  auto* top = new QHBoxLayout;
  top->addWidget(W(form_.HVChartBtn, page), 0, Qt::AlignVCenter);
  QWidget* window = W(form_.HVWindow, page);
  if (auto* choices = qobject_cast<QBoxLayout*>(window->layout())) {
    choices->setDirection(QBoxLayout::LeftToRight);
  }
  top->addWidget(window);
  top->addStretch(1);
  column->addLayout(top);
  auto* percentile = new QHBoxLayout;
  percentile->addWidget(L(form_.IVPercentileEdit, page));
  percentile->addWidget(W(form_.IVPercentileEdit, page), 1);
  column->addLayout(percentile);

  auto* splitter = new QSplitter(Qt::Horizontal, page);
  splitter->setObjectName(QStringLiteral("HVChartSplitter"));
  splitter->setChildrenCollapsible(false);

  // The closes above the rolling volatility.
  auto* charts = new QWidget(splitter);
  auto* chartColumn = new QVBoxLayout(charts);
  chartColumn->setContentsMargins(0, 0, 0, 0);
  for (TChart* chart : {&form_.HVCloseChart, &form_.HVChart}) {
    QWidget* view = W(*chart, charts);
    view->setMinimumSize(200, 120);
    OfferExport(*chart, view);
    chartColumn->addWidget(view, chart == &form_.HVChart ? 3 : 2);
  }
  splitter->addWidget(charts);

  // The tables, scrolled.
  auto* scroller = new QScrollArea(splitter);
  scroller->setObjectName(QStringLiteral("HVTablesScroller"));
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidgetResizable(true);
  auto* tables = new QWidget(scroller);
  auto* tableColumn = new QVBoxLayout(tables);
  tableColumn->setContentsMargins(0, 0, 0, 0);
  const auto addGrid = [&](TStringGrid& grid) {
    tableColumn->addWidget(L(grid, tables));
    QWidget* w = W(grid, tables);
    OfferExport(grid, w);
    tableColumn->addWidget(w, 0, Qt::AlignLeft);
  };
  addGrid(form_.EstimatorsGrid);
  QWidget* skipped = W(form_.SkippedLabel, tables);
  qobject_cast<QLabel*>(skipped)->setWordWrap(true);
  tableColumn->addWidget(skipped);
  addGrid(form_.ConeGrid);
  QWidget* cone = W(form_.ConeChart, tables);
  cone->setMinimumHeight(200);
  OfferExport(form_.ConeChart, cone);
  tableColumn->addWidget(cone);
  addGrid(form_.MoveOddsGrid);
  QWidget* odds = W(form_.MoveOddsLabel, tables);
  qobject_cast<QLabel*>(odds)->setWordWrap(true);
  tableColumn->addWidget(odds);
  tableColumn->addStretch(1);
  scroller->setWidget(tables);
  scroller->setMinimumWidth(160);
  splitter->addWidget(scroller);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  splitter->setSizes({600, 400});  // in proportion: the charts take three fifths
  column->addWidget(splitter, 1);
}

QWidget* TMainWindow::BuildSmile(QWidget* page, QWidget* report) {
  auto* splitter = new QSplitter(Qt::Horizontal, page);
  splitter->setObjectName(QStringLiteral("SmileSplitter"));
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(report);
  auto* smile = new QWidget(splitter);
  auto* smileColumn = new QVBoxLayout(smile);
  smileColumn->setContentsMargins(0, 0, 0, 0);
  QWidget* chart = W(form_.SmileChart, smile);
  chart->setMinimumSize(160, 120);
  OfferExport(form_.SmileChart, chart);
  smileColumn->addWidget(chart, 1);
  auto* leftOut = qobject_cast<QLabel*>(W(form_.SmileLeftOut, smile));
  leftOut->setWordWrap(true);
  smileColumn->addWidget(leftOut);
  splitter->addWidget(smile);
  splitter->setStretchFactor(0, 3);
  splitter->setStretchFactor(1, 2);
  splitter->setSizes({600, 400});  // the report three fifths, the smile the rest
  return splitter;
}

}  // namespace valquor
