#include "sim/LineGarbler.h"

namespace qv {

std::vector<std::uint8_t> LineGarbler::Garble(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::uint8_t b = rng_.Byte();
    // Two equal type bytes open every packet; make sure they never appear.
    if (b >= 1 && b <= 8 && b == last_) b = static_cast<std::uint8_t>(b | 0x80);
    out.push_back(b);
    last_ = b;
  }
  return out;
}

}  // namespace qv
