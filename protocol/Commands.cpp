#include "protocol/Commands.h"

namespace qv {

const char* CommandName(std::uint16_t code) {
  switch (code) {
    case CmdStop: return "CmdStop";
    case CmdBeginSample: return "CmdBeginSample";
    case CmdLoadFactoryDefaults: return "CmdLoadFactoryDefaults";
    case CmdSetLoggerId: return "CmdSetLoggerId";
    case CmdSleepUntil: return "CmdSleepUntil";
    case CmdGetHardwareConfiguration: return "CmdGetHardwareConfiguration";
    case CmdUploadBlockReply: return "CmdUploadBlockReply";
    case CmdGetSetup: return "CmdGetSetup";
    case CmdGetAnalogCalibration: return "CmdGetAnalogCalibration";
    case CmdSetTime: return "CmdSetTime";
    case CmdLoadDefaultSetup: return "CmdLoadDefaultSetup";
    case CmdSelectRs232: return "CmdSelectRs232";
    case CmdSelectRs422: return "CmdSelectRs422";
    case CmdResetToMonitor: return "CmdResetToMonitor";
    case CmdGetDirectory: return "CmdGetDirectory";
    case CmdUploadRun: return "CmdUploadRun";
    case CmdClearMemory: return "CmdClearMemory";
    default: return nullptr;
  }
}

}  // namespace qv
