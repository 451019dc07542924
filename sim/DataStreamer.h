// The real-time data of one logger, or of a chain of loggers on one line: each
// unit's meter and analog bytes gathered into a data packet at the data rate
// under a sequence count of its own, the time unit's packet once a second,
// and whole-packet faults.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "protocol/SetupRecord.h"
#include "sim/SimMeter.h"
#include "sim/SimRandom.h"

namespace qv {

// Each 0..1, per data packet.
struct PacketFaultRates {
  double gap = 0.0;      // sequence numbers left out before the packet
  double repeat = 0.0;   // the same packet sent twice
  double corrupt = 0.0;  // a wrong checksum
};

struct StreamCounts {
  std::uint64_t packets = 0;    // data packets built, a repeated one once
  std::uint64_t skipped = 0;    // sequence numbers left out
  std::uint64_t repeated = 0;
  std::uint64_t corrupted = 0;
};

// The logger as the streamer needs it; the clock readings hold at `clockMs`.
struct StreamContext {
  SetupBytes setup{};
  int model = 0;
  std::uint8_t loggerId = 1;      // the unit of a single logger
  int rateHz = 1;                 // packets a second per unit, 1..20
  std::int64_t runStartMs = 0;    // time stamps count from here
  std::int64_t clockMs = 0;
  std::int32_t loggerTime = 0;    // logger time at clockMs
  std::int64_t utc = 0;           // calendar time at clockMs
};

class DataStreamer {
 public:
  static constexpr int kMaxChain = 4;
  static constexpr int kMaxRateHz = 20;
  // A late tick catches up at most this much; older packets are never made.
  static constexpr std::int64_t kCatchUpMs = 1000;

  // `chain` 0: one logger under the context's ID (counting from 0 again when
  // that changes); 1..4: loggers 1..chain and the time unit.
  DataStreamer(int chain, PacketFaultRates faults, std::uint64_t seed);

  // Appends the packets due after `fromMs` up to `toMs`; the first call after
  // Stop starts the stream at `fromMs`.
  void Run(const StreamContext& c, std::int64_t fromMs, std::int64_t toMs,
           std::vector<std::vector<std::uint8_t>>& out);
  // The stream ends; the sequence counts go on when it starts again.
  void Stop() { streaming_ = false; }
  // Power-up: every unit counts from 0 again.
  void RestartCounts();

  bool Streaming() const { return streaming_; }
  const StreamCounts& Counts() const { return counts_; }

 private:
  struct Unit {
    std::uint8_t id = 0;
    std::uint8_t sequence = 0;  // the next packet's
    std::int64_t next = 1;      // index of the next packet since the epoch
    std::array<SimMeter, 9> meters{};  // serial ports 1..8
    std::array<Drift, 8> analog{};     // analog ports 1..7
    SimRandom rng{0};
  };

  void Begin(const StreamContext& c, std::int64_t atMs);
  std::int64_t DueMs(std::size_t unit, std::int64_t k) const;
  std::int64_t TimeUnitDueMs() const { return epochMs_ + timeNext_ * 1000; }
  void UnitPacket(const StreamContext& c, Unit& u, std::int64_t atMs,
                  std::vector<std::vector<std::uint8_t>>& out);
  void TimeUnitPacket(const StreamContext& c, std::int64_t atMs,
                      std::vector<std::vector<std::uint8_t>>& out);
  void Send(std::uint8_t id, std::uint8_t& sequence, std::uint32_t timeStamp,
            std::vector<std::vector<std::uint8_t>>& out);

  int chain_;
  PacketFaultRates faults_;
  std::uint64_t seed_;
  SimRandom faultRng_;
  std::vector<Unit> units_;
  std::uint8_t timeSequence_ = 0;
  std::int64_t timeNext_ = 1;
  bool streaming_ = false;
  int rate_ = 1;
  std::int64_t epochMs_ = 0;
  std::array<std::vector<std::uint8_t>, 9> ports_{};  // the packet being built, ports 1..9
  StreamCounts counts_;
};

}  // namespace qv
