// Finds a complete, checksum-valid packet at the head of the bytes received
// from the logger, remembering a decoded data packet header across reads.
// Pure: it reads the bytes it is shown and nothing else.
#pragma once

#include <cstdint>

#include "protocol/PacketTypes.h"

namespace qv {

enum class FrameResult : std::uint8_t {
  Packet,         // a complete packet with a right byte sum at the head
  NeedMore,       // a packet has begun but is incomplete
  NoPacket,       // the head byte cannot start a valid packet
  LengthError,    // a data packet length field above 4096
  ChecksumError,  // a data packet with a wrong byte sum
};

// Eight bytes, so it comes back in a register: the framer runs once for every
// byte of garbage.
struct Framed {
  FrameResult result = FrameResult::NeedMore;
  PacketType type = PacketType::None;  // with Packet
  int size = 0;                        // with Packet: the whole packet's size

  bool IsPacket(PacketType t) const { return result == FrameResult::Packet && type == t; }
};
static_assert(sizeof(Framed) == 8);

class PacketFramer {
 public:
  // Examines the first `held` bytes of `buffer` and never reads past them.
  Framed FramePacket(const std::uint8_t* buffer, int held);

  // 36 while no data packet header is decoded, else the decoded packet's total
  // size (the size of the packet just framed when a data packet was found).
  int ExpectedDataSize() const { return expectedDataSize_; }
  // The length field (0..65535) behind the last length error.
  int LengthErrorValue() const { return lengthErrorValue_; }
  // Forgets a decoded header: after a data packet is consumed or the
  // buffer is emptied.
  void Reset() { expectedDataSize_ = kEmptyDataPacketSize; }

 private:
  Framed FrameDataPacket(const std::uint8_t* buffer, int held);

  int expectedDataSize_ = kEmptyDataPacketSize;
  int lengthErrorValue_ = 0;
};

}  // namespace qv
