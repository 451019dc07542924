// The logger's operation-state codes as its status record reports them. A
// record may carry any other value; the enum holds it all the same.
#pragma once

#include <cstdint>

namespace qv {

enum class OperationState : std::int16_t {
  Off = 0,
  Delay = 2,
  PreFlush = 3,
  Warmup = 4,
  Flush = 5,
  Sampling = 6,
  ClearMemory = 7,
  Sleeping = 8,
  Standby = 9,
  Upload = 10,
  LowVoltage = 13,
  EightVoltLimit = 14,
  ManualSwitch = 16,
  LowPower = 17,
  ZeroVoltCutoff = 27,
  EndOfRun = 30,
};

// The state's text on the status panel ("Standby"); nullptr for a code not listed.
const char* OperationStateText(OperationState state);

}  // namespace qv
