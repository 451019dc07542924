#include "protocol/StatusRecord.h"

#include "common/ByteOrder.h"

namespace qv {

std::optional<StatusRecord> StatusRecord::Decode(std::span<const std::uint8_t> bytes) {
  if (!HoldsPacket(bytes, kType)) return std::nullopt;
  const std::uint8_t* b = bytes.data();
  StatusRecord r;
  r.operationState = static_cast<OperationState>(ReadLE16s(b + 4));
  r.runNumber = ReadLE16s(b + 6);
  r.loggerTime = ReadLE32s(b + 8);
  r.timeLeft = ReadLE32(b + 12);
  r.loggerModel = ReadLE16s(b + 18);
  r.loggerId = ReadLE16s(b + 20);
  r.serialMask = ReadLE16s(b + 22);
  r.analogMask = ReadLE16s(b + 24);
  r.pumpMask = ReadLE16s(b + 26);
  for (int i = 0; i < 9; ++i) r.portDataRates[i] = ReadLE16s(b + 28 + 2 * i);
  r.powerFlags = ReadLE16s(b + 46);
  r.currentVoltage = ReadLE16s(b + 48);
  r.startVoltage = ReadLE16s(b + 50);
  r.endVoltage = ReadLE16s(b + 52);
  r.runStopSwitch = ReadLE16s(b + 54);
  for (int i = 0; i < 8; ++i) r.analogVoltages[i] = ReadLE16s(b + 56 + 2 * i);
  for (int i = 0; i < 9; ++i) r.portFileSizes[i] = ReadLE32s(b + 72 + 4 * i);
  r.analogFileSize = ReadLE32s(b + 108);
  r.otherFileSize = ReadLE32s(b + 112);
  r.freeDisk = ReadLE32s(b + 116);
  r.totalDisk = ReadLE32s(b + 120);
  r.firmwareStamp = ReadLE32(b + 124);
  return r;
}

StatusRecord::Bytes StatusRecord::Encode() const {
  Bytes bytes{};
  std::uint8_t* b = bytes.data();
  auto w16 = [&](int off, std::int16_t v) { WriteLE16(b + off, static_cast<std::uint16_t>(v)); };
  auto w32 = [&](int off, std::int32_t v) { WriteLE32(b + off, static_cast<std::uint32_t>(v)); };
  w16(4, static_cast<std::int16_t>(operationState));
  w16(6, runNumber);
  w32(8, loggerTime);
  WriteLE32(b + 12, timeLeft);
  w16(18, loggerModel);
  w16(20, loggerId);
  w16(22, serialMask);
  w16(24, analogMask);
  w16(26, pumpMask);
  for (int i = 0; i < 9; ++i) w16(28 + 2 * i, portDataRates[i]);
  w16(46, powerFlags);
  w16(48, currentVoltage);
  w16(50, startVoltage);
  w16(52, endVoltage);
  w16(54, runStopSwitch);
  for (int i = 0; i < 8; ++i) w16(56 + 2 * i, analogVoltages[i]);
  for (int i = 0; i < 9; ++i) w32(72 + 4 * i, portFileSizes[i]);
  w32(108, analogFileSize);
  w32(112, otherFileSize);
  w32(116, freeDisk);
  w32(120, totalDisk);
  WriteLE32(b + 124, firmwareStamp);
  SealPacket(bytes, kType);
  return bytes;
}

std::uint32_t StatusRecord::MakeFirmwareStamp(int major, int minor, int month, int day, int year) {
  return (static_cast<std::uint32_t>(major & 0xF) << 28) |
         (static_cast<std::uint32_t>(minor & 0xFF) << 20) |
         (static_cast<std::uint32_t>(month & 0xF) << 16) |
         (static_cast<std::uint32_t>(day & 0xFF) << 8) | static_cast<std::uint32_t>(year & 0xFF);
}

double StatusRecord::FirmwareVersion() const {
  int major = static_cast<int>(firmwareStamp >> 28);
  int minor = static_cast<int>((firmwareStamp >> 20) & 0xFF);
  return major + minor / 100.0;
}

}  // namespace qv
