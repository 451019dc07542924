#include "sim/MeterEnd.h"

#include <algorithm>
#include <vector>

#include "sim/LoggerLine.h"

namespace qv {

bool ParseMeterKind(const std::string& text, MeterKind& kind) {
  if (text == "ctd") kind = MeterKind::Ctd;
  else if (text == "nmea" || text == "gps") kind = MeterKind::Nmea;
  else if (text == "binary") kind = MeterKind::Binary;
  else return false;
  return true;
}

const char* MeterKindName(MeterKind kind) {
  switch (kind) {
    case MeterKind::Ctd: return "CTD, ASCII lines";
    case MeterKind::Nmea: return "GPS, NMEA sentences";
    case MeterKind::Binary: return "binary frames";
  }
  return "?";
}

std::int16_t MeterTypeOf(MeterKind kind) {
  switch (kind) {
    case MeterKind::Ctd: return 3;     // ASCII CTD
    case MeterKind::Nmea: return 6;    // GPS
    case MeterKind::Binary: return 4;  // BINARY
  }
  return 0;
}

MeterEnd::MeterEnd(const MeterOptions& options, Clock& clock)
    : options_(options),
      clock_(clock),
      garbler_(options.seed ^ 0x4d45544552ull),
      hostLine_(options.line) {
  // A binary instrument scans once a second unless a rate is asked for.
  meter_.Start(MeterTypeOf(options.kind), options.line.baud, 1, 0, options.seed, options.rateHz);
}

bool MeterEnd::LinesMatch() const {
  return framingVisible_ ? SameLine(hostLine_, options_.line)
                         : hostLine_.baud == options_.line.baud;
}

void MeterEnd::Step(std::int64_t nowMs, const LineSetting& hostLine) {
  hostLine_ = hostLine;
  std::vector<std::uint8_t> out;
  meter_.Produce(nowMs, clock_.Now().calendar, out);
  // Records that find no room are lost, as on a line no one drains.
  if (queue_.size() + out.size() > kPendingLimit) return;
  queue_.insert(queue_.end(), out.begin(), out.end());
}

void MeterEnd::Deliver(std::int64_t nowMs, const HostSink& toHost) {
  const std::size_t allowance =
      std::min(pacer_.Allowance(nowMs, options_.line.baud), queue_.size());
  if (allowance == 0) return;
  std::vector<std::uint8_t> chunk(queue_.begin(),
                                  queue_.begin() + static_cast<std::ptrdiff_t>(allowance));
  // Whether the host reads a byte as sent is decided as it crosses the line.
  if (!LinesMatch()) chunk = garbler_.Garble(chunk);
  const long n = toHost(chunk.data(), chunk.size());
  if (n <= 0) return;
  const auto taken = std::min(static_cast<std::size_t>(n), chunk.size());
  queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(taken));
  pacer_.Spend(taken);
  bytesSent_ += taken;
}

}  // namespace qv
