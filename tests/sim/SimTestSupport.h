// Helpers for the simulator tests: host frames as bytes, the time zone pinned,
// and scans for valid packets in a byte stream.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "protocol/CommandFrame.h"
#include "protocol/DataPacket.h"
#include "protocol/PacketTypes.h"
#include "tests/support/DaylightSavingZone.h"

namespace qv::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes FrameBytes(std::uint16_t code, std::int16_t shortValue = 0, std::int32_t longValue = 0) {
  const CommandFrameBytes f = BuildCommandFrame(code, shortValue, longValue);
  return Bytes(f.begin(), f.end());
}

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Types of every checksum-valid packet that starts anywhere in `bytes`.
inline std::vector<PacketType> PacketsIn(const Bytes& bytes) {
  std::vector<PacketType> found;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    const PacketType type = PacketTypeOf(bytes[i], bytes[i + 1]);
    const std::span<const std::uint8_t> rest(bytes.data() + i, bytes.size() - i);
    if (type == PacketType::Data ? DataPacket::Decode(rest).has_value() : HoldsPacket(rest, type))
      found.push_back(type);
  }
  return found;
}

// A data packet as the host would frame it.
struct SeenDataPacket {
  int loggerId = 0;
  int sequence = 0;
  std::uint32_t timeStamp = 0;
  Bytes payload;
  Bytes whole;
  DataPacket decoded;
  // Port k's (1..9) bytes.
  Bytes Port(int k) const {
    const std::span<const std::uint8_t> port = decoded.Port(k);
    return Bytes(port.begin(), port.end());
  }
};

// The checksum-valid data packets in `bytes`, each taken whole before the
// scan goes on, as the host's framer takes them.
inline std::vector<SeenDataPacket> DataPacketsIn(const Bytes& bytes) {
  std::vector<SeenDataPacket> found;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::span<const std::uint8_t> rest(bytes.data() + i, bytes.size() - i);
    std::optional<DataPacket> p = DataPacket::Decode(rest);
    if (!p) {
      ++i;
      continue;
    }
    const std::size_t size = kDataPacketOverhead + p->payload.size();
    found.push_back(SeenDataPacket{p->header.loggerId, p->header.sequence, p->header.timeStamp,
                                   p->payload, Bytes(rest.begin(), rest.begin() + size), *p});
    i += size;
  }
  return found;
}

}  // namespace qv::testing
