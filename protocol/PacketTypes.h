// The eight packet types the logger sends and their sizes. Every packet opens
// with its type twice and closes with the byte sum of what precedes it.
//
// Each record of this folder follows one pattern: a struct of typed fields,
// kSize, Encode() giving the whole packet (type bytes, fields, spare bytes,
// byte sum) and a static Decode() that gives the record only from a whole,
// sealed packet of its type. Records that travel back to the logger keep
// their spare bytes (a view over the very bytes, as SetupRecord, or spare
// fields carried in the struct).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace qv {

enum class PacketType : std::uint8_t {
  None = 0,
  Setup = 1,
  FlashError = 2,
  Status = 3,
  UploadBlock = 4,
  DirectoryEntry = 5,
  AnalogCal = 6,
  HardwareConfig = 7,
  Data = 8,
};

inline constexpr int kSetupPacketSize = 192;
inline constexpr int kFlashErrorPacketSize = 12;
inline constexpr int kStatusPacketSize = 132;
inline constexpr int kUploadBlockPacketSize = 1036;
inline constexpr int kDirectoryEntryPacketSize = 64;
inline constexpr int kAnalogCalPacketSize = 44;
inline constexpr int kHardwareConfigPacketSize = 58;

// A data packet is its 30-byte header, the payload, a 4-byte trailer and the
// checksum; the payload length sits big-endian at offset 6.
inline constexpr int kMaxPayload = 4096;
inline constexpr int kEmptyDataPacketSize = 36;
inline constexpr int kPayloadLengthOffset = 6;
inline constexpr int kLargestPacketSize = kMaxPayload + kEmptyDataPacketSize;
inline constexpr int kSmallestPacketSize = 12;

// The size of a fixed-size packet type; 0 for the data packet or no type.
constexpr int FixedPacketSize(PacketType type) {
  switch (type) {
    case PacketType::Setup: return kSetupPacketSize;
    case PacketType::FlashError: return kFlashErrorPacketSize;
    case PacketType::Status: return kStatusPacketSize;
    case PacketType::UploadBlock: return kUploadBlockPacketSize;
    case PacketType::DirectoryEntry: return kDirectoryEntryPacketSize;
    case PacketType::AnalogCal: return kAnalogCalPacketSize;
    case PacketType::HardwareConfig: return kHardwareConfigPacketSize;
    default: return 0;
  }
}

// The type two leading bytes name: both equal and 1..8; None otherwise.
constexpr PacketType PacketTypeOf(std::uint8_t first, std::uint8_t second) {
  return first == second && first >= 1 && first <= 8 ? static_cast<PacketType>(first)
                                                     : PacketType::None;
}

// True when `bytes` start with a whole packet of the fixed-size type: its
// type twice and a right byte sum at the end of the type's size.
bool HoldsPacket(std::span<const std::uint8_t> bytes, PacketType type);
// Writes the type bytes and the byte sum of a fixed-size packet of the type
// over the first FixedPacketSize(type) bytes.
void SealPacket(std::span<std::uint8_t> bytes, PacketType type);

}  // namespace qv
