// Per-unit sequence tracking of data packets: the last sequence of units 0..8
// and the packet, sequence-error and missing-packet counts of units 0..4.
#pragma once

#include <array>
#include <cstdint>

#include "stream/StreamForms.h"

namespace qv {

struct UnitTracking {
  static constexpr int kSequenceUnits = 9;  // unit numbers 0..8 have a sequence memory
  static constexpr int kCountedUnits = 5;   // 0 the time unit, 1..4 loggers

  // 255 before any packet, so a unit's first packet is in sequence at 0.
  std::array<std::uint8_t, kSequenceUnits> LastSequence{255, 255, 255, 255, 255,
                                                        255, 255, 255, 255};
  std::array<std::uint32_t, kCountedUnits> UnitPackets{};
  std::array<std::uint32_t, kCountedUnits> UnitModErrors{};
  std::array<std::uint32_t, kCountedUnits> UnitMissing{};  // the most recent gap only
  std::uint32_t ModErrorsTotal = 0;

  // Counts a gap of unit u (0..4) that ended at sequence s.
  void CountGap(int u, std::uint8_t s);
  // The framer met a payload length above the limit; the Unit 1 line shows it.
  void PayloadLengthError(int length) { UnitMissing[1] = static_cast<std::uint32_t>(length); }
  // Reset Counters: the per-unit counts only; the total and the sequences stay.
  void BTResetCountersClick();
  // Once a second: the time unit and the four unit lines.
  void ShowUnitLines(RealTimeTab& tab) const;
};

}  // namespace qv
