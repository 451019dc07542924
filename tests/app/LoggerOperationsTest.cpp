// The operator's commands: what each control sends, the confirmations, the
// sleep dialog's input checks, the logger-ID dialog and the factory password.
#include <cstring>
#include <functional>

#include "common/LoggerTime.h"
#include "protocol/Commands.h"
#include "tests/support/HostFixture.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

class LoggerOperationsTest : public testing::HostFixture {
 public:
  void SetUp() override { StartOnCom1(); }
  LoggerControlTab& LC() { return host.Setup().loggerControl; }
  static Bytes Text(const char* s) { return Bytes(s, s + std::strlen(s)); }
  static Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }
};

TEST_F(LoggerOperationsTest, EachCommandControlSendsItsFrame) {
  host.Hardware().HWPassword.UserType("BlueHaven");
  struct Case {
    const char* what;
    std::function<void()> act;
    Bytes sent;
  };
  const Case cases[] = {
      {"Get Setup on Port Setup", [&] { host.Setup().portSetup.BTGetSetup1.UserClick(); }, Frame(CmdGetSetup)},
      {"Get Setup on Logger Control", [&] { LC().BTGetSetup2.UserClick(); }, Frame(CmdGetSetup)},
      {"Begin Sample", [&] { LC().BTBegin.UserClick(); }, Frame(CmdBeginSample)},
      {"Get Hardware", [&] { host.Hardware().BTGetHardware.UserClick(); }, Frame(CmdGetHardwareConfiguration)},
      {"Get Analog", [&] { host.Analog().BTGetAnalog.UserClick(); }, Frame(CmdGetAnalogCalibration)},
      {"Factory defaults", [&] { host.Hardware().BTKR7Defaults.UserClick(); }, Frame(CmdLoadFactoryDefaults)},
      {"Sleep only opens its dialog", [&] { LC().BTSleep.UserClick(); }, {}},
      {"another sender", [&] { host.Operations().BTGetSetup1Click(LC().BTStop); }, {}},
      {"Stop at an 8-bit host port", [&] { LC().BTStop.UserClick(); },
       Concat(Frame(CmdStop), Text("    BREAKBREAKBREAK"))},
      {"Reset To Monitor", [&] { host.Main().ResetToMonitor.UserClick(); }, Frame(CmdResetToMonitor)},
      {"Load Default Flash Setup", [&] { host.Main().LoadDefaultFlashSetup1.UserClick(); }, Frame(CmdLoadDefaultSetup)},
      {"Clear Memory", [&] { LC().BTClearMemory.UserClick(); }, Frame(CmdClearMemory, 1)},
      {"Send New Logger ID untouched", [&] { host.Operations().muxId.BTSendMuxID.UserClick(); }, Frame(CmdSetLoggerId, 2)},
  };
  for (const Case& c : cases) {
    c.act();
    EXPECT_EQ(Sent(), c.sent) << c.what;
  }
  EXPECT_TRUE(host.Operations().sleep.window.Shown());
}

TEST_F(LoggerOperationsTest, StopAtASevenBitHostPortSendsOnlyTheText) {
  host.Setup().portSetup.CBHostPortSetup.SetItemIndex(7);
  LC().BTStop.UserClick();
  EXPECT_EQ(Sent(), Text("    STOP7E1STOP7E1"));
}

TEST_F(LoggerOperationsTest, ConfirmationsAskInTheirOwnWordsAndRefusalSendsNothing) {
  host.Upload().LBProfiles.AddLine("Run 001");
  struct Case {
    std::function<void()> act;
    Answer refuse;
    const char* caption;
    const char* text;
    Buttons buttons;
  };
  const Case cases[] = {
      {[&] { LC().BTClearMemory.UserClick(); }, Answer::No, "Clear Memory",
       "Are you sure you want to clear the flash memory?", Buttons::YesNo},
      {[&] { host.Main().ResetToMonitor.UserClick(); }, Answer::Cancel, "Data Logger Monitor",
       "Are you sure you want cease operation and exit to the Monitor Program?", Buttons::OkCancel},
      {[&] { host.Main().LoadDefaultFlashSetup1.UserClick(); }, Answer::Cancel,
       "Reset the Data Logger to it's Default Settings",
       "The current operation will be halted and the current settings will be erased.\n\nAre you "
       "sure you want to Reset to the default settings?",
       Buttons::OkCancel},
  };
  for (const Case& c : cases) {
    prompter.Clear();
    prompter.answers = {c.refuse};
    c.act();
    EXPECT_TRUE(Sent().empty()) << c.caption;
    ASSERT_EQ(prompter.boxes.size(), 1u) << c.caption;
    EXPECT_EQ(prompter.boxes[0].caption, c.caption);
    EXPECT_EQ(prompter.boxes[0].text, c.text);
    EXPECT_EQ(prompter.boxes[0].buttons, c.buttons);
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Exclamation);
  }
  EXPECT_EQ(host.Upload().LBProfiles.Lines().size(), 1u);

  prompter.Clear();
  LC().BTClearMemory.UserClick();  // Yes
  EXPECT_TRUE(host.Upload().LBProfiles.Lines().empty());
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "**** WARNING ****");
  EXPECT_EQ(prompter.Notices()[0].text,
            "The status must return to Standby before removing power or any other action is taken");
}

