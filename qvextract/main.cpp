// qvextract: see ExtractCommand.h, or run it with --help.
#include <iostream>
#include <string>
#include <vector>

#include "qvextract/ExtractCommand.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return qv::RunExtractCommand(args, std::cout, std::cerr);
}
