#include "gui/ChartView.h"

#include <QApplication>
#include <QChart>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace valquor {
namespace {

// Charts lower than this show their legend beside the plot, not below it.
constexpr int kLowChart = 260;

// Day 0 of the day numbers.
const QDate kDayZero(1899, 12, 30);

Qt::PenStyle PenStyleOf(TChartMarkStyle style) {
  switch (style) {
    case TChartMarkStyle::Dashed:
      return Qt::DashLine;
    case TChartMarkStyle::Dotted:
      return Qt::DotLine;
    case TChartMarkStyle::Solid:
      break;
  }
  return Qt::SolidLine;
}

QColor MarkColor(const TChartMark& mark, int solidIndex) {
  if (mark.Kind == TChartMarkKind::YLine) return QColor(0, 0, 0);
  switch (mark.Style) {
    case TChartMarkStyle::Dashed:
      return QColor(110, 110, 110);
    case TChartMarkStyle::Dotted:
      return QColor(170, 20, 20);
    case TChartMarkStyle::Solid:
      break;
  }
  return solidIndex % 2 == 0 ? QColor(40, 40, 40) : QColor(225, 120, 0);
}

// The value of a line at x, between the points around it; NaN outside it.
double LineAt(const QList<QPointF>& points, double x) {
  for (qsizetype i = 1; i < points.size(); ++i) {
    const QPointF& a = points[i - 1];
    const QPointF& b = points[i];
    if (x >= a.x() && x <= b.x()) {
      if (b.x() == a.x()) return a.y();
      return a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
    }
  }
  return std::numeric_limits<double>::quiet_NaN();
}

// The value of the point nearest to x.
double NearestAt(const QList<QPointF>& points, double x) {
  double best = std::numeric_limits<double>::quiet_NaN();
  double distance = std::numeric_limits<double>::infinity();
  for (const QPointF& p : points) {
    if (std::fabs(p.x() - x) < distance) {
      distance = std::fabs(p.x() - x);
      best = p.y();
    }
  }
  return best;
}

// Ticks at round values (1, 2, 2.5 or 5 times a power of ten) about `wanted` to the axis, with
// the decimals the step needs.
void RoundTicks(QValueAxis* axis, int wanted) {
  const double span = axis->max() - axis->min();
  if (!(span > 0) || wanted < 1) return;
  const double raw = span / wanted;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10.0 * magnitude;
  for (const double m : {1.0, 2.0, 2.5, 5.0}) {
    if (m * magnitude >= raw) {
      step = m * magnitude;
      break;
    }
  }
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0.0);
  axis->setTickInterval(step);
  const int decimals = std::clamp(-static_cast<int>(std::floor(std::log10(step) + 1e-9)), 0, 6);
  axis->setLabelFormat(QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f"));
}

// The same series and marks, by name, style and kind, in the same order: only values differ.
bool SameShape(const TChartData& a, const TChartData& b) {
  if (a.XTitle != b.XTitle || a.YTitle != b.YTitle || a.XKind != b.XKind ||
      a.Series.size() != b.Series.size() || a.Marks.size() != b.Marks.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.Series.size(); ++i) {
    if (a.Series[i].Name != b.Series[i].Name || a.Series[i].Style != b.Series[i].Style) {
      return false;
    }
  }
  for (std::size_t i = 0; i < a.Marks.size(); ++i) {
    const TChartMark& m = a.Marks[i];
    const TChartMark& n = b.Marks[i];
    if (m.Kind != n.Kind || m.Style != n.Style || m.Label != n.Label) return false;
  }
  return true;
}

}  // namespace

