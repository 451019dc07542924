// The PC port slot table: what each PC Logger port slot (1 to 6) is for and
// how many bytes went through it since the last one-second display.
#pragma once

#include <array>

namespace qv {

inline constexpr int kPortKindNone = -1;
inline constexpr int kPortKindInActive = 0;
inline constexpr int kPortKindMeterInput = 1;
inline constexpr int kPortKindLoggerOutput = 2;

inline constexpr int kFirstPcPortSlot = 1;
inline constexpr int kLastPcPortSlot = 6;

struct PcPortSlot {
  int PortKind = kPortKindInActive;
  int OutputLoggerId = 0;  // 1..4: the LoggerId whose packets feed a Logger Output slot
  int OutputPort = 0;      // 1..9: the logger port whose bytes it passes on
  int SlotBytesOut = 0;
  int SlotBytesIn = 0;
};

// Indexed by port slot number; sized like the port slot table, slots 1..6 used.
struct PcPortSlots {
  static constexpr int kSlots = 20;
  std::array<PcPortSlot, kSlots> slot{};

  PcPortSlot& operator[](int n) { return slot.at(static_cast<std::size_t>(n)); }
  const PcPortSlot& operator[](int n) const { return slot.at(static_cast<std::size_t>(n)); }
  // Start-up: every slot In Active with nothing counted.
  void Clear() { slot.fill(PcPortSlot{}); }
};

}  // namespace qv
