// Helpers for the simulator tests: host frames as bytes, the time zone pinned,
// and a scan for valid packets anywhere in a byte stream.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

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

// New York time (daylight saving in July) for the length of a test.
class PinnedTimeZone {
 public:
  PinnedTimeZone() {
    const char* old = std::getenv("TZ");
    hadTz_ = old != nullptr;
    saved_ = old ? old : "";
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    tzset();
  }
  ~PinnedTimeZone() {
    if (hadTz_)
      setenv("TZ", saved_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }

 private:
  std::string saved_;
  bool hadTz_ = false;
};

}  // namespace qv::testing
