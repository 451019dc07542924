// One buffer per fixed-size packet type, filled by the receive pump and
// shared with the subsystems that show, edit and send the records back.
#pragma once

#include <array>
#include <cstdint>

#include "protocol/PacketTypes.h"

namespace qv {

struct ReceivedRecords {
  std::array<std::uint8_t, kSetupPacketSize> setup{};
  std::array<std::uint8_t, kFlashErrorPacketSize> flashError{};
  std::array<std::uint8_t, kStatusPacketSize> status{};
  std::array<std::uint8_t, kUploadBlockPacketSize> uploadBlock{};
  std::array<std::uint8_t, kDirectoryEntryPacketSize> directoryEntry{};
  std::array<std::uint8_t, kAnalogCalPacketSize> analogCal{};
  std::array<std::uint8_t, kHardwareConfigPacketSize> hardwareConfig{};

  // Raised on arrival, lowered by the display tick that shows the record.
  bool setupReceived = false;
  bool statusReceived = false;
  // The flash error value of the last flash error packet; not 0 shows the
  // bad-flash panel.
  std::int16_t badFlash = 0;
};

}  // namespace qv
