#include "ui/TimerDriver.h"

#include <QPointer>
#include <QTimer>

namespace qv::ui {

TimerDriver::TimerDriver(forms::Timer& model, QObject* parent) : QObject(parent), model_(&model) {}

QTimer* TimerDriver::Level(int level) {
  while (static_cast<int>(levels_.size()) <= level) {
    auto* t = new QTimer(this);
    const int n = static_cast<int>(levels_.size());
    connect(t, &QTimer::timeout, this, [this, n] { Tick(n); });
    levels_.push_back(t);
  }
  return levels_[static_cast<size_t>(level)];
}

void TimerDriver::Sync() {
  if (!model_ || !model_->Enabled()) {
    StopAbove(-1);
    return;
  }
  const int interval = model_->Interval();
  // Short intervals would drift by up to 5 % as coarse timers.
  const Qt::TimerType type = interval < 100 ? Qt::PreciseTimer : Qt::CoarseTimer;
  for (int level = 0; level <= depth_ && level < kMaxDepth; ++level) {
    QTimer* t = Level(level);
    if (t->isActive() && t->interval() == interval) continue;
    t->setTimerType(type);
    t->start(interval);
  }
}

void TimerDriver::Detach() {
  model_ = nullptr;
  StopAbove(-1);
}

void TimerDriver::StopAbove(int level) {
  for (size_t i = static_cast<size_t>(level + 1); i < levels_.size(); ++i) levels_[i]->stop();
}

void TimerDriver::Tick(int level) {
  // Only the innermost level ticks; an outer one is blocked by Qt anyway.
  if (!model_ || level != depth_) return;
  ++depth_;
  Sync();  // arms the next level, in case this tick opens a box
  QPointer<TimerDriver> alive(this);
  model_->Fire();
  if (!alive) return;
  --depth_;
  StopAbove(depth_);
}

}  // namespace qv::ui
