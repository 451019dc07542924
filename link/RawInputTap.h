// The pump's seam to whoever wants the raw bytes as they arrive (raw input
// recording, the raw display); the defaults do nothing.
#pragma once

#include <cstdint>

namespace qv {

class RawInputTap {
 public:
  virtual ~RawInputTap() = default;

  // True while the raw display holds a chunk it has not shown; the pump then
  // skips its cycle entirely.
  virtual bool RawDisplayPending() const { return false; }
  // Every chunk read, in order, before framing. The tap decides what to do
  // with it: record it, copy it to the display, or nothing.
  virtual void OfferRawInput(const std::uint8_t*, int /*count*/) {}
};

}  // namespace qv
