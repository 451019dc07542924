// The logger's 44-byte analog calibration (packet type 6): for the battery
// input and analog inputs A1..A7 the converter reading at 0 volts and the
// counts per volt. Received, sent back whole and kept in ".alg" files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "protocol/PacketTypes.h"

namespace qv {

struct AnalogCalRecord {
  static constexpr PacketType kType = PacketType::AnalogCal;
  static constexpr int kSize = kAnalogCalPacketSize;
  using Bytes = std::array<std::uint8_t, kSize>;
  // Element 0 the battery input, 1..7 the analog inputs A1..A7.
  static constexpr int kInputs = 8;

  std::int16_t calHeaderCount = 15;
  std::int32_t calHeaderFlag = 1;
  std::array<std::int16_t, kInputs> analogOffset{};
  std::array<std::int16_t, kInputs> analogScale{};
  std::int16_t reserved = 0;

  Bytes Encode() const;
  // The record of a whole calibration packet with a right byte sum.
  static std::optional<AnalogCalRecord> Decode(std::span<const std::uint8_t> bytes);
  // The fields of the first kSize bytes, type bytes and sum unexamined.
  static std::optional<AnalogCalRecord> FromFields(std::span<const std::uint8_t> bytes);

  bool operator==(const AnalogCalRecord&) const = default;
};

}  // namespace qv
