// The logger on a pseudo-terminal: a LoggerEnd served in real time until
// stopped. Run may have a thread of its own; everything else is safe from any
// thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "sim/LoggerEnd.h"
#include "sim/PtyLink.h"
#include "sim/SimOptions.h"

namespace qv {

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
  // The intact data packets written whole to the device, oldest first (see
  // LoggerEnd). Bytes a discarded backlog took (no host holding the device)
  // are not told apart.
  std::vector<SentDataPacket> SentDataPackets(std::uint64_t* forgotten = nullptr) const;

 private:
  void Step(std::int64_t nowMs, const std::vector<std::uint8_t>& input);
  void Flush(std::int64_t nowMs);
  void DropStaleOutput(std::int64_t nowMs);

  SimOptions options_;
  PtyLink pty_;

  mutable std::mutex mutex_;  // guards the logger's end of the line
  LoggerEnd end_;

  std::atomic<bool> stop_{false};
  std::atomic<bool> powerCycle_{false};
  std::int64_t staleCheckMs_ = 0;
  std::uint64_t writtenSinceCheck_ = 0;
};

}  // namespace qv
