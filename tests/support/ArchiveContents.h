// What an archive file holds, read record by record, and what a simulated
// logger sent that a host should have recorded: for tests that check an
// archive against the line.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "protocol/DataPacket.h"
#include "sim/SentPackets.h"

namespace qv::testing {

struct ArchivedPacket {
  std::uint8_t loggerId;
  std::uint8_t sequence;
  std::uint64_t payloadHash;
  bool operator==(const ArchivedPacket&) const = default;
};

struct ArchiveContents {
  std::vector<ArchivedPacket> packets;
  bool cutAtEnd = false;    // the last record is incomplete
  bool badTrailer = false;  // a record whose trailer is not "####"
};

inline ArchiveContents ReadArchive(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  ArchiveContents a;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto record = DataPacket::DecodeArchive(std::span<const std::uint8_t>(bytes).subspan(at));
    if (!record) {
      a.cutAtEnd = true;
      break;
    }
    a.packets.push_back({record->header.loggerId, record->header.sequence, PayloadHash(record->payload)});
    for (std::uint8_t b : record->trailer) a.badTrailer = a.badTrailer || b != kTrailerByte;
    at += kArchiveHeaderSize + record->payload.size() + kTrailerSize;
  }
  return a;
}

// The packets a host that heard them all records (in sequence, with a
// payload), from `first` on.
inline std::vector<ArchivedPacket> RecordableFrom(const std::vector<SentDataPacket>& sent,
                                                  const ArchivedPacket& first) {
  std::vector<ArchivedPacket> out;
  bool started = false;
  for (const SentDataPacket& p : sent) {
    if (!p.inSequence || p.payloadLength == 0) continue;
    const ArchivedPacket a{p.loggerId, p.sequence, p.payloadHash};
    started = started || a == first;
    if (started) out.push_back(a);
  }
  return out;
}

}  // namespace qv::testing
