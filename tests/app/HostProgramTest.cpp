// The running program headless: start-up, the fast tick's timers and guard,
// the per-second statistics, and exit.
#include <gtest/gtest.h>

#include "protocol/DataPacket.h"
#include "tests/support/HostFixture.h"

namespace qv {
namespace {

class HostProgramTest : public testing::HostFixture {
 public:
  std::string StatsLine(int line) { return host.Link().statsForm.SFLB[line].Caption(); }
  forms::Colour StatsColour(int line) { return host.Link().statsForm.SFLB[line].GetColour(); }
};

TEST_F(HostProgramTest, FirstTickStartsUpAndPollsNothingTheSecondPolls) {
  backend.Feed(1, testing::StandbyStatusPacket());
  Tick();
  EXPECT_TRUE(host.Link().hostPortForm.window.Shown());  // no port chosen yet
  EXPECT_EQ(host.Link().hostPortForm.HostSetupCB.Text(), "9600");
  host.Link().hostPortForm.HostPortCB.UserSelect(1);
  EXPECT_TRUE(backend.IsOpen(1));
  EXPECT_EQ(host.Pump().Counters().packetCount, 0u);
  Tick();
  EXPECT_EQ(host.Pump().Counters().packetCount, 1u);
  EXPECT_TRUE(host.Records().statusReceived);
}

TEST_F(HostProgramTest, PumpResultsReloadTheLinkTimers) {
  StartOnCom1();
  EXPECT_EQ(host.Link().Timing().noDataTimer, 300);
  Tick();  // nothing arrives
  EXPECT_EQ(host.Link().Timing().noDataTimer, 299);
  EXPECT_EQ(host.Link().Timing().badDataTimer, 399);
  backend.Feed(1, {0x55, 0x66});  // bytes but no packet
  Tick();
  EXPECT_EQ(host.Link().Timing().noDataTimer, 100);
  EXPECT_EQ(host.Link().Timing().badDataTimer, 398);
  EXPECT_TRUE(host.Main().AutoBaudRateDetection.Checked());
  backend.Feed(1, testing::StandbyStatusPacket());
  Tick();
  EXPECT_EQ(host.Link().Timing().noDataTimer, 50);
  EXPECT_EQ(host.Link().Timing().badDataTimer, 55);
  EXPECT_FALSE(host.Main().AutoBaudRateDetection.Checked());
}

TEST_F(HostProgramTest, WithoutALoggerTheNoDataTimerRunsBelowZero) {
  Tick();  // start-up: no port chosen
  Tick(310);
  EXPECT_EQ(host.Link().Timing().noDataTimer, 300 - 310);
}

TEST_F(HostProgramTest, TicksArrivingWhileATickWaitsInABoxAreSkippedAndCounted) {
  StartOnCom1();
  // A packet from logger ID 5 raises the "Mux ID Error" box inside the tick.
  std::uint8_t byte = 'x';
  std::array<std::span<const std::uint8_t>, kDataPorts> ports{};
  ports[0] = std::span<const std::uint8_t>(&byte, 1);
  backend.Feed(1, BuildDataPacket(5, 0, 0, ports));
  int inside = 0;
  prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
    for (int i = 0; i < 3; ++i) host.Main().Timer55ms.Fire();
    inside = host.SkippedTicks();
  };
  Tick();
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "Mux ID Error");
  EXPECT_EQ(inside, 3);
  Tick();  // the guard is released afterwards
  EXPECT_EQ(host.SkippedTicks(), 3);
  host.Main().Timer1000ms.Fire();
  EXPECT_EQ(host.Link().statsForm.SFLB[7].Caption(), "");  // the window is closed
  host.Main().HostPortStats.UserClick();
  Tick();
  host.Main().Timer1000ms.Fire();
  EXPECT_EQ(host.Link().statsForm.SFLB[7].Caption(), "Loops: 1 Skip: 3");
}

TEST_F(HostProgramTest, OneSecondTickWritesTheStatisticsLinesAndColours) {
  StartOnCom1();
  host.Main().HostPortStats.UserClick();
  EXPECT_TRUE(host.Link().statsForm.window.Shown());
  EXPECT_EQ(host.Link().statsForm.window.Caption(), "Host Port Statistics");

  host.Main().Timer1000ms.Fire();  // a second without input
  EXPECT_EQ(StatsLine(1), "Bytes/Sec:  0");
  EXPECT_EQ(StatsColour(1), forms::Colour::Yellow);
  EXPECT_EQ(StatsLine(3), "Packets/Sec:  0");
  EXPECT_EQ(StatsColour(3), forms::Colour::Red);
  EXPECT_EQ(host.Link().hostPortForm.HostSetupCB.GetColour(), forms::Colour::Red);

  auto packet = testing::StandbyStatusPacket();
  backend.Feed(1, packet);
  backend.Feed(1, packet);
  Tick(4);
  host.Main().Timer1000ms.Fire();
  EXPECT_EQ(StatsLine(1), "Bytes/Sec:  264");
  EXPECT_EQ(StatsColour(1), forms::Colour::ButtonFace);
  EXPECT_EQ(StatsLine(2), "Total Input: 264");
  EXPECT_EQ(StatsLine(3), "Packets/Sec:  2");
  EXPECT_EQ(StatsColour(3), forms::Colour::Window);
  EXPECT_EQ(StatsLine(4), "Max Bytes/Packet: 0   0");
  EXPECT_EQ(StatsLine(5), "Packet Count: 2");
  EXPECT_EQ(StatsLine(7), "Loops: 4 Skip: 0");
  EXPECT_EQ(StatsLine(8), "No Data Timer: 048");
  EXPECT_EQ(StatsLine(9), "Bad Data Timer: 053");
  EXPECT_EQ(host.Link().hostPortForm.HostSetupCB.GetColour(), forms::Colour::Window);
}

TEST_F(HostProgramTest, DisplayTickColoursTheUnchosenPortRed) {
  Tick();
  host.Main().Timer475ms.Fire();
  EXPECT_EQ(host.Link().hostPortForm.HostPortCB.GetColour(), forms::Colour::Red);
  host.Link().hostPortForm.HostPortCB.UserSelect(1);
  host.Main().Timer475ms.Fire();
  EXPECT_EQ(host.Link().hostPortForm.HostPortCB.GetColour(), forms::Colour::Window);
}

TEST_F(HostProgramTest, ExitAsksAndOnlyOkClosesThePorts) {
  StartOnCom1();
  bool quit = false;
  host.onQuit = [&] { quit = true; };
  prompter.answers = {Answer::Cancel};
  host.Main().Exit1.UserClick();
  EXPECT_FALSE(quit);
  EXPECT_TRUE(backend.IsOpen(1));
  ASSERT_NE(prompter.Last(), nullptr);
  EXPECT_EQ(prompter.Last()->caption, "Program Termination");
  EXPECT_EQ(prompter.Last()->text, "EXIT Program?");
  host.Main().Exit1.UserClick();
  EXPECT_TRUE(quit);
  EXPECT_FALSE(backend.IsOpen(1));
}

}  // namespace
}  // namespace qv
