// The link against the simulated logger in virtual time: the statistics of
// each second, automatic baud detection at the program's own timer
// intervals, and a noisy line.
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

class LinkTest : public testing::VirtualHostFixture {};

TEST_F(LinkTest, PacketsAndBytesAreCountedEachSecond) {
  StartLogger();
  StartHostOnCom1();
  host.Link().HostPortStatsClick();
  RunFor(5000);
  // A status record a second at 9600 baud: one packet and 132 bytes each second.
  EXPECT_EQ(host.Link().Timing().packetsPerSecond, 1u);
  EXPECT_EQ(host.Link().Timing().bytesPerSecond, 132u);
  EXPECT_EQ(host.Link().statsForm.SFLB[3].GetColour(), forms::Colour::Window);
  EXPECT_EQ(host.Link().statsForm.SFLB[3].Caption(), "Packets/Sec:  1");
  EXPECT_EQ(host.Link().statsForm.SFLB[1].Caption(), "Bytes/Sec:  132");
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(host.Main().AutoBaudRateDetection.Checked());  // a valid packet came
}

TEST_F(LinkTest, AutomaticBaudDetectionSettlesOnTheLoggersBaud) {
  SimOptions options;
  options.line.baud = 19200;
  StartLogger(options);
  StartHostOnCom1();  // at 9600: only noise arrives
  prompter.answers = {Answer::Ok};
  // 115200, 57600, 38400, then 19200, one step per supervision check.
  ASSERT_TRUE(RunUntil([&] { return host.Pump().Counters().packetCount > 0; }, 40000));
  ASSERT_FALSE(prompter.boxes.empty());
  EXPECT_EQ(prompter.boxes[0].text, "Enter Auto Baud Rate Detection?");
  EXPECT_EQ(host.Link().hostPortForm.HostSetupCB.Text(), "19200");
  EXPECT_EQ(host.Ports().SettingCode(0), 8);
  EXPECT_EQ(backend.HostLine().baud, 19200);
  RunFor(10000);
  EXPECT_FALSE(host.Main().AutoBaudRateDetection.Checked());
  EXPECT_EQ(host.Ports().SettingCode(0), 8) << "stepping stops at the logger's baud";
  EXPECT_TRUE(prompter.Notices().empty());  // noise keeps the no-data timer loaded
}

TEST_F(LinkTest, ANoisyLineNeitherCrashesNorStallsTheHost) {
  struct Case {
    double rate;
    bool packetsExpected;
  };
  // A light fault rate leaves most packets whole; a heavy one leaves hardly any.
  for (Case c : {Case{0.001, true}, Case{0.3, false}}) {
    SCOPED_TRACE(c.rate);
    SimOptions options;
    options.dropRate = options.corruptRate = options.repeatRate = c.rate;
    options.statusPeriodMs = 100;
    options.seed = 7;
    StartLogger(options);
    if (!host.Ports().IsPortSlotOpen(0)) StartHostOnCom1();
    host.Link().hostPortForm.HostPortCB.UserSelect(1);  // a fresh open of the new logger's port
    prompter.answers = {Answer::Cancel};
    const auto packetsBefore = host.Pump().Counters().packetCount;
    const auto bytesBefore = host.Pump().Counters().totalInputBytes;
    RunFor(3000);
    EXPECT_GT(host.Pump().Counters().totalInputBytes, bytesBefore + 1000);
    if (c.packetsExpected) {
      EXPECT_GT(host.Pump().Counters().packetCount, packetsBefore + 10);
    }
    EXPECT_LT(host.Pump().Held(), 8192);  // the buffer keeps moving
    EXPECT_EQ(host.SkippedTicks(), 0);
  }
}

}  // namespace
}  // namespace qv
