// The single-port test: the logger is told which of its ports to pass through
// to the host line and at which line settings, and what comes back is
// watched in the raw display. Stop ends it like any run.
#pragma once

#include <functional>

#include "common/Prompter.h"
#include "diagnostics/TestPortForm.h"
#include "protocol/PortTestFrame.h"

namespace qv {

class CommandLink;

class PortTest {
 public:
  struct Wiring {
    CommandLink& commands;
    Prompter& prompter;
    // The Real Time Data tab shown and opened on the raw logger bytes.
    std::function<void()> showRawLoggerData;
    // The main window's Stop.
    std::function<void()> stop;
  };

  explicit PortTest(Wiring wiring);

  TestPortForm dialog;

  // Start-up: "Port 1" chosen.
  void StartUp() { dialog.CBTestPort.SetItemIndex(0); }
  void MenuTestOneSerialPortClick() { dialog.window.Show(); }
  void BTTestPortClick();
  void BTStopTestClick() { w_.stop(); }

 private:
  Wiring w_;
};

}  // namespace qv
