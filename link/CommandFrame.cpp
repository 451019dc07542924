// Builds command frames field by field.
#include "link/CommandFrame.h"

#include "common/ByteOrder.h"
#include "common/ByteSum.h"

namespace qv {

CommandFrame BuildCommandFrame(std::uint16_t code, std::int16_t shortValue, std::int32_t longValue) {
  CommandFrame frame{};
  WriteLE16(frame.data() + 0, kCommandMarker);
  WriteLE16(frame.data() + 2, code);
  WriteLE32(frame.data() + 4, static_cast<std::uint32_t>(longValue));
  WriteLE16(frame.data() + 8, static_cast<std::uint16_t>(shortValue));
  SealChecksum(frame.data(), frame.size());
  return frame;
}

}  // namespace qv
