// Status and operation against the simulated logger in virtual time: clock
// synchronisation, a run begun and stopped, a new logger ID, and the
// operator's commands with the states they lead through.
#include "common/LoggerTime.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

class StatusTest : public testing::VirtualHostFixture {
 public:
  std::string Operation() { return host.Status().group.LBOperation.Caption(); }
};

TEST_F(StatusTest, AutomaticSyncRemovesATenSecondOffset) {
  SimOptions options;
  options.clockOffsetSeconds = 10;
  StartLogger(options);
  StartHostOnCom1();
  ASSERT_TRUE(RunUntil([&] { return host.Status().group.LBDrift.Visible(); }, 4000));
  EXPECT_NE(host.Status().group.LBDrift.Caption().find("Fast"), std::string::npos);
  ASSERT_TRUE(RunUntil([&] { return !host.Status().group.LBDrift.Visible(); }, 5000));
  EXPECT_LE(std::abs(Logger().clockOffset), 1);
}

TEST_F(StatusTest, BeginSampleRunsAndStopEndsTheRun) {
  StartLogger();
  StartHostOnCom1();
  ASSERT_TRUE(RunUntil([&] { return Operation() == "Standby"; }, 4000));
  host.Setup().loggerControl.BTBegin.UserClick();
  ASSERT_TRUE(RunUntil([&] { return Operation() == "Delay"; }, 4000));
  EXPECT_NE(host.Status().group.LBRunNumber.Caption(), "Run Number:");
  host.Setup().loggerControl.BTStop.UserClick();
  ASSERT_TRUE(RunUntil([&] { return Operation() == "End of Run"; }, 4000));
}

TEST_F(StatusTest, ChangeLoggerIdChangesTheIdShown) {
  StartLogger();
  StartHostOnCom1();
  auto& mux = host.Operations().muxId;
  ASSERT_TRUE(RunUntil([&] { return mux.LBCurrentMuxID.Caption() == "Current Logger ID:    1"; }, 4000));
  host.Main().MenuChangeLoggerID.UserClick();
  mux.UDMuxID.UserClick(true);
  mux.BTSendMuxID.UserClick();
  EXPECT_TRUE(RunUntil([&] { return mux.LBCurrentMuxID.Caption() == "Current Logger ID:    3"; }, 4000));
}

TEST_F(StatusTest, OperatorCommandsReachTheLoggerAndItsStateComesBack) {
  StartLogger();
  StartHostOnCom1();
  ASSERT_TRUE(RunUntil([&] { return Operation() == "Standby"; }, 4000));

  // Sleep until a few seconds ahead (confirmed), then the logger wakes up.
  auto& sleep = host.Operations().sleep;
  std::int64_t wake = clock.Now().calendar + 32;
  sleep.METime.UserType(FormatLocal("%H:%M:%S", wake));
  sleep.MEDate.UserType(FormatLocal("%m/%d/%y", wake));
  host.Setup().loggerControl.BTSleep.UserClick();
  sleep.SleepButton.UserClick();
  ASSERT_FALSE(sleep.window.Shown()) << prompter.boxes.back().text;
  EXPECT_TRUE(RunUntil([&] { return Operation() == "Sleeping"; }, 4000));

  // Clear memory (answered Yes) goes through its own state back to Standby.
  host.Setup().loggerControl.BTClearMemory.UserClick();
  EXPECT_TRUE(RunUntil([&] { return Operation() == "Clear Memory"; }, 4000));
  EXPECT_TRUE(RunUntil([&] { return Operation() == "Standby"; }, 6000));
  EXPECT_EQ(host.Status().group.LBRunNumber.Caption(), "Run Number:");

  // Reset to monitor (OK) shows the logger off for a moment.
  host.Main().ResetToMonitor.UserClick();
  EXPECT_TRUE(RunUntil([&] { return Operation() == "OFF"; }, 4000));
  EXPECT_TRUE(RunUntil([&] { return Operation() == "Standby"; }, 6000));

  // RS-422 over an RS-232 cable: the logger falls silent, as the dialog warns.
  host.Main().ChangeHostInterface.UserClick();
  host.Link().rs422Form.RS422Button.UserClick();
  EXPECT_TRUE(RunUntil([&] { return Logger().rs422; }, 2000));
  auto before = host.Pump().Counters().packetCount;
  RunFor(2500);
  EXPECT_LE(host.Pump().Counters().packetCount, before + 1);
}

}  // namespace
}  // namespace qv
