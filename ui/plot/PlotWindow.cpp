#include "ui/plot/PlotWindow.h"

#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPen>
#include <QPushButton>
#include <QTimer>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "plot/PlotForms.h"
#include "ui/Binder.h"
#include "ui/Look.h"

namespace qv::ui {

namespace {

// Room around the values so the line never sits on the frame.
void SetRange(QValueAxis& axis, double low, double high, double margin) {
  if (!(high > low)) {
    low -= 1.0;
    high += 1.0;
  } else {
    const double pad = (high - low) * margin;
    low -= pad;
    high += pad;
  }
  axis.setRange(low, high);
}

}  // namespace

PlotWindow::PlotWindow(BuildContext& ctx, PlotForm& form)
    : FormDialog(ctx.owner, Qt::WindowMinMaxButtonsHint), form_(form) {
  Binder& b = ctx.binder;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 10);
  layout->setSpacing(6);

  auto* raw = new QHBoxLayout;
  raw->addWidget(b.Make(form.Label1, this));
  QLabel* line = b.MakeColumns(form.LBRawData, this, {});
  line->setFont(FixedFont());
  line->setMinimumWidth(200);
  raw->addWidget(line, 1);
  layout->addLayout(raw);

  auto* figures = new QHBoxLayout;
  figures->setSpacing(18);
  for (forms::Label* label : {&form.LScale, &form.LOffset, &form.LUnits, &form.Lvs})
    figures->addWidget(b.Make(*label, this));
  figures->addStretch(1);
  figures->addWidget(b.Make(form.BTClearPlot, this));
  figures->addWidget(b.Make(form.Button2, this));
  layout->addLayout(figures);

  chart_ = new QChart;
  chart_->setTheme(QChart::ChartThemeDark);
  QFont title("Arial");
  title.setBold(true);
  title.setPointSizeF(title.pointSizeF() * 1.2);
  chart_->setTitleFont(title);
  chart_->setTitleBrush(Qt::white);
  chart_->setTitle(QString::fromStdString(form.iPlot1.Title()));
  chart_->legend()->setVisible(form.iPlot1.LegendVisible());
  series_ = new QLineSeries;
  series_->setName("Channel 1");
  chart_->addSeries(series_);
  // A one-pixel line is drawn without the stroker's joins: a fraction of the cost.
  QPen pen = series_->pen();
  pen.setWidth(1);
  pen.setCosmetic(true);
  series_->setPen(pen);
  x_ = new QValueAxis;
  x_->setTitleText("Counts");
  x_->setLabelFormat("%.0f");
  y_ = new QValueAxis;
  chart_->addAxis(x_, Qt::AlignBottom);
  chart_->addAxis(y_, Qt::AlignLeft);
  series_->attachAxis(x_);
  series_->attachAxis(y_);
  view_ = new QChartView(chart_, this);
  view_->setMinimumSize(360, 220);
  layout->addWidget(view_, 1);

  redraw_ = new QTimer(this);
  redraw_->setSingleShot(true);
  redraw_->setInterval(kRedrawMs);
  connect(redraw_, &QTimer::timeout, this, [this] { Redraw(); });
  form.iPlot1.SetChangeListener([this] { PointsChanged(); });

  resize(680, 440);
  b.BindWindow(form.window, *this);
}

PlotWindow::~PlotWindow() { form_.iPlot1.SetChangeListener({}); }

// Many points a second come to one redraw.
void PlotWindow::PointsChanged() {
  if (!redraw_->isActive()) redraw_->start();
}

void PlotWindow::showEvent(QShowEvent* event) {
  FormDialog::showEvent(event);
  drawn_ = ~std::uint64_t{0};
  Redraw();
}

void PlotWindow::Redraw() {
  const PlotSeries& s = form_.iPlot1;
  if (!isVisible() || s.Version() == drawn_) return;
  drawn_ = s.Version();
  const QString title = QString::fromStdString(s.Title());
  if (chart_->title() != title) chart_->setTitle(title);
  chart_->legend()->setVisible(s.LegendVisible());

  const int columns = std::max(100, static_cast<int>(chart_->plotArea().width()));
  const std::vector<PlotPoint> points = PointsToDraw(s.Points(), columns);
  QList<QPointF> shown;
  shown.reserve(static_cast<qsizetype>(points.size()));
  double low = 0.0, high = 0.0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    shown.append(QPointF(points[i].x, points[i].y));
    low = i == 0 ? points[i].y : std::min(low, points[i].y);
    high = i == 0 ? points[i].y : std::max(high, points[i].y);
  }
  series_->replace(shown);
  if (points.empty()) {
    x_->setRange(0.0, 1.0);
    y_->setRange(0.0, 1.0);
    return;
  }
  SetRange(*x_, points.front().x, points.back().x, 0.0);
  SetRange(*y_, low, high, 0.05);
}

}  // namespace qv::ui
