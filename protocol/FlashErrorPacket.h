// The 12-byte flash error packet (type 2): a signed count of bad flash
// operations, least significant byte first, and six bytes the host does not read.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/PacketTypes.h"

namespace qv {

struct FlashErrorPacket {
  static constexpr PacketType kType = PacketType::FlashError;
  static constexpr int kSize = kFlashErrorPacketSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  std::int16_t value = 0;  // not 0: the logger reports bad flash operations
  std::array<std::uint8_t, 6> spare{};

  Bytes Encode() const;
  static std::optional<FlashErrorPacket> Decode(std::span<const std::uint8_t> bytes);

  bool operator==(const FlashErrorPacket&) const = default;
};

}  // namespace qv
