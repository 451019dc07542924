#include "protocol/PacketTypes.h"

#include "protocol/ByteSum.h"

namespace qv {

bool HoldsPacket(std::span<const std::uint8_t> bytes, PacketType type) {
  const auto size = static_cast<std::size_t>(FixedPacketSize(type));
  return size > 0 && bytes.size() >= size && PacketTypeOf(bytes[0], bytes[1]) == type &&
         ChecksumValid(bytes.data(), size);
}

void SealPacket(std::span<std::uint8_t> bytes, PacketType type) {
  const auto size = static_cast<std::size_t>(FixedPacketSize(type));
  if (size == 0 || bytes.size() < size) return;
  bytes[0] = bytes[1] = static_cast<std::uint8_t>(type);
  SealChecksum(bytes.data(), size);
}

}  // namespace qv
