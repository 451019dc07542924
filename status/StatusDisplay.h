// The status display: turns each status record the logger sends into the
// Logger Status group and the Data Status tab, keeps the logger's model,
// state and ID for the rest of the program, and keeps its clock in step.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/Clock.h"
#include "forms/Form.h"
#include "protocol/StatusRecord.h"
#include "status/StatusForms.h"

namespace qv {

class CommandLink;
struct PortSetupTab;
struct LoggerControlTab;
struct UploadTab;

// What the rest of the program reads of the last status record.
struct LoggerState {
  int model = 0;  // 0 none, 1 px5Plus, 2 KR7, 3 Zed Plus
  std::optional<OperationState> operationState;  // none before the first status record
  int loggerId = 0;
  std::string shortName = "???";
  int statusAge = 0;  // counted down each PC second; 0 turns the logger clock yellow
};

class StatusDisplay {
 public:
  struct Wiring {
    // The status forms are held by the program ahead of every subsystem,
    // since showing a setup writes into them too.
    LoggerStatusGroup& group;
    DataStatusTab& dataStatus;
    forms::GroupBox& statusGroup;      // GBLoggerStatus
    forms::Label& noStatusLabel;       // Label78
    forms::MenuItem& updateTimeNow;    // "Synchronize Time Now"
    forms::MenuItem& autoTimeUpdate;   // "Automatic Time Sync"
    PortSetupTab& portSetup;
    LoggerControlTab& loggerControl;
    UploadTab& upload;
    forms::Window& muxIdDialog;
    forms::Label& currentMuxId;        // LBCurrentMuxID
    forms::Label& sleepTime;           // the sleep dialog's logger clock
    forms::Label& sleepDate;
    // Runs the PC clock step and returns its reading.
    std::function<ClockReading()> updatePcClock;
  };

  StatusDisplay(CommandLink& commands, LoggerState& state, Wiring wiring);

  LoggerStatusGroup& group;
  DataStatusTab& dataStatus;
  WarningForm warning;

  void ShowStatus(const StatusRecord& r);
  void ShowPortLayout(int model, int serial, int analog, int pump, int power);
  void ShowRunStopSwitch(int value);
  void ShowRemoteHost(bool on);
  // Once a PC second: counts the status age down, or marks the clock stale.
  void PcSecondPassed();

 private:
  void ShowTime(std::int32_t loggerTime);
  void ShowFirmware(std::uint32_t stamp);
  void ShowModel(int model);
  void ShowPorts(const StatusRecord& r);

  CommandLink& commands_;
  LoggerState& state_;
  Wiring w_;
  int appliedSwitch_ = -1;
  int appliedModel_ = -32768;
  int appliedSerial_ = 0;
  int appliedAnalog_ = 0x0080;
  int appliedPump_ = 0;
  int appliedPower_ = 0;
  bool firmwareWarned_ = false;
};

}  // namespace qv
