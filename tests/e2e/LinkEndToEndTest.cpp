// The link against the simulated logger: statistics, a logger that goes away
// and comes back, automatic baud detection and a noisy line.
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "tests/e2e/EndToEndFixture.h"

namespace qv {
namespace {

class LinkEndToEnd : public testing::EndToEndFixture {
 public:
  int NoDataNotices() {
    int n = 0;
    for (auto& b : prompter.Notices()) n += b.caption == "No Data Has Been Detected";
    return n;
  }
};

TEST_F(LinkEndToEnd, PacketsAndBytesAreCountedEachSecond) {
  StartSimulator();
  StartHostOnCom1();
  host.Link().HostPortStatsClick();
  ASSERT_TRUE(RunUntil([&] { return host.Link().Timing().packetsPerSecond > 0; }, 4000));
  EXPECT_GE(host.Link().Timing().bytesPerSecond, 132u);
  EXPECT_EQ(host.Link().statsForm.SFLB[3].GetColour(), forms::Colour::Window);
  EXPECT_EQ(host.Link().statsForm.SFLB[3].Caption().rfind("Packets/Sec:  ", 0), 0u);
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(host.Main().AutoBaudRateDetection.Checked());  // a valid packet came
}

// The simulator ended and started again on the same link path, as a logger
// on a USB adapter pulled out and plugged in again: the host tells of the
// silence, waits without spinning, and is back with fresh status by itself.
TEST_F(LinkEndToEnd, LoggerRestartedOnTheSameLinkIsBackByItself) {
  std::string link = ::testing::TempDir() + "qv_e2e_link_" + std::to_string(getpid());
  std::filesystem::remove(link);
  SimOptions options;
  options.linkPath = link;
  options.line.baud = 19200;
  StartSimulator(options);
  backend_.Table().Set(1, link);
  StartHostOnCom1();
  host.Link().hostPortForm.HostSetupCB.UserSelect(8);  // "19200"
  auto& loggerClock = host.Status().group.LBDandT;
  ASSERT_TRUE(RunUntil([&] { return loggerClock.Visible(); }, 4000));

  StopSimulator();  // the device disappears while open
  ASSERT_TRUE(RunUntil([&] { return NoDataNotices() > 0; }, 6000, 1000));
  EXPECT_EQ(prompter.Notices().back().text,
            "Please Check Your COM Port Selection and Verify the Logger Has Power");
  EXPECT_TRUE(host.Ports().IsDeviceAway(0));
  EXPECT_EQ(host.Link().hostPortForm.HostPortCB.Text(), "COM 1");

  // Away for three seconds: the program's thread mostly sleeps.
  timespec cpu0{}, cpu1{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu0);
  RunFor(3000);
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu1);
  const double cpuSeconds = double(cpu1.tv_sec - cpu0.tv_sec) + double(cpu1.tv_nsec - cpu0.tv_nsec) / 1e9;
  EXPECT_LT(cpuSeconds, 0.3);
  EXPECT_EQ(loggerClock.GetColour(), forms::Colour::Yellow);  // the status shown is old

  StartSimulator(options);  // the same name leads to a new device
  ASSERT_TRUE(RunUntil([&] { return loggerClock.GetColour() == forms::Colour::ButtonFace; }, 6000));
  EXPECT_FALSE(host.Ports().IsDeviceAway(0));
  for (const auto& box : prompter.boxes) EXPECT_NE(box.caption, "Comm Error");
  StopSimulator();
  std::filesystem::remove(link);
}

TEST_F(LinkEndToEnd, AutomaticBaudDetectionSettlesOnTheLoggersBaud) {
  SimOptions options;
  options.line.baud = 19200;
  options.statusPeriodMs = 200;
  StartSimulator(options);
  StartHostOnCom1();  // at 9600: only noise arrives
  prompter.answers = {Answer::Ok};
  // Hurried timers: a 5-ms fast tick and a supervision check every half second.
  ASSERT_TRUE(RunUntil([&] { return host.Pump().Counters().packetCount > 0; }, 20000, 500, 5));
  ASSERT_FALSE(prompter.boxes.empty());
  EXPECT_EQ(prompter.boxes[0].text, "Enter Auto Baud Rate Detection?");
  EXPECT_EQ(host.Link().hostPortForm.HostSetupCB.Text(), "19200");
  EXPECT_EQ(host.Ports().SettingCode(0), 8);
  EXPECT_FALSE(host.Main().AutoBaudRateDetection.Checked());
  EXPECT_EQ(NoDataNotices(), 0);  // noise keeps the no-data timer loaded
}

TEST_F(LinkEndToEnd, ANoisyLineNeitherCrashesNorStallsTheHost) {
  struct Case {
    double rate;
    bool packetsExpected;
  };
  // A light fault rate leaves most packets whole; a heavy one leaves hardly any.
  for (Case c : {Case{0.001, true}, Case{0.3, false}}) {
    SimOptions options;
    options.dropRate = options.corruptRate = options.repeatRate = c.rate;
    options.statusPeriodMs = 100;
    options.seed = 7;
    StartSimulator(options);
    StartHostOnCom1();
    prompter.answers = {Answer::Cancel};
    auto packetsBefore = host.Pump().Counters().packetCount;
    auto bytesBefore = host.Pump().Counters().totalInputBytes;
    RunFor(3000);
    EXPECT_GT(host.Pump().Counters().totalInputBytes, bytesBefore + 1000) << c.rate;
    if (c.packetsExpected) {
      EXPECT_GT(host.Pump().Counters().packetCount, packetsBefore + 10) << c.rate;
    }
    EXPECT_LT(host.Pump().Held(), 8192) << c.rate;  // the buffer keeps moving
    EXPECT_EQ(host.SkippedTicks(), 0);
    StopSimulator();
  }
}

}  // namespace
}  // namespace qv
