// Fires a timer model at its interval while it is enabled. A tick that waits
// in a modal box must not stop the timer: Qt never delivers a timer's event
// again while its own handler runs, so each nesting level gets a QTimer of
// its own and the model sees the re-entry its busy flags are made for.
#pragma once

#include <QObject>
#include <vector>

#include "forms/Controls.h"

class QTimer;

namespace qv::ui {

class TimerDriver : public QObject {
 public:
  TimerDriver(forms::Timer& model, QObject* parent);

  // Follows the model's interval and enabled state.
  void Sync();
  // How many ticks of this timer are running now, one inside the other.
  int Depth() const { return depth_; }
  // Detaches from the model: no more ticks.
  void Detach();

 private:
  static constexpr int kMaxDepth = 16;
  QTimer* Level(int level);
  void Tick(int level);
  void StopAbove(int level);

  forms::Timer* model_;
  std::vector<QTimer*> levels_;
  int depth_ = 0;
};

}  // namespace qv::ui
