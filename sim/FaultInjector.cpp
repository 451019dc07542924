#include "sim/FaultInjector.h"

#include <algorithm>

namespace qv {

namespace {

double Rate(double r) { return std::clamp(r, 0.0, 1.0); }

}  // namespace

FaultInjector::FaultInjector(FaultRates rates, std::uint64_t seed)
    : rates_{Rate(rates.drop), Rate(rates.corrupt), Rate(rates.repeat)}, rng_(seed) {}

std::vector<std::uint8_t> FaultInjector::Apply(std::span<const std::uint8_t> bytes) {
  if (!Active()) return {bytes.begin(), bytes.end()};
  std::vector<std::uint8_t> out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (std::uint8_t b : bytes) {
    if (rng_.Chance(rates_.drop)) {
      ++dropped_;
      continue;
    }
    if (rng_.Chance(rates_.corrupt)) {
      // A flip of at least one bit, so a corrupted byte always differs.
      b = static_cast<std::uint8_t>(b ^ (1 + rng_.Below(255)));
      ++corrupted_;
    }
    out.push_back(b);
    if (rng_.Chance(rates_.repeat)) {
      out.push_back(b);
      ++repeated_;
    }
  }
  return out;
}

}  // namespace qv
