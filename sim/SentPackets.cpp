#include "sim/SentPackets.h"

#include <algorithm>

#include "protocol/DataPacket.h"

namespace qv {

std::uint64_t PayloadHash(std::span<const std::uint8_t> payload) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (std::uint8_t b : payload) {
    h ^= b;
    h *= 0x100000001B3ull;
  }
  return h;
}

void SentPacketLog::Add(std::span<const std::uint8_t> packet) {
  if (packet.size() < static_cast<std::size_t>(kEmptyDataPacketSize)) return;
  const DataPacketHeader h = DataPacketHeader::DecodeLine(packet.data() + 2);
  SentDataPacket e;
  e.loggerId = h.loggerId;
  e.sequence = h.sequence;
  e.payloadLength = h.payloadLength;
  e.timeStamp = h.timeStamp;
  const std::size_t length = std::min<std::size_t>(e.payloadLength, packet.size() - kEmptyDataPacketSize);
  e.payloadHash = PayloadHash(packet.subspan(kDataHeaderSize, length));

  std::uint8_t& last = lastSequence_[e.loggerId];
  if (e.sequence == last) {
    // The host takes an equal count as a repeat, whatever it holds.
    const std::uint64_t at = lastEntry_[e.loggerId];
    if (at != kNone && at >= forgotten_) entries_[at - forgotten_].repeated = true;
    return;
  }
  e.inSequence = e.sequence == static_cast<std::uint8_t>(last + 1);
  last = e.sequence;
  lastEntry_[e.loggerId] = Total();
  entries_.push_back(e);
  if (entries_.size() > limit_) {
    entries_.pop_front();
    ++forgotten_;
  }
}

}  // namespace qv
