// The 12-byte command frame: marker 0x0202, code, long value, short value,
// byte sum; every field least significant byte first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace qv {

inline constexpr int kCommandFrameSize = 12;
inline constexpr std::uint16_t kCommandMarker = 0x0202;

using CommandFrameBytes = std::array<std::uint8_t, kCommandFrameSize>;

struct CommandFrame {
  static constexpr int kSize = kCommandFrameSize;

  std::uint16_t code = 0;
  std::int16_t shortValue = 0;
  std::int32_t longValue = 0;

  CommandFrameBytes Encode() const;
  // The frame at the start of `bytes`; nothing unless they hold 12 bytes with
  // the marker and a right byte sum.
  static std::optional<CommandFrame> Decode(std::span<const std::uint8_t> bytes);

  bool operator==(const CommandFrame&) const = default;
};

// The bytes of a frame with the code and its two values.
inline CommandFrameBytes BuildCommandFrame(std::uint16_t code, std::int16_t shortValue,
                                           std::int32_t longValue) {
  return CommandFrame{code, shortValue, longValue}.Encode();
}

}  // namespace qv
