// The link over a real pseudo-terminal: a logger that goes away and comes
// back by itself. (Statistics, automatic baud detection and a noisy line are
// tested in virtual time.)
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

}  // namespace
}  // namespace qv
