#pragma once
// The view of a chart control: its series as lines (or points) with a legend, its marks as
// vertical or horizontal lines across the plot with their labels, a crosshair that reads every
// line at the price under the mouse, zooming with the wheel (a double-click shows the whole
// chart again), and saving the picture. Texts take the size of the widget's font.

#include <QChartView>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "forms/Controls.h"

class QAbstractAxis;
class QGraphicsLineItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
class QXYSeries;

namespace valquor {

class TChartView : public QChartView {
  Q_OBJECT

 public:
  explicit TChartView(QWidget* parent = nullptr);
  ~TChartView() override;

  // Draws data in place of what was drawn (nothing when it is the same data; new values of the
  // same series and marks keep the ranges the user zoomed to).
  void SetData(const TChartData& data);
  [[nodiscard]] const TChartData& Data() const { return data_; }

  // The series drawn for the data's series, in order (the marks' lines are not among them).
  [[nodiscard]] std::vector<QXYSeries*> DataSeries() const { return series_; }
  // What the crosshair shows at x: the x value, then each series' value there (lines are read
  // between their points; nothing for an x outside a series).
  [[nodiscard]] QStringList Readout(double x) const;
  // The text of the crosshair's box while the mouse is over the plot, else empty.
  [[nodiscard]] QString CrosshairText() const;
  // The labels of the marks drawn, in the data's order.
  [[nodiscard]] QStringList MarkLabels() const;
  // The visible ranges of the axes.
  [[nodiscard]] QPointF XRange() const;
  [[nodiscard]] QPointF YRange() const;

  // Zooms by factor (above 1 closer) about the point of the plot at position pos.
  void ZoomAt(const QPointF& pos, double factor);
  // Shows the whole chart again.
  void ResetZoom();
  // Saves the picture as a PNG file; false when it cannot be written.
  bool SavePng(const QString& path);

  // The window's answers to the context menu's "Save PNG..." and "Export..."; without them the
  // entries are disabled.
  std::function<void()> SavePngRequested;
  std::function<void()> ExportRequested;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The chart built anew for the data: axes, series, marks and their labels.
  void Rebuild();
  // The data's values into the series built for it, and the ranges that show them all.
  void FillSeries();
  void ApplyFont();
  void PlaceMarkLabels();
  void ShowCrosshair(const QPointF& pos);
  void HideCrosshair();
  [[nodiscard]] double ToAxisX(double x) const;  // a data x on the x axis (dates as times)
  [[nodiscard]] double FromAxisX(double x) const;

  TChartData data_;
  bool drawn_ = false;
  bool zoomed_ = false;  // the user zoomed: new values keep the ranges in view
  std::vector<QXYSeries*> series_;
  std::vector<QXYSeries*> markSeries_;
  std::vector<QGraphicsSimpleTextItem*> markLabels_;
  QAbstractAxis* xAxis_ = nullptr;
  QAbstractAxis* yAxis_ = nullptr;
  QPointF fullX_, fullY_;  // the ranges that show everything
  QGraphicsLineItem* crossX_ = nullptr;
  QGraphicsLineItem* crossY_ = nullptr;
  QGraphicsRectItem* readoutBox_ = nullptr;
  QGraphicsSimpleTextItem* readoutText_ = nullptr;
};

}  // namespace valquor
