// The logger's host-port line: read from a setup as the host reads it, and whether
// two ends of the line understand each other.
#pragma once

#include <string>

#include "platform/SerialBackend.h"
#include "protocol/SetupRecord.h"

namespace qv {

// The bauds a host port can run at: those of the link's setting codes.
bool IsHostPortBaud(int baud);

// The line a host-port entry stands for: 4800 and 9600 with other than 8
// data bits are 7 bits even parity; any baud the port cannot run is 9600 8N1.
LineSetting LineOfHostPortEntry(std::int32_t baud, std::int16_t dataBits);
LineSetting HostPortLine(const SetupView& setup);
// Writes the line into the setup's host-port entry (baud, data bits, parity code).
void SetHostPortLine(SetupRecord& setup, const LineSetting& line);

// Both ends read each other's bytes only with the same baud, data bits and parity.
bool SameLine(const LineSetting& a, const LineSetting& b);

// "9600 8N1", for the log.
std::string LineText(const LineSetting& line);

}  // namespace qv
