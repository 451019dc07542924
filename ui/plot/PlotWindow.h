// A plot window (TPlotForm1): the latest line and its value over a chart of
// the values against the sample count. The chart follows the window's point
// list, redrawn at most a few times a second and only while shown, with as
// many points as the chart has pixels across.
#pragma once

#include <cstdint>

#include "ui/BuildContext.h"
#include "ui/widgets/FormDialog.h"

class QChart;
class QChartView;
class QLineSeries;
class QTimer;
class QValueAxis;

namespace qv {
struct PlotForm;
}

namespace qv::ui {

class PlotWindow : public FormDialog {
 public:
  static constexpr int kRedrawMs = 250;

  PlotWindow(BuildContext& ctx, PlotForm& form);
  ~PlotWindow() override;

  QChart* Chart() const { return chart_; }
  QLineSeries* Series() const { return series_; }
  // Draws what the point list holds now, if it changed since last drawn.
  void Redraw();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void PointsChanged();

  PlotForm& form_;
  QChartView* view_ = nullptr;
  QChart* chart_ = nullptr;
  QLineSeries* series_ = nullptr;
  QValueAxis* x_ = nullptr;
  QValueAxis* y_ = nullptr;
  QTimer* redraw_ = nullptr;
  std::uint64_t drawn_ = ~std::uint64_t{0};
};

}  // namespace qv::ui
