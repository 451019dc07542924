// The demo as scripts/demo.sh runs it: the qvsim program on a pseudo-terminal
// and the host with the demo's configuration, which names COM 1 at qvsim's
// baud and "Advanced User", so the logger's status shows with no dialog
// answered.
#include <filesystem>

#include "tests/e2e/EndToEndFixture.h"
#include "tests/support/QvsimProcess.h"
#include "tests/support/ScratchDir.h"

namespace qv {
namespace {

using DemoEndToEnd = testing::EndToEndFixture;

TEST_F(DemoEndToEnd, TheDemosConfigurationBringsTheLoggerUpWithoutADialog) {
  testing::ScratchDir dir;
  const std::string link = dir / "qvsim.tty";
  testing::QvsimProcess sim(QV_QVSIM, {"--link", link, "--quiet"});
  ASSERT_EQ(sim.Line().rfind("qvsim: logger on ", 0), 0u);
  std::filesystem::copy_file(QV_SOURCE_DIR "/scripts/demo.qvh", dir / "demo.qvh");
  backend_.Table().Set(1, link);
  host.SetHostConfigPath(dir / "demo.qvh");

  ASSERT_TRUE(RunUntil([&] { return host.Main().GBLoggerStatus.Visible(); }, 5000));
  EXPECT_EQ(host.Status().group.LBOperation.Caption(), "Standby");
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(host.Link().hostPortForm.window.Shown());
  EXPECT_EQ(host.Modes().DisplayMode, 5);
  EXPECT_TRUE(host.Main().TSUpload.Visible() && host.Main().TSAuxIn.Visible());
}

}  // namespace
}  // namespace qv
