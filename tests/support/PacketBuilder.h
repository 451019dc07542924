// Builds packets exactly as a logger sends them (type bytes, body, byte sum)
// for tests, fuzz seeds, benchmarks and the simulator.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "common/ByteOrder.h"
#include "common/ByteSum.h"
#include "link/PacketTypes.h"

namespace qv::testing {

using Bytes = std::vector<std::uint8_t>;

// A packet of fixed-size type 1..7: `body` fills the bytes after the two
// type bytes, the rest up to the checksum stays 0.
inline Bytes MakeFixedPacket(int type, const Bytes& body = {}) {
  const int size = FixedPacketSize(type);
  if (size == 0) throw std::invalid_argument("not a fixed-size packet type");
  if (static_cast<int>(body.size()) > size - 4) throw std::length_error("body too long");
  Bytes packet(static_cast<std::size_t>(size), 0);
  packet[0] = packet[1] = static_cast<std::uint8_t>(type);
  std::copy(body.begin(), body.end(), packet.begin() + 2);
  SealChecksum(packet.data(), packet.size());
  return packet;
}

inline Bytes MakeStatusPacket(const Bytes& body = {}) { return MakeFixedPacket(kStatusPacket, body); }

inline Bytes MakeFlashErrorPacket(std::int16_t value) {
  Bytes body(2);
  WriteLE16(body.data(), static_cast<std::uint16_t>(value));
  return MakeFixedPacket(kFlashErrorPacket, body);
}

// The bytes of logger ports 1..9 (9 the analog port) in one data packet.
using PortBytes = std::array<Bytes, 9>;

// A data packet: big-endian header (markers 1 and 0), the ports' bytes in
// port order, the trailer "####" and the checksum.
inline Bytes MakeDataPacket(std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t timeStamp,
                            const PortBytes& ports) {
  std::size_t payload = 0;
  for (const Bytes& p : ports) payload += p.size();
  if (payload > static_cast<std::size_t>(kMaxPayload)) throw std::length_error("payload too long");
  Bytes packet(static_cast<std::size_t>(kEmptyDataPacketSize) + payload, 0);
  std::uint8_t* b = packet.data();
  b[0] = b[1] = kDataPacket;
  b[2] = 1;
  b[3] = 0;
  b[4] = loggerId;
  b[5] = sequence;
  WriteBE16(b + kPayloadLengthOffset, static_cast<std::uint16_t>(payload));
  WriteBE32(b + 8, timeStamp);
  std::size_t at = 30;
  for (std::size_t k = 0; k < ports.size(); ++k) {
    WriteBE16(b + 12 + 2 * k, static_cast<std::uint16_t>(ports[k].size()));
    std::copy(ports[k].begin(), ports[k].end(), packet.begin() + static_cast<std::ptrdiff_t>(at));
    at += ports[k].size();
  }
  std::fill_n(b + at, 4, std::uint8_t{0x23});
  SealChecksum(b, packet.size());
  return packet;
}

// A data packet carrying `payload` on port 1.
inline Bytes MakeDataPacket(std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t timeStamp,
                            const Bytes& payload) {
  PortBytes ports;
  ports[0] = payload;
  return MakeDataPacket(loggerId, sequence, timeStamp, ports);
}

// Joins byte sequences into one stream.
template <typename... Parts>
Bytes Concat(const Parts&... parts) {
  Bytes out;
  (out.insert(out.end(), parts.begin(), parts.end()), ...);
  return out;
}

}  // namespace qv::testing
