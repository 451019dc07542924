// The operator's commands to the logger: the get and begin buttons, stop,
// sleep until a time, clear memory, reset to monitor, default setup, factory
// defaults, logger ID and the clock menu items, with their confirmations.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/Clock.h"
#include "common/Prompter.h"
#include "forms/Form.h"
#include "status/StatusForms.h"

namespace qv {

class CommandLink;
class FactoryPassword;
struct PortSetupTab;
struct LoggerControlTab;
struct HardwareTab;
struct AnalogTab;
struct UploadTab;

// A time "HH:MM:SS" (hours 0-23) and a date "MM/DD/YY" as the sleep dialog reads them.
struct SleepTimeOfDay {
  int hour, minute, second;
};
struct SleepDateInput {
  int year, month, day;
};
std::optional<SleepTimeOfDay> ParseSleepTime(const std::string& text);
std::optional<SleepDateInput> ParseSleepDate(const std::string& text);

class LoggerOperations {
 public:
  struct Wiring {
    PortSetupTab& portSetup;
    LoggerControlTab& loggerControl;
    HardwareTab& hardware;
    AnalogTab& analog;
    UploadTab& upload;
    forms::MenuItem& autoTimeUpdate;
    forms::MenuItem& updateTimeNow;
    FactoryPassword& password;
    Clock& clock;
  };

  LoggerOperations(CommandLink& commands, Prompter& prompter, Wiring wiring);

  SleepForm sleep;
  MuxIDForm muxId;

  // Serves the get, begin, sleep and factory-defaults buttons by sender.
  void BTGetSetup1Click(forms::Control& sender);
  void BTStopClick();
  void BTClearMemoryClick();
  void ResetToMonitorClick();
  void LoadDefaultLoggerSetupClick();
  void SleepButtonClick();
  void CancelButtonClick() { sleep.window.Hide(); }
  void UDMuxIDClick();
  void BTSendMuxIDClick();
  void MenuChangeLoggerIDClick() { muxId.window.Show(); }
  void MenuAutoTimeUpdateClick();
  void MenuUpdateTimeNowClick();

 private:
  CommandLink& commands_;
  Prompter& prompter_;
  Wiring w_;
};

}  // namespace qv
