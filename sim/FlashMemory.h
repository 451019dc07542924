// The logger's flash as the status record shows it: the present run's files (per
// serial port, analog, other) and the space the runs kept before it take.
#pragma once

#include <array>
#include <cstdint>

#include "protocol/SetupRecord.h"

namespace qv {

class FlashMemory {
 public:
  explicit FlashMemory(std::int64_t total) : total_(total) {}

  // `ms` of sampling under the setup: each meter's file grows at its rate.
  void Record(const SetupBytes& setup, int model, std::int64_t ms);
  // A new run starts with empty files.
  void StartRun();
  // The present run's files stay where they are.
  void KeepRun();
  void Erase();

  std::int64_t Total() const { return total_; }
  // Free space, counting the present run while it is being recorded.
  std::int64_t Free(bool recording) const { return total_ - kept_ - (recording ? RunBytes() : 0); }
  std::int64_t RunBytes() const;
  std::int64_t PortFile(int port) const { return ports_[port].bytes; }
  std::int64_t AnalogFile() const { return analog_.bytes; }
  std::int64_t OtherFile() const { return other_.bytes; }

 private:
  // Bytes, and byte-milliseconds not yet a whole byte.
  struct File {
    std::int64_t bytes = 0;
    std::int64_t rest = 0;
    void Grow(std::int64_t perSecond, std::int64_t ms);
  };

  std::int64_t total_;
  std::int64_t kept_ = 0;
  std::array<File, 9> ports_{};  // 1..8
  File analog_;
  File other_;
};

}  // namespace qv
