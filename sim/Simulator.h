// The logger on a pseudo-terminal: logger, line and faults run together until stopped,
// its output paced at the line's rate; Run may have a thread of its own,
// everything else is safe from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "platform/SerialBackend.h"
#include "setup/SetupRecord.h"
#include "sim/FaultInjector.h"
#include "sim/LineGarbler.h"
#include "sim/LinePacer.h"
#include "sim/PtyLink.h"
#include "sim/SentPackets.h"
#include "sim/SimLogger.h"
#include "sim/SimOptions.h"

namespace qv {

struct SimSnapshot {
  std::int16_t operationState = 0;
  std::int16_t loggerId = 0;
  std::int16_t runNumber = -1;
  std::int32_t clockOffset = 0;
  SetupBytes setup{};
  LineSetting loggerLine;
  LineSetting hostLine;
  bool rs422 = false;
  bool silent = false;
  std::uint64_t packetsSent = 0;    // every packet the logger sent, garbled ones too
  std::uint64_t packetsGarbled = 0; // sent while the host's line setting differed
  std::uint64_t bytesSent = 0;      // bytes the host could read
  std::uint64_t bytesReceived = 0;
  std::uint64_t bytesIgnored = 0;   // received while the line settings differed

  bool streaming = false;
  StreamCounts streamed;                 // data packets made, and their packet faults
  std::uint64_t dataPacketsOverrun = 0;  // lost: the line could not keep up with them
  std::uint64_t statusOverrun = 0;       // status records lost the same way
  std::uint64_t dataPacketsSent = 0;     // intact ones written whole, as SentDataPackets lists
  std::uint64_t dataPacketsForgotten = 0;  // of those, let go from the front of the list
  std::size_t bytesQueued = 0;           // waiting for the line
};

class Simulator {
 public:
  using LogSink = std::function<void(const std::string&)>;

  // Polling interval of the loop; also the latency of Stop.
  static constexpr int kPollMs = 10;

  Simulator(const SimOptions& options, Clock& clock, LogSink log = {});

  // Opens the pseudo-terminal (and the link); false with the reason.
  bool Open(std::string& error);
  // Serves the host until Stop.
  void Run();
  void Stop() { stop_.store(true); }
  // The next loop pass power-cycles the logger.
  void PowerCycle() { powerCycle_.store(true); }

  std::string DevicePath() const;
  std::string LinkPath() const;
  // False where the device shows only the host's baud, not its data bits and parity.
  bool ShowsFraming() const;
  SimSnapshot Snapshot() const;
  // The intact data packets written whole to the device, oldest first, for a
  // test to find in the host's archive; bounded (see SentPacketLog), with the
  // count of older ones let go in `forgotten`. Bytes a discarded backlog took
  // (no host holding the device) are not told apart.
  std::vector<SentDataPacket> SentDataPackets(std::uint64_t* forgotten = nullptr) const;

 private:
  struct QueuedPacket {
    std::vector<std::uint8_t> bytes;
    std::size_t written = 0;
    bool intact = false;  // a data packet that reaches the line as built, checksum right
  };

  void Step(std::int64_t nowMs, const std::vector<std::uint8_t>& input);
  void Queue(std::vector<std::uint8_t> bytes, int type, bool intact);
  void Flush(std::int64_t nowMs);
  void DropStaleOutput(std::int64_t nowMs);
  void Log(const std::string& line) const;

  SimOptions options_;
  LogSink log_;
  PtyLink pty_;
  FaultInjector faults_;
  LineGarbler garbler_;

  mutable std::mutex mutex_;  // guards the logger and everything below it
  SimLogger logger_;
  LineSetting hostLine_;
  std::deque<QueuedPacket> queue_;  // written as the line's pace and the device allow
  std::size_t queuedBytes_ = 0;
  LinePacer pacer_;
  SentPacketLog sent_;
  SimSnapshot counts_;

  std::atomic<bool> stop_{false};
  std::atomic<bool> powerCycle_{false};
  std::int64_t staleCheckMs_ = 0;
  std::uint64_t writtenSinceCheck_ = 0;
};

}  // namespace qv
