// A stand-alone instrument at its end of a serial line, with no device under
// it: a CTD's ASCII lines, GPS NMEA sentences with checksums or binary frames
// at a rate, at the pace of its line and garbled for a host at another line
// setting. Served on a pseudo-terminal by qvsim --meter and to the PC
// Logger's ports by the tests' serial backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "common/Clock.h"
#include "platform/SerialBackend.h"
#include "sim/LineGarbler.h"
#include "sim/LinePacer.h"
#include "sim/SimMeter.h"

namespace qv {

enum class MeterKind { Ctd, Nmea, Binary };

// "ctd", "nmea" (also "gps") or "binary".
bool ParseMeterKind(const std::string& text, MeterKind& kind);
const char* MeterKindName(MeterKind kind);
// The meter type of the logger's setup that sends what the kind sends.
std::int16_t MeterTypeOf(MeterKind kind);

struct MeterOptions {
  MeterKind kind = MeterKind::Ctd;
  LineSetting line{9600, 8, 'N', 1};
  int rateHz = 0;  // records a second, 1..20; 0: the kind's own pace
  std::uint64_t seed = 1;
};

class MeterEnd {
 public:
  // The host's end: takes up to `count` bytes and says how many it took.
  using HostSink = std::function<long(const std::uint8_t* bytes, std::size_t count)>;

  // What may wait for the line before the instrument's output is lost.
  static constexpr std::size_t kPendingLimit = 64 * 1024;

  // `clock` times the GPS fixes.
  MeterEnd(const MeterOptions& options, Clock& clock);

  // Where only the host's baud can be seen, only the bauds are compared.
  void SetFramingVisible(bool visible) { framingVisible_ = visible; }
  // Moves the instrument on to `nowMs` (a steady count from its power-up)
  // with the host's line at `hostLine`; what it sends waits for the line.
  void Step(std::int64_t nowMs, const LineSetting& hostLine);
  // Hands the host's end what the line has had time for by `nowMs`.
  void Deliver(std::int64_t nowMs, const HostSink& toHost);

  const MeterOptions& Options() const { return options_; }
  // Bytes the host's end took.
  std::uint64_t BytesSent() const { return bytesSent_; }

 private:
  bool LinesMatch() const;

  MeterOptions options_;
  Clock& clock_;
  SimMeter meter_;
  LineGarbler garbler_;
  LinePacer pacer_;
  LineSetting hostLine_;
  bool framingVisible_ = true;
  std::deque<std::uint8_t> queue_;
  std::uint64_t bytesSent_ = 0;
};

}  // namespace qv
