#include "protocol/PortTestFrame.h"

#include "common/ByteOrder.h"
#include "protocol/ByteSum.h"

namespace qv {

PortTestFrame::Bytes PortTestFrame::Encode() const {
  Bytes bytes{};
  std::uint8_t* b = bytes.data();
  b[0] = b[1] = kPortTestMarker;
  auto w16 = [&](int off, std::int16_t v) { WriteBE16(b + off, static_cast<std::uint16_t>(v)); };
  WriteBE16(b + 2, testPortNumber);
  WriteBE32(b + 4, static_cast<std::uint32_t>(testPortBaud));
  WriteBE32(b + 8, static_cast<std::uint32_t>(hostPortBaud));
  w16(12, testPortParity);
  w16(14, hostPortParity);
  w16(16, testPortDataBits);
  w16(18, hostPortDataBits);
  SealChecksum(b, kSize);
  return bytes;
}

std::optional<PortTestFrame> PortTestFrame::Decode(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < static_cast<std::size_t>(kSize)) return std::nullopt;
  const std::uint8_t* b = bytes.data();
  if (b[0] != kPortTestMarker || b[1] != kPortTestMarker || ReadBE16(b + 20) != 0 ||
      !ChecksumValid(b, kSize))
    return std::nullopt;
  auto r16 = [&](int off) { return static_cast<std::int16_t>(ReadBE16(b + off)); };
  PortTestFrame f;
  f.testPortNumber = ReadBE16(b + 2);
  f.testPortBaud = static_cast<std::int32_t>(ReadBE32(b + 4));
  f.hostPortBaud = static_cast<std::int32_t>(ReadBE32(b + 8));
  f.testPortParity = r16(12);
  f.hostPortParity = r16(14);
  f.testPortDataBits = r16(16);
  f.hostPortDataBits = r16(18);
  return f;
}

}  // namespace qv
