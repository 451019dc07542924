// The link supervisor's bookkeeping: the no-data and bad-data timers that the
// fast tick keeps and the supervision tick reads, the auto-baud cycle, and the
// per-second figures of the statistics window.
#pragma once

#include <cstdint>

namespace qv {

struct LinkTiming {
  // Both count down once per fast tick and may run below zero.
  long noDataTimer = 300;
  long badDataTimer = 400;
  bool autoBaudPending = false;  // the operator said OK; stepping goes on until a packet

  std::uint32_t packetsPerSecond = 0;
  std::uint32_t bytesPerSecond = 0;
  int largestPayloadEver = 0;
};

}  // namespace qv