TChartView::TChartView(QWidget* parent) : QChartView(new QChart, parent) {
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  setMinimumSize(160, 120);
  QChart* c = chart();
  c->legend()->setAlignment(Qt::AlignBottom);
  c->setMargins(QMargins(2, 2, 2, 2));
  c->layout()->setContentsMargins(0, 0, 0, 0);
  c->setBackgroundRoundness(0);
  connect(c, &QChart::plotAreaChanged, this, [this] { PlaceMarkLabels(); });

  crossX_ = new QGraphicsLineItem(c);
  crossY_ = new QGraphicsLineItem(c);
  readoutBox_ = new QGraphicsRectItem(c);
  readoutText_ = new QGraphicsSimpleTextItem(readoutBox_);
  const QPen cross(QColor(90, 90, 90), 1, Qt::DashDotLine);
  crossX_->setPen(cross);
  crossY_->setPen(cross);
  readoutBox_->setBrush(QColor(255, 255, 225, 235));
  readoutBox_->setPen(QPen(QColor(120, 120, 120)));
  for (QGraphicsItem* item : std::initializer_list<QGraphicsItem*>{crossX_, crossY_, readoutBox_}) {
    item->setZValue(20);
    item->hide();
  }
  ApplyFont();
}

TChartView::~TChartView() = default;

double TChartView::ToAxisX(double x) const {
  if (data_.XKind != TChartAxisKind::Date) return x;
  const QDateTime day(kDayZero.addDays(static_cast<qint64>(std::floor(x))), QTime(0, 0), Qt::UTC);
  return static_cast<double>(day.toMSecsSinceEpoch());
}

double TChartView::FromAxisX(double x) const {
  if (data_.XKind != TChartAxisKind::Date) return x;
  const QDateTime time = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x), Qt::UTC);
  return static_cast<double>(kDayZero.daysTo(time.date()));
}

void TChartView::SetData(const TChartData& data) {
  if (drawn_ && data == data_) return;
  const bool sameShape = drawn_ && xAxis_ != nullptr && SameShape(data, data_);
  data_ = data;
  drawn_ = true;
  if (sameShape) {
    // New values in the series already there: much cheaper than building the chart anew.
    HideCrosshair();
    FillSeries();
    if (!zoomed_) ResetZoom();
    PlaceMarkLabels();
  } else {
    Rebuild();
  }
}

void TChartView::FillSeries() {
  // The ranges that show every point and every mark.
  double xMin = std::numeric_limits<double>::infinity();
  double xMax = -xMin;
  double yMin = xMin;
  double yMax = -xMin;
  for (const TChartSeries& s : data_.Series) {
    for (const TChartPoint& p : s.Points) {
      xMin = std::min(xMin, ToAxisX(p.X));
      xMax = std::max(xMax, ToAxisX(p.X));
      yMin = std::min<double>(yMin, p.Y);
      yMax = std::max<double>(yMax, p.Y);
    }
  }
  for (const TChartMark& m : data_.Marks) {
    if (m.Kind == TChartMarkKind::XLine) {
      xMin = std::min(xMin, ToAxisX(m.Value));
      xMax = std::max(xMax, ToAxisX(m.Value));
    } else {
      yMin = std::min<double>(yMin, m.Value);
      yMax = std::max<double>(yMax, m.Value);
    }
  }
  if (!(xMin < xMax)) {
    xMin = std::isfinite(xMin) ? xMin - 1 : 0;
    xMax = xMin + 2;
  }
  if (!(yMin < yMax)) {
    yMin = std::isfinite(yMin) ? yMin - 1 : 0;
    yMax = yMin + 2;
  }
  const double pad = 0.05 * (yMax - yMin);
  yMin -= pad;
  yMax += pad;
  fullX_ = QPointF(xMin, xMax);
  fullY_ = QPointF(yMin, yMax);

  for (std::size_t i = 0; i < series_.size(); ++i) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(data_.Series[i].Points.size()));
    for (const TChartPoint& p : data_.Series[i].Points) points.append(QPointF(ToAxisX(p.X), p.Y));
    series_[i]->replace(points);
  }
  for (std::size_t i = 0; i < markSeries_.size(); ++i) {
    const TChartMark& m = data_.Marks[i];
    if (m.Kind == TChartMarkKind::XLine) {
      const double x = ToAxisX(m.Value);
      markSeries_[i]->replace({QPointF(x, yMin), QPointF(x, yMax)});
    } else {
      markSeries_[i]->replace({QPointF(xMin, m.Value), QPointF(xMax, m.Value)});
    }
  }
}

