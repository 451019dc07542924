// The command line of qvhost.
#pragma once

#include <string>
#include <vector>

namespace qv::ui {

struct Options {
  std::vector<std::string> portOverrides;  // "COMn=PATH", in the order given
  std::string config;                      // the host configuration file instead of last.qvh
  std::string screenshot;                  // picture of the main window, then exit
  std::string screenshotDialogs;           // pictures of every window into this folder
  double quitAfterSeconds = 0;             // 0: run until closed
  bool help = false;
  std::string error;                       // set when the command line is bad
};

// Parses the arguments after the program name, once Qt has taken its own.
Options ParseOptions(const std::vector<std::string>& args);

std::string UsageText();

// The host configuration file: the one --config names, or last.qvh in the
// application's configuration folder (normally ~/.config/qvhost/), which is
// made when missing. Empty when there is no such folder.
std::string HostConfigPath(const Options& options);

}  // namespace qv::ui
