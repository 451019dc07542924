#include "protocol/FlashErrorPacket.h"

#include <algorithm>

#include "common/ByteOrder.h"

namespace qv {

FlashErrorPacket::Bytes FlashErrorPacket::Encode() const {
  Bytes bytes{};
  WriteLE16(bytes.data() + 2, static_cast<std::uint16_t>(value));
  std::copy(spare.begin(), spare.end(), bytes.begin() + 4);
  SealPacket(bytes, kType);
  return bytes;
}

std::optional<FlashErrorPacket> FlashErrorPacket::Decode(std::span<const std::uint8_t> bytes) {
  if (!HoldsPacket(bytes, kType)) return std::nullopt;
  FlashErrorPacket p;
  p.value = ReadLE16s(bytes.data() + 2);
  std::copy(bytes.begin() + 4, bytes.begin() + 10, p.spare.begin());
  return p;
}

}  // namespace qv
