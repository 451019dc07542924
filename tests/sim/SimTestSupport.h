// Helpers for the simulator tests: host frames as bytes, the time zone pinned,
// and scans for valid packets in a byte stream.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "tests/support/DaylightSavingZone.h"
#include "common/ByteOrder.h"
#include "common/ByteSum.h"
#include "link/CommandFrame.h"
#include "link/PacketTypes.h"

namespace qv::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes FrameBytes(std::uint16_t code, std::int16_t shortValue = 0, std::int32_t longValue = 0) {
  const CommandFrame f = BuildCommandFrame(code, shortValue, longValue);
  return Bytes(f.begin(), f.end());
}

inline Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Types of every checksum-valid packet that starts anywhere in `bytes`.
inline std::vector<int> PacketsIn(const Bytes& bytes) {
  std::vector<int> found;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    const int type = bytes[i];
    if (type < 1 || type > 8 || bytes[i + 1] != type) continue;
    std::size_t size = static_cast<std::size_t>(FixedPacketSize(type));
    if (type == kDataPacket) {
      if (i + kPayloadLengthOffset + 2 > bytes.size()) continue;
      size = kEmptyDataPacketSize + ReadBE16(bytes.data() + i + kPayloadLengthOffset);
    }
    if (i + size <= bytes.size() && ChecksumValid(bytes.data() + i, size)) found.push_back(type);
  }
  return found;
}

// A data packet as the host would frame it.
struct SeenDataPacket {
  int loggerId = 0;
  int sequence = 0;
  std::uint32_t timeStamp = 0;
  std::array<int, 9> portCounts{};
  Bytes payload;
  Bytes whole;
  // Port k's (1..9) bytes.
  Bytes Port(int k) const {
    std::size_t at = 0;
    for (int i = 1; i < k; ++i) at += static_cast<std::size_t>(portCounts[i - 1]);
    return Bytes(payload.begin() + static_cast<std::ptrdiff_t>(at),
                 payload.begin() + static_cast<std::ptrdiff_t>(at + static_cast<std::size_t>(portCounts[k - 1])));
  }
};

// The checksum-valid data packets in `bytes`, each taken whole before the
// scan goes on, as the host's framer takes them.
inline std::vector<SeenDataPacket> DataPacketsIn(const Bytes& bytes) {
  std::vector<SeenDataPacket> found;
  std::size_t i = 0;
  while (i + kEmptyDataPacketSize <= bytes.size()) {
    const std::uint8_t* b = bytes.data() + i;
    const std::size_t size = kEmptyDataPacketSize + ReadBE16(b + kPayloadLengthOffset);
    if (b[0] != kDataPacket || b[1] != kDataPacket || i + size > bytes.size() ||
        !ChecksumValid(b, size)) {
      ++i;
      continue;
    }
    SeenDataPacket p;
    p.loggerId = b[4];
    p.sequence = b[5];
    p.timeStamp = ReadBE32(b + 8);
    for (int k = 0; k < 9; ++k) p.portCounts[k] = ReadBE16(b + 12 + 2 * k);
    p.payload.assign(b + 30, b + size - 6);
    p.whole.assign(b, b + size);
    found.push_back(std::move(p));
    i += size;
  }
  return found;
}

}  // namespace qv::testing
