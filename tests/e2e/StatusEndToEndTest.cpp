// One status over a real pseudo-terminal: the port opens, the logger's status
// record arrives and is shown. (Operations are tested in virtual time.)
#include "tests/e2e/EndToEndFixture.h"

namespace qv {
namespace {

class StatusEndToEnd : public testing::EndToEndFixture {
 public:
  std::string Operation() { return host.Status().group.LBOperation.Caption(); }
};

TEST_F(StatusEndToEnd, StatusIsShownWithinTwoDisplayTicks) {
  SimOptions options;
  options.model = kModelPx5Plus;
  options.loggerId = 3;
  StartSimulator(options);
  StartHostOnCom1();
  int displayTicks = 0;
  ASSERT_TRUE(RunUntil(
      [&] {
        if (host.Pump().Counters().packetCount == 0) return false;
        host.Main().Timer475ms.Fire();
        return ++displayTicks >= 2;
      },
      4000));
  EXPECT_TRUE(host.Main().GBLoggerStatus.Visible());
  EXPECT_EQ(Operation(), "Standby");
  EXPECT_EQ(host.Logger().shortName, "PX5+");
  EXPECT_EQ(host.Operations().muxId.LBCurrentMuxID.Caption(), "Current Logger ID:    3");
}

}  // namespace
}  // namespace qv
