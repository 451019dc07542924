// What each logger model has: its serial, analog and pump ports as the status
// record's masks.
#pragma once

#include <cstdint>

#include "protocol/LoggerModel.h"

namespace qv {

struct ModelPorts {
  std::int16_t serialMask;  // bits 0-7: serial ports 1-8
  std::int16_t analogMask;  // bits 0-6: analog ports 1-7
  std::int16_t pumpMask;    // bits 0-3: pump ports 1-4
};

inline constexpr std::int16_t kRs422HostBit = 0x0100;
inline constexpr std::int16_t kRemoteHostOnBit = 0x0200;

// Models 1 (px5Plus), 2 (KR7) and 3 (Zed Plus); nothing for others.
ModelPorts PortsOfModel(int model);

}  // namespace qv
