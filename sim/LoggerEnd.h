// The simulated logger at its end of a serial line, with no device under it:
// the logger, the garbling a wrong line setting makes of both directions, the
// line's faults, the logger's output queue and the line's pace (a tenth of
// the baud in bytes a second). Stepped with a time and the host's bytes; what
// the line has carried by then goes to whatever stands at the host's end, a
// pseudo-terminal (Simulator) or a test's serial backend. Not thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "platform/SerialBackend.h"
#include "protocol/OperationState.h"
#include "protocol/SetupRecord.h"
#include "sim/FaultInjector.h"
#include "sim/LineGarbler.h"
#include "sim/LinePacer.h"
#include "sim/SentPackets.h"
#include "sim/SimLogger.h"
#include "sim/SimOptions.h"

namespace qv {

struct SimSnapshot {
  OperationState operationState = OperationState::Off;
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
  std::uint64_t bytesSent = 0;      // bytes the host's end took
  std::uint64_t bytesReceived = 0;
  std::uint64_t bytesIgnored = 0;   // received while the line settings differed

  bool streaming = false;
  StreamCounts streamed;                 // data packets made, and their packet faults
  std::uint64_t dataPacketsOverrun = 0;  // lost: the line could not keep up with them
  std::uint64_t statusOverrun = 0;       // status records lost the same way
  std::uint64_t dataPacketsSent = 0;     // intact ones taken whole, as SentDataPackets lists
  std::uint64_t dataPacketsForgotten = 0;  // of those, let go from the front of the list
  std::size_t bytesQueued = 0;           // waiting for the line

  HardwareConfigRecord hardware;  // the factory records the logger holds
  AnalogCalRecord calibration;
  int portUnderTest = 0;          // 1..9 during a port test, else 0
};

class LoggerEnd {
 public:
  using LogSink = std::function<void(const std::string&)>;
  // The host's end: takes up to `count` bytes and says how many it took
  // (0 or less: none now, the rest waits).
  using HostSink = std::function<long(const std::uint8_t* bytes, std::size_t count)>;

  LoggerEnd(const SimOptions& options, Clock& clock, LogSink log = {});

  // Where only the host's baud can be seen (a pseudo-terminal that keeps no
  // framing), only the bauds are compared.
  void SetFramingVisible(bool visible) { framingVisible_ = visible; }
  // Both ends read each other's bytes only at the same line, as far as it shows.
  bool LinesMatch(const LineSetting& host, const LineSetting& own) const;

  // Moves the logger on to `nowMs` (a steady count) with the host's line at
  // `hostLine`; the host's bytes reach the logger only when the lines match.
  void Step(std::int64_t nowMs, const LineSetting& hostLine, std::span<const std::uint8_t> fromHost);
  // Hands the host's end what the line has had time for by `nowMs`.
  void Deliver(std::int64_t nowMs, const HostSink& toHost);
  // Power off and on (see SimLogger::PowerCycle).
  void PowerCycle() { logger_.PowerCycle(); }

  SimSnapshot Snapshot() const;
  // The intact data packets the host's end took whole, oldest first; bounded
  // (see SentPacketLog), with the count of older ones let go in `forgotten`.
  std::vector<SentDataPacket> SentDataPackets(std::uint64_t* forgotten = nullptr) const;
  const SimLogger& Logger() const { return logger_; }

 private:
  struct QueuedPacket {
    std::vector<std::uint8_t> bytes;
    LineSetting line;  // the logger's line when it sent the packet
    std::size_t written = 0;
    bool intact = false;   // a data packet the faults left as built, checksum right
    bool garbled = false;  // some of it went out while the host's line differed
  };

  void Queue(QueuedPacket packet, PacketType type);
  void Log(const std::string& line) const;

  SimOptions options_;
  LogSink log_;
  FaultInjector faults_;
  LineGarbler garbler_;
  SimLogger logger_;
  bool framingVisible_ = true;
  LineSetting hostLine_;
  std::deque<QueuedPacket> queue_;  // written as the line's pace and the host's end allow
  std::size_t queuedBytes_ = 0;
  LinePacer pacer_;
  SentPacketLog sent_;
  SimSnapshot counts_;
};

}  // namespace qv
