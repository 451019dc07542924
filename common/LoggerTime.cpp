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

namespace {

// strftime of a count of seconds broken down by `breakDown`.
std::string Strftime(const char* fmt, std::int64_t seconds,
                     std::tm* (*breakDown)(const std::time_t*, std::tm*)) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  breakDown(&t, &tm);
  char buf[128];
  size_t n = std::strftime(buf, sizeof buf, fmt, &tm);
  return std::string(buf, n);
}

}  // namespace

std::string FormatLocal(const char* fmt, std::int64_t calendar) {
  return Strftime(fmt, calendar, localtime_r);
}

std::string FormatLoggerTime(const char* fmt, std::int64_t loggerTime) {
  return Strftime(fmt, loggerTime, gmtime_r);
}

}  // namespace qv
