// The Graph sub-page of Pricing: the what-if fields with the picture and export buttons above
// the chart, which takes the spare room, and below it the greeks (scrolled sideways when the
// window is narrow) beside the figures at expiration.

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "gui/ChartView.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "shell/FormPersonal.h"

namespace valquor {
namespace {

constexpr int kMargin = 6;

// Room for about `chars` characters of the widget's font.
void Chars(QWidget* widget, int chars) {
  const int unit = widget->fontMetrics().horizontalAdvance(QLatin1Char('0'));
  widget->setMinimumWidth((chars + 2) * unit);
  widget->setMaximumWidth(2 * (chars + 2) * unit);
}

}  // namespace

void TMainWindow::BuildGraph(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  auto* chart = qobject_cast<TChartView*>(W(form_.GraphChart, page));
  column->addWidget(chart, 1);

  // Below the chart: the greeks, scrolled sideways when the window is narrow; the figures at
  // expiration; the what-if fields with the picture and export buttons.
  auto* bottom = new QHBoxLayout;
  auto* scroller = new QScrollArea(page);
  scroller->setObjectName(QStringLiteral("GreeksScroller"));
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QWidget* grid = W(form_.GreeksGrid, scroller);
  scroller->setWidget(grid);
  scroller->setFixedHeight(grid->height() + scroller->horizontalScrollBar()->sizeHint().height());
  scroller->setMinimumWidth(120);
  scroller->setMaximumWidth(grid->width());
  bottom->addWidget(scroller, 1, Qt::AlignTop);

  auto* figures = new QFormLayout;
  figures->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  figures->setVerticalSpacing(2);
  for (TEdit* field : {&form_.BreakevenEdit, &form_.MaxProfitEdit, &form_.MaxLossEdit,
                       &form_.ProfitChanceEdit, &form_.ExpectedPLEdit}) {
    QWidget* w = W(*field, page);
    Chars(w, field == &form_.BreakevenEdit ? 14 : 9);
    figures->addRow(L(*field, page), w);
  }
  bottom->addLayout(figures);
  bottom->addSpacing(kMargin);

  auto* side = new QVBoxLayout;
  auto* whatIf = new QFormLayout;
  whatIf->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  whatIf->setVerticalSpacing(2);
  for (TEdit* field : {&form_.WhatIfPrice, &form_.WhatIfDays, &form_.WhatIfVol}) {
    QWidget* w = W(*field, page);
    Chars(w, 4);
    w->setMaximumWidth(w->minimumWidth());
    whatIf->addRow(L(*field, page), w);
  }
  side->addLayout(whatIf);
  auto* buttons = new QHBoxLayout;
  auto* save = new QPushButton(tr("Save PNG..."), page);
  save->setObjectName(QStringLiteral("GraphSavePng"));
  save->setWhatsThis(tr("Saves the chart as a PNG picture, in the size it has on the screen."));
  auto* exportData = new QPushButton(tr("Export..."), page);
  exportData->setObjectName(QStringLiteral("GraphExport"));
  exportData->setWhatsThis(
      tr("Saves the chart's figures as a CSV file: the price, then one column per line headed "
         "by its days left."));
  buttons->addWidget(save);
  buttons->addWidget(exportData);
  side->addLayout(buttons);
  side->addStretch(1);
  bottom->addLayout(side);
  column->addLayout(bottom);

  // Save PNG... and Export..., from the buttons or the chart's menu.
  auto* window = dynamic_cast<TFormPersonal*>(&form_);
  chart->SavePngRequested = [this, chart] {
    Run([this, chart] {
      if (chart->Data().Series.empty()) {
        platform_.ShowMessage("Nothing to export", TMessageKind::Error);
        return;
      }
      TFileDialogRequest request;
      request.Title = "Save PNG";
      request.Filter = "PNG images (*.png)|*.png|All files|*.*";
      request.FileName = "risk-graph.png";
      request.DefaultExt = "png";
      const std::optional<std::string> path = platform_.SaveFileDialog(request);
      if (path && !chart->SavePng(QString::fromStdString(*path))) {
        platform_.ShowMessage("Unable to write to " + *path, TMessageKind::Error);
      }
    });
  };
  if (window != nullptr) {
    chart->ExportRequested = [this, window] {
      Run([window] { window->Exports.ExportWithDialog(window->GraphChart, window->Platform); });
    };
  }
  connect(save, &QPushButton::clicked, this, [chart] { chart->SavePngRequested(); });
  connect(exportData, &QPushButton::clicked, this, [chart] {
    if (chart->ExportRequested) chart->ExportRequested();
  });
  tabOrder_.push_back(save);
  tabOrder_.push_back(exportData);
}

}  // namespace valquor
