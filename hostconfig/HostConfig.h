// The host configuration: the state of the host's own window and PC-side
// settings kept in a .qvh file, so the program comes back as it was left.
// Read at start-up and written at Exit (the file the ui names, normally
// last.qvh in the user's configuration folder), and through the Files menu.
#pragma once

#include <functional>
#include <string>

#include "common/Prompter.h"
#include "hostconfig/HostConfigFile.h"

namespace qv {

class DisplayModes;
class LoggerSetup;
struct ConfigureHostPortForm;
struct PcLoggerTab;
struct RealTimeTab;
struct RecordTab;
struct UploadTab;

class HostConfig {
 public:
  // The controls the file names, by their owners, and the steps that follow
  // restoring some of them.
  struct Wiring {
    Prompter& prompter;
    ConfigureHostPortForm& hostPort;
    std::function<void()> openLoggerPort;  // the logger port from the host-port lists
    DisplayModes& modes;
    LoggerSetup& setup;
    UploadTab& upload;
    RealTimeTab& realTime;
    std::function<void()> rawPortChange;  // the raw display takes its lists over
    RecordTab& record;
    PcLoggerTab& pcLogger;
    std::function<void()> applyPcLoggerSlots;  // lay out and load the restored slots
  };

  explicit HostConfig(Wiring wiring);

  // Writes the whole file; a file that cannot be written is told. True when written.
  bool WriteHostConfig(const std::string& path);
  // Reads, checks and applies a whole file: nothing is applied when a line is
  // bad (told). A file that does not exist is no error.
  void LoadHostConfig(const std::string& path);

  // "Open Host Configuration File" and "Save Host Connfiguration File".
  void LoadHostSetupFileClick();
  void StoreHostSetupFileClick();

  // What the controls hold, as the file would say it.
  HostConfigText Collect() const;
  // Puts checked values into the controls, line after line.
  void Apply(const HostConfigValues& values);

 private:
  void ApplyLine(int line, const std::vector<std::int16_t>& v);

  Wiring w_;
  std::string openName_;  // each dialog keeps the name of its last use
  std::string saveName_;
};

}  // namespace qv
