#include "sim/RunSchedule.h"

#include <algorithm>

#include "sim/LoggerStates.h"

namespace qv {

std::int16_t StateOfPhase(RunPhase phase) {
  switch (phase) {
    case RunPhase::Delay: return kStateDelay;
    case RunPhase::PreFlush: return kStatePreFlush;
    case RunPhase::Warmup: return kStateWarmup;
    case RunPhase::Flush: return kStateFlush;
    case RunPhase::Sampling: return kStateSampling;
    case RunPhase::Interval: return kStateSleeping;
  }
  return kStateStandby;
}

bool IsMoored(const SetupRecord& setup) { return setup.Mode() == 1; }

std::int64_t PhaseSeconds(const SetupRecord& setup, RunPhase phase) {
  auto time = [&](SetupRecord::Time t) {
    return std::max<std::int64_t>(0, setup.TimeField(t));
  };
  switch (phase) {
    case RunPhase::Delay: return time(SetupRecord::DelayTime);
    case RunPhase::PreFlush: return time(SetupRecord::PreFlushTime);
    case RunPhase::Warmup: return time(SetupRecord::WarmUpTime);
    case RunPhase::Flush: return time(SetupRecord::FlushTime);
    case RunPhase::Sampling: return IsMoored(setup) ? time(SetupRecord::SampleTime) : -1;
    case RunPhase::Interval: return std::max<std::int64_t>(1, time(SetupRecord::SampleInterval));
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
