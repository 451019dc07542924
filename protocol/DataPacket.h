// The data packet (type 8) and the archive record made from it. On the line
// the header fields are most significant byte first; in an archive record,
// which is the packet without its type bytes and checksum, least first.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "protocol/PacketTypes.h"

namespace qv {

inline constexpr int kDataPacketOverhead = kEmptyDataPacketSize;  // type bytes, header, trailer, checksum
inline constexpr int kArchiveHeaderSize = 28;  // marker 1 .. end of the port counts
inline constexpr int kDataHeaderSize = 2 + kArchiveHeaderSize;  // the same behind the type bytes
inline constexpr int kTrailerSize = 4;
inline constexpr int kDataPorts = 9;           // logger ports 1..9, 9 the analog port
inline constexpr std::uint8_t kTrailerByte = 0x23;  // '#'

struct DataPacketHeader {
  std::uint8_t marker1 = 1;
  std::uint8_t marker2 = 0;
  std::uint8_t loggerId = 0;
  std::uint8_t sequence = 0;
  std::uint16_t payloadLength = 0;
  std::uint32_t timeStamp = 0;
  std::array<std::uint16_t, kDataPorts> portCounts{};

  // The 28 header bytes from marker 1 on, in line order (a packet from its
  // byte 2) or archive order (an archive record).
  static DataPacketHeader DecodeLine(const std::uint8_t* header);
  void EncodeLine(std::uint8_t* header) const;
  static DataPacketHeader DecodeArchive(const std::uint8_t* header);
  void EncodeArchive(std::uint8_t* header) const;

  bool operator==(const DataPacketHeader&) const = default;
};

// Turns the header of a record (a packet from its byte 2) from line order
// into archive order, in place: the host's way, with nothing allocated.
void ConvertRecordHeaderToArchiveOrder(std::uint8_t* record);
// Where port k's (1..9) bytes start within the payload.
int PortPayloadOffset(const std::array<std::uint16_t, kDataPorts>& counts, int port);

using DataPorts = std::array<std::span<const std::uint8_t>, kDataPorts>;

struct DataPacket {
  static constexpr PacketType kType = PacketType::Data;

  DataPacketHeader header;            // its payload length is the payload's size
  std::vector<std::uint8_t> payload;  // the ports' bytes in port order
  std::array<std::uint8_t, kTrailerSize> trailer{kTrailerByte, kTrailerByte, kTrailerByte,
                                                 kTrailerByte};

  // Fills the payload, the port counts and the length from the ports' bytes.
  void SetPorts(const DataPorts& ports);
  // Port k's (1..9) bytes; empty where the counts run past the payload.
  std::span<const std::uint8_t> Port(int k) const;

  // The whole packet as a logger sends it, 36 + payload bytes.
  std::vector<std::uint8_t> Encode() const;
  // The packet at the start of `bytes`; nothing unless they hold a whole data
  // packet (a length of at most 4096) with a right byte sum.
  static std::optional<DataPacket> Decode(std::span<const std::uint8_t> bytes);

  // The archive record: 32 + payload bytes.
  std::vector<std::uint8_t> EncodeArchive() const;
  // The archive record at the start of `bytes`; nothing when they hold less
  // than a whole one or its length is above 4096. Its size is 32 + payload.
  static std::optional<DataPacket> DecodeArchive(std::span<const std::uint8_t> bytes);

  bool operator==(const DataPacket&) const = default;
};

// A whole packet as a logger sends it: the ports' bytes in port order, the
// trailer "####" and the checksum.
std::vector<std::uint8_t> BuildDataPacket(std::uint8_t loggerId, std::uint8_t sequence,
                                          std::uint32_t timeStamp, const DataPorts& ports);

}  // namespace qv
