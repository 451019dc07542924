// What one receive cycle achieved, as the link timers read it.
#pragma once

namespace qv {

enum class PumpResult {
  Nothing = 0,        // nothing read and no packet
  BytesRead = 1,      // bytes read, no complete packet
  PacketHandled = 2,  // a packet handed on (also every cycle of a replay)
};

}  // namespace qv
