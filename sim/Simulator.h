// The logger on a pseudo-terminal: logger, line and faults run together until stopped;
// Run may have a thread of its own, everything else is safe from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "platform/SerialBackend.h"
#include "setup/SetupRecord.h"
#include "sim/FaultInjector.h"
#include "sim/LineGarbler.h"
#include "sim/PtyLink.h"
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

 private:
  void Step(std::int64_t nowMs, const std::vector<std::uint8_t>& input);
  void Flush();
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
  std::vector<std::uint8_t> pending_;  // written as the device takes it
  SimSnapshot counts_;

  std::atomic<bool> stop_{false};
  std::atomic<bool> powerCycle_{false};
  std::int64_t staleCheckMs_ = 0;
  std::uint64_t writtenSinceCheck_ = 0;
};

}  // namespace qv
