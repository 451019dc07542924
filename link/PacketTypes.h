// The eight packet types the logger sends and their sizes. Every packet opens
// with its type twice and closes with the byte sum of what precedes it.
#pragma once

namespace qv {

inline constexpr int kSetupPacket = 1;
inline constexpr int kFlashErrorPacket = 2;
inline constexpr int kStatusPacket = 3;
inline constexpr int kUploadBlockPacket = 4;
inline constexpr int kDirectoryEntryPacket = 5;
inline constexpr int kAnalogCalPacket = 6;
inline constexpr int kHardwareConfigPacket = 7;
inline constexpr int kDataPacket = 8;

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

// The size of a fixed-size packet type 1..7; 0 for the data packet or no type.
constexpr int FixedPacketSize(int type) {
  switch (type) {
    case kSetupPacket: return kSetupPacketSize;
    case kFlashErrorPacket: return kFlashErrorPacketSize;
    case kStatusPacket: return kStatusPacketSize;
    case kUploadBlockPacket: return kUploadBlockPacketSize;
    case kDirectoryEntryPacket: return kDirectoryEntryPacketSize;
    case kAnalogCalPacket: return kAnalogCalPacketSize;
    case kHardwareConfigPacket: return kHardwareConfigPacketSize;
    default: return 0;
  }
}

}  // namespace qv
