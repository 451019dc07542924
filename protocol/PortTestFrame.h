// The 24-byte single-port test frame the host sends to put the logger in test
// mode: which port, and the line settings of that port and of the logger's
// host port meanwhile. Its fields are most significant byte first; only its
// byte sum is least significant byte first, as everywhere.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace qv {

inline constexpr int kPortTestFrameSize = 24;
inline constexpr std::uint8_t kPortTestMarker = 0x0A;  // the frame opens with it twice
inline constexpr int kTestAnalogPorts = 9;             // port number of the analog ports

struct PortTestFrame {
  static constexpr int kSize = kPortTestFrameSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  std::uint16_t testPortNumber = 1;  // 1..8 serial ports, 9 the analog ports
  std::int32_t testPortBaud = 0;
  std::int32_t hostPortBaud = 0;
  std::int16_t testPortParity = 0;  // 0 none, 2 even
  std::int16_t hostPortParity = 0;
  std::int16_t testPortDataBits = 8;
  std::int16_t hostPortDataBits = 8;

  Bytes Encode() const;
  // The frame at the start of `bytes`; nothing without the marker, the
  // reserved word 0 and a right byte sum.
  static std::optional<PortTestFrame> Decode(std::span<const std::uint8_t> bytes);

  bool operator==(const PortTestFrame&) const = default;
};

}  // namespace qv
