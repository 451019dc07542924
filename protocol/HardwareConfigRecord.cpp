#include "protocol/HardwareConfigRecord.h"

#include <algorithm>

#include "common/ByteOrder.h"

namespace qv {

namespace {
constexpr int kReservedOffset = 10;
constexpr int kRelayOffset = 14;
}  // namespace

HardwareConfigRecord::Bytes HardwareConfigRecord::Encode() const {
  Bytes bytes{};
  std::uint8_t* b = bytes.data();
  auto w16 = [&](int off, std::int16_t v) { WriteLE16(b + off, static_cast<std::uint16_t>(v)); };
  w16(2, hwSerialNumber);
  w16(4, deviceType);
  w16(6, statusLed);
  w16(8, runStopSwitch);
  std::copy(reserved.begin(), reserved.end(), b + kReservedOffset);
  for (int i = 0; i < kRelayEntries; ++i) w16(kRelayOffset + 2 * i, relays[static_cast<std::size_t>(i)]);
  SealPacket(bytes, kType);
  return bytes;
}

std::optional<HardwareConfigRecord> HardwareConfigRecord::Decode(
    std::span<const std::uint8_t> bytes) {
  if (!HoldsPacket(bytes, kType)) return std::nullopt;
  return FromFields(bytes);
}

std::optional<HardwareConfigRecord> HardwareConfigRecord::FromFields(
    std::span<const std::uint8_t> bytes) {
  if (bytes.size() < static_cast<std::size_t>(kSize)) return std::nullopt;
  const std::uint8_t* b = bytes.data();
  HardwareConfigRecord r;
  r.hwSerialNumber = ReadLE16s(b + 2);
  r.deviceType = ReadLE16s(b + 4);
  r.statusLed = ReadLE16s(b + 6);
  r.runStopSwitch = ReadLE16s(b + 8);
  std::copy(b + kReservedOffset, b + kReservedOffset + 4, r.reserved.begin());
  for (int i = 0; i < kRelayEntries; ++i)
    r.relays[static_cast<std::size_t>(i)] = ReadLE16s(b + kRelayOffset + 2 * i);
  return r;
}

}  // namespace qv