TEST_F(LoggerOperationsTest, SleepTimeAndDateInputs) {
  // The clock stands at 2027-01-15 12:00:00 EST.
  struct Case {
    const char* time;
    const char* date;
    const char* notice;    // caption of the refusing notice, or nullptr
    const char* question;  // the confirmation text when accepted
  };
  const Case cases[] = {
      {"24:00:00", "01/20/27", "Time Format Error", nullptr},
      {"12:60:00", "01/20/27", "Time Format Error", nullptr},
      {"HH:MM:SS", "01/20/27", "Time Format Error", nullptr},
      {"12:30", "01/20/27", "Time Format Error", nullptr},
      {"99999999999:00:00", "01/20/27", "Time Format Error", nullptr},
      {"7:5:3", "01/20/27", nullptr, "Sleep Until 07:05:03 on 01/20/27 ?"},
      {"12:00:00", "MM/DD/YY", "Date Format Error", nullptr},
      {"12:00:00", "13/01/27", "Date Format Error", nullptr},
      {"12:00:00", "01/32/27", "Date Format Error", nullptr},
      {"12:00:00", "01/20/99", "Date Format Error", nullptr},
      {"12:00:00", "01/20/38", "Date Format Error", nullptr},
      {"12:00:00", "01/20/2000", "Date Format Error", nullptr},
      {"12:00:00", "01/20/-1", "Date Format Error", nullptr},
      {"12:00:00", "01/20/9999", "Date Format Error", nullptr},  // beyond the logger's clock
      {"12:00:00", "2/30/07", nullptr, "Sleep Until 12:00:00 on 03/02/07 ?"},
      {"12:00:00", "01/20/07", nullptr, "Sleep Until 12:00:00 on 01/20/07 ?"},
      {"12:00:00", "01/20/2027", nullptr, "Sleep Until 12:00:00 on 01/20/27 ?"},
  };
  auto& sleep = host.Operations().sleep;
  for (const Case& c : cases) {
    prompter.Clear();
    prompter.answers = {Answer::Cancel};
    sleep.METime.UserType(c.time);
    sleep.MEDate.UserType(c.date);
    sleep.SleepButton.UserClick();
    EXPECT_TRUE(Sent().empty()) << c.time << " " << c.date;
    ASSERT_EQ(prompter.boxes.size(), 1u) << c.time << " " << c.date;
    if (c.notice) {
      EXPECT_EQ(prompter.boxes[0].kind, ScriptedPrompter::BoxKind::Notice);
      EXPECT_EQ(prompter.boxes[0].caption, c.notice) << c.time << " " << c.date;
    } else {
      EXPECT_EQ(prompter.boxes[0].caption, "KR-7 Sleep Option");
      EXPECT_EQ(prompter.boxes[0].text, c.question) << c.time << " " << c.date;
    }
  }
  prompter.Clear();
  sleep.METime.UserType("1:2:3");
  sleep.MEDate.UserType("13/1/27");
  sleep.SleepButton.UserClick();
  EXPECT_EQ(prompter.boxes[0].text, "Date 13/1/27 is Invalid\n\nDate Format is MM/DD/YY");
}

TEST_F(LoggerOperationsTest, SleepNeedsThirtySecondsAndSendsTheWallClockTime) {
  auto& sleep = host.Operations().sleep;
  sleep.window.Show();
  sleep.MEDate.UserType("01/15/27");
  sleep.METime.UserType("12:00:29");
  sleep.SleepButton.UserClick();  // OK to the question, then refused
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(prompter.Notices().back().caption, "Sleep Error");
  EXPECT_EQ(prompter.Notices().back().text,
            "You must specify a time at least 30 seconds later than the current time");
  EXPECT_TRUE(sleep.window.Shown());

  sleep.METime.UserType("12:00:30");
  sleep.SleepButton.UserClick();
  EXPECT_EQ(Sent(), Frame(CmdSleepUntil, 0, LoggerTimeOf(clock.Now()) + 30));
  EXPECT_FALSE(sleep.window.Shown());
}

