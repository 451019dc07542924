// The host-port and interface dialogs and the statistics window (the timed
// supervision runs in virtual time with the whole program, tests/app).
#include <gtest/gtest.h>

#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"
#include "forms/Form.h"
#include "protocol/CommandFrame.h"
#include "link/CommandLink.h"
#include "protocol/Commands.h"
#include "link/LinkSupervisor.h"
#include "link/ReceivePump.h"
#include "link/SerialPortService.h"
#include "tests/support/FakeSerialBackend.h"

namespace qv {
namespace {

struct MenuStub : forms::Form {
  MenuStub() : Form("Stub") { autoBaud.SetChecked(true); }
  forms::MenuItem autoBaud{this, "AutoBaudRateDetection", "Auto Baud Rate Detection"};
  forms::Timer rtTimeout{this, "RTTimeout", 5000, true};
};

class LinkSupervisorTest : public ::testing::Test {
 protected:
  testing::FakeSerialBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports{backend, prompter};
  CommandLink commands{ports};
  ReceivedRecords records;
  PacketConsumer consumer;
  RawInputTap tap;
  ReceivePump pump{ports, records, consumer, tap};
  FakeClock clock;
  MenuStub menu;
  LinkSupervisor link{ports, commands, pump, prompter, clock,
                      {menu.autoBaud, menu.rtTimeout, [] { return false; }}};

  void OpenCom1() {
    link.hostPortForm.HostPortCB.UserSelect(1);
    link.hostPortForm.HostSetupCB.SetItemIndex(6);
  }
};

TEST_F(LinkSupervisorTest, PortAndSettingListsDriveTheLoggerSlot) {
  link.hostPortForm.HostPortCB.UserSelect(3);
  EXPECT_EQ(ports.OpenComNumber(kLoggerSlot), 3);
  link.hostPortForm.HostSetupCB.UserSelect(0);  // "OFF" opens at 9600 and shows it
  EXPECT_EQ(link.hostPortForm.HostSetupCB.Text(), "9600");
  link.hostPortForm.HostSetupCB.UserSelect(7);
  EXPECT_EQ(backend.lastSetting[3].dataBits, 7);
  EXPECT_EQ(backend.lastSetting[3].parity, 'E');
  link.hostPortForm.HostPortCB.UserSelect(0);
  EXPECT_FALSE(ports.IsPortSlotOpen(kLoggerSlot));
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(LinkSupervisorTest, InterfaceButtonsHideTheDialogAndSendTheirCommand) {
  OpenCom1();
  struct Case {
    forms::Button& button;
    std::vector<std::uint8_t> sent;
  };
  auto frame = [](std::uint16_t code) {
    auto f = BuildCommandFrame(code, 0, 0);
    return std::vector<std::uint8_t>(f.begin(), f.end());
  };
  Case cases[] = {{link.rs422Form.RS232Button, frame(CmdSelectRs232)},
                  {link.rs422Form.RS422Button, frame(CmdSelectRs422)},
                  {link.rs422Form.RS422Cancel, {}}};
  for (Case& c : cases) {
    link.ChangeHostPortType1Click();
    EXPECT_TRUE(link.rs422Form.window.Shown());
    c.button.UserClick();
    EXPECT_FALSE(link.rs422Form.window.Shown());
    EXPECT_EQ(backend.TakeWritten(1), c.sent) << c.button.Name();
  }
}

TEST_F(LinkSupervisorTest, StatisticsWindowShowsOnlyItsPortsLines) {
  link.StatsLine(0, 1, "ignored while closed");
  EXPECT_EQ(link.statsForm.SFLB[1].Caption(), "");
  link.HostPortStatsClick();
  EXPECT_EQ(link.DisplayedStatsPort(), 0);
  for (int line = 1; line <= 9; ++line) EXPECT_TRUE(link.statsForm.SFLB[line].Visible());
  EXPECT_FALSE(link.statsForm.LBAuxPort.Visible());
  link.StatsLine(0, 2, "Total Input: 5");
  link.StatsLine(1, 2, "other port");
  link.StatsLineColour(0, 3, forms::Colour::Red);
  EXPECT_EQ(link.statsForm.SFLB[2].Caption(), "Total Input: 5");
  EXPECT_EQ(link.statsForm.SFLB[3].GetColour(), forms::Colour::Red);
  link.StatsOpen(0, 10, "bad count");
  EXPECT_FALSE(link.statsForm.window.Shown());
  EXPECT_EQ(link.statsForm.window.Caption(), "Closed");
  EXPECT_EQ(link.DisplayedStatsPort(), -1);
}

}  // namespace
}  // namespace qv
