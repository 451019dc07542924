// The 132-byte status record the logger sends by itself (packet type 3),
// decoded and encoded field by field, least significant byte first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/OperationState.h"
#include "protocol/PacketTypes.h"

namespace qv {

inline constexpr int kStatusRecordSize = kStatusPacketSize;

struct StatusRecord {
  static constexpr PacketType kType = PacketType::Status;
  static constexpr int kSize = kStatusRecordSize;
  using Bytes = std::array<std::uint8_t, kSize>;

  OperationState operationState = OperationState::Off;
  std::int16_t runNumber = -1;
  std::int32_t loggerTime = 0;
  std::uint32_t timeLeft = 0;
  std::int16_t loggerModel = 0;
  std::int16_t loggerId = 0;
  std::int16_t serialMask = 0;  // bits 0-7 ports 1-8, bit 8 RS-422 host, bit 9 remote host on
  std::int16_t analogMask = 0;
  std::int16_t pumpMask = 0;
  std::array<std::int16_t, 9> portDataRates{};  // 1..8; negative: bytes per record
  std::int16_t powerFlags = 0;
  std::int16_t currentVoltage = 0;  // millivolts
  std::int16_t startVoltage = 0;
  std::int16_t endVoltage = 0;
  std::int16_t runStopSwitch = 0;
  std::array<std::int16_t, 8> analogVoltages{};  // 1..7, millivolts
  std::array<std::int32_t, 9> portFileSizes{};   // 1..8
  std::int32_t analogFileSize = 0;
  std::int32_t otherFileSize = 0;
  std::int32_t freeDisk = 0;
  std::int32_t totalDisk = 0;
  std::uint32_t firmwareStamp = 0;

  // The whole packet: type bytes, fields, unused bytes 0, byte sum.
  Bytes Encode() const;
  // The record of the packet at the start of `bytes`; nothing unless they
  // hold a whole status packet with a right byte sum.
  static std::optional<StatusRecord> Decode(std::span<const std::uint8_t> bytes);

  // Firmware stamp: bits 28-31 major, 20-27 minor (hundredths), 16-19 month,
  // 8-15 day, 0-7 year.
  static std::uint32_t MakeFirmwareStamp(int major, int minor, int month, int day, int year);
  double FirmwareVersion() const;

  bool operator==(const StatusRecord&) const = default;
};

}  // namespace qv
