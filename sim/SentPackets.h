// For tests: the data packets the simulator put on the line intact, in the
// order they went out, so a test can look for each in the host's archive.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace qv {

// 64-bit FNV-1a of a packet's payload (the ports' bytes, in port order).
std::uint64_t PayloadHash(std::span<const std::uint8_t> payload);

struct SentDataPacket {
  std::uint8_t loggerId = 0;
  std::uint8_t sequence = 0;
  std::uint16_t payloadLength = 0;
  std::uint32_t timeStamp = 0;
  std::uint64_t payloadHash = 0;
  // Its sequence follows the unit's previous intact packet (a unit's first is 0):
  // a host that heard every intact packet takes it in sequence and, with a
  // payload, records it. False after a gap, a corrupted or an overrun packet.
  bool inSequence = false;
  // The same packet went out again right after it; the host ignores that copy.
  bool repeated = false;
};

// Bounded: beyond `limit` entries the oldest are let go (and counted), so a
// simulator left streaming for days keeps a few megabytes at most.
class SentPacketLog {
 public:
  static constexpr std::size_t kDefaultLimit = 100000;  // about 20 minutes of a full chain

  explicit SentPacketLog(std::size_t limit = kDefaultLimit) : limit_(limit < 1 ? 1 : limit) {
    lastSequence_.fill(255);  // as the host starts: a unit's first packet is 0
    lastEntry_.fill(kNone);
  }

  // A whole, checksum-valid data packet as it went out.
  void Add(std::span<const std::uint8_t> packet);
  const std::deque<SentDataPacket>& Entries() const { return entries_; }
  // Entries let go from the front, and all entries ever added.
  std::uint64_t Forgotten() const { return forgotten_; }
  std::uint64_t Total() const { return forgotten_ + entries_.size(); }

 private:
  std::size_t limit_;
  std::deque<SentDataPacket> entries_;
  std::uint64_t forgotten_ = 0;
  static constexpr std::uint64_t kNone = UINT64_MAX;
  std::array<std::uint8_t, 256> lastSequence_{};
  std::array<std::uint64_t, 256> lastEntry_{};  // each unit's latest entry, counted from the first ever
};

}  // namespace qv