void TChartView::Rebuild() {
  HideCrosshair();
  QChart* c = chart();
  c->removeAllSeries();
  series_.clear();
  markSeries_.clear();
  for (QAbstractAxis* axis : c->axes()) {
    c->removeAxis(axis);
    delete axis;
  }
  xAxis_ = nullptr;
  yAxis_ = nullptr;
  for (QGraphicsSimpleTextItem* label : markLabels_) delete label;
  markLabels_.clear();
  zoomed_ = false;
  if (data_.Series.empty() && data_.Marks.empty()) return;

  if (data_.XKind == TChartAxisKind::Date) {
    auto* axis = new QDateTimeAxis;
    axis->setFormat(QStringLiteral("yyyy-MM-dd"));
    xAxis_ = axis;
  } else {
    xAxis_ = new QValueAxis;
  }
  yAxis_ = new QValueAxis;
  xAxis_->setTitleText(QString::fromStdString(data_.XTitle));
  yAxis_->setTitleText(QString::fromStdString(data_.YTitle));
  c->addAxis(xAxis_, Qt::AlignBottom);
  c->addAxis(yAxis_, Qt::AlignLeft);

  for (const TChartSeries& s : data_.Series) {
    QXYSeries* series = nullptr;
    if (s.Style == TChartSeriesStyle::Points) {
      auto* scatter = new QScatterSeries;
      scatter->setMarkerSize(8);
      series = scatter;
    } else {
      series = new QLineSeries;
    }
    series->setName(QString::fromStdString(s.Name));
    c->addSeries(series);
    if (s.Style == TChartSeriesStyle::Line) {
      QPen pen = series->pen();
      pen.setWidthF(2.0);
      series->setPen(pen);
    }
    series->attachAxis(xAxis_);
    series->attachAxis(yAxis_);
    series_.push_back(series);
  }

  int solid = 0;
  for (const TChartMark& m : data_.Marks) {
    auto* line = new QLineSeries;
    line->setName(QString::fromStdString(m.Label));
    c->addSeries(line);
    const QColor color = MarkColor(m, solid);
    if (m.Kind == TChartMarkKind::XLine && m.Style == TChartMarkStyle::Solid) ++solid;
    line->setPen(QPen(color, m.Kind == TChartMarkKind::YLine ? 1.0 : 1.5, PenStyleOf(m.Style)));
    line->attachAxis(xAxis_);
    line->attachAxis(yAxis_);
    for (QLegendMarker* marker : c->legend()->markers(line)) marker->setVisible(false);
    markSeries_.push_back(line);
    auto* label = new QGraphicsSimpleTextItem(QString::fromStdString(m.Label), c);
    label->setBrush(color);
    label->setZValue(10);
    markLabels_.push_back(label);
  }

  FillSeries();
  ResetZoom();
  const auto placed = [this] { PlaceMarkLabels(); };
  if (auto* axis = qobject_cast<QValueAxis*>(xAxis_)) {
    connect(axis, &QValueAxis::rangeChanged, this, placed);
  } else if (auto* dates = qobject_cast<QDateTimeAxis*>(xAxis_)) {
    connect(dates, &QDateTimeAxis::rangeChanged, this, placed);
  }
  connect(static_cast<QValueAxis*>(yAxis_), &QValueAxis::rangeChanged, this, placed);
  ApplyFont();
}

void TChartView::ApplyFont() {
  QFont text = QApplication::font();
  if (font().pointSizeF() > 0) text.setPointSizeF(font().pointSizeF());
  QFont title = text;
  title.setBold(true);
  QChart* c = chart();
  c->legend()->setFont(text);
  for (QAbstractAxis* axis : c->axes()) {
    axis->setLabelsFont(text);
    axis->setTitleFont(title);
  }
  for (QGraphicsSimpleTextItem* label : markLabels_) label->setFont(text);
  readoutText_->setFont(text);
  PlaceMarkLabels();
}

