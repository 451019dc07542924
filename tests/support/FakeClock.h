// A clock for tests that stands still until a test moves it.
#pragma once

#include <cstdint>

#include "common/Clock.h"

namespace qv {

// A clock that stands still until a test moves it.
class FakeClock : public Clock {
 public:
  explicit FakeClock(std::int64_t calendar = 0) : calendar_(calendar) {}
  ClockReading Now() override;
  void Set(std::int64_t calendar, int hundredths = 0) {
    calendar_ = calendar;
    hundredths_ = hundredths;
  }
  void AdvanceMs(std::int64_t ms);
  std::int64_t Calendar() const { return calendar_; }

 private:
  std::int64_t calendar_;
  int hundredths_ = 0;
  int subHundredthMs_ = 0;
};

}  // namespace qv
