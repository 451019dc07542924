#include "stream/ArchiveNames.h"

#include "common/Format.h"

namespace qv {

HostClockFields HostClockFields::From(const LocalTime& t) {
  HostClockFields c;
  c.hour = t.hour;
  c.minute = t.minute;
  c.yearDay = t.yearDay;
  c.year2 = t.year - 1900;
  if (c.year2 > 99) c.year2 -= 100;
  return c;
}

std::string OneHourArchiveName(const std::string& prefix, const HostClockFields& c) {
  return Format("%s%02d_%03d.%03d", prefix.c_str(), c.year2, c.yearDay, c.hour);
}

std::string OneDayArchiveName(const std::string& prefix, const HostClockFields& c) {
  return Format("%s%02d.%03d", prefix.c_str(), c.year2, c.yearDay);
}

}  // namespace qv
