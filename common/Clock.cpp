#include "common/Clock.h"

#include <ctime>

namespace qv {

LocalTime LocalTimeOf(std::int64_t calendar) {
  std::time_t t = static_cast<std::time_t>(calendar);
  std::tm tm{};
  localtime_r(&t, &tm);
  LocalTime l;
  l.year = tm.tm_year + 1900;
  l.month = tm.tm_mon + 1;
  l.day = tm.tm_mday;
  l.hour = tm.tm_hour;
  l.minute = tm.tm_min;
  l.second = tm.tm_sec;
  l.yearDay = tm.tm_yday + 1;
  l.dst = tm.tm_isdst > 0;
  l.utcOffset = tm.tm_gmtoff;
  return l;
}

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
