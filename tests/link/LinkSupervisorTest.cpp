// The supervision tick, the host-port and interface dialogs and the
// statistics window.
#include <gtest/gtest.h>

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
  LinkTiming timing;
  MenuStub menu;
  bool moored = false;
  LinkSupervisor link{ports, commands, pump, prompter, timing,
                      {menu.autoBaud, menu.rtTimeout, [this] { return moored; }}};

  void OpenCom1() {
    link.hostPortForm.HostPortCB.UserSelect(1);
    link.hostPortForm.HostSetupCB.SetItemIndex(6);
  }
  int NoDataNotices() {
    int n = 0;
    for (auto& b : prompter.Notices())
      if (b.caption == "No Data Has Been Detected") ++n;
    return n;
  }
  void ExpireNoData() {
    timing.noDataTimer = -1;
    link.RTTimeoutTimer();
  }
};

TEST_F(LinkSupervisorTest, NoDataNoticeOnceInMooredModeOtherwiseEveryTime) {
  OpenCom1();
  ExpireNoData();
  ExpireNoData();
  EXPECT_EQ(NoDataNotices(), 2);
  EXPECT_EQ(prompter.Notices().back().text,
            "Please Check Your COM Port Selection and Verify the Logger Has Power");
  // After a notice the timers are reloaded: 22.5 s at 40 ticks a second.
  EXPECT_EQ(timing.noDataTimer, 900);
  EXPECT_EQ(timing.badDataTimer, 55);
  EXPECT_TRUE(menu.rtTimeout.Enabled());

  // Choosing the moored display mode starts over with one notice.
  moored = true;
  link.ClearNoDataNoticeGiven();
  ExpireNoData();
  ExpireNoData();
  ExpireNoData();
  EXPECT_EQ(NoDataNotices(), 3);
  moored = false;
  ExpireNoData();
  EXPECT_EQ(NoDataNotices(), 4);
}

TEST_F(LinkSupervisorTest, SupervisionTimerIsOffWhileTheNoticeIsOpen) {
  OpenCom1();
  bool enabledInside = true;
  prompter.whileOpen = [&](const ScriptedPrompter::Box&) { enabledInside = menu.rtTimeout.Enabled(); };
  ExpireNoData();
  EXPECT_FALSE(enabledInside);
  EXPECT_TRUE(menu.rtTimeout.Enabled());
}

TEST_F(LinkSupervisorTest, AutoBaudStartsAt115200AndStepsDownThenWraps) {
  OpenCom1();
  timing.noDataTimer = 100;  // bytes arrive, none of them a packet
  timing.badDataTimer = -1;
  prompter.answers = {Answer::Ok};
  link.RTTimeoutTimer();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].caption, "Invalid Data Received");
  EXPECT_EQ(prompter.boxes[0].text, "Enter Auto Baud Rate Detection?");
  EXPECT_EQ(prompter.boxes[0].buttons, Buttons::OkCancel);
  ASSERT_EQ(prompter.beeps.size(), 1u);
  EXPECT_EQ(prompter.beeps[0], Beep::Question);

  std::vector<std::string> tried{link.hostPortForm.HostSetupCB.Text()};
  EXPECT_EQ(timing.noDataTimer, 45);
  EXPECT_EQ(timing.badDataTimer, 55);
  for (int i = 0; i < 11; ++i) {
    timing.noDataTimer = 100;
    timing.badDataTimer = -1;
    link.RTTimeoutTimer();
    tried.push_back(link.hostPortForm.HostSetupCB.Text());
  }
  EXPECT_EQ(tried, (std::vector<std::string>{"115200", "57600", "38400", "19200", "9600, 7,E,1",
                                             "9600", "4800,7,E,1", "4800", "2400", "1200", "600",
                                             "115200"}));
  EXPECT_EQ(prompter.boxes.size(), 1u);  // the pending flag carries on without asking
  EXPECT_EQ(backend.lastSetting[1].baud, 115200);
  EXPECT_EQ(ports.SettingCode(kLoggerSlot), 11);
}

TEST_F(LinkSupervisorTest, CancelUnchecksAutoBaudAndLaterExpiriesOnlyReload) {
  OpenCom1();
  prompter.answers = {Answer::Cancel};
  timing.noDataTimer = 100;
  timing.badDataTimer = -1;
  link.RTTimeoutTimer();
  EXPECT_FALSE(menu.autoBaud.Checked());
  EXPECT_EQ(link.hostPortForm.HostSetupCB.Text(), "9600");
  EXPECT_EQ(timing.noDataTimer, 900);
  EXPECT_EQ(timing.badDataTimer, 55);
  timing.badDataTimer = -1;
  link.RTTimeoutTimer();
  EXPECT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(link.hostPortForm.HostSetupCB.Text(), "9600");
}

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
