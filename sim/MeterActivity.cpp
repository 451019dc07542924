#include "sim/MeterActivity.h"

#include <algorithm>

namespace qv {

namespace {

// Typical output of each meter type: a record size for binary meters, else
// a byte rate (a CTD's text line twice a second, a GPS's NMEA sentences).
struct MeterOutput {
  int bytesPerRecord;  // 0: the meter streams text at bytesPerSecond
  int bytesPerSecond;
};

MeterOutput OutputOf(std::int16_t meterType) {
  switch (meterType) {
    case 1: return {42, 0};    // PX5
    case 2: return {0, 30};    // KSP
    case 3: return {0, 62};    // ASCII
    case 4: return {24, 0};    // BINARY
    case 5: return {0, 18};    // LUM-K4
    case 6: return {0, 140};   // GPS
    case 7: return {0, 0};     // Pump
    case 8: return {0, 0};     // Remote Host
    case 9: return {0, 44};    // SBE-37 SM
    case 10: return {0, 52};   // NSQ-S
    case 11: return {0, 100};  // QV TEST
    case 12: return {16, 0};   // Wake / Binary
    default: return {0, 36};
  }
}

}  // namespace

MeterActivity ActivityOfMeter(std::int16_t meterType, std::int32_t baud, int recordsPerSecond) {
  if (meterType <= 0 || baud <= 0) return {};
  const MeterOutput out = OutputOf(meterType);
  const std::int32_t lineLimit = baud / 10;
  MeterActivity a;
  if (out.bytesPerRecord > 0) {
    const int records = meterType == 4 ? std::max(1, recordsPerSecond) : 1;
    a.reportedRate = static_cast<std::int16_t>(-out.bytesPerRecord);
    a.bytesPerSecond = std::min(lineLimit, out.bytesPerRecord * records);
  } else {
    a.bytesPerSecond = std::min(lineLimit, out.bytesPerSecond);
    a.reportedRate = static_cast<std::int16_t>(a.bytesPerSecond);
  }
  return a;
}

}  // namespace qv
