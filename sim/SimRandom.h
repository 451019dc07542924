// A small seeded generator (splitmix64) whose sequence is the same on every
// platform, so a seed replays the same faults and noise.
#pragma once

#include <cstdint>

namespace qv {

class SimRandom {
 public:
  explicit SimRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  bool Chance(double rate) { return rate > 0.0 && Unit() < rate; }
  // Uniform in [0, n); n > 0.
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(Next() % n); }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next() >> 56); }

 private:
  std::uint64_t state_;
};

}  // namespace qv
