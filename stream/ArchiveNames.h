// The host clock fields that name the one-hour and one-day archive files, and
// the names themselves: prefix, two-digit year, day of the year (and hour).
#pragma once

#include <string>

#include "common/Clock.h"

namespace qv {

struct HostClockFields {
  int hour = 0;     // 0..23
  int minute = 0;   // 0..59
  int yearDay = 0;  // 1..366
  int year2 = 0;    // the year less 1900, less a further 100 when that is above 99

  static HostClockFields From(const LocalTime& t);
};

std::string OneHourArchiveName(const std::string& prefix, const HostClockFields& c);
std::string OneDayArchiveName(const std::string& prefix, const HostClockFields& c);

}  // namespace qv
