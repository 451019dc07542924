// The whole host program headless against a simulated logger on COM 1, both
// on one fake clock: the five main timers fire in virtual time and the line
// moves on between firings, so a minute of the link runs in milliseconds and
// the same every time.
//
//   TEST_F(MyTest, StatusArrives) {
//     StartLogger();              // SimOptions{} or your own
//     StartHostOnCom1();
//     ASSERT_TRUE(RunUntil([&] { return host.Main().GBLoggerStatus.Visible(); }, 3000));
//   }
#pragma once

#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "app/HostProgram.h"
#include "sim/SimOptions.h"
#include "tests/support/DaylightSavingZone.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/SimSerialBackend.h"
#include "tests/support/VirtualTime.h"

namespace qv::testing {

class VirtualHostFixture : public ::testing::Test {
 public:
  // 2027-01-15 12:00:00 EST (standard time).
  static constexpr std::int64_t kWinterNoon = 1800032400;

  VirtualHostFixture() {
    MainForm& m = host.Main();
    for (forms::Timer* t : {&m.Timer55ms, &m.Timer475ms, &m.Timer1000ms, &m.TTimeout, &m.RTTimeout})
      time.Add(*t);
    time.AddPeer([this](std::int64_t nowMs) { backend.AdvanceTo(nowMs); });
  }

  // A logger with `options` on COM 1 from now on.
  void StartLogger(const SimOptions& options = {}) { backend.Connect(options, 1); }
  // The first fast tick starts the program up and opens the host-port
  // dialog; the operator picks COM 1 in it and, as on a first start,
  // "Advanced User" in the Modes menu.
  void StartHostOnCom1() {
    RunUntil([&] { return time.Fired(host.Main().Timer55ms) > 0; }, 1000);
    host.Link().hostPortForm.HostPortCB.UserSelect(1);
    host.Main().MenuAdvanced.UserClick();
    ASSERT_TRUE(host.Ports().IsPortSlotOpen(0));
  }
  // Loggers 1 to 4 and a time unit streaming at 20 Hz from power-up on a
  // 115200-baud line, the fullest a line carries, and the host at that line.
  void StartChainOfFourAtTwentyHertz() {
    SimOptions options;
    options.line.baud = 115200;
    options.stream = true;
    options.chain = 4;
    options.rateHz = 20;
    StartLogger(options);
    StartHostOnCom1();
    host.Link().hostPortForm.HostSetupCB.UserSelect(11);  // "115200"
  }
  bool RunUntil(const std::function<bool()>& done, std::int64_t maxMs) {
    return time.RunUntil(done, maxMs);
  }
  void RunFor(std::int64_t ms) { time.RunFor(ms); }
  SimSnapshot Logger() const { return backend.Snapshot(); }

  DaylightSavingZone zone;
  FakeClock clock{kWinterNoon};
  ScriptedPrompter prompter;
  SimSerialBackend backend{clock};
  HostProgram host{clock, prompter, backend};
  VirtualTime time{clock};
};

}  // namespace qv::testing
