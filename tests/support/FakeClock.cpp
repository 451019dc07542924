#include "tests/support/FakeClock.h"

namespace qv {

ClockReading FakeClock::Now() {
  ClockReading r;
  r.calendar = calendar_;
  r.hundredths = hundredths_;
  r.local = LocalTimeOf(calendar_);
  return r;
}

void FakeClock::AdvanceMs(std::int64_t ms) {
  std::int64_t total = static_cast<std::int64_t>(hundredths_) * 10 + subHundredthMs_ + ms;
  calendar_ += total / 1000;
  std::int64_t rest = total % 1000;
  hundredths_ = static_cast<int>(rest / 10);
  subHundredthMs_ = static_cast<int>(rest % 10);
}

}  // namespace qv
