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

}  // namespace qv
