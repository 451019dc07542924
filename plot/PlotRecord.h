// One plot definition as the plot windows read it: which logger's port and
// which column of its text to plot, how to scale it, and the port bytes that
// wait for the window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

inline constexpr int kPlots = 8;
inline constexpr int kPlotLabelChars = 39;
inline constexpr int kPlotUnitsChars = 19;

// What a line is handled with: the record as it stood at the line's end.
struct PlotSettings {
  std::int16_t PlotLoggerId = 0;  // 1..4
  std::int16_t PortIndex = 0;     // 0..7 serial ports 1..8, 8 the analog port
  std::int16_t PlotType = 0;      // 1 "vs. Counter"
  std::int16_t Column = 0;        // 1-based; 0 the plot is off
  float Scale = 1.0f;
  float Offset = 0.0f;  // subtracted before scaling
  std::string Label;    // the chart's title
  std::string Units;
};

struct PlotRecord : PlotSettings {
  // Room for 299 bytes and the terminator a reader of the text may need.
  static constexpr int kPendingSize = 300;
  static constexpr int kPendingLimit = kPendingSize - 1;

  std::int16_t Active = 0;  // the window is open and fed
  std::int16_t PendingLength = 0;
  std::array<std::uint8_t, kPendingSize> PendingInput{};

  int Room() const { return kPendingLimit - PendingLength; }
};

}  // namespace qv
