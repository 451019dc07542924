// Builds packets exactly as a logger sends them (type bytes, body, byte sum)
// for tests, fuzz seeds and benchmarks.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "common/ByteOrder.h"
#include "protocol/DataPacket.h"
#include "protocol/FlashErrorPacket.h"
#include "protocol/PacketTypes.h"

namespace qv::testing {

using Bytes = std::vector<std::uint8_t>;

// A packet of a fixed-size type: `body` fills the bytes after the two type
// bytes, the rest up to the checksum stays 0.
inline Bytes MakeFixedPacket(PacketType type, const Bytes& body = {}) {
  const int size = FixedPacketSize(type);
  if (size == 0) throw std::invalid_argument("not a fixed-size packet type");
  if (static_cast<int>(body.size()) > size - 4) throw std::length_error("body too long");
  Bytes packet(static_cast<std::size_t>(size), 0);
  std::copy(body.begin(), body.end(), packet.begin() + 2);
  SealPacket(packet, type);
  return packet;
}

inline Bytes MakeStatusPacket(const Bytes& body = {}) { return MakeFixedPacket(PacketType::Status, body); }

inline Bytes MakeFlashErrorPacket(std::int16_t value) {
  const FlashErrorPacket::Bytes packet = FlashErrorPacket{value, {}}.Encode();
  return Bytes(packet.begin(), packet.end());
}

// The bytes of logger ports 1..9 (9 the analog port) in one data packet.
using PortBytes = std::array<Bytes, 9>;

// A data packet: big-endian header (markers 1 and 0), the ports' bytes in
// port order, the trailer "####" and the checksum.
inline Bytes MakeDataPacket(std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t timeStamp,
                            const PortBytes& ports) {
  DataPorts spans;
  std::size_t payload = 0;
  for (std::size_t k = 0; k < ports.size(); ++k) {
    spans[k] = ports[k];
    payload += ports[k].size();
  }
  if (payload > static_cast<std::size_t>(kMaxPayload)) throw std::length_error("payload too long");
  return BuildDataPacket(loggerId, sequence, timeStamp, spans);
}

// A data packet carrying `payload` on port 1.
inline Bytes MakeDataPacket(std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t timeStamp,
                            const Bytes& payload) {
  PortBytes ports;
  ports[0] = payload;
  return MakeDataPacket(loggerId, sequence, timeStamp, ports);
}

// A data packet claiming another payload length, its byte sum left as it was.
inline Bytes WithLengthField(Bytes packet, std::uint16_t length) {
  WriteBE16(packet.data() + kPayloadLengthOffset, length);
  return packet;
}

// A packet whose byte sum is wrong.
inline Bytes WithBadChecksum(Bytes packet) {
  packet.back() ^= 0x40;
  return packet;
}

// Joins byte sequences into one stream.
template <typename... Parts>
Bytes Concat(const Parts&... parts) {
  Bytes out;
  (out.insert(out.end(), parts.begin(), parts.end()), ...);
  return out;
}

}  // namespace qv::testing
