// The status display: texts of every field, the port rows by model and mask,
// the clock, drift and synchronisation, and the firmware warning.
#include <functional>

#include "common/LoggerTime.h"
#include "protocol/Commands.h"
#include "protocol/StatusRecord.h"
#include "tests/support/HostFixture.h"

namespace qv {
namespace {

class StatusDisplayTest : public testing::HostFixture {
 public:
  void SetUp() override { StartOnCom1(); }
  StatusRecord Base() {
    StatusRecord r;
    r.operationState = OperationState::Standby;
    r.loggerModel = 2;
    r.loggerId = 2;
    r.serialMask = 0x00FF;
    r.analogMask = 0x007F;
    r.pumpMask = 0x000F;
    r.loggerTime = LoggerTimeOf(clock.Now());
    r.firmwareStamp = StatusRecord::MakeFirmwareStamp(6, 10, 1, 1, 26);
    return r;
  }
  // Sends the record the way the logger does and lets the display tick show it.
  void Receive(const StatusRecord& r) {
    const StatusRecord::Bytes packet = r.Encode();
    backend.Feed(1, {packet.begin(), packet.end()});
    Tick();
    host.Main().Timer475ms.Fire();
  }
  LoggerStatusGroup& G() { return host.Status().group; }
  DataStatusTab& D() { return host.Status().dataStatus; }
};

TEST_F(StatusDisplayTest, FirstStatusShowsTheGroupAndHidesTheNoStatusLabel) {
  EXPECT_FALSE(host.Main().GBLoggerStatus.Visible());
  EXPECT_TRUE(host.Main().Label78.Visible());
  EXPECT_EQ(host.Main().Label78.Caption(), "No Logger Status");
  Receive(Base());
  EXPECT_TRUE(host.Main().GBLoggerStatus.Visible());
  EXPECT_FALSE(host.Main().Label78.Visible());
  EXPECT_TRUE(G().LBDandT.Visible());
  EXPECT_EQ(G().LBOperation.Caption(), "Standby");
  EXPECT_EQ(host.Logger().shortName, "KR-7");
  EXPECT_EQ(host.Setup().loggerControl.BTClearMemory.Caption(), "Clear KR-7 Memory");
  EXPECT_EQ(host.Upload().BTGetDirectory.Caption(), "Get KR-7 Directory");
  EXPECT_FALSE(host.Records().statusReceived);
}

TEST_F(StatusDisplayTest, FieldTexts) {
  struct Case {
    const char* what;
    std::function<void(StatusRecord&)> set;
    std::function<std::string(StatusDisplayTest&)> shown;
    std::string expected;
  };
  const Case cases[] = {
      {"no run", [](StatusRecord& r) { r.runNumber = -1; },
       [](StatusDisplayTest& t) { return t.G().LBRunNumber.Caption(); }, "Run Number:"},
      {"run 7", [](StatusRecord& r) { r.runNumber = 7; },
       [](StatusDisplayTest& t) { return t.G().LBRunNumber.Caption(); }, "Run Number:  007"},
      {"59 s left", [](StatusRecord& r) { r.timeLeft = 59; },
       [](StatusDisplayTest& t) { return t.G().LBTimeLeft.Caption(); }, " 0:59"},
      {"3599 s left", [](StatusRecord& r) { r.timeLeft = 3599; },
       [](StatusDisplayTest& t) { return t.G().LBTimeLeft.Caption(); }, "59:59"},
      {"3600 s left", [](StatusRecord& r) { r.timeLeft = 3600; },
       [](StatusDisplayTest& t) { return t.G().LBTimeLeft.Caption(); }, " 1:00:00"},
      {"huge time left", [](StatusRecord& r) { r.timeLeft = 0xFFFFFFFF; },
       [](StatusDisplayTest& t) { return t.G().LBTimeLeft.Caption(); }, "1193046:28:15"},
      {"current volts", [](StatusRecord& r) { r.currentVoltage = 12345; },
       [](StatusDisplayTest& t) { return t.G().LBCurrentV.Caption(); }, "12.3 V"},
      {"start volts", [](StatusRecord& r) { r.startVoltage = 6500; },
       [](StatusDisplayTest& t) { return t.G().LBStartV.Caption(); }, " 6.5 V"},
      {"negative end volts", [](StatusRecord& r) { r.endVoltage = -1200; },
       [](StatusDisplayTest& t) { return t.G().LBEndV.Caption(); }, "-1.2 V"},
      {"free disk", [](StatusRecord& r) { r.freeDisk = 1048575; },
       [](StatusDisplayTest& t) { return t.G().LBFreeDisk.Caption(); }, "1023 K"},
      {"total disk", [](StatusRecord& r) { r.totalDisk = 67108864; },
       [](StatusDisplayTest& t) { return t.G().LBTotalDisk.Caption(); }, "65536 K"},
      {"negative free disk", [](StatusRecord& r) { r.freeDisk = -2048; },
       [](StatusDisplayTest& t) { return t.G().LBFreeDisk.Caption(); }, "-2 K"},
      {"power bits", [](StatusRecord& r) { r.powerFlags = 0x0081; },
       [](StatusDisplayTest& t) { return t.G().LBPower.Caption(); }, "Power: 1000 0001"},
      {"unknown state", [](StatusRecord& r) { r.operationState = OperationState{11}; },
       [](StatusDisplayTest& t) { return t.G().LBOperation.Caption(); }, "Invalid Status 0b"},
      {"end of run", [](StatusRecord& r) { r.operationState = OperationState::EndOfRun; },
       [](StatusDisplayTest& t) { return t.G().LBOperation.Caption(); }, "End of Run"},
      {"rate per record", [](StatusRecord& r) { r.portDataRates[3] = -12; },
       [](StatusDisplayTest& t) { return t.D().MBPSLabel[3].Caption() + t.D().MStatusLabel[3].Caption(); },
       "Bytes/Record:12"},
      {"rate per second", [](StatusRecord& r) { r.portDataRates[3] = 0; },
       [](StatusDisplayTest& t) { return t.D().MBPSLabel[3].Caption() + t.D().MStatusLabel[3].Caption(); },
       "Bytes/Second:0"},
      {"file size 1023", [](StatusRecord& r) { r.portFileSizes[2] = 1023; },
       [](StatusDisplayTest& t) { return t.D().MFileSizeLabel[2].Caption(); }, "1023"},
      {"file size 1024", [](StatusRecord& r) { r.portFileSizes[2] = 1024; },
       [](StatusDisplayTest& t) { return t.D().MFileSizeLabel[2].Caption(); }, "1 K"},
      {"negative file size", [](StatusRecord& r) { r.portFileSizes[2] = -5; },
       [](StatusDisplayTest& t) { return t.D().MFileSizeLabel[2].Caption(); }, "-5"},
      {"analog size 1024", [](StatusRecord& r) { r.analogFileSize = 1024; },
       [](StatusDisplayTest& t) { return t.D().AnalogFileSizeLabel.Caption(); }, "1 k"},
      {"analog size 1023", [](StatusRecord& r) { r.analogFileSize = 1023; },
       [](StatusDisplayTest& t) { return t.D().AnalogFileSizeLabel.Caption(); }, "1023"},
      {"analog volts", [](StatusRecord& r) { r.analogVoltages[4] = 2500; },
       [](StatusDisplayTest& t) { return t.D().Analog[4].Caption(); }, "2.500"},
      {"run size sums ports, analog and other", [](StatusRecord& r) {
         r.portFileSizes[1] = 1024;
         r.portFileSizes[8] = 1024;
         r.analogFileSize = 512;
         r.otherFileSize = 512;
       },
       [](StatusDisplayTest& t) { return t.G().LBRunSize.Caption(); }, "Run File Size:  3 K"},
      {"run size without overflow", [](StatusRecord& r) {
         for (int n = 1; n <= 8; ++n) r.portFileSizes[n] = 0x7FFFFFFF;
       },
       [](StatusDisplayTest& t) { return t.G().LBRunSize.Caption(); },
       "Run File Size:  16777215 K"},
      {"logger id shown", [](StatusRecord& r) { r.loggerId = 3; },
       [](StatusDisplayTest& t) { return t.host.Operations().muxId.LBCurrentMuxID.Caption(); },
       "Current Logger ID:    3"},
      {"run/stop switch", [](StatusRecord& r) { r.runStopSwitch = 7; },
       [](StatusDisplayTest& t) { return t.G().LBRunStop.Caption(); }, "Run/Stop Switch:  Error"},
      {"negative run/stop switch", [](StatusRecord& r) { r.runStopSwitch = -1; },
       [](StatusDisplayTest& t) {
         return t.G().LBRunStop.Visible() ? t.G().LBRunStop.Caption() : "hidden";
       },
       "Run/Stop Switch:  Error"},
      {"run/stop switch 0", [](StatusRecord& r) { r.runStopSwitch = 0; },
       [](StatusDisplayTest& t) {
         return t.G().LBRunStop.Visible() ? t.G().LBRunStop.Caption() : "hidden";
       },
       "hidden"},
  };
  for (const Case& c : cases) {
    StatusRecord r = Base();
    c.set(r);
    Receive(r);
    EXPECT_EQ(c.shown(*this), c.expected) << c.what;
  }
}

TEST_F(StatusDisplayTest, PortRowsFollowTheMasksAndOnlyWhenTheyChange) {
  StatusRecord r = Base();
  r.serialMask = 0x0100 | 0x0005;  // RS-422 host, ports 1 and 3
  r.analogMask = 0x0002;
  r.pumpMask = 0;
  Receive(r);
  auto& ps = host.Setup().portSetup;
  EXPECT_EQ(G().HostType.Caption(), "Host:  RS422");
  EXPECT_TRUE(D().MLabel[1].Visible());
  EXPECT_FALSE(D().MLabel[2].Visible());
  EXPECT_TRUE(ps.ComboMeter[3].Visible());
  EXPECT_FALSE(ps.SOPH[2].Visible());
  EXPECT_TRUE(ps.CBAnalog[2].Visible());
  EXPECT_FALSE(D().Analog[1].Visible());
  EXPECT_TRUE(D().AnalogFS.Visible());
  EXPECT_FALSE(ps.CBPump[1].Visible());
  EXPECT_FALSE(ps.LBPump.Visible());
  EXPECT_TRUE(D().LBSerial.Visible());

  // The same masks again leave rows alone, even ones changed in between.
  D().MLabel[2].SetVisible(true);
  Receive(r);
  EXPECT_TRUE(D().MLabel[2].Visible());

  r.serialMask = 0x0100;  // no serial port at all, still RS-422
  Receive(r);
  for (int n = 1; n <= 8; ++n) EXPECT_FALSE(D().MLabel[n].Visible()) << n;
  EXPECT_TRUE(D().LBSerial.Visible());
  EXPECT_EQ(G().HostType.Caption(), "Host:  RS422");

  r.serialMask = 0x0200 | 0x0001;  // remote host on, RS-232
  Receive(r);
  EXPECT_TRUE(G().RemoteHostPanel.Visible());
  EXPECT_EQ(G().HostType.Caption(), "Host:  RS232");
}

TEST_F(StatusDisplayTest, ModelSetsThePortLabels) {
  StatusRecord r = Base();
  r.loggerModel = 0;
  Receive(r);
  EXPECT_EQ(host.Setup().portSetup.LBS[1].Caption(), "px5:");
  EXPECT_EQ(host.Setup().portSetup.LBS[8].Caption(), "Port 7:");
  EXPECT_EQ(D().MLabel[1].Caption(), "px5:");
  r.loggerModel = 1;
  Receive(r);
  EXPECT_EQ(host.Setup().portSetup.LBS[1].Caption(), "Port 1:");
  EXPECT_EQ(D().MLabel[1].Caption(), "Port 1");
  EXPECT_EQ(D().MLabel[2].Caption(), "Port 2:");
  EXPECT_EQ(host.Logger().shortName, "PX5+");
  r.loggerModel = 9;  // unknown: names and captions stay
  Receive(r);
  EXPECT_EQ(host.Logger().shortName, "PX5+");
  EXPECT_EQ(host.Setup().loggerControl.BTClearMemory.Caption(), "Clear PX5+ Memory");
}

TEST_F(StatusDisplayTest, LoggerIdOutsideOneTo254OpensTheLoggerIdDialog) {
  for (int id : {0, 255, -3}) {
    host.Operations().muxId.window.Hide();
    StatusRecord r = Base();
    r.loggerId = static_cast<std::int16_t>(id);
    Receive(r);
    EXPECT_TRUE(host.Operations().muxId.window.Shown()) << id;
  }
  host.Operations().muxId.window.Hide();
  Receive(Base());
  EXPECT_FALSE(host.Operations().muxId.window.Shown());
}

TEST_F(StatusDisplayTest, OldFirmwareIsReportedOncePerRun) {
  StatusRecord r = Base();
  r.firmwareStamp = StatusRecord::MakeFirmwareStamp(6, 5, 1, 1, 26);
  Receive(r);
  EXPECT_FALSE(host.Status().warning.window.Shown());
  r.firmwareStamp = StatusRecord::MakeFirmwareStamp(6, 4, 1, 1, 26);
  Receive(r);
  EXPECT_TRUE(host.Status().warning.window.Shown());
  EXPECT_EQ(host.Status().warning.Label1.Caption(),
            "This Host Program is incompatible with Firmware Version 6.04");
  host.Status().warning.Button1.UserClick();
  EXPECT_FALSE(host.Status().warning.window.Shown());
  Receive(r);
  EXPECT_FALSE(host.Status().warning.window.Shown());
}

TEST_F(StatusDisplayTest, DriftAndAutomaticSynchronisation) {
  struct Case {
    int ahead;
    bool synced;
    bool driftShown;
    const char* drift;
  };
  const Case cases[] = {
      {3, false, false, ""},
      {5, false, true, "Drift:  00:00:05 Fast "},
      {6, true, true, "Drift:  00:00:06 Fast "},
      {-3725, true, true, "Drift:  01:02:05 Slow "},
  };
  for (const Case& c : cases) {
    StatusRecord r = Base();
    r.loggerTime = LoggerTimeOf(clock.Now()) + c.ahead;
    Sent();
    Receive(r);
    std::vector<std::uint8_t> sync;
    if (c.synced) sync = Frame(CmdSetTime, 0, LoggerTimeOf(clock.Now()));
    EXPECT_EQ(Sent(), sync) << c.ahead;
    EXPECT_EQ(G().LBDrift.Visible(), c.driftShown) << c.ahead;
    if (c.driftShown) {
      EXPECT_EQ(G().LBDrift.Caption(), c.drift);
    }
  }
  // The clock shows the logger's wall time.
  StatusRecord r = Base();
  Receive(r);
  EXPECT_EQ(G().LBDandT.Caption(), "12:00:00  01/15/27");
  EXPECT_EQ(host.Operations().sleep.SleepDate.Caption(), "01/15/27");
}

TEST_F(StatusDisplayTest, SynchroniseNowSendsOnceEvenWithoutDrift) {
  host.Main().MenuAutoTimeUpdate.UserClick();  // automatic sync off
  EXPECT_FALSE(host.Main().MenuAutoTimeUpdate.Checked());
  StatusRecord r = Base();
  r.loggerTime += 100;
  Receive(r);
  EXPECT_TRUE(Sent().empty());
  host.Main().MenuUpdateTimeNow.UserClick();
  EXPECT_TRUE(host.Main().MenuUpdateTimeNow.Checked());
  Receive(Base());
  EXPECT_EQ(Sent(), Frame(CmdSetTime, 0, LoggerTimeOf(clock.Now())));
  EXPECT_FALSE(host.Main().MenuUpdateTimeNow.Checked());
  Receive(Base());
  EXPECT_TRUE(Sent().empty());
}

TEST_F(StatusDisplayTest, InDaylightSavingTheClockIsStillTheLoggersWallTime) {
  clock.Set(1815184800);  // 2027-07-09 22:00:00 EDT
  StatusRecord r = Base();
  r.loggerTime = LoggerTimeOf(clock.Now());
  Receive(r);
  EXPECT_EQ(G().LBDandT.Caption(), "22:00:00  07/09/27");
  EXPECT_FALSE(G().LBDrift.Visible());
  EXPECT_TRUE(Sent().empty());
}

TEST_F(StatusDisplayTest, LoggerClockTurnsYellowWhenStatusStopsComing) {
  Receive(Base());
  EXPECT_EQ(G().LBDandT.GetColour(), forms::Colour::ButtonFace);
  for (int s = 0; s < 2; ++s) Tick(40);
  EXPECT_EQ(G().LBDandT.GetColour(), forms::Colour::ButtonFace);
  Tick(40);
  EXPECT_EQ(G().LBDandT.GetColour(), forms::Colour::Yellow);
  Receive(Base());
  EXPECT_EQ(G().LBDandT.GetColour(), forms::Colour::ButtonFace);
}

}  // namespace
}  // namespace qv
