// The whole program under its main window on a fake serial backend, with a
// logger status and a setup fed through the receive pump, so that the tabs
// and the status group show what a connected logger fills in.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <vector>

#include "app/HostProgram.h"
#include "protocol/SetupRecord.h"
#include "protocol/StatusRecord.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/MainWindow.h"

namespace qv::testing {

struct FilledWindow : ::testing::Test {
  FakeSerialBackend backend;
  FakeClock clock{1'700'000'000};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};
  ui::MainWindow window{host};

  // A px5Plus logger with five serial ports, four analog and two pump ports,
  // a remote host on.
  static StatusRecord TypicalStatus(std::int32_t loggerTime) {
    StatusRecord s;
    s.operationState = OperationState::Sampling;
    s.runNumber = 7;
    s.loggerTime = loggerTime;
    s.timeLeft = 3725;
    s.loggerModel = 1;
    s.loggerId = 2;
    s.serialMask = 0x21F;
    s.analogMask = 0x0F;
    s.pumpMask = 0x03;
    s.portDataRates = {0, 120, -64, 9600, 0, 11};
    s.powerFlags = 0x81;
    s.currentVoltage = 12345;
    s.startVoltage = 12600;
    s.endVoltage = 0;
    s.runStopSwitch = 2;
    s.analogVoltages = {0, 1234, 2500, 4999, 17};
    s.portFileSizes = {0, 1023, 1024, 5'242'880, 0, 77};
    s.analogFileSize = 40960;
    s.freeDisk = 1'000'000'000;
    s.totalDisk = 2'000'000'000;
    s.firmwareStamp = StatusRecord::MakeFirmwareStamp(6, 10, 3, 14, 9);
    return s;
  }

  // Moored mode with a few meters on, hours and minutes among the times and
  // the once-per-hour column in use.
  static SetupBytes TypicalSetup() {
    SetupBytes bytes{};
    SetupRecord r(bytes);
    r.SetHeader(0x0101);
    r.SetMode(1);
    r.SetOncePerHourMask(0x10101);
    const std::int32_t times[] = {60, 30, 7200, 90, 600, 3600};
    for (int t = 0; t < 6; ++t) r.SetTimeField(static_cast<SetupRecord::Time>(t), times[t]);
    r.SetPortBaud(0, 9600);
    r.SetPortDataBits(0, 8);
    const std::int16_t meters[] = {0, 1, 3, 9, 12, 7};
    const std::int32_t bauds[] = {0, 9600, 19200, 9600, 115200, 0};
    const std::int16_t bits[] = {8, 8, 8, 7, 8, 7};
    for (int p = 1; p <= 5; ++p) {
      r.SetPortMeterType(p, meters[p]);
      r.SetPortBaud(p, bauds[p]);
      r.SetPortDataBits(p, bits[p]);
      r.SetPortLowVoltage(p, 105);
    }
    for (int n = 1; n <= 4; ++n) r.SetAnalogPortMode(n, n == 2 ? 0 : 1);
    r.SetPumpPortMode(1, 1);
    r.SetAnalogRate(4);
    r.SetOutputFormat(1);
    r.SetFileFormat(1);
    r.SetAutoStart(1);
    r.SealChecksum();
    return bytes;
  }

  // The start-up tick, then the operator's choice of COM 1 in the host-port
  // dialog and of "Advanced User", which shows every tab a mode can show.
  void Connect() {
    host.Main().Timer55ms.Fire();
    host.Link().hostPortForm.HostPortCB.UserSelect(1);
    host.Main().MenuAdvanced.UserClick();
  }

  // One record through the pump and the display tick.
  void Receive(const std::vector<std::uint8_t>& packet) {
    backend.Feed(1, packet);
    for (int i = 0; i < 3; ++i) {
      clock.AdvanceMs(25);
      host.Main().Timer55ms.Fire();
    }
    host.Main().Timer475ms.Fire();
  }
  void ReceiveStatus(const StatusRecord& s) {
    const StatusRecord::Bytes packet = s.Encode();
    Receive({packet.begin(), packet.end()});
  }
  void ReceiveSetup(const SetupBytes& setup) { Receive({setup.begin(), setup.end()}); }

  // Connected, with the typical status and setup shown, the window on screen
  // at its own size. A setup resets the per-port figures, a status fills them.
  void Fill() {
    Connect();
    host.UpdatePcClock();
    ReceiveStatus(TypicalStatus(host.PcLoggerTime()));
    ReceiveSetup(TypicalSetup());
    ReceiveStatus(TypicalStatus(host.PcLoggerTime()));
    host.Main().Timer1000ms.Fire();
    window.show();
    Settle();
  }

  // Shows the tab, as its menu command would, and makes it the active page.
  void ShowTab(forms::TabSheet& sheet) {
    sheet.SetVisible(true);
    host.Main().PageControl1.SetActivePage(&sheet);
    Settle();
  }

  // Lets the layouts finish: one layout's new geometry may ask for another's.
  static void Settle() {
    for (int i = 0; i < 4; ++i) {
      QCoreApplication::sendPostedEvents();
      QApplication::processEvents();
    }
  }
};

}  // namespace qv::testing
