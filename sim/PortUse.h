// Which of its model's ports a setup puts to use.
#pragma once

#include <cstdint>

#include "protocol/SetupRecord.h"

namespace qv {

// Bit n-1 of a port mask: port n (1-based) is there.
inline bool PortPresent(std::int16_t mask, int n) { return (mask & (1 << (n - 1))) != 0; }

// Analog ports the model has that the setup reads.
int AnalogPortsOn(const SetupBytes& setup, int model);
// Any pump the model has that the setup runs: a pump port, an analog port
// in pump mode or a serial port carrying a pump.
bool AnyPumpOn(const SetupBytes& setup, int model);
// A serial port the model has carries a remote host.
bool RemoteHostOn(const SetupBytes& setup, int model);

}  // namespace qv
