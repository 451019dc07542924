#include "pclogger/PcClock.h"

#include "common/Format.h"

namespace qv {

std::int64_t PcClock::ReadPcClock() {
  const ClockReading now = clock_.Now();
  const LocalTime& t = now.local;
  pcTimeText_ = Format("%02d-%02d-%02d%c%02d:%02d:%02d.%03d", t.day, t.month, t.year % 100, '\t',
                       t.hour, t.minute, t.second, now.hundredths * 10);
  const std::int64_t ms = now.calendar * 1000 + now.hundredths * 10;
  if (!baseMs_) baseMs_ = ms;
  return ms - *baseMs_;
}

}  // namespace qv
