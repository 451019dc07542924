// A megabyte of what a logger line may carry: every packet type, data packets
// of several sizes, and stretches of garbage between them.
#pragma once

#include <cstdint>
#include <random>

#include "tests/support/PacketBuilder.h"

namespace qv::bench {

inline testing::Bytes MixedStream() {
  std::mt19937 rng(1);
  auto fill = [&](std::size_t n) {
    testing::Bytes b(n);
    for (auto& x : b) x = static_cast<std::uint8_t>(rng());
    return b;
  };
  testing::Bytes stream;
  std::uint8_t seq = 0;
  while (stream.size() < (1u << 20)) {
    for (int code = 1; code <= 7; ++code) {
      const auto type = static_cast<PacketType>(code);
      const auto body = static_cast<std::size_t>(FixedPacketSize(type) - 4);
      const testing::Bytes p = testing::MakeFixedPacket(type, fill(body));
      stream.insert(stream.end(), p.begin(), p.end());
    }
    for (std::size_t payload : {20u, 64u, 150u, 400u, 1000u, 4096u}) {
      const testing::Bytes p = testing::MakeDataPacket(1, seq++, 0, fill(payload));
      stream.insert(stream.end(), p.begin(), p.end());
    }
    const testing::Bytes garbage = fill(256);
    stream.insert(stream.end(), garbage.begin(), garbage.end());
  }
  return stream;
}

// The logger line at 115200 baud, 8N1: 11,520 bytes a second.
inline constexpr double kLineBytesPerSecond = 11520.0;

}  // namespace qv::bench
