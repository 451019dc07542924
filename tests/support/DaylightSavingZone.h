// Pins the process's time zone to one with daylight saving for a test's
// lifetime: New York rules, daylight saving from the second Sunday of March
// to the first Sunday of November.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

namespace qv::testing {

class DaylightSavingZone {
 public:
  DaylightSavingZone() {
    const char* old = std::getenv("TZ");
    hadTz_ = old != nullptr;
    if (old) saved_ = old;
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    tzset();
  }
  ~DaylightSavingZone() {
    if (hadTz_)
      setenv("TZ", saved_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  DaylightSavingZone(const DaylightSavingZone&) = delete;
  DaylightSavingZone& operator=(const DaylightSavingZone&) = delete;

  // The calendar time of a local wall-clock time in this zone.
  static std::int64_t Local(int year, int month, int day, int hour, int minute, int second,
                            int isDst = -1) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = isDst;
    return static_cast<std::int64_t>(std::mktime(&tm));
  }

 private:
  bool hadTz_ = false;
  std::string saved_;
};

}  // namespace qv::testing