void TChartView::PlaceMarkLabels() {
  if (xAxis_ == nullptr) return;
  const QRectF area = chart()->plotArea();
  // About one tick per 90 pixels across and 40 up.
  if (auto* axis = qobject_cast<QValueAxis*>(xAxis_)) {
    RoundTicks(axis, std::max(2, static_cast<int>(area.width() / 90)));
  }
  RoundTicks(static_cast<QValueAxis*>(yAxis_), std::max(2, static_cast<int>(area.height() / 40)));
  for (std::size_t i = 0; i < markLabels_.size(); ++i) {
    QGraphicsSimpleTextItem* label = markLabels_[i];
    const TChartMark& m = data_.Marks[i];
    const QRectF box = label->boundingRect();
    QPointF at;
    if (m.Kind == TChartMarkKind::XLine) {
      const QPointF p = chart()->mapToPosition(QPointF(ToAxisX(m.Value), 0), markSeries_[i]);
      // Staggered down from the top, so that marks close together stay readable.
      at = QPointF(p.x() + 3, area.top() + 2 + static_cast<double>(i % 3) * box.height());
      label->setVisible(p.x() >= area.left() && p.x() <= area.right());
    } else {
      const QPointF p = chart()->mapToPosition(QPointF(0, m.Value), markSeries_[i]);
      at = QPointF(area.left() + 3, p.y() - box.height());
      label->setVisible(p.y() >= area.top() && p.y() <= area.bottom());
    }
    label->setPos(at);
  }
}

QStringList TChartView::Readout(double x) const {
  QStringList lines;
  const QString title = QString::fromStdString(data_.XTitle);
  const QString value = data_.XKind == TChartAxisKind::Date
                            ? kDayZero.addDays(static_cast<qint64>(FromAxisX(x)))
                                  .toString(QStringLiteral("yyyy-MM-dd"))
                            : QString::number(x, 'f', 2);
  lines << (title.isEmpty() ? value : title + QStringLiteral(" ") + value);
  for (QXYSeries* series : series_) {
    const QList<QPointF> points = series->points();
    const double y =
        qobject_cast<QScatterSeries*>(series) != nullptr ? NearestAt(points, x) : LineAt(points, x);
    if (std::isfinite(y))
      lines << series->name() + QStringLiteral(": ") + QString::number(y, 'f', 2);
  }
  return lines;
}

QString TChartView::CrosshairText() const {
  return readoutBox_->isVisible() ? readoutText_->text() : QString();
}

QStringList TChartView::MarkLabels() const {
  QStringList labels;
  for (const QGraphicsSimpleTextItem* label : markLabels_) labels << label->text();
  return labels;
}

QPointF TChartView::XRange() const {
  if (auto* axis = qobject_cast<QValueAxis*>(xAxis_)) return QPointF(axis->min(), axis->max());
  if (auto* dates = qobject_cast<QDateTimeAxis*>(xAxis_)) {
    return QPointF(static_cast<double>(dates->min().toMSecsSinceEpoch()),
                   static_cast<double>(dates->max().toMSecsSinceEpoch()));
  }
  return {};
}

QPointF TChartView::YRange() const {
  if (auto* axis = qobject_cast<QValueAxis*>(yAxis_)) return QPointF(axis->min(), axis->max());
  return {};
}

void TChartView::ZoomAt(const QPointF& pos, double factor) {
  if (xAxis_ == nullptr || !(factor > 0)) return;
  const QPointF centre = chart()->mapToValue(chart()->mapFromScene(mapToScene(pos.toPoint())));
  const QPointF x = XRange();
  const QPointF y = YRange();
  const double x0 = centre.x() - (centre.x() - x.x()) / factor;
  const double x1 = centre.x() + (x.y() - centre.x()) / factor;
  const double y0 = centre.y() - (centre.y() - y.x()) / factor;
  const double y1 = centre.y() + (y.y() - centre.y()) / factor;
  if (!(x0 < x1) || !(y0 < y1)) return;
  if (auto* axis = qobject_cast<QValueAxis*>(xAxis_)) axis->setRange(x0, x1);
  if (auto* dates = qobject_cast<QDateTimeAxis*>(xAxis_)) {
    dates->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x0), Qt::UTC),
                    QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x1), Qt::UTC));
  }
  static_cast<QValueAxis*>(yAxis_)->setRange(y0, y1);
  zoomed_ = true;
}

