// What the fuzz targets share: a check that aborts, and sealing the byte sums
// of packet lookalikes so that fuzzed input reaches valid packets too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "common/ByteOrder.h"
#include "protocol/ByteSum.h"
#include "protocol/PacketTypes.h"

namespace qv::fuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

// Seals the checksum of every stretch that starts like a packet and fits;
// a data packet's length field is first brought within 4096.
inline void SealPacketLookalikes(std::vector<std::uint8_t>& b) {
  std::size_t i = 0;
  while (i + 1 < b.size()) {
    const PacketType type = PacketTypeOf(b[i], b[i + 1]);
    int size = FixedPacketSize(type);
    if (type == PacketType::Data && i + 8 <= b.size()) {
      const int length = ReadBE16(&b[i + kPayloadLengthOffset]) % (kMaxPayload + 1);
      WriteBE16(&b[i + kPayloadLengthOffset], static_cast<std::uint16_t>(length));
      size = length + kEmptyDataPacketSize;
    }
    if (size > 0 && i + static_cast<std::size_t>(size) <= b.size()) {
      SealChecksum(&b[i], static_cast<std::size_t>(size));
      i += static_cast<std::size_t>(size);
    } else {
      ++i;
    }
  }
}

// The first byte of an input steers the target; its bit 0 seals the packet
// lookalikes of the rest. Nothing for an input too short to steer.
struct SteeredInput {
  std::uint8_t control = 0;
  std::vector<std::uint8_t> bytes;
};

inline std::optional<SteeredInput> Steer(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return std::nullopt;
  SteeredInput in{data[0], std::vector<std::uint8_t>(data + 1, data + size)};
  if (in.control & 0x01) SealPacketLookalikes(in.bytes);
  return in;
}

}  // namespace qv::fuzz
