// The PC's real clock: calendar time with hundredths and its local
// broken-down form in the process's time zone.
#pragma once

#include "common/Clock.h"

namespace qv {

class SystemClock : public Clock {
 public:
  ClockReading Now() override;
};

}  // namespace qv
