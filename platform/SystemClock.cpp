// Reads the real-time clock once per call so that seconds and hundredths
// always belong to the same instant.
#include "platform/SystemClock.h"

#include <ctime>

namespace qv {

ClockReading SystemClock::Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  ClockReading r;
  r.calendar = static_cast<std::int64_t>(ts.tv_sec);
  r.hundredths = static_cast<int>(ts.tv_nsec / 10'000'000);
  r.local = LocalTimeOf(r.calendar);
  return r;
}

}  // namespace qv
