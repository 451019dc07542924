// The instrument on one serial port while the logger samples: whole records
// at the meter type's usual pace, readings that drift slowly, and never more
// than the port's line can carry.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimRandom.h"

namespace qv {

// A reading that wanders a little at each step and stays within its band.
struct Drift {
  double value = 0.0;
  double low = 0.0;
  double high = 0.0;
  double step = 0.0;
  double Next(SimRandom& rng);
};

// The NMEA checksum: the exclusive or of the characters between '$' and '*'.
std::uint8_t NmeaChecksum(const char* sentence);

// The resting voltage of analog port n (1..7), millivolts.
std::int16_t AnalogRestingMv(int n);

// A count of seconds since 1970 as a date and a time of day (no time zone).
struct CivilTime {
  int year, month, day, hour, minute, second;
};
CivilTime CivilTimeOf(std::int64_t seconds);

class SimMeter {
 public:
  SimMeter() : rng_(0) {}

  // A meter of `meterType` on a port at `baud`; BINARY meters send a frame per
  // scan at `scansPerSecond`. The first record comes within one period of `startMs`.
  // `recordsPerSecond` above 0 sets the pace of any type that sends.
  void Start(std::int16_t meterType, std::int32_t baud, int scansPerSecond, std::int64_t startMs,
             std::uint64_t seed, int recordsPerSecond = 0);
  bool Runs(std::int16_t meterType, std::int32_t baud, int scansPerSecond) const {
    return meterType == type_ && baud == baud_ && scansPerSecond == scans_;
  }
  // Appends the records due up to `toMs`; `utcAtToMs` (calendar seconds at
  // `toMs`) times the GPS fixes.
  void Produce(std::int64_t toMs, std::int64_t utcAtToMs, std::vector<std::uint8_t>& out);

 private:
  void Record(std::int64_t utc, std::vector<std::uint8_t>& out);
  // A second of the line, and room for any one record.
  double LineCreditLimit() const { return baud_ / 10.0 > 256.0 ? baud_ / 10.0 : 256.0; }
  void Text(const std::string& line, std::vector<std::uint8_t>& out);

  std::int16_t type_ = 0;
  std::int32_t baud_ = 0;
  int scans_ = 1;
  std::int64_t periodUs_ = 0;  // 0: the meter sends nothing
  std::int64_t firstMs_ = 0;
  std::int64_t count_ = 0;     // records due so far
  std::int64_t lineMs_ = 0;    // the line's byte credit is counted up to here
  double lineCredit_ = 0.0;
  SimRandom rng_;
  std::array<Drift, 4> drift_{};
};

}  // namespace qv
