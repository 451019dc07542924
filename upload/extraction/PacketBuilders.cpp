#include "upload/extraction/PacketBuilders.h"

#include <algorithm>
#include <cstring>

#include "common/ByteOrder.h"

namespace qv {

namespace {

const std::uint8_t kIgnoredMuxStart[4] = {0x0D, 0x0A, 0x20, 0x2A};  // CR LF " *"

// A record's byte at `i`, or 0 past its end.
std::uint8_t ByteAt(std::span<const std::uint8_t> data, std::size_t i) {
  return i < data.size() ? data[i] : 0;
}

std::uint32_t Le32At(std::span<const std::uint8_t> data, std::size_t at) {
  const std::uint8_t b[4] = {ByteAt(data, at), ByteAt(data, at + 1), ByteAt(data, at + 2),
                             ByteAt(data, at + 3)};
  return ReadLE32(b);
}

// Hands the channels to the sink as one packet and empties them.
void WritePacket(BuiltPacketSink& sink, BuiltPacketHead head, ChannelSet& channels) {
  head.portCounts = channels.Counts();
  sink.WriteBuiltPacket(head, channels);
  channels.Clear();
}

}  // namespace

std::array<std::uint16_t, ChannelSet::kChannels> ChannelSet::Counts() const {
  std::array<std::uint16_t, kChannels> c{};
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = static_cast<std::uint16_t>(counts_[i]);
  return c;
}

void ChannelSet::Clear() {
  counts_.fill(0);
  total_ = 0;
}

void ChannelSet::Drop(int channel) {
  total_ -= static_cast<int>(counts_[Index(channel)]);
  counts_[Index(channel)] = 0;
}

void ChannelSet::Put(std::size_t at, std::span<const std::uint8_t> piece) {
  std::memcpy(bytes_.data() + at * kChannelRoom + counts_[at], piece.data(), piece.size());
  counts_[at] += piece.size();
  total_ += static_cast<int>(piece.size());
}

void MuxPacketBuilder::Add(int type, std::span<const std::uint8_t> data) {
  if (data.size() >= 4 && std::equal(data.begin(), data.begin() + 4, kIgnoredMuxStart)) return;
  const std::uint32_t t = Le32At(data, 0);
  if (!windowStart_) windowStart_ = t;
  if (static_cast<std::int32_t>(t - *windowStart_) >= kWindow && !channels_.Empty()) {
    Close();
    windowStart_ = t;
  }
  const int channel = MuxRecordChannel(type);
  if (channel == 0 || data.size() <= 4) return;
  channels_.Add(channel, data.subspan(4), [&] {
    Close();
    windowStart_ = t;
  });
}

void MuxPacketBuilder::Close() {
  WritePacket(sink_, {0, senderUnitId_, sequence_++, windowStart_.value_or(0), {}}, channels_);
}

void MuxPacketBuilder::Flush() {
  if (!channels_.Empty()) Close();
}

void MuxPacketBuilder::StartAfresh() {
  channels_.Clear();
  sequence_ = 0;
}

void HeaderPacketBuilder::Raw(int channel, std::span<const std::uint8_t> data) {
  channels_.Drop(channel);
  channels_.Add(channel, data, [&] { Close(); });
}

void HeaderPacketBuilder::Header(std::span<const std::uint8_t> data) {
  Flush();
  senderUnitId_ = ByteAt(data, 0);
  sequence_ = ByteAt(data, 1);
  timeStamp_ = Le32At(data, 2);
  sevenByteHeader_ = data.size() == 7;
}

void HeaderPacketBuilder::Close() {
  const std::uint8_t marker2 = sevenByteHeader_ ? 1 : 0;
  WritePacket(sink_, {marker2, senderUnitId_, sequence_++, timeStamp_, {}}, channels_);
}

void HeaderPacketBuilder::Flush() {
  if (!channels_.Empty()) Close();
}

void HeaderPacketBuilder::StartAfresh() {
  channels_.Clear();
  sequence_ = 0;
  timeStamp_ = 0;
}

}  // namespace qv
