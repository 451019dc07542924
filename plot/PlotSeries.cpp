#include "plot/PlotSeries.h"

#include <algorithm>

namespace qv {

void PlotSeries::Changed() {
  ++version_;
  if (listener_) listener_();
}

void PlotSeries::SetTitle(const std::string& title) {
  if (title == title_) return;
  title_ = title;
  Changed();
}

void PlotSeries::SetLegendVisible(bool visible) {
  if (visible == legendVisible_) return;
  legendVisible_ = visible;
  Changed();
}

void PlotSeries::AddPoint(double x, double y) {
  if (points_.size() >= kMaxPoints) points_.pop_front();
  points_.push_back({x, y});
  Changed();
}

void PlotSeries::Clear() {
  if (points_.empty()) return;
  points_.clear();
  Changed();
}

std::vector<PlotPoint> PointsToDraw(const std::deque<PlotPoint>& points, int columns) {
  const std::size_t n = points.size();
  const std::size_t buckets = static_cast<std::size_t>(std::max(columns, 1));
  if (n <= 2 * buckets) return {points.begin(), points.end()};
  std::vector<PlotPoint> out;
  out.reserve(2 * buckets + 2);
  std::size_t last = n;  // the index last taken, none yet
  auto take = [&](std::size_t i) {
    if (i == last) return;
    out.push_back(points[i]);
    last = i;
  };
  take(0);  // the line spans the whole range
  auto it = points.begin();  // walked once: a deque's index arithmetic costs more
  for (std::size_t b = 0; b < buckets; ++b) {
    const std::size_t begin = b * n / buckets;
    const std::size_t end = (b + 1) * n / buckets;
    std::size_t low = begin, high = begin;
    double lowY = it->y, highY = it->y;
    ++it;
    for (std::size_t i = begin + 1; i < end; ++i, ++it) {
      if (it->y < lowY) {
        lowY = it->y;
        low = i;
      }
      if (it->y > highY) {
        highY = it->y;
        high = i;
      }
    }
    take(std::min(low, high));
    take(std::max(low, high));
  }
  take(n - 1);
  return out;
}

}  // namespace qv
