#include "stream/DataPacket.h"

#include "common/ByteOrder.h"
#include "common/ByteSum.h"

namespace qv {

DataPacketHeader ReadArchiveHeader(const std::uint8_t* r) {
  DataPacketHeader h;
  h.marker1 = r[0];
  h.marker2 = r[1];
  h.loggerId = r[2];
  h.sequence = r[3];
  h.payloadLength = ReadLE16(r + 4);
  h.timeStamp = ReadLE32(r + 6);
  for (int k = 0; k < kDataPorts; ++k) h.portCounts[k] = ReadLE16(r + 10 + 2 * k);
  return h;
}

void ConvertRecordHeaderToArchiveOrder(std::uint8_t* r) {
  WriteLE16(r + 4, ReadBE16(r + 4));
  WriteLE32(r + 6, ReadBE32(r + 6));
  for (int k = 0; k < kDataPorts; ++k) WriteLE16(r + 10 + 2 * k, ReadBE16(r + 10 + 2 * k));
}

int PortPayloadOffset(const std::array<std::uint16_t, kDataPorts>& counts, int port) {
  int offset = 0;
  for (int k = 1; k < port; ++k) offset += counts[k - 1];
  return offset;
}

std::vector<std::uint8_t> BuildDataPacket(
    std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t timeStamp,
    const std::array<std::span<const std::uint8_t>, kDataPorts>& ports, std::uint8_t marker1,
    std::uint8_t marker2) {
  std::size_t payload = 0;
  for (const auto& p : ports) payload += p.size();
  std::vector<std::uint8_t> packet(payload + kDataPacketOverhead);
  std::uint8_t* b = packet.data();
  b[0] = b[1] = 8;
  b[2] = marker1;
  b[3] = marker2;
  b[4] = loggerId;
  b[5] = sequence;
  WriteBE16(b + 6, static_cast<std::uint16_t>(payload));
  WriteBE32(b + 8, timeStamp);
  std::size_t at = 30;
  for (int k = 0; k < kDataPorts; ++k) {
    WriteBE16(b + 12 + 2 * k, static_cast<std::uint16_t>(ports[k].size()));
    for (std::uint8_t byte : ports[k]) b[at++] = byte;
  }
  for (int i = 0; i < 4; ++i) b[at++] = kTrailerByte;
  SealChecksum(b, packet.size());
  return packet;
}

}  // namespace qv
