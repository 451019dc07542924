// The real clock agrees with the C library's time and keeps hundredths in range.
#include <gtest/gtest.h>

#include <ctime>

#include "platform/SystemClock.h"

namespace qv {
namespace {

TEST(SystemClock, ReadsTheRealTimeWithHundredths) {
  SystemClock clock;
  for (int i = 0; i < 50; ++i) {
    std::int64_t before = std::time(nullptr);
    ClockReading r = clock.Now();
    std::int64_t after = std::time(nullptr);
    EXPECT_GE(r.calendar, before);
    EXPECT_LE(r.calendar, after);
    EXPECT_GE(r.hundredths, 0);
    EXPECT_LE(r.hundredths, 99);
    EXPECT_EQ(r.local.second, LocalTimeOf(r.calendar).second);
  }
}

}  // namespace
}  // namespace qv
