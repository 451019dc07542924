// The checksum of every command frame, record and packet: the wrapping 16-bit
// sum of the unsigned bytes, stored after them least significant byte first.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/ByteOrder.h"

namespace qv {

inline std::uint16_t ByteSum16(const std::uint8_t* bytes, std::size_t count) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
  return static_cast<std::uint16_t>(sum);
}

// True when the last two of `size` bytes hold the sum of the ones before.
inline bool ChecksumValid(const std::uint8_t* bytes, std::size_t size) {
  return size >= 2 && ByteSum16(bytes, size - 2) == ReadLE16(bytes + size - 2);
}

// Writes the sum of the first size-2 bytes into the last two.
inline void SealChecksum(std::uint8_t* bytes, std::size_t size) {
  WriteLE16(bytes + size - 2, ByteSum16(bytes, size - 2));
}

}  // namespace qv
