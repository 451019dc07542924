// Splits what the host sends into command frames, the records it sends whole,
// the port test frame and stop texts, skipping byte by byte whatever starts
// none of them (operator text, noise, bad sums).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "protocol/CommandFrame.h"
#include "protocol/PortTestFrame.h"

namespace qv {

enum class HostInputKind {
  Command,     // 12-byte command frame, 02 02 ...
  SetupRecord, // 192-byte setup record, 01 01 ...
  AnalogCalRecord,  // 44-byte analog calibration, 06 06 ...
  HardwareRecord,   // 58-byte hardware configuration, 07 07 ...
  PortTest,         // 24-byte single-port test frame, 0A 0A ...
  StopText,    // "STOP7E1STOP7E1" or "BREAKBREAKBREAK"
};

struct HostInput {
  HostInputKind kind;
  std::vector<std::uint8_t> bytes;  // the frame or record whole, as received
  CommandFrame command;             // a command frame, decoded
  PortTestFrame portTest;           // a port test frame, decoded
};

class HostInputSplitter {
 public:
  // A partly received frame is given up (its first byte skipped) when no byte
  // has come for this long, so a stray lead byte cannot hold later frames back.
  static constexpr std::int64_t kGapTimeoutMs = 1000;

  void Feed(const std::uint8_t* bytes, std::size_t count, std::int64_t nowMs);
  // The next usable input at the head of what was fed, or nothing yet.
  std::optional<HostInput> Next(std::int64_t nowMs);
  void Clear();

  std::uint64_t SkippedBytes() const { return skipped_; }
  // Records whose lead bytes came but whose byte sum was wrong.
  std::uint64_t RejectedRecords() const { return rejected_; }

 private:
  enum class Head { Complete, NeedMore, Unusable };
  Head Examine(HostInput& out);
  void Skip(std::size_t count);

  std::deque<std::uint8_t> held_;
  std::int64_t lastFeedMs_ = 0;
  std::uint64_t skipped_ = 0;
  std::uint64_t rejected_ = 0;
};

}  // namespace qv
