#include "protocol/OperationState.h"

namespace qv {

const char* OperationStateText(OperationState state) {
  switch (state) {
    case OperationState::Off: return "OFF";
    case OperationState::Delay: return "Delay";
    case OperationState::PreFlush: return "Pre-Flush";
    case OperationState::Warmup: return "Warmup";
    case OperationState::Flush: return "Flush";
    case OperationState::Sampling: return "Sampling";
    case OperationState::ClearMemory: return "Clear Memory";
    case OperationState::Sleeping: return "Sleeping";
    case OperationState::Standby: return "Standby";
    case OperationState::Upload: return "Upload";
    case OperationState::LowVoltage: return "Low Voltage";
    case OperationState::EightVoltLimit: return "8 volt Limit";
    case OperationState::ManualSwitch: return "Manual Switch";
    case OperationState::LowPower: return "Low Power";
    case OperationState::ZeroVoltCutoff: return "Zero Volt Cutoff";
    case OperationState::EndOfRun: return "End of Run";
  }
  return nullptr;
}

}  // namespace qv
