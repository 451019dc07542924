#include "sim/DataStreamer.h"

#include <algorithm>
#include <limits>
#include <span>

#include "common/ByteOrder.h"
#include "common/Format.h"
#include "protocol/DataPacket.h"
#include "protocol/PacketTypes.h"
#include "sim/LoggerModel.h"
#include "sim/PortUse.h"

namespace qv {

namespace {

constexpr double kAnalogBandMv = 50.0;
constexpr double kAnalogStepMv = 2.0;

// Seconds before `clockMs` that `atMs` lies, whole ones.
std::int64_t SecondsBefore(std::int64_t clockMs, std::int64_t atMs) {
  return std::max<std::int64_t>(0, clockMs - atMs) / 1000;
}

}  // namespace

DataStreamer::DataStreamer(int chain, PacketFaultRates faults, std::uint64_t seed)
    : chain_(std::clamp(chain, 0, kMaxChain)),
      faults_{std::clamp(faults.gap, 0.0, 1.0), std::clamp(faults.repeat, 0.0, 1.0),
              std::clamp(faults.corrupt, 0.0, 1.0)},
      seed_(seed),
      faultRng_(seed ^ 0x50414B4554ull) {
  units_.resize(chain_ == 0 ? 1 : static_cast<std::size_t>(chain_));
  for (std::size_t i = 0; i < units_.size(); ++i) {
    units_[i].id = static_cast<std::uint8_t>(i + 1);
    units_[i].rng = SimRandom(seed_ ^ (0x554E4954ull * (i + 1)));
  }
}

void DataStreamer::RestartCounts() {
  for (Unit& u : units_) u.sequence = 0;
  timeSequence_ = 0;
}

std::int64_t DataStreamer::DueMs(std::size_t unit, std::int64_t k) const {
  // The units take turns within each period, so the line sees them spread out.
  const auto n = static_cast<std::int64_t>(units_.size());
  return epochMs_ + ((k * n + static_cast<std::int64_t>(unit)) * 1000) / (rate_ * n);
}

void DataStreamer::Begin(const StreamContext& c, std::int64_t atMs) {
  streaming_ = true;
  epochMs_ = atMs;
  timeNext_ = 1;
  const SetupView s(c.setup);
  const ModelPorts hw = PortsOfModel(c.model);
  for (Unit& u : units_) {
    u.next = 1;
    for (int p = 1; p <= 8; ++p) {
      const bool present = PortPresent(hw.serialMask, p);
      u.meters[p].Start(present ? s.PortMeterType(p) : 0, present ? s.PortBaud(p) : 0, rate_, atMs,
                        u.rng.Next());
    }
    for (int n = 1; n <= 7; ++n) {
      const double rest = AnalogRestingMv(n);
      u.analog[n] = Drift{rest, rest - kAnalogBandMv, rest + kAnalogBandMv, kAnalogStepMv};
    }
  }
}

void DataStreamer::Run(const StreamContext& c, std::int64_t fromMs, std::int64_t toMs,
                       std::vector<std::vector<std::uint8_t>>& out) {
  const int rate = std::clamp(c.rateHz, 1, kMaxRateHz);
  if (!streaming_ || rate != rate_) {
    rate_ = rate;
    Begin(c, fromMs);
  }
  // A logger given a new ID counts afresh under it.
  if (chain_ == 0 && units_[0].id != c.loggerId) {
    units_[0].id = c.loggerId;
    units_[0].sequence = 0;
  }

  auto nextDue = [this](std::size_t& which) {
    const std::size_t timeUnit = units_.size();
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    if (chain_ > 0) {
      best = TimeUnitDueMs();
      which = timeUnit;
    }
    for (std::size_t i = 0; i < units_.size(); ++i) {
      const std::int64_t due = DueMs(i, units_[i].next);
      if (due < best) {
        best = due;
        which = i;
      }
    }
    return best;
  };

  std::size_t which = 0;
  if (nextDue(which) < toMs - kCatchUpMs) Begin(c, toMs - kCatchUpMs);
  for (;;) {
    const std::int64_t due = nextDue(which);
    if (due > toMs) break;
    if (which == units_.size()) {
      TimeUnitPacket(c, due, out);
      ++timeNext_;
    } else {
      UnitPacket(c, units_[which], due, out);
      ++units_[which].next;
    }
  }
}

void DataStreamer::UnitPacket(const StreamContext& c, Unit& u, std::int64_t atMs,
                              std::vector<std::vector<std::uint8_t>>& out) {
  const SetupView s(c.setup);
  const ModelPorts hw = PortsOfModel(c.model);
  const std::int64_t utc = c.utc - SecondsBefore(c.clockMs, atMs);
  for (int p = 1; p <= 8; ++p) {
    std::vector<std::uint8_t>& bytes = ports_[p - 1];
    bytes.clear();
    if (!PortPresent(hw.serialMask, p)) continue;
    SimMeter& meter = u.meters[p];
    // The host may change a port while the logger samples.
    if (!meter.Runs(s.PortMeterType(p), s.PortBaud(p), rate_))
      meter.Start(s.PortMeterType(p), s.PortBaud(p), rate_, atMs, u.rng.Next());
    meter.Produce(atMs, utc, bytes);
  }
  // Port 9: one scan of the analog ports in use, millivolts, most significant byte first.
  std::vector<std::uint8_t>& analog = ports_[8];
  analog.clear();
  for (int n = 1; n <= 7; ++n) {
    if (!PortPresent(hw.analogMask, n) || s.AnalogPortMode(n) != 1) continue;
    std::uint8_t mv[2];
    WriteBE16(mv, static_cast<std::uint16_t>(u.analog[n].Next(u.rng)));
    analog.insert(analog.end(), mv, mv + 2);
  }
  Send(u.id, u.sequence, static_cast<std::uint32_t>(atMs - c.runStartMs), out);
}

void DataStreamer::TimeUnitPacket(const StreamContext& c, std::int64_t atMs,
                                  std::vector<std::vector<std::uint8_t>>& out) {
  for (auto& bytes : ports_) bytes.clear();
  const CivilTime t = CivilTimeOf(c.loggerTime - SecondsBefore(c.clockMs, atMs));
  const std::string text = Format("%02d:%02d:%02d %02d/%02d/%02d\r\n", t.hour, t.minute, t.second,
                                  t.month, t.day, t.year % 100);
  ports_[8].assign(text.begin(), text.end());
  Send(0, timeSequence_, static_cast<std::uint32_t>(atMs - c.runStartMs), out);
}

void DataStreamer::Send(std::uint8_t id, std::uint8_t& sequence, std::uint32_t timeStamp,
                        std::vector<std::vector<std::uint8_t>>& out) {
  std::size_t total = 0;
  std::array<std::span<const std::uint8_t>, kDataPorts> spans;
  for (int k = 0; k < kDataPorts; ++k) {
    // Never more than a packet may hold, whatever a setup asks of the meters.
    std::vector<std::uint8_t>& bytes = ports_[k];
    bytes.resize(std::min(bytes.size(), static_cast<std::size_t>(kMaxPayload) - total));
    total += bytes.size();
    spans[k] = bytes;
  }
  if (faultRng_.Chance(faults_.gap)) {
    const std::uint32_t skip = 1 + faultRng_.Below(3);
    sequence = static_cast<std::uint8_t>(sequence + skip);
    counts_.skipped += skip;
  }
  std::vector<std::uint8_t> packet = BuildDataPacket(id, sequence, timeStamp, spans);
  sequence = static_cast<std::uint8_t>(sequence + 1);
  ++counts_.packets;
  if (faultRng_.Chance(faults_.corrupt)) {
    packet[packet.size() - 2] ^= static_cast<std::uint8_t>(1 + faultRng_.Below(255));
    ++counts_.corrupted;
  }
  const bool twice = faultRng_.Chance(faults_.repeat);
  if (twice) {
    out.push_back(packet);
    ++counts_.repeated;
  }
  out.push_back(std::move(packet));
}

}  // namespace qv
