#include "protocol/AnalogCalRecord.h"

#include "common/ByteOrder.h"

namespace qv {

namespace {
constexpr int kOffsetsAt = 8;
constexpr int kScalesAt = 24;
}  // namespace

AnalogCalRecord::Bytes AnalogCalRecord::Encode() const {
  Bytes bytes{};
  std::uint8_t* b = bytes.data();
  auto w16 = [&](int off, std::int16_t v) { WriteLE16(b + off, static_cast<std::uint16_t>(v)); };
  w16(2, calHeaderCount);
  WriteLE32(b + 4, static_cast<std::uint32_t>(calHeaderFlag));
  for (int k = 0; k < kInputs; ++k) {
    w16(kOffsetsAt + 2 * k, analogOffset[static_cast<std::size_t>(k)]);
    w16(kScalesAt + 2 * k, analogScale[static_cast<std::size_t>(k)]);
  }
  w16(40, reserved);
  SealPacket(bytes, kType);
  return bytes;
}

std::optional<AnalogCalRecord> AnalogCalRecord::Decode(std::span<const std::uint8_t> bytes) {
  if (!HoldsPacket(bytes, kType)) return std::nullopt;
  return FromFields(bytes);
}

std::optional<AnalogCalRecord> AnalogCalRecord::FromFields(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < static_cast<std::size_t>(kSize)) return std::nullopt;
  const std::uint8_t* b = bytes.data();
  AnalogCalRecord r;
  r.calHeaderCount = ReadLE16s(b + 2);
  r.calHeaderFlag = ReadLE32s(b + 4);
  for (int k = 0; k < kInputs; ++k) {
    r.analogOffset[static_cast<std::size_t>(k)] = ReadLE16s(b + kOffsetsAt + 2 * k);
    r.analogScale[static_cast<std::size_t>(k)] = ReadLE16s(b + kScalesAt + 2 * k);
  }
  r.reserved = ReadLE16s(b + 40);
  return r;
}

}  // namespace qv
