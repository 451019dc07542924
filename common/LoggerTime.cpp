#include "common/LoggerTime.h"

#include <ctime>

namespace qv {

std::int32_t LoggerTimeOf(const ClockReading& now) {
  return static_cast<std::int32_t>(now.calendar + now.local.utcOffset);
}

std::int64_t CalendarFromLoggerTime(std::int32_t loggerTime, const LocalTime& now) {
  return static_cast<std::int64_t>(loggerTime) - now.utcOffset;
}

std::int64_t CalendarFromStandardLocal(int year, int month, int day, int hour, int minute,
                                       int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = 0;
  return static_cast<std::int64_t>(std::mktime(&tm));
}

std::string FormatLocal(const char* fmt, std::int64_t calendar) {
  std::time_t t = static_cast<std::time_t>(calendar);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[128];
  size_t n = std::strftime(buf, sizeof buf, fmt, &tm);
  return std::string(buf, n);
}

}  // namespace qv
