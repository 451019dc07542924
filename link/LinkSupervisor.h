// Link supervision: the host-port and interface dialogs, the statistics
// window and its lines, the link timers that the fast tick keeps, the
// five-second check that warns of a silent logger and steps the logger port
// through the line settings when only bad data arrives, and bringing back a
// logger port whose device went away.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "common/Clock.h"
#include "common/Prompter.h"
#include "forms/Form.h"
#include "link/LinkForms.h"
#include "link/LinkTiming.h"
#include "link/SerialPortService.h"
#include "protocol/PumpResult.h"

namespace qv {

class SerialPortService;
class CommandLink;
class ReceivePump;

class LinkSupervisor {
 public:
  // What the supervisor uses of the main window and the logger setup.
  struct Wiring {
    forms::MenuItem& autoBaudItem;  // "Auto Baud Rate Detection"
    forms::Timer& rtTimeout;        // the supervision timer itself
    std::function<bool()> mooredMode;  // the setup's mode list shows "Moored Mode"
  };

  // How often a logger port whose device went away is tried again.
  static constexpr std::int64_t kReopenEveryMs = 2000;

  LinkSupervisor(SerialPortService& ports, CommandLink& commands, ReceivePump& pump,
                 Prompter& prompter, Clock& clock, Wiring wiring);

  ConfigureHostPortForm hostPortForm;
  RS422Form rs422Form;
  StatsForm statsForm;

  void HostPortCBChange();
  void HostSetupCBChange();
  void ConfigureHostPortFromClick();
  void ChangeHostPortType1Click();
  void RS422ButtonClick();
  void RS232ButtonClick();
  void RS422CancelClick();
  void HostPortStatsClick();
  void AutoBaudRateDetectionClick();

  void StatsOpen(int port, int lineCount, const std::string& caption);
  void StatsClose();
  void StatsLine(int port, int line, const std::string& text);
  void StatsLineColour(int port, int line, forms::Colour colour);
  int DisplayedStatsPort() const { return displayedPort_; }

  // Start-up: the host-port dialog at "No Port Selected" and "9600".
  void StartUp();

  // Fast tick, before the pump: the packet count and the two timers in the
  // statistics window.
  void ShowTickLines();
  // Fast tick: a logger or PC Logger port whose device went away is tried
  // again every two seconds; once the logger port is back, the receive
  // buffer starts afresh.
  void ReopenLostPorts();
  // Fast tick, after a pump cycle: the link timers follow its result.
  void PumpCycleDone(PumpResult pumpResult);
  // One-second tick, first steps: packets and bytes per second, the total
  // input and the largest payload.
  void ShowSecondLines();
  void ShowModErrors(std::uint32_t total);
  void ShowLoops(int ticks, int skipped);

  // The supervision tick, every five seconds.
  void RTTimeoutTimer();
  // The moored display mode starts over with one no-data notice.
  void ClearNoDataNoticeGiven() { noDataNoticeGiven_ = false; }

  // Shows beside each COM item which device it is.
  void ShowPortDevices();

  const LinkTiming& Timing() const { return timing_; }

 private:
  void ParkTimers();
  void ResumeAfterBox();
  void NoDataExpired();
  void BadDataExpired(bool onlyBadBytesSinceLastCheck);
  // Asks "Enter Auto Baud Rate Detection?"; true when stepping should start.
  bool OperatorWantsAutoBaud();
  void StepBaud();
  std::int64_t NowMs();

  SerialPortService& ports_;
  CommandLink& commands_;
  ReceivePump& pump_;
  Prompter& prompter_;
  Clock& clock_;
  Wiring wiring_;
  LinkTiming timing_;
  int displayedPort_ = -1;
  bool noDataNoticeGiven_ = false;

  // Pump counters as they stood when last shown, at the last second and at
  // the last supervision check.
  std::uint64_t packetCountShown_ = ~std::uint64_t{0};
  std::uint64_t packetsAtLastSecond_ = 0;
  std::uint64_t bytesAtLastSecond_ = 0;
  std::uint64_t packetsAtLastCheck_ = 0;
  std::uint64_t bytesAtLastCheck_ = 0;
  // True when the slot's device is back.
  bool ReopenLostSlot(int slot, std::optional<std::int64_t>& nextTry);

  // When each away port (the logger's, the PC Logger's) is tried next.
  std::array<std::optional<std::int64_t>, kLastPcLoggerSlot + 1> nextReopenMs_{};
};

}  // namespace qv
