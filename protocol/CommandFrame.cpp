// Command frames field by field, both ways.
#include "protocol/CommandFrame.h"

#include "common/ByteOrder.h"
#include "protocol/ByteSum.h"

namespace qv {

CommandFrameBytes CommandFrame::Encode() const {
  CommandFrameBytes frame{};
  WriteLE16(frame.data() + 0, kCommandMarker);
  WriteLE16(frame.data() + 2, code);
  WriteLE32(frame.data() + 4, static_cast<std::uint32_t>(longValue));
  WriteLE16(frame.data() + 8, static_cast<std::uint16_t>(shortValue));
  SealChecksum(frame.data(), frame.size());
  return frame;
}

std::optional<CommandFrame> CommandFrame::Decode(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < static_cast<std::size_t>(kSize)) return std::nullopt;
  const std::uint8_t* b = bytes.data();
  if (ReadLE16(b) != kCommandMarker || !ChecksumValid(b, kSize)) return std::nullopt;
  return CommandFrame{ReadLE16(b + 2), ReadLE16s(b + 8), ReadLE32s(b + 4)};
}

}  // namespace qv
