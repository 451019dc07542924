// The pump's seams to raw recording, the raw display and replay, filled by
// the subsystems that own those; the defaults do nothing.
#pragma once

#include <cstdint>

namespace qv {

class RawInputTap {
 public:
  virtual ~RawInputTap() = default;

  // True while the raw display holds a chunk it has not shown; the pump then
  // skips its cycle entirely.
  virtual bool RawDisplayPending() const { return false; }
  // Raw input recording: every chunk read, in order. The tap owns the file
  // and its running size, so it adds to bytesWritten itself when the write
  // succeeds.
  virtual void RecordRawInput(const std::uint8_t*, int /*count*/) {}
  // Every chunk read (port or replay); the tap copies it only while the raw
  // display is on with the raw logger data source, and never past its buffer.
  virtual void CopyRawToDisplay(const std::uint8_t*, int /*count*/) {}
  // Replay: writes at most one complete data packet to dst and returns its
  // size, 0 when none is due.
  virtual int ReadReplayPacket(std::uint8_t* /*dst*/, int /*capacity*/) { return 0; }
};

}  // namespace qv
