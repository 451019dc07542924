// qvextract: run-file extraction and the archive's CSV form on the command
// line, for scripts and for files uploaded earlier. Each notice the host
// would show in a box is a line "CAPTION: TEXT" on the error stream.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qv {

inline constexpr int kExitDone = 0;
inline constexpr int kExitNoticed = 1;
inline constexpr int kExitUsage = 2;

// `args` without the program name. Returns the exit status.
int RunExtractCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qv
