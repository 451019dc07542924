// How much each kind of meter sends while the logger samples: the data rate
// the status record reports for its port and how fast its file grows.
#pragma once

#include <cstdint>

namespace qv {

struct MeterActivity {
  std::int16_t reportedRate = 0;     // bytes per second, or minus the bytes per record
  std::int32_t bytesPerSecond = 0;   // growth of the port's file
};

// A meter of the type on a port at `baud`; record-based meters send
// `recordsPerSecond` records. A line cannot carry more than a tenth of its baud.
MeterActivity ActivityOfMeter(std::int16_t meterType, std::int32_t baud, int recordsPerSecond);

}  // namespace qv
