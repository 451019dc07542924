#include "sim/RunSchedule.h"

#include <algorithm>

namespace qv {

OperationState StateOfPhase(RunPhase phase) {
  switch (phase) {
    case RunPhase::Delay: return OperationState::Delay;
    case RunPhase::PreFlush: return OperationState::PreFlush;
    case RunPhase::Warmup: return OperationState::Warmup;
    case RunPhase::Flush: return OperationState::Flush;
    case RunPhase::Sampling: return OperationState::Sampling;
    case RunPhase::Interval: return OperationState::Sleeping;
  }
  return OperationState::Standby;
}

bool IsMoored(const SetupView& setup) { return setup.Mode() == 1; }

std::int64_t PhaseSeconds(const SetupView& setup, RunPhase phase) {
  auto time = [&](SetupView::Time t) {
    return std::max<std::int64_t>(0, setup.TimeField(t));
  };
  switch (phase) {
    case RunPhase::Delay: return time(SetupView::DelayTime);
    case RunPhase::PreFlush: return time(SetupView::PreFlushTime);
    case RunPhase::Warmup: return time(SetupView::WarmUpTime);
    case RunPhase::Flush: return time(SetupView::FlushTime);
    case RunPhase::Sampling: return IsMoored(setup) ? time(SetupView::SampleTime) : -1;
    case RunPhase::Interval: return std::max<std::int64_t>(1, time(SetupView::SampleInterval));
  }
  return 0;
}

RunPhase PhaseAfter(RunPhase phase) {
  switch (phase) {
    case RunPhase::Delay: return RunPhase::PreFlush;
    case RunPhase::PreFlush: return RunPhase::Warmup;
    case RunPhase::Warmup: return RunPhase::Flush;
    case RunPhase::Flush: return RunPhase::Sampling;
    case RunPhase::Sampling: return RunPhase::Interval;
    case RunPhase::Interval: return RunPhase::PreFlush;
  }
  return RunPhase::Sampling;
}

}  // namespace qv
