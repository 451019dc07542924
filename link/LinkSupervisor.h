// Link supervision: the host-port and interface dialogs, the statistics
// window, and the five-second check that warns of a silent logger and steps
// the logger port through the line settings when only bad data arrives.
#pragma once

#include <functional>
#include <string>

#include "common/Prompter.h"
#include "forms/Form.h"
#include "link/LinkForms.h"
#include "link/LinkTiming.h"

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

  LinkSupervisor(SerialPortService& ports, CommandLink& commands, ReceivePump& pump,
                 Prompter& prompter, LinkTiming& timing, Wiring wiring);

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

  // The supervision tick, every five seconds.
  void RTTimeoutTimer();

  // Moored display mode starts over with one notice.
  void ClearNoDataNoticeGiven() { noDataNoticeGiven_ = false; }
  // Shows beside each COM item which device it is.
  void ShowPortDevices();

 private:
  void ParkTimers();
  void StepBaud();

  SerialPortService& ports_;
  CommandLink& commands_;
  ReceivePump& pump_;
  Prompter& prompter_;
  LinkTiming& timing_;
  Wiring wiring_;
  int displayedPort_ = -1;
  bool noDataNoticeGiven_ = false;
};

}  // namespace qv
