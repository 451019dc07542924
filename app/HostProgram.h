// The one object that owns all state of a run of the host program: every
// subsystem, every shared record, the forms, and the timer handlers that
// drive them. Built from a clock, a prompter and a serial backend, so it runs
// headless in tests exactly as under the Qt window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/RecordFileDialogs.h"
#include "diagnostics/PortTest.h"
#include "factory/AnalogCalibration.h"
#include "factory/FactoryForms.h"
#include "factory/FactoryPassword.h"
#include "factory/HardwareConfiguration.h"
#include "hostconfig/HostConfig.h"
#include "link/CommandLink.h"
#include "link/LinkSupervisor.h"
#include "link/ReceivePump.h"
#include "link/ReceivedRecords.h"
#include "link/SerialPortService.h"
#include "pclogger/PcClock.h"
#include "pclogger/PcLoggerInput.h"
#include "pclogger/PcLoggerPortSetup.h"
#include "platform/SerialBackend.h"
#include "plot/Plotting.h"
#include "setup/DisplayModes.h"
#include "setup/LoggerSetup.h"
#include "status/LoggerOperations.h"
#include "status/StatusDisplay.h"
#include "stream/ArchiveAnnotation.h"
#include "stream/DataStream.h"
#include "stream/PcPortSlots.h"
#include "stream/PendingAnnotation.h"
#include "upload/RunExtraction.h"
#include "upload/UploadForms.h"

namespace qv {

class HostProgram {
 public:
  HostProgram(Clock& clock, Prompter& prompter, SerialBackend& backend);
  ~HostProgram();
  HostProgram(const HostProgram&) = delete;
  HostProgram& operator=(const HostProgram&) = delete;

  // The forms in the order their windows are created: the main window first.
  std::vector<forms::Form*> Forms();
  // Which form fills each tab of the page control, and the logger status group.
  struct TabContent {
    forms::TabSheet* tab;
    forms::Form* form;
  };
  std::vector<TabContent> TabContents();
  forms::Form& LoggerStatusContent() { return statusGroup_; }

  // Timer handlers, fired through the main form's timers.
  void Timer55msTimer();
  void Timer475msTimer();
  void Timer1000msTimer();
  void TTimeoutTimer();
  void RTTimeoutTimer() { link_.RTTimeoutTimer(); }

  void StartUp();
  void UpdatePcClock();
  // The host configuration file read at start-up and written at Exit
  // (normally last.qvh in the user's configuration folder); none when empty.
  void SetHostConfigPath(std::string path) { hostConfigPath_ = std::move(path); }
  const std::string& HostConfigPath() const { return hostConfigPath_; }
  // "E&xit": asks, writes the host configuration, closes every port slot and
  // ends the program through onQuit.
  void BTExitClick();
  void PageControl1Change();
  std::function<void()> onQuit;

  MainForm& Main() { return main_; }
  LinkSupervisor& Link() { return link_; }
  StatusDisplay& Status() { return status_; }
  LoggerOperations& Operations() { return operations_; }
  LoggerSetup& Setup() { return setup_; }
  DisplayModes& Modes() { return modes_; }
  PcLoggerPortSetup& PcLogger() { return pcLogger_; }
  PcLoggerInput& PcLoggerIn() { return pcInput_; }
  PcClock& PcLoggerClock() { return pcClock_; }
  ArchiveAnnotation& Annotation() { return annotation_; }
  HostConfig& Config() { return hostConfig_; }
  const LoggerState& Logger() const { return loggerState_; }
  HardwareTab& Hardware() { return hardwareTab_; }
  AnalogTab& Analog() { return analogTab_; }
  HardwareConfiguration& HardwareConfig() { return hardware_; }
  AnalogCalibration& Calibration() { return analog_; }
  Plotting& Plots() { return plots_; }
  PortTest& PortTesting() { return portTest_; }
  UploadTab& Upload() { return uploadTab_; }
  RunExtraction& Extraction() { return extraction_; }
  DataStream& Stream() { return stream_; }
  SerialPortService& Ports() { return ports_; }
  ReceivePump& Pump() { return pump_; }
  ReceivedRecords& Records() { return records_; }
  // Fast ticks turned away by the busy flag, counted for the whole run.
  int SkippedTicks() const { return skippedTicks_; }
  // The PC's present time as a logger time, as of the last clock step.
  std::int32_t PcLoggerTime() const { return pcLoggerTime_; }

 private:
  class Router;
  void WireMenu();
  void WireButtons();
  void FirstTick();
  std::string ConfigFolder() const;
  void ResetPortTables();
  void ShowFirstPage();
  void MenuPlotSetupClick();
  void ShowRawLoggerData();

  Clock& clock_;
  Prompter& prompter_;
  MainForm main_;
  SerialPortService ports_;
  CommandLink commands_;
  ReceivedRecords records_;
  std::unique_ptr<Router> router_;
  ReceivePump pump_;
  LinkSupervisor link_;

  LoggerStatusGroup statusGroup_;
  DataStatusTab dataStatusTab_;
  LoggerState loggerState_;
  RecordFileDialogs recordFiles_;
  LoggerSetup setup_;
  HardwareTab hardwareTab_;
  AnalogTab analogTab_;
  UploadTab uploadTab_;
  RunExtraction extraction_;
  FactoryPassword password_;
  HardwareConfiguration hardware_;
  AnalogCalibration analog_;
  LoggerOperations operations_;
  StatusDisplay status_;
  PcPortSlots pcSlots_;
  PendingAnnotation pendingAnnotation_;
  DataStream stream_;
  PcLoggerPortSetup pcLogger_;
  PcClock pcClock_;
  PcLoggerInput pcInput_;
  ArchiveAnnotation annotation_;
  DisplayModes modes_;
  HostConfig hostConfig_;
  std::string hostConfigPath_;
  Plotting plots_;
  PortTest portTest_;

  // The fast tick's own state.
  bool firstTick_ = true;
  bool busy_ = false;    // guards against a tick inside a box of an earlier one
  int tickCount_ = 0;    // fast ticks since the last one-second report
  int skippedTicks_ = 0;

  std::int64_t lastClockSecond_ = -1;
  ClockReading lastReading_;
  std::int32_t pcLoggerTime_ = 0;
};

}  // namespace qv
