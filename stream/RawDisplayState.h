// The raw display buffer, shared by every source that shows bytes in the memo,
// and the settings that decide which source may fill it.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace qv {

inline constexpr int kRawDisplaySourceParsed = 0;
inline constexpr int kRawDisplaySourceRawLogger = 1;
inline constexpr int kRawDisplaySourceRawPcLogger = 2;

struct RawDisplayState {
  static constexpr int kBufferSize = 3000;

  std::array<std::uint8_t, kBufferSize> RawDisplayBuffer{};
  int RawDisplayLength = 0;  // bytes waiting for the memo; 0 when none

  bool rawDisplayOn = false;
  int rawDisplaySource = kRawDisplaySourceParsed;
  int rawDisplayPort = 0;  // 0..7 serial ports 1..8, 8 the analog port
  int rawDisplayLoggerId = 2;

  bool Pending() const { return RawDisplayLength != 0; }

  // Replaces whatever is pending; what does not fit is cut.
  void Put(const std::uint8_t* bytes, int count) {
    const int n = std::clamp(count, 0, kBufferSize);
    if (n > 0) std::memcpy(RawDisplayBuffer.data(), bytes, static_cast<std::size_t>(n));
    RawDisplayLength = n;
  }
};

}  // namespace qv
