// What the host reads at a line setting other than the logger's: noise that never
// holds two equal bytes 1 to 8 in a row, so no packet can seem to start in it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "sim/SimRandom.h"

namespace qv {

class LineGarbler {
 public:
  explicit LineGarbler(std::uint64_t seed) : rng_(seed) {}

  std::vector<std::uint8_t> Garble(std::span<const std::uint8_t> bytes);

 private:
  SimRandom rng_;
  int last_ = -1;  // the last noise byte sent, across calls
};

}  // namespace qv
