// The PC clock as the program sees it: calendar time, its local broken-down
// form with the daylight-saving flag and offset, and hundredths of a second.
#pragma once

#include <cstdint>

namespace qv {

struct LocalTime {
  int year = 1970;   // full year
  int month = 1;     // 1..12
  int day = 1;       // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int yearDay = 1;   // 1..366
  bool dst = false;  // daylight saving time in force
  long utcOffset = 0;  // seconds east of UTC, daylight saving included
};

struct ClockReading {
  std::int64_t calendar = 0;  // seconds since 1970-01-01 00:00:00 UTC
  int hundredths = 0;
  LocalTime local;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual ClockReading Now() = 0;
};

// The local broken-down time of a calendar time in the process's time zone.
LocalTime LocalTimeOf(std::int64_t calendar);

}  // namespace qv
