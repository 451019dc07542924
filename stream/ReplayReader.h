// An archive played back in the logger port's place: each due read rebuilds
// one archive record into the data packet a logger would have sent, so the
// receive path handles it as live data. Single pass or over and over.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "link/ByteSource.h"

namespace qv {

class ReplayReader : public ByteSource {
 public:
  // `speed`: the replay speed, 1 (slow) to 10 (fast), read at every record.
  explicit ReplayReader(std::function<int()> speed) : speed_(std::move(speed)) {}
  ~ReplayReader() override { Close(); }
  ReplayReader(const ReplayReader&) = delete;
  ReplayReader& operator=(const ReplayReader&) = delete;

  // Opens the archive at its start; false when it cannot be read.
  bool Open(const std::string& path, bool continuous);
  // Takes an open stream over (an archive in memory, for fuzzing).
  bool Open(std::FILE* file, bool continuous);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }

  int ReadInto(std::uint8_t* dst, int room) override { return ReadReplayPacket(dst, room); }
  bool HandsWholePackets() const override { return true; }

  // Writes the next record's packet at `buffer` when one is due at this call
  // and returns its size; 0 when none is due, or at the end.
  int ReadReplayPacket(std::uint8_t* buffer, int room);

  // Set when a single pass has played its last record, or a record is cut
  // short (in either kind); the replay is then to be stopped.
  bool EndReached() const { return end_; }
  void ClearEnd() { end_ = false; }
  // How far the archive has been read, and its size when the replay began.
  std::int64_t Position() const { return position_; }
  std::int64_t FileSize() const { return size_; }

 private:
  // Whether the next record starts within the file (a continuous replay
  // starts over at its end).
  bool AtNextRecord();
  // Moves past `count` bytes; false when the file is shorter.
  bool Skip(std::int64_t count);

  std::function<int()> speed_;
  std::FILE* file_ = nullptr;
  bool continuous_ = false;
  std::int64_t size_ = 0;
  std::int64_t position_ = 0;
  int countdown_ = 0;  // calls left before the next record is due
  bool end_ = false;
};

}  // namespace qv
