// The PC Logger's clock: milliseconds since its first reading on a 64-bit
// count of the PC's calendar time, so it neither wraps nor falls back at the
// turn of the year or of daylight saving, and the PC time text of the last
// reading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/Clock.h"

namespace qv {

class PcClock {
 public:
  explicit PcClock(Clock& clock) : clock_(clock) {}

  // Milliseconds since the first reading (so that one reads 0), in steps of
  // 10; negative only when the PC's clock was set back before it. Renews
  // the PC time text.
  std::int64_t ReadPcClock();
  // "DD-MM-YY", a tab, "HH:MM:SS.mmm": the local time of the last reading.
  const std::string& PcTimeText() const { return pcTimeText_; }

 private:
  Clock& clock_;
  std::optional<std::int64_t> baseMs_;
  std::string pcTimeText_;
};

}  // namespace qv
