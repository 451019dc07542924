// A poor line: drops, corrupts or repeats each outgoing byte at its own rate, from a
// seed, so the same seed and bytes give the same faults.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "sim/SimRandom.h"

namespace qv {

struct FaultRates {
  double drop = 0.0;     // each 0..1, per byte
  double corrupt = 0.0;
  double repeat = 0.0;
};

class FaultInjector {
 public:
  FaultInjector(FaultRates rates, std::uint64_t seed);

  std::vector<std::uint8_t> Apply(std::span<const std::uint8_t> bytes);
  bool Active() const { return rates_.drop > 0 || rates_.corrupt > 0 || rates_.repeat > 0; }

  std::uint64_t Dropped() const { return dropped_; }
  std::uint64_t Corrupted() const { return corrupted_; }
  std::uint64_t Repeated() const { return repeated_; }

 private:
  FaultRates rates_;
  SimRandom rng_;
  std::uint64_t dropped_ = 0;
  std::uint64_t corrupted_ = 0;
  std::uint64_t repeated_ = 0;
};

}  // namespace qv
