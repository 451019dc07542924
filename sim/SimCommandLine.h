// The qvsim command line: options into SimOptions, with a clear message for
// anything it cannot take.
#pragma once

#include <string>
#include <vector>

#include "sim/SimOptions.h"

namespace qv {

struct SimCommandLine {
  SimOptions options;
  bool quiet = false;
  bool help = false;
  std::string error;  // empty when the command line was good
};

// `args` without the program name. Options take their value as the next
// argument or after "=".
SimCommandLine ParseSimCommandLine(const std::vector<std::string>& args);

std::string SimUsage();

}  // namespace qv
