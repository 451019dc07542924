// The points of one plot window's chart: value against sample count, the
// most recent 100,000 kept (older ones scroll away), with the chart's title.
// Views follow it through its change listener and Version.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace qv {

struct PlotPoint {
  double x;
  double y;
  bool operator==(const PlotPoint&) const = default;
};

class PlotSeries {
 public:
  static constexpr std::size_t kMaxPoints = 100000;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  bool LegendVisible() const { return legendVisible_; }
  void SetLegendVisible(bool visible);
  // Adds a point; the oldest goes once kMaxPoints are held.
  void AddPoint(double x, double y);
  void Clear();

  const std::deque<PlotPoint>& Points() const { return points_; }
  // Changes with every change, so a view redraws only when it must.
  std::uint64_t Version() const { return version_; }
  void SetChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  void Changed();

  std::string title_ = "Untitled";
  bool legendVisible_ = true;
  std::deque<PlotPoint> points_;
  std::uint64_t version_ = 0;
  std::function<void()> listener_;
};

// At most 2 * `columns` + 2 of the points to draw in `columns` pixels: the
// first and the last, and each column's lowest and highest point in their
// order, so no peak is lost. Fewer points come back unchanged.
std::vector<PlotPoint> PointsToDraw(const std::deque<PlotPoint>& points, int columns);

}  // namespace qv