TEST_F(LoggerOperationsTest, SleepInDaylightSavingReadsTheTypedWallClock) {
  clock.Set(1815184800);  // 2027-07-09 22:00:00 EDT
  auto& sleep = host.Operations().sleep;
  sleep.MEDate.UserType("07/09/27");
  sleep.METime.UserType("23:00:00");
  sleep.SleepButton.UserClick();
  EXPECT_EQ(prompter.boxes.back().text, "Sleep Until 23:00:00 on 07/09/27 ?");
  EXPECT_EQ(Sent(), Frame(CmdSleepUntil, 0, LoggerTimeOf(clock.Now()) + 3600));
}

TEST_F(LoggerOperationsTest, LoggerIdDialog) {
  auto& mux = host.Operations().muxId;
  host.Main().MenuChangeLoggerID.UserClick();
  EXPECT_TRUE(mux.window.Shown());
  mux.UDMuxID.UserClick(true);
  EXPECT_EQ(mux.LBNewMuxID.Caption(), "  3");
  mux.UDMuxID.UserClick(true);
  mux.UDMuxID.UserClick(true);  // no wrap past 4
  EXPECT_EQ(mux.LBNewMuxID.Caption(), "  4");
  mux.BTSendMuxID.UserClick();
  EXPECT_EQ(Sent(), Frame(CmdSetLoggerId, 4));
  EXPECT_TRUE(mux.window.Shown());
}

TEST_F(LoggerOperationsTest, FactoryPasswordMessagesAndNothingSentOnFailure) {
  struct Case {
    const char* typed;
    bool accepted;
    const char* message;
  };
  const Case cases[] = {
      {"blueHaven", false,
       "You Must Enter a Valid Password to Change the Hardware Configuration or Analog Calibration"},
      {"BlueHave", false, "An Invalid Password Was Entered -- Please Check Caps Lock"},
      {"BlueHavenAndMore", true, nullptr},
      {"Enter Password", false, "An Invalid Password Was Entered -- Please Check Caps Lock"},
  };
  for (const Case& c : cases) {
    prompter.Clear();
    host.Hardware().HWPassword.UserType(c.typed);
    host.Hardware().BTKR7Defaults.UserClick();
    EXPECT_EQ(Sent(), c.accepted ? Frame(CmdLoadFactoryDefaults) : Bytes{}) << c.typed;
    if (c.message) {
      ASSERT_EQ(prompter.Notices().size(), 1u);
      EXPECT_EQ(prompter.Notices()[0].caption, "Password Error");
      EXPECT_EQ(prompter.Notices()[0].text, c.message);
    } else {
      EXPECT_TRUE(prompter.boxes.empty());
    }
  }
}

TEST_F(LoggerOperationsTest, FactoryTabsAreShownAndHiddenFromTheirMenuItems) {
  auto& m = host.Main();
  EXPECT_FALSE(m.TSHardware.Visible());
  m.HardwareConfig.UserClick();
  EXPECT_TRUE(m.TSHardware.Visible());
  EXPECT_EQ(m.PageControl1.ActivePage(), &m.TSHardware);
  EXPECT_EQ(m.HardwareConfig.Caption(), "Hide Hardware Setup");
  host.Hardware().BTDoneWithHardware.UserClick();
  EXPECT_FALSE(m.TSHardware.Visible());
  EXPECT_NE(m.PageControl1.ActivePage(), &m.TSHardware);
  EXPECT_EQ(m.HardwareConfig.Caption(), "Show Hardware Setup");
  m.AnalogCal.UserClick();
  EXPECT_EQ(m.AnalogCal.Caption(), "Hide Analog Calibration");
  EXPECT_EQ(m.PageControl1.ActivePage(), &m.TSAnalog);
}

TEST_F(LoggerOperationsTest, WithThePortClosedCommandsAreDroppedQuietly) {
  host.Link().hostPortForm.HostPortCB.UserSelect(0);
  LC().BTBegin.UserClick();
  LC().BTStop.UserClick();
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(prompter.boxes.empty());
}

}  // namespace
}  // namespace qv
