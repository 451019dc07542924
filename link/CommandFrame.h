// The 12-byte command frame: marker 0x0202, code, long value, short value,
// byte sum; every field least significant byte first.
#pragma once

#include <array>
#include <cstdint>

namespace qv {

inline constexpr int kCommandFrameSize = 12;
inline constexpr std::uint16_t kCommandMarker = 0x0202;

using CommandFrame = std::array<std::uint8_t, kCommandFrameSize>;

CommandFrame BuildCommandFrame(std::uint16_t code, std::int16_t shortValue, std::int32_t longValue);

}  // namespace qv
