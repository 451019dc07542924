// A headless host program on a fake serial backend, fake clock and scripted
// prompter, with the time zone pinned to one that has daylight saving.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/HostProgram.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"
#include "protocol/CommandFrame.h"
#include "protocol/StatusRecord.h"
#include "tests/support/DaylightSavingZone.h"
#include "tests/support/FakeSerialBackend.h"

namespace qv::testing {

// A status packet of a KR7 with logger ID 2 in "Standby", of current firmware.
inline std::vector<std::uint8_t> StandbyStatusPacket() {
  StatusRecord r;
  r.operationState = OperationState::Standby;
  r.loggerId = 2;
  r.loggerModel = 2;
  r.firmwareStamp = StatusRecord::MakeFirmwareStamp(6, 16, 1, 1, 27);
  const StatusRecord::Bytes packet = r.Encode();
  return std::vector<std::uint8_t>(packet.begin(), packet.end());
}

class HostFixture : public ::testing::Test {
 public:
  // 2027-01-15 12:00:00 EST (standard time).
  static constexpr std::int64_t kWinterNoon = 1800032400;

  DaylightSavingZone zone;
  FakeSerialBackend backend;
  FakeClock clock{kWinterNoon};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};

  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      clock.AdvanceMs(25);
      host.Main().Timer55ms.Fire();
    }
  }
  // The first tick, then the operator picks COM 1 in the dialog it opened
  // and, as on a first start, "Advanced User" in the Modes menu.
  void StartOnCom1() {
    Tick();
    host.Link().hostPortForm.HostPortCB.UserSelect(1);
    host.Main().MenuAdvanced.UserClick();
    backend.TakeWritten(1);
    prompter.Clear();
  }
  std::vector<std::uint8_t> Sent() { return backend.TakeWritten(1); }
  static std::vector<std::uint8_t> Frame(std::uint16_t code, std::int16_t shortValue = 0,
                                         std::int32_t longValue = 0) {
    auto f = BuildCommandFrame(code, shortValue, longValue);
    return {f.begin(), f.end()};
  }
};

}  // namespace qv::testing
