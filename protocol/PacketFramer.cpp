// Packet framing: type bytes, size, checksum.
#include "protocol/PacketFramer.h"

#include "common/ByteOrder.h"
#include "protocol/ByteSum.h"

namespace qv {

namespace {

constexpr Framed kNeedMore{FrameResult::NeedMore};
constexpr Framed kNoPacket{FrameResult::NoPacket};

Framed Found(PacketType type, int size) { return Framed{FrameResult::Packet, type, size}; }

}  // namespace

Framed PacketFramer::FramePacket(const std::uint8_t* buffer, int held) {
  if (held < 2) return kNeedMore;
  // The types exclude each other (both bytes equal the type), so one lookup
  // gives what testing them in turn would.
  const PacketType type = PacketTypeOf(buffer[0], buffer[1]);
  if (type == PacketType::None) return kNoPacket;
  if (type == PacketType::Data) return FrameDataPacket(buffer, held);
  const int size = FixedPacketSize(type);
  if (held < size) return kNeedMore;
  return ChecksumValid(buffer, static_cast<std::size_t>(size)) ? Found(type, size) : kNoPacket;
}

Framed PacketFramer::FrameDataPacket(const std::uint8_t* buffer, int held) {
  if (held < expectedDataSize_) return kNeedMore;
  if (expectedDataSize_ == kEmptyDataPacketSize) {
    // Read unsigned: a field above 0x7FFF (negative as a signed length)
    // fails the limit like any length above 4096.
    const int length = ReadBE16(buffer + kPayloadLengthOffset);
    if (length > kMaxPayload) {
      lengthErrorValue_ = length;
      return Framed{FrameResult::LengthError};
    }
    if (length == 0) {
      return ChecksumValid(buffer, kEmptyDataPacketSize)
                 ? Found(PacketType::Data, kEmptyDataPacketSize)
                 : kNoPacket;
    }
    expectedDataSize_ = length + kEmptyDataPacketSize;
    if (held < expectedDataSize_) return kNeedMore;
  }
  if (ChecksumValid(buffer, static_cast<std::size_t>(expectedDataSize_)))
    return Found(PacketType::Data, expectedDataSize_);
  expectedDataSize_ = kEmptyDataPacketSize;
  return Framed{FrameResult::ChecksumError};
}

}  // namespace qv
