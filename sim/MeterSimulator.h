// An instrument on a pseudo-terminal (qvsim --meter): a MeterEnd served in
// real time until stopped, for the host's PC Logger ports. Run may have a
// thread of its own; Stop is safe from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "common/Clock.h"
#include "sim/MeterEnd.h"
#include "sim/PtyLink.h"

namespace qv {

class MeterSimulator {
 public:
  static constexpr int kPollMs = 10;

  MeterSimulator(const MeterOptions& options, const std::string& linkPath, Clock& clock);

  // Opens the pseudo-terminal (and the link); false with the reason.
  bool Open(std::string& error);
  // Sends until Stop.
  void Run();
  void Stop() { stop_.store(true); }

  const std::string& DevicePath() const { return pty_.DevicePath(); }
  const std::string& LinkPath() const { return pty_.LinkPath(); }

 private:
  MeterOptions options_;
  std::string linkPath_;
  PtyLink pty_;
  MeterEnd end_;
  std::atomic<bool> stop_{false};
};

}  // namespace qv
