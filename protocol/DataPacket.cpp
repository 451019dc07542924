#include "protocol/DataPacket.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "protocol/ByteSum.h"

namespace qv {

namespace {

constexpr int kCountsOffset = 10;  // within the 28 header bytes

DataPacketHeader DecodeIds(const std::uint8_t* h) {
  DataPacketHeader d;
  d.marker1 = h[0];
  d.marker2 = h[1];
  d.loggerId = h[2];
  d.sequence = h[3];
  return d;
}

void EncodeIds(const DataPacketHeader& d, std::uint8_t* h) {
  h[0] = d.marker1;
  h[1] = d.marker2;
  h[2] = d.loggerId;
  h[3] = d.sequence;
}

}  // namespace

DataPacketHeader DataPacketHeader::DecodeLine(const std::uint8_t* h) {
  DataPacketHeader d = DecodeIds(h);
  d.payloadLength = ReadBE16(h + 4);
  d.timeStamp = ReadBE32(h + 6);
  for (int k = 0; k < kDataPorts; ++k) d.portCounts[k] = ReadBE16(h + kCountsOffset + 2 * k);
  return d;
}

void DataPacketHeader::EncodeLine(std::uint8_t* h) const {
  EncodeIds(*this, h);
  WriteBE16(h + 4, payloadLength);
  WriteBE32(h + 6, timeStamp);
  for (int k = 0; k < kDataPorts; ++k) WriteBE16(h + kCountsOffset + 2 * k, portCounts[k]);
}

DataPacketHeader DataPacketHeader::DecodeArchive(const std::uint8_t* h) {
  DataPacketHeader d = DecodeIds(h);
  d.payloadLength = ReadLE16(h + 4);
  d.timeStamp = ReadLE32(h + 6);
  for (int k = 0; k < kDataPorts; ++k) d.portCounts[k] = ReadLE16(h + kCountsOffset + 2 * k);
  return d;
}

void DataPacketHeader::EncodeArchive(std::uint8_t* h) const {
  EncodeIds(*this, h);
  WriteLE16(h + 4, payloadLength);
  WriteLE32(h + 6, timeStamp);
  for (int k = 0; k < kDataPorts; ++k) WriteLE16(h + kCountsOffset + 2 * k, portCounts[k]);
}

void ConvertRecordHeaderToArchiveOrder(std::uint8_t* record) {
  DataPacketHeader::DecodeLine(record).EncodeArchive(record);
}

int PortPayloadOffset(const std::array<std::uint16_t, kDataPorts>& counts, int port) {
  int offset = 0;
  for (int k = 1; k < port; ++k) offset += counts[k - 1];
  return offset;
}

void DataPacket::SetPorts(const DataPorts& ports) {
  payload.clear();
  for (int k = 0; k < kDataPorts; ++k) {
    header.portCounts[k] = static_cast<std::uint16_t>(ports[k].size());
    payload.insert(payload.end(), ports[k].begin(), ports[k].end());
  }
  header.payloadLength = static_cast<std::uint16_t>(payload.size());
}

std::span<const std::uint8_t> DataPacket::Port(int k) const {
  if (k < 1 || k > kDataPorts) return {};
  const auto offset = static_cast<std::size_t>(PortPayloadOffset(header.portCounts, k));
  const std::size_t count = header.portCounts[k - 1];
  if (offset + count > payload.size()) return {};
  return std::span<const std::uint8_t>(payload).subspan(offset, count);
}

std::vector<std::uint8_t> DataPacket::Encode() const {
  std::vector<std::uint8_t> bytes(kDataPacketOverhead + payload.size());
  bytes[0] = bytes[1] = static_cast<std::uint8_t>(kType);
  DataPacketHeader h = header;
  h.payloadLength = static_cast<std::uint16_t>(payload.size());
  h.EncodeLine(bytes.data() + 2);
  std::copy(payload.begin(), payload.end(), bytes.begin() + kDataHeaderSize);
  std::copy(trailer.begin(), trailer.end(), bytes.end() - 2 - kTrailerSize);
  SealChecksum(bytes.data(), bytes.size());
  return bytes;
}

std::optional<DataPacket> DataPacket::Decode(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < static_cast<std::size_t>(kDataPacketOverhead) ||
      PacketTypeOf(bytes[0], bytes[1]) != kType)
    return std::nullopt;
  const std::size_t length = ReadBE16(bytes.data() + kPayloadLengthOffset);
  const std::size_t size = kDataPacketOverhead + length;
  if (length > static_cast<std::size_t>(kMaxPayload) || bytes.size() < size ||
      !ChecksumValid(bytes.data(), size))
    return std::nullopt;
  DataPacket p;
  p.header = DataPacketHeader::DecodeLine(bytes.data() + 2);
  p.payload.assign(bytes.begin() + kDataHeaderSize, bytes.begin() + kDataHeaderSize + length);
  std::copy_n(bytes.begin() + kDataHeaderSize + length, kTrailerSize, p.trailer.begin());
  return p;
}

std::vector<std::uint8_t> DataPacket::EncodeArchive() const {
  std::vector<std::uint8_t> bytes(kArchiveHeaderSize + payload.size() + kTrailerSize);
  DataPacketHeader h = header;
  h.payloadLength = static_cast<std::uint16_t>(payload.size());
  h.EncodeArchive(bytes.data());
  std::copy(payload.begin(), payload.end(), bytes.begin() + kArchiveHeaderSize);
  std::copy(trailer.begin(), trailer.end(), bytes.end() - kTrailerSize);
  return bytes;
}

std::optional<DataPacket> DataPacket::DecodeArchive(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < static_cast<std::size_t>(kArchiveHeaderSize + kTrailerSize)) return std::nullopt;
  DataPacket p;
  p.header = DataPacketHeader::DecodeArchive(bytes.data());
  const std::size_t length = p.header.payloadLength;
  if (length > static_cast<std::size_t>(kMaxPayload) ||
      bytes.size() < kArchiveHeaderSize + length + kTrailerSize)
    return std::nullopt;
  p.payload.assign(bytes.begin() + kArchiveHeaderSize, bytes.begin() + kArchiveHeaderSize + length);
  std::copy_n(bytes.begin() + kArchiveHeaderSize + length, kTrailerSize, p.trailer.begin());
  return p;
}

std::vector<std::uint8_t> BuildDataPacket(std::uint8_t loggerId, std::uint8_t sequence,
                                          std::uint32_t timeStamp, const DataPorts& ports) {
  DataPacket p;
  p.header.loggerId = loggerId;
  p.header.sequence = sequence;
  p.header.timeStamp = timeStamp;
  p.SetPorts(ports);
  return p.Encode();
}

}  // namespace qv
