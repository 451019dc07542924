// The data packet (type 8) and the archive record made from it. On the line
// the header fields are most significant byte first; in an archive record,
// which is the packet without its type bytes and checksum, least first.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "link/PacketTypes.h"

namespace qv {

inline constexpr int kDataPacketOverhead = kEmptyDataPacketSize;  // type bytes, header, trailer, checksum
inline constexpr int kArchiveHeaderSize = 28;    // marker 1 .. end of the port counts
inline constexpr int kDataPorts = 9;             // logger ports 1..9, 9 the analog port
inline constexpr std::uint8_t kTrailerByte = 0x23;  // '#'

struct DataPacketHeader {
  std::uint8_t marker1 = 1;
  std::uint8_t marker2 = 0;
  std::uint8_t loggerId = 0;
  std::uint8_t sequence = 0;
  std::uint16_t payloadLength = 0;
  std::uint32_t timeStamp = 0;
  std::array<std::uint16_t, kDataPorts> portCounts{};
};

// The header of an archive record (little-endian fields).
DataPacketHeader ReadArchiveHeader(const std::uint8_t* record);
// Turns the header of a record (a packet from its byte 2) from line order
// into archive order, in place.
void ConvertRecordHeaderToArchiveOrder(std::uint8_t* record);
// Where port k's (1..9) bytes start within the payload.
int PortPayloadOffset(const std::array<std::uint16_t, kDataPorts>& counts, int port);

// A whole packet as a logger sends it: the ports' bytes in port order, the
// trailer "####" and the checksum.
std::vector<std::uint8_t> BuildDataPacket(
    std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t timeStamp,
    const std::array<std::span<const std::uint8_t>, kDataPorts>& ports,
    std::uint8_t marker1 = 1, std::uint8_t marker2 = 0);

}  // namespace qv
