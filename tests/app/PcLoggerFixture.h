// The headless program with its timers run in virtual time, on a fake
// serial backend whose COM ports hold exactly the bytes a test feeds them:
// for the PC Logger's packets, its ports and the annotations it carries.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/HostProgram.h"
#include "common/Format.h"
#include "tests/support/ArchiveContents.h"
#include "tests/support/DaylightSavingZone.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/VirtualTime.h"

namespace qv::testing {

using Bytes = std::vector<std::uint8_t>;

class PcLoggerFixture : public ::testing::Test {
 public:
  // 2027-01-15 12:00:00 EST (standard time).
  static constexpr std::int64_t kWinterNoon = 1800032400;

  PcLoggerFixture() {
    MainForm& m = host.Main();
    for (forms::Timer* t : {&m.Timer55ms, &m.Timer475ms, &m.Timer1000ms, &m.RTTimeout})
      time.Add(*t);
  }

  // The first tick; the operator picks COM 1 for the logger (silent here)
  // and "Advanced User", as on a first start.
  void Start() {
    time.RunUntil([&] { return time.Fired(host.Main().Timer55ms) > 0; }, 1000);
    host.Link().hostPortForm.HostPortCB.UserSelect(1);
    host.Main().MenuAdvanced.UserClick();
  }
  PcLoggerTab& Tab() { return host.PcLogger().tab; }
  // The operator sets slot n to `kind` on COM `com` at 9600 baud and loads the setup.
  void Slot(int n, int kind, int com, int outputLoggerId = 2, int outputPort = 1) {
    Tab().PortTypeCB[n].UserSelect(kind);
    Tab().DeckPortCB[n].UserSelect(com);
    Tab().DeckSetupCB[n].UserSelect(6);
    while (Tab().UDDeckType[n].Position() != outputLoggerId)
      Tab().UDDeckType[n].UserClick(Tab().UDDeckType[n].Position() < outputLoggerId);
    while (Tab().UDOutPort[n].Position() != outputPort)
      Tab().UDOutPort[n].UserClick(Tab().UDOutPort[n].Position() < outputPort);
    Tab().BTLoadDeck.UserClick();
  }
  // Clicks the rate list up until it stands at `position`.
  void Rate(int position) {
    while (Tab().UDDeckRate.Position() < position) Tab().UDDeckRate.UserClick(true);
  }
  void AddPcTime() { Tab().CBRecordPCTime.SetChecked(true); }

  void RecordArchive() {
    prompter.files.push_back(archive);
    host.Stream().recordTab.BTRecordArchive.UserClick();
    ASSERT_EQ(host.Stream().RecordingMode(), RecordingMode::Archive);
  }
  std::vector<DataPacket> StopAndRead() {
    host.Stream().recordTab.BTStopRecord.UserClick();
    return ReadArchiveRecords(archive);
  }
  void RunFor(std::int64_t ms) { time.RunFor(ms); }
  bool RunUntil(const std::function<bool()>& done, std::int64_t maxMs) {
    return time.RunUntil(done, maxMs);
  }

  // The PC time text of a calendar time in milliseconds.
  static std::string PcTimeTextAt(std::int64_t ms) {
    const LocalTime t = LocalTimeOf(ms / 1000);
    return Format("%02d-%02d-%02d\t%02d:%02d:%02d.%03d", t.day, t.month, t.year % 100, t.hour,
                  t.minute, t.second, static_cast<int>(ms % 1000) / 10 * 10);
  }
  static std::string Text(std::span<const std::uint8_t> bytes) {
    return std::string(bytes.begin(), bytes.end());
  }

  DaylightSavingZone zone;
  FakeSerialBackend backend;
  FakeClock clock{kWinterNoon};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};
  VirtualTime time{clock};
  ScratchDir dir;
  const std::string archive = dir / "archive.dat";
};

}  // namespace qv::testing
