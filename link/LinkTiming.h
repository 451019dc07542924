// The link-timing state kept by the fast tick and read by the supervision tick.
#pragma once

#include <cstdint>

namespace qv {

struct LinkTiming {
  bool firstTick = true;
  bool busy = false;
  int tickCount = 0;     // fast ticks since the last one-second report
  int skippedTicks = 0;  // fast ticks turned away by the busy flag, whole run
  // Both count down once per fast tick and may run below zero.
  long noDataTimer = 300;
  long badDataTimer = 400;
  bool autoBaudPending = false;

  std::uint32_t packetsPerSecond = 0;
  std::uint32_t bytesPerSecond = 0;
  int largestPayloadEver = 0;
  // Pump counters as they stood at the last one-second tick and last shown.
  std::uint32_t packetCountAtLastSecond = 0;
  std::uint32_t totalInputAtLastSecond = 0;
  std::uint32_t packetCountShown = 0xFFFFFFFFu;
};

}  // namespace qv
