// The logger's 58-byte hardware configuration (packet type 7): model, serial
// number, run/stop switch and status lamp kinds, and the relay feeding each
// port. The same bytes are received, sent back whole and kept in ".hdw" files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/PacketTypes.h"

namespace qv {

struct HardwareConfigRecord {
  static constexpr PacketType kType = PacketType::HardwareConfig;
  static constexpr int kSize = kHardwareConfigPacketSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  // The 21 relay entries: 0 and 9 have no port; 1..8 the serial ports,
  // 10..16 the analog ports, 17..20 the pump ports.
  static constexpr int kRelayEntries = 21;
  static constexpr int kFirstSerialRelay = 1;
  static constexpr int kFirstAnalogRelay = 10;
  static constexpr int kFirstPumpRelay = 17;

  std::int16_t hwSerialNumber = 0;
  std::int16_t deviceType = 0;  // 0 none, 1 px5Plus, 2 KR7, 3 Zed Plus; -1 none selected
  std::int16_t statusLed = 0;
  std::int16_t runStopSwitch = 0;
  std::array<std::uint8_t, 4> reserved{};  // carried, never interpreted
  std::array<std::int16_t, kRelayEntries> relays{};

  // The whole packet: type bytes, fields, byte sum.
  Bytes Encode() const;
  // The record of a whole hardware packet with a right byte sum; nothing otherwise.
  static std::optional<HardwareConfigRecord> Decode(std::span<const std::uint8_t> bytes);
  // The fields of the first kSize bytes whatever their type bytes and sum
  // say, as a file holds them; nothing when fewer bytes are given.
  static std::optional<HardwareConfigRecord> FromFields(std::span<const std::uint8_t> bytes);

  bool operator==(const HardwareConfigRecord&) const = default;
};

}  // namespace qv