void TChartView::ResetZoom() {
  zoomed_ = false;
  if (xAxis_ == nullptr) return;
  if (auto* axis = qobject_cast<QValueAxis*>(xAxis_)) axis->setRange(fullX_.x(), fullX_.y());
  if (auto* dates = qobject_cast<QDateTimeAxis*>(xAxis_)) {
    dates->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(fullX_.x()), Qt::UTC),
                    QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(fullX_.y()), Qt::UTC));
  }
  static_cast<QValueAxis*>(yAxis_)->setRange(fullY_.x(), fullY_.y());
}

bool TChartView::SavePng(const QString& path) {
  HideCrosshair();
  return grab().save(path, "PNG");
}

void TChartView::ShowCrosshair(const QPointF& pos) {
  const QPointF at = chart()->mapFromScene(mapToScene(pos.toPoint()));
  const QRectF area = chart()->plotArea();
  if (xAxis_ == nullptr || !area.contains(at)) {
    HideCrosshair();
    return;
  }
  crossX_->setLine(at.x(), area.top(), at.x(), area.bottom());
  crossY_->setLine(area.left(), at.y(), area.right(), at.y());
  const QPointF value = chart()->mapToValue(at);
  readoutText_->setText(Readout(value.x()).join('\n'));
  const QRectF text = readoutText_->boundingRect();
  const QRectF box(0, 0, text.width() + 8, text.height() + 6);
  readoutText_->setPos(4, 3);
  readoutBox_->setRect(box);
  // Beside the cursor, on the side with room.
  double x = at.x() + 12;
  if (x + box.width() > area.right()) x = at.x() - 12 - box.width();
  double y = at.y() + 12;
  if (y + box.height() > area.bottom()) y = std::max(area.top(), at.y() - 12 - box.height());
  readoutBox_->setPos(std::max(area.left(), x), y);
  crossX_->show();
  crossY_->show();
  readoutBox_->show();
}

void TChartView::HideCrosshair() {
  crossX_->hide();
  crossY_->hide();
  readoutBox_->hide();
}

void TChartView::mouseMoveEvent(QMouseEvent* event) {
  ShowCrosshair(event->position());
  QChartView::mouseMoveEvent(event);
}

void TChartView::leaveEvent(QEvent* event) {
  HideCrosshair();
  QChartView::leaveEvent(event);
}

void TChartView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y();
  if (steps == 0) {
    event->ignore();
    return;
  }
  ZoomAt(event->position(), std::pow(1.2, steps / 120.0));
  ShowCrosshair(event->position());
  event->accept();
}

void TChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  ResetZoom();
  event->accept();
}

void TChartView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* save = menu.addAction(tr("Save PNG..."));
  save->setEnabled(static_cast<bool>(SavePngRequested));
  QAction* exportData = menu.addAction(tr("Export..."));
  exportData->setEnabled(static_cast<bool>(ExportRequested));
  QAction* whole = menu.addAction(tr("Show all"));
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == save && SavePngRequested) SavePngRequested();
  if (chosen == exportData && ExportRequested) ExportRequested();
  if (chosen == whole) ResetZoom();
}

void TChartView::resizeEvent(QResizeEvent* event) {
  // A low chart keeps its height for the plot: the legend moves to the right.
  const Qt::Alignment legend =
      event->size().height() < kLowChart ? Qt::AlignRight : Qt::AlignBottom;
  if (chart()->legend()->alignment() != legend) chart()->legend()->setAlignment(legend);
  QChartView::resizeEvent(event);
}

void TChartView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) ApplyFont();
  QChartView::changeEvent(event);
}

}  // namespace valquor
