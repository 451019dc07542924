// The qvsim command line: options into SimOptions, with a clear message for
// anything it cannot take.
#pragma once

#include <string>
#include <vector>

#include "sim/MeterEnd.h"
#include "sim/SimOptions.h"

namespace qv {

struct SimCommandLine {
  SimOptions options;
  // --meter: an instrument instead of a logger, on the line of --baud and
  // --7e1, at --rate records a second, seeded by --seed, linked by --link.
  bool meter = false;
  MeterOptions meterOptions;
  bool quiet = false;
  bool help = false;
  std::string error;  // empty when the command line was good
};

// `args` without the program name. Options take their value as the next
// argument or after "=".
SimCommandLine ParseSimCommandLine(const std::vector<std::string>& args);

std::string SimUsage();

}  // namespace qv
