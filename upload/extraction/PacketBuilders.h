// The two builders that turn a run file's multiplexed records and its raw
// records under archive headers into archive packets. Both gather bytes in
// nine channels (1..8 the meter ports, 9 the analog port) and hand a closed
// packet to the archive; their sequence counts outlive one extraction.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "protocol/RunFile.h"

namespace qv {

class ChannelSet {
 public:
  static constexpr int kChannels = 9;
  static constexpr int kChannelRoom = 10000;
  // What a packet's 16-bit length can count.
  static constexpr int kPacketRoom = 65535;

  ChannelSet() : bytes_(static_cast<std::size_t>(kChannels) * kChannelRoom) {}

  int Count(int channel) const { return static_cast<int>(counts_[Index(channel)]); }
  int Total() const { return total_; }
  bool Empty() const { return total_ == 0; }
  std::span<const std::uint8_t> Bytes(int channel) const {
    return {bytes_.data() + Index(channel) * kChannelRoom, counts_[Index(channel)]};
  }
  std::array<std::uint16_t, kChannels> Counts() const;
  void Clear();
  void Drop(int channel);

  // Appends to a channel. Bytes that would pass the channel's room or the
  // packet's first make `close` write the pending packet (which must clear
  // the set); a piece larger than a whole channel fills packets of its own,
  // and its last part stays pending. No byte is dropped.
  template <class Close>
  void Add(int channel, std::span<const std::uint8_t> piece, Close&& close) {
    const std::size_t at = Index(channel);
    while (!piece.empty()) {
      const std::size_t room = std::min<std::size_t>(kChannelRoom - counts_[at], kPacketRoom - total_);
      if (piece.size() > room && total_ > 0) {
        close();
        continue;
      }
      const std::size_t take = std::min(piece.size(), room);
      Put(at, piece.first(take));
      piece = piece.subspan(take);
      if (!piece.empty()) close();
    }
  }

 private:
  static std::size_t Index(int channel) { return static_cast<std::size_t>(channel - 1); }
  void Put(std::size_t at, std::span<const std::uint8_t> piece);

  std::vector<std::uint8_t> bytes_;
  std::array<std::size_t, kChannels> counts_{};
  int total_ = 0;
};

// Where a closed packet goes: the extraction's archive file.
class BuiltPacketSink {
 public:
  virtual ~BuiltPacketSink() = default;
  virtual void WriteBuiltPacket(const BuiltPacketHead& head, const ChannelSet& channels) = 0;
};

// Multiplexed records (types 5..8, 13, 14, 19..22): bytes that arrive within
// 50 time units of the packet's first record go into one packet.
class MuxPacketBuilder {
 public:
  static constexpr std::int32_t kWindow = 50;

  // The builder reads the logger ID to put into packets from `senderUnitId`.
  MuxPacketBuilder(const std::uint8_t& senderUnitId, BuiltPacketSink& sink)
      : senderUnitId_(senderUnitId), sink_(sink) {}

  // Every extraction starts without a window.
  void StartFile() { windowStart_.reset(); }
  void Add(int type, std::span<const std::uint8_t> data);
  // End of the run file: writes what is pending.
  void Flush();
  // After a file that produced an archive: counts and sequence from 0.
  void StartAfresh();
  // Drops what is pending (it has nowhere to go) and keeps the sequence.
  void Discard() { channels_.Clear(); }

 private:
  void Close();

  const std::uint8_t& senderUnitId_;
  BuiltPacketSink& sink_;
  ChannelSet channels_;
  std::optional<std::uint32_t> windowStart_;
  std::uint8_t sequence_ = 0;
};

// Raw meter and analog records under archive headers (type 25): the last raw
// record of each channel since the header goes into the header's packet.
class HeaderPacketBuilder {
 public:
  // An archive header sets `senderUnitId` to its logger ID.
  HeaderPacketBuilder(std::uint8_t& senderUnitId, BuiltPacketSink& sink)
      : senderUnitId_(senderUnitId), sink_(sink) {}

  void Raw(int channel, std::span<const std::uint8_t> data);
  void Header(std::span<const std::uint8_t> data);
  // End of the run file: writes what is pending.
  void Flush();
  // After a file that produced an archive: sequence count and time stamp 0.
  void StartAfresh();
  void Discard() { channels_.Clear(); }

 private:
  void Close();

  std::uint8_t& senderUnitId_;
  BuiltPacketSink& sink_;
  ChannelSet channels_;
  std::uint8_t sequence_ = 0;
  std::uint32_t timeStamp_ = 0;
  bool sevenByteHeader_ = false;
};

}  // namespace qv
