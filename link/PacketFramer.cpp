// Packet framing: type bytes, size, checksum.
#include "link/PacketFramer.h"

#include "common/ByteOrder.h"
#include "common/ByteSum.h"

namespace qv {

int PacketFramer::FramePacket(const std::uint8_t* buffer, int held) {
  if (held < 2) return kFrameNeedMore;
  // The types exclude each other (both bytes equal the type), so one lookup
  // gives what testing them in turn would.
  const int type = buffer[0];
  if (buffer[1] != type || type < kSetupPacket || type > kDataPacket) return kFrameNoPacket;
  if (type == kDataPacket) return FrameDataPacket(buffer, held);
  const int size = FixedPacketSize(type);
  if (held < size) return kFrameNeedMore;
  return ChecksumValid(buffer, static_cast<std::size_t>(size)) ? type : kFrameNoPacket;
}

int PacketFramer::FrameDataPacket(const std::uint8_t* buffer, int held) {
  if (held < expectedDataSize_) return kFrameNeedMore;
  if (expectedDataSize_ == kEmptyDataPacketSize) {
    // Read unsigned: a field above 0x7FFF (negative as a signed length)
    // fails the limit like any length above 4096.
    const int length = ReadBE16(buffer + kPayloadLengthOffset);
    if (length > kMaxPayload) {
      lengthErrorValue_ = length;
      return kFrameLengthError;
    }
    if (length == 0) {
      return ChecksumValid(buffer, kEmptyDataPacketSize) ? kDataPacket : kFrameNoPacket;
    }
    expectedDataSize_ = length + kEmptyDataPacketSize;
    if (held < expectedDataSize_) return kFrameNeedMore;
  }
  if (ChecksumValid(buffer, static_cast<std::size_t>(expectedDataSize_))) return kDataPacket;
  expectedDataSize_ = kEmptyDataPacketSize;
  return kFrameChecksumError;
}

}  // namespace qv
