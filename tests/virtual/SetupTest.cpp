// Setup against the simulated logger in virtual time: get, edit, send and get
// again; a setup that moves the host port; a run walking its states with the
// sent times.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "protocol/SetupRecord.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

class SetupTest : public testing::VirtualHostFixture {
 public:
  PortSetupTab& PS() { return host.Setup().portSetup; }
  LoggerControlTab& LC() { return host.Setup().loggerControl; }
  // Get Setup, and wait until the reply has been shown.
  bool GetSetup() {
    host.Records().setupReceived = false;
    LC().BTGetSetup2.UserClick();
    return RunUntil([&] { return !host.Main().PStore.Visible(); }, 4000);
  }
  std::string Operation() { return host.Status().group.LBOperation.Caption(); }
};

TEST_F(SetupTest, WhatIsSentIsWhatTheLoggerReturns) {
  StartLogger();
  StartHostOnCom1();
  ASSERT_TRUE(RunUntil([&] { return host.Main().GBLoggerStatus.Visible(); }, 4000));
  EXPECT_TRUE(host.Main().PStore.Visible());
  ASSERT_TRUE(GetSetup());
  SetupBytes received = host.Records().setup;

  LC().ModeCB.UserSelect(2);        // "Real Time Mode"
  PS().ComboMeter[2].UserSelect(3);  // "ASCII"
  PS().CBPortSetup[2].UserSelect(9);  // "38400"
  EXPECT_TRUE(host.Main().PStore.Visible());
  EXPECT_EQ(host.Main().PStore.Caption(), "Setup is Not Current");
  PS().BTStoreSetup1.UserClick();
  ASSERT_TRUE(prompter.Notices().empty()) << prompter.Notices()[0].text;
  SetupBytes sent = host.Records().setup;
  RunFor(300);
  EXPECT_TRUE(host.Main().PStore.Visible());  // sending does not make it current

  ASSERT_TRUE(GetSetup());
  EXPECT_EQ(host.Records().setup, sent);
  SetupRecord back(host.Records().setup);
  EXPECT_EQ(back.Mode(), 2);
  EXPECT_EQ(back.PortMeterType(2), 3);
  EXPECT_EQ(back.PortBaud(2), 38400);
  // The spare fields went out and came back exactly as first received.
  for (int offset : {4, 5, 6, 7, 168, 169, 176, 177, 178, 179, 182, 183, 184, 185, 188, 189})
    EXPECT_EQ(host.Records().setup[offset], received[offset]) << offset;
  EXPECT_EQ(LC().ModeCB.Text(), "Real Time Mode");
  EXPECT_EQ(PS().CBPortSetup[2].Text(), "38400");
}

TEST_F(SetupTest, AHostPortOf19200MovesBothEndsAndTheLinkKeepsWorking) {
  StartLogger();
  StartHostOnCom1();
  ASSERT_TRUE(GetSetup());
  PS().CBHostPortSetup.UserSelect(8);  // "19200"
  PS().BTStoreSetup1.UserClick();
  // The logger answers with its new setup at the old baud, then switches.
  ASSERT_TRUE(RunUntil([&] { return host.Link().hostPortForm.HostSetupCB.Text() == "19200"; }, 4000));
  EXPECT_EQ(host.Ports().SettingCode(0), 8);
  auto before = host.Pump().Counters().packetCount;
  EXPECT_TRUE(RunUntil([&] { return host.Pump().Counters().packetCount > before + 1; }, 4000));
  EXPECT_EQ(Logger().loggerLine.baud, 19200);
}

TEST_F(SetupTest, BeginSampleWalksTheStatesWithTheSentTimes) {
  StartLogger();
  StartHostOnCom1();
  ASSERT_TRUE(GetSetup());
  for (forms::UpDown* ud : {&LC().DelayUD, &LC().PreFlushUD, &LC().WarmupUD, &LC().FlushUD})
    ud->SetPosition(1);
  LC().SampleUD.SetPosition(60);
  for (forms::ComboBox* unit : {&LC().DelayCombo, &LC().PreFlushCombo, &LC().WarmupCombo,
                                &LC().FlushCombo, &LC().SampleCombo})
    unit->UserSelect(0);  // seconds
  LC().BTStoreSetup2.UserClick();
  RunFor(300);
  std::set<std::string> seen;
  LC().BTBegin.UserClick();
  ASSERT_TRUE(RunUntil(
      [&] {
        seen.insert(Operation());
        return Operation() == "Sampling";
      },
      10000));
  for (const char* state : {"Delay", "Pre-Flush", "Warmup", "Flush"})
    EXPECT_TRUE(seen.count(state)) << state;
  LC().BTStop.UserClick();
  EXPECT_TRUE(RunUntil([&] { return Operation() == "End of Run"; }, 4000));
}

TEST_F(SetupTest, ASetupFileSavedOpenedAndSentIsWhatTheLoggerHoldsAgain) {
  StartLogger();
  StartHostOnCom1();
  ASSERT_TRUE(GetSetup());
  testing::ScratchDir dir;
  const std::string file = dir / "cruise.lst";
  prompter.files.push_back(file);
  PS().BTSaveSetupFile2.UserClick();
  ASSERT_TRUE(prompter.Notices().empty());
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> saved{std::istreambuf_iterator<char>(in), {}};
  ASSERT_EQ(saved.size(), 192u);
  EXPECT_TRUE(std::equal(saved.begin(), saved.end(), Logger().setup.begin()));

  // Another setup goes to the logger; the file brings the first one back.
  LC().ModeCB.UserSelect(1);
  PS().ComboMeter[3].UserSelect(6);
  PS().CBPortSetup[3].UserSelect(4);
  PS().BTStoreSetup1.UserClick();
  RunFor(300);
  ASSERT_FALSE(std::equal(saved.begin(), saved.end(), Logger().setup.begin()));
  prompter.files.push_back(file);
  LC().BTOpenSetupFile2.UserClick();
  EXPECT_TRUE(host.Main().PStore.Visible());
  LC().BTStoreSetup2.UserClick();
  RunFor(300);
  const SetupBytes held = Logger().setup;
  EXPECT_EQ(std::vector<std::uint8_t>(held.begin(), held.end()), saved);
  ASSERT_TRUE(GetSetup());
  EXPECT_FALSE(host.Main().PStore.Visible());
}

}  // namespace
}  // namespace qv
