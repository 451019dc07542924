// The link over a real pseudo-terminal: the no-data notice when the logger's
// device goes away, and reopening it. (Statistics, automatic baud detection
// and a noisy line are tested in virtual time.)
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

TEST_F(LinkEndToEnd, LoggerGoingAwayGivesTheNoDataNoticeAndReopeningWorks) {
  std::string link = ::testing::TempDir() + "qv_e2e_link_" + std::to_string(getpid());
  std::filesystem::remove(link);
  SimOptions options;
  options.linkPath = link;
  StartSimulator(options);
  backend_.Table().Set(1, link);
  StartHostOnCom1();
  ASSERT_TRUE(RunUntil([&] { return host.Pump().Counters().packetCount > 0; }, 4000));

  StopSimulator();  // the device disappears while open
  ASSERT_TRUE(RunUntil([&] { return NoDataNotices() > 0; }, 6000, 1000));
  EXPECT_EQ(prompter.Notices().back().text,
            "Please Check Your COM Port Selection and Verify the Logger Has Power");
  EXPECT_TRUE(host.Ports().IsPortSlotOpen(0));  // still running, reading nothing

  StartSimulator(options);  // the device is back under the same name
  backend_.Table().Set(1, link);
  auto before = host.Pump().Counters().packetCount;
  host.Link().hostPortForm.HostPortCB.UserSelect(1);
  EXPECT_TRUE(RunUntil([&] { return host.Pump().Counters().packetCount > before; }, 4000));
  StopSimulator();
  std::filesystem::remove(link);
}

}  // namespace
}  // namespace qv
