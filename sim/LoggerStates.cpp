#include "sim/LoggerStates.h"

namespace qv {

const char* StateName(std::int16_t state) {
  switch (state) {
    case kStateOff: return "OFF";
    case kStateDelay: return "Delay";
    case kStatePreFlush: return "Pre-Flush";
    case kStateWarmup: return "Warmup";
    case kStateFlush: return "Flush";
    case kStateSampling: return "Sampling";
    case kStateClearMemory: return "Clear Memory";
    case kStateSleeping: return "Sleeping";
    case kStateStandby: return "Standby";
    case kStateUpload: return "Upload";
    case kStateEndOfRun: return "End of Run";
    default: return "?";
  }
}

}  // namespace qv
