// Logger time: a signed 32-bit count of seconds of the PC's local wall-clock
// time since 1970-01-01 00:00:00, that is calendar time plus the local offset
// with daylight saving included.
#pragma once

#include <cstdint>
#include <string>

#include "common/Clock.h"

namespace qv {

// The PC's present time as a logger time.
std::int32_t LoggerTimeOf(const ClockReading& now);

// A logger time back to calendar time, with the offset in force now.
std::int64_t CalendarFromLoggerTime(std::int32_t loggerTime, const LocalTime& now);

// A wall-clock date and time read as standard local time (no daylight saving);
// out-of-range fields are normalised as the C library does (2/30 is 3/2).
std::int64_t CalendarFromStandardLocal(int year, int month, int day, int hour, int minute,
                                       int second);

// strftime of a calendar time in local time.
std::string FormatLocal(const char* fmt, std::int64_t calendar);

// strftime of a logger time as the wall-clock time it counts, no zone applied.
std::string FormatLoggerTime(const char* fmt, std::int64_t loggerTime);

}  // namespace qv
