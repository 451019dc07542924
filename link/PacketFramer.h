// Finds a complete, checksum-valid packet at the head of the bytes received
// from the logger, remembering a decoded data packet header across reads.
#pragma once

#include <cstdint>

#include "link/PacketTypes.h"

namespace qv {

// FramePacket results; a positive result is the packet type 1..8.
inline constexpr int kFrameNeedMore = 0;        // a packet has begun but is incomplete
inline constexpr int kFrameNoPacket = -1;       // the head byte cannot start a valid packet
inline constexpr int kFrameLengthError = -2;    // data packet length field out of range
inline constexpr int kFrameChecksumError = -3;  // data packet with a wrong checksum

class PacketFramer {
 public:
  // Examines the first `held` bytes of `buffer` and never reads past them.
  int FramePacket(const std::uint8_t* buffer, int held);

  // 36 while no data packet header is decoded, else the decoded packet's total
  // size (the size of the packet just framed when FramePacket returned 8).
  int ExpectedDataSize() const { return expectedDataSize_; }
  // The length field (0..65535) behind the last length error.
  int LengthErrorValue() const { return lengthErrorValue_; }
  // Forgets a decoded header: after a data packet is consumed or the
  // buffer is emptied.
  void Reset() { expectedDataSize_ = kEmptyDataPacketSize; }

 private:
  int FrameDataPacket(const std::uint8_t* buffer, int held);

  int expectedDataSize_ = kEmptyDataPacketSize;
  int lengthErrorValue_ = 0;
};

}  // namespace qv
