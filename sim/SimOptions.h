// Everything that makes one simulated logger differ from another: model,
// identity, line, clock, firmware, cable, its real-time data, and the faults
// of its line.
#pragma once

#include <cstdint>
#include <string>

#include "platform/SerialBackend.h"
#include "protocol/LoggerModel.h"

namespace qv {

// The cable between logger and PC: an RS-232 cable carries nothing once the
// logger has switched its host port to RS-422.
enum class Cable { Rs232, Rs422 };

struct SimOptions {
  int model = kModelKr7;
  int loggerId = 1;
  LineSetting line{9600, 8, 'N', 1};  // the logger's host port
  std::uint64_t seed = 1;
  std::string linkPath;               // a symbolic link to the device; empty for none
  double dropRate = 0.0;              // per outgoing byte, 0..1
  double corruptRate = 0.0;
  double repeatRate = 0.0;
  std::int32_t clockOffsetSeconds = 0;  // logger clock minus PC clock at start
  int firmwareMajor = 6;
  int firmwareMinor = 10;  // hundredths
  std::int16_t runStopSwitch = 2;  // 1 STOP, 2 RUN, 4 disabled, 0 no switch
  std::int16_t serialNumber = 417;  // the factory hardware configuration's
  Cable cable = Cable::Rs232;
  int statusPeriodMs = 1000;
  std::int32_t totalMemory = 64 * 1024 * 1024;

  // Real-time data. A chain of 1..4 is loggers 1..N and a time unit (ID 0) on
  // one line; 0 is a single logger under its own ID with no time unit.
  int chain = 0;
  int rateHz = 0;       // data packets a second per unit, 1..20; 0: the setup's analog rate
  bool stream = false;  // powers up sampling in Real Time Mode, no command needed
  double packetGapRate = 0.0;      // per data packet, 0..1: sequence numbers skipped before it
  double packetRepeatRate = 0.0;   // the packet sent twice
  double packetCorruptRate = 0.0;  // the packet sent with a wrong checksum
};

}  // namespace qv
