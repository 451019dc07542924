// What each logger model has: its serial, analog and pump ports as the status
// record's masks, and its short name.
#pragma once

#include <cstdint>

namespace qv {

struct ModelPorts {
  std::int16_t serialMask;  // bits 0-7: serial ports 1-8
  std::int16_t analogMask;  // bits 0-6: analog ports 1-7
  std::int16_t pumpMask;    // bits 0-3: pump ports 1-4
};

inline constexpr std::int16_t kRs422HostBit = 0x0100;
inline constexpr std::int16_t kRemoteHostOnBit = 0x0200;

bool IsKnownModel(int model);
// Models 1 (px5Plus), 2 (KR7) and 3 (Zed Plus); nothing for others.
ModelPorts PortsOfModel(int model);
// "PX5+", "KR-7", "Z-Plus".
const char* ModelShortName(int model);
// Models 1 and 3 carry the px5 meter on serial port 1.
bool HasBuiltInPx5(int model);

}  // namespace qv
