// Showing a received setup record in the Port Setup and Logger Control tabs.
#include <climits>
#include <string>

#include "setup/SetupTables.h"
#include "tests/setup/SetupFixture.h"

namespace qv::testing {
namespace {

using ShowSetupTest = SetupFixture;

TEST_F(ShowSetupTest, AllZeroRecord) {
  for (int n = 1; n <= 8; ++n) {
    labels.MTypeLabel[n].SetCaption("GPS");
    labels.MStatusLabel[n].SetCaption("123");
    labels.MFileSizeLabel[n].SetCaption("9 K");
  }
  for (int n = 1; n <= 7; ++n) labels.Analog[n].SetCaption("1.234");
  records.setupReceived = true;
  setup.ShowSetup();

  struct Time {
    forms::UpDown* ud;
    forms::ComboBox* unit;
    int position;
  };
  for (const Time& t :
       {Time{&lc.DelayUD, &lc.DelayCombo, 0}, Time{&lc.PreFlushUD, &lc.PreFlushCombo, 0},
        Time{&lc.WarmupUD, &lc.WarmupCombo, 0}, Time{&lc.FlushUD, &lc.FlushCombo, 0},
        Time{&lc.SampleUD, &lc.SampleCombo, 1}, Time{&lc.IntervalUD, &lc.IntervalCombo, 1}}) {
    SCOPED_TRACE(t.ud->Name());
    EXPECT_EQ(t.ud->Position(), t.position);
    EXPECT_EQ(t.ud->Associated()->Text(), std::to_string(t.position));
    EXPECT_EQ(t.unit->Text(), "Seconds");
  }
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(ps.ComboMeter[n].Text(), "Serial 1 OFF");
    EXPECT_EQ(ps.CBPortSetup[n].Text(), "OFF");
    EXPECT_EQ(labels.MTypeLabel[n].Caption(), "Off");
    EXPECT_EQ(labels.MStatusLabel[n].Caption(), "0");
    EXPECT_EQ(labels.MFileSizeLabel[n].Caption(), "0 K");
  }
  for (int n = 1; n <= 7; ++n) {
    EXPECT_EQ(ps.CBAnalog[n].ItemIndex(), 0);
    EXPECT_EQ(labels.Analog[n].Caption(), "0.000");
  }
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(ps.CBPump[n].ItemIndex(), 0);
  EXPECT_EQ(lc.LBLowVoltage.Caption(), " 6.5 V");
  EXPECT_EQ(lc.LBAnalogRate.Caption(), "1 Hz  1000 ms");
  EXPECT_EQ(Rec().AnalogRate(), 1);
  EXPECT_EQ(lc.ModeCB.Text(), "Profile Mode");
  EXPECT_EQ(lc.OutputCB.Text(), "Status");
  EXPECT_EQ(lc.FileCB.Text(), "No Data Storage");
  EXPECT_EQ(lc.TimeSourceCB.ItemIndex(), 0);
  EXPECT_FALSE(lc.CBAutoStart.Checked());
  EXPECT_EQ(labels.LoggerMode.Caption(), "Profile Logging");
  EXPECT_TRUE(labels.LoggerMode.Visible());
  EXPECT_EQ(labels.HostMode.Caption(), "Profile Logging");
  EXPECT_FALSE(lc.IntervalUD.Visible());
  // Baud 0 with 0 data bits is "ON", which the host-port list lacks.
  EXPECT_EQ(ps.CBHostPortSetup.ItemIndex(), -1);
  EXPECT_EQ(hostPort.HostSetupCB.Text(), "9600");
  EXPECT_EQ(backend.lastSetting[1].baud, 9600);
  EXPECT_EQ(backend.lastSetting[1].dataBits, 8);
  EXPECT_FALSE(labels.PStore.Visible());
  EXPECT_TRUE(setup.SetupCurrent());
  EXPECT_FALSE(records.setupReceived);
}

TEST_F(ShowSetupTest, TimesPickTheLargestWholeUnitAndStayInRange) {
  struct Case {
    SetupRecord::Time field;
    std::int32_t seconds;
    int position;
    const char* unit;
  };
  const Case cases[] = {
      {SetupRecord::DelayTime, 7200, 2, "Hours"},
      {SetupRecord::DelayTime, 90, 90, "Seconds"},
      {SetupRecord::DelayTime, 120, 2, "Minutes"},
      {SetupRecord::DelayTime, 3600, 1, "Hours"},
      {SetupRecord::DelayTime, 150, 100, "Seconds"},
      {SetupRecord::DelayTime, -5, 0, "Seconds"},
      {SetupRecord::PreFlushTime, 300, 5, "Minutes"},
      {SetupRecord::FlushTime, 301, 300, "Seconds"},
      // Past 16 bits: limited, never wrapped (70000 would wrap to 4464).
      {SetupRecord::WarmUpTime, 70001, 10000, "Seconds"},
      {SetupRecord::WarmUpTime, INT32_MAX, 10000, "Seconds"},
      {SetupRecord::SampleTime, 0, 1, "Seconds"},
      {SetupRecord::SampleTime, 36000000, 10000, "Hours"},
      {SetupRecord::SampleInterval, INT32_MIN, 1, "Seconds"},
      {SetupRecord::SampleInterval, -7200, 1, "Hours"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "field " << c.field << " = " << c.seconds);
    Receive([&](SetupRecord& r) { r.SetTimeField(c.field, c.seconds); });
    forms::UpDown* uds[] = {&lc.DelayUD, &lc.PreFlushUD, &lc.WarmupUD,
                            &lc.FlushUD, &lc.SampleUD,   &lc.IntervalUD};
    forms::ComboBox* units[] = {&lc.DelayCombo, &lc.PreFlushCombo, &lc.WarmupCombo,
                                &lc.FlushCombo, &lc.SampleCombo,   &lc.IntervalCombo};
    EXPECT_EQ(uds[c.field]->Position(), c.position);
    EXPECT_EQ(uds[c.field]->Associated()->Text(), std::to_string(c.position));
    EXPECT_EQ(units[c.field]->Text(), c.unit);
  }
}

TEST_F(ShowSetupTest, PortRows) {
  struct Case {
    int port;
    std::int16_t type;
    std::int32_t baud;
    std::int16_t dataBits;
    int meterItem;  // -1: no selection
    const char* lineSetting;
    const char* statusText;
  };
  const Case cases[] = {
      {3, 7, 0, 7, 7, "ON", "Pump"},
      {3, 0, 0, 7, 0, "OFF", "Off"},
      {2, 3, 9600, 7, 3, "9600,7,E,1", "ASCII"},
      {2, 3, 9600, 8, 3, "9600", "ASCII"},
      {1, 9, 4800, 7, 9, "4800,7,E,1", "SBE16"},
      {4, 3, 12345, 8, 3, "9600", "ASCII"},
      {5, 13, 19200, 8, -1, "19200", "QV-Logger"},
      {6, 14, 19200, 8, -1, "OFF", "OFF"},
      {7, -1, 38400, 8, -1, "OFF", "OFF"},
      {8, 12, 115200, 8, 12, "115200", "Wake-Binary"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "port " << c.port << " type " << c.type);
    Receive([&](SetupRecord& r) {
      r.SetPortMeterType(c.port, c.type);
      r.SetPortBaud(c.port, c.baud);
      r.SetPortDataBits(c.port, c.dataBits);
    });
    EXPECT_EQ(ps.ComboMeter[c.port].ItemIndex(), c.meterItem);
    EXPECT_EQ(ps.CBPortSetup[c.port].Text(), c.lineSetting);
    EXPECT_EQ(labels.MTypeLabel[c.port].Caption(), c.statusText);
  }
}

TEST_F(ShowSetupTest, HostPortEntryMovesTheLoggerPort) {
  struct Case {
    std::int32_t baud;
    std::int16_t dataBits;
    int slotBaud;
    int slotBits;
    char parity;
    const char* hostSetup;  // the host-port dialog's list
    int hostPortItem;       // CBHostPortSetup; -1 no selection
  };
  const Case cases[] = {
      {19200, 8, 19200, 8, 'N', "19200", 8},     {19200, 7, 19200, 8, 'N', "19200", 8},
      {0, 0, 9600, 8, 'N', "9600", -1},          {0, 8, 9600, 8, 'N', "9600", 0},
      {9600, 7, 9600, 7, 'E', "9600, 7,E,1", 7}, {4800, 8, 4800, 8, 'N', "4800", 4},
      {4800, 5, 4800, 7, 'E', "4800,7,E,1", 5},  {600, 8, 600, 8, 'N', "600", 1},
      {115200, 8, 115200, 8, 'N', "115200", 11}, {12345, 8, 9600, 8, 'N', "9600", 6},
      {-1, 8, 9600, 8, 'N', "9600", 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.baud << "," << c.dataBits);
    hostPort.HostSetupCB.SetItemIndex(1);
    Receive([&](SetupRecord& r) {
      r.SetPortBaud(0, c.baud);
      r.SetPortDataBits(0, c.dataBits);
    });
    EXPECT_TRUE(ports.IsPortSlotOpen(kLoggerSlot));
    EXPECT_EQ(backend.lastSetting[1].baud, c.slotBaud);
    EXPECT_EQ(backend.lastSetting[1].dataBits, c.slotBits);
    EXPECT_EQ(backend.lastSetting[1].parity, c.parity);
    EXPECT_EQ(hostPort.HostSetupCB.Text(), c.hostSetup);
    EXPECT_EQ(ps.CBHostPortSetup.ItemIndex(), c.hostPortItem);
  }
}

TEST_F(ShowSetupTest, LowVoltageCutOffCountsOnlyPortsInUse) {
  struct Port {
    int port;
    std::int16_t type;
    std::int16_t lowVoltage;
  };
  struct Case {
    std::vector<Port> ports;
    int position;
    const char* text;
  };
  const Case cases[] = {
      {{{1, 3, 70}, {2, 0, 120}}, 70, " 7.0 V"},
      {{{2, 0, 120}}, 65, " 6.5 V"},
      {{{1, 3, 60}}, 65, " 6.5 V"},
      {{{1, 3, -300}, {8, 1, 140}}, 140, "14.0 V"},
      {{{4, 13, 99}, {5, 7, 98}}, 99, " 9.9 V"},
      // Beyond the up-down: the label shows what will be sent.
      {{{3, 2, 300}}, 140, "14.0 V"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Receive([&](SetupRecord& r) {
      for (const Port& p : c.ports) {
        r.SetPortMeterType(p.port, p.type);
        r.SetPortLowVoltage(p.port, p.lowVoltage);
      }
    });
    EXPECT_EQ(lc.UDLVCutOff.Position(), c.position);
    EXPECT_EQ(lc.LBLowVoltage.Caption(), c.text);
  }
}

TEST_F(ShowSetupTest, AnalogRate) {
  struct Case {
    std::int16_t rate;
    std::int16_t inRecord;
    int position;
    const char* text;
  };
  const Case cases[] = {
      {0, 1, 1, "1 Hz  1000 ms"},     {-7, 1, 1, "1 Hz  1000 ms"},    {3, 3, 3, "3 Hz   333 ms"},
      {20, 20, 20, "20 Hz    50 ms"}, {25, 25, 20, "20 Hz    50 ms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rate);
    Receive([&](SetupRecord& r) { r.SetAnalogRate(c.rate); });
    EXPECT_EQ(Rec().AnalogRate(), c.inRecord);
    EXPECT_EQ(lc.UDAnalogRate.Position(), c.position);
    EXPECT_EQ(lc.LBAnalogRate.Caption(), c.text);
  }
}

TEST_F(ShowSetupTest, ListsWithoutAnItemForTheCodeAreLeftEmpty) {
  Receive([](SetupRecord& r) {
    r.SetMode(12);
    r.SetOutputFormat(12);
    r.SetFileFormat(2);
    r.SetTimeSource(4);
    r.SetAnalogPortMode(1, 2);
    r.SetAnalogPortMode(2, 3);
    r.SetAnalogPortMode(3, -1);
    r.SetPumpPortMode(1, 2);
    r.SetPumpPortMode(4, 11);
    r.SetAutoStart(-2);
  });
  EXPECT_EQ(lc.ModeCB.ItemIndex(), -1);
  EXPECT_EQ(labels.LoggerMode.Caption(), "Unknown Mode");
  EXPECT_EQ(labels.HostMode.Caption(), "Unknown Mode");
  EXPECT_EQ(lc.OutputCB.ItemIndex(), -1);
  EXPECT_EQ(lc.FileCB.ItemIndex(), -1);
  EXPECT_EQ(lc.TimeSourceCB.ItemIndex(), -1);
  EXPECT_EQ(ps.CBAnalog[1].Text(), "Pump ON");
  EXPECT_EQ(ps.CBAnalog[2].ItemIndex(), 0);
  EXPECT_EQ(ps.CBAnalog[3].ItemIndex(), 0);
  EXPECT_EQ(ps.CBPump[1].ItemIndex(), -1);
  EXPECT_EQ(ps.CBPump[4].Text(), "Purge 5000 ms");
  EXPECT_TRUE(lc.CBAutoStart.Checked());
}

TEST_F(ShowSetupTest, ModeTextsFollowTheLoggerModel) {
  struct Case {
    std::int16_t mode;
    int model;
    const char* text;
    bool intervalShown;
  };
  const Case cases[] = {
      {5, 1, "Direct To PORT1", false}, {5, 2, "Direct To PORT2", false},
      {8, 1, "Direct To PORT5", false}, {8, 2, "Direct To PORT5", false},
      {4, 3, "Direct To px5", false},   {1, 2, "Moored Logging", true},
      {3, 0, "Analog Output", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    model = c.model;
    Receive([&](SetupRecord& r) { r.SetMode(c.mode); });
    EXPECT_EQ(lc.ModeCB.ItemIndex(), c.mode);
    EXPECT_EQ(labels.LoggerMode.Caption(), c.text);
    EXPECT_EQ(labels.HostMode.Caption(), c.text);
    for (forms::Control* ctl : std::initializer_list<forms::Control*>{
             &lc.LBSampleInterval, &lc.IntervalUD, &lc.IntervalEdit, &lc.IntervalCombo})
      EXPECT_EQ(ctl->Visible(), c.intervalShown) << ctl->Name();
  }
}

TEST_F(ShowSetupTest, OncePerHourBoxesAndColumn) {
  auto column = [&] {
    std::string shown;
    for (forms::Label* l :
         {&ps.SOPHLB1, &ps.SOPHLB2, &ps.AOPHLB1, &ps.AOPHLB2, &ps.POPHLB1, &ps.POPHLB2})
      shown += l->Visible() ? '1' : '0';
    return shown;
  };
  // The start-up hid the column.
  EXPECT_EQ(column(), "000000");
  EXPECT_FALSE(ps.SOPH[1].Visible());

  Receive([](SetupRecord& r) { r.SetOncePerHourMask(0x8000); });
  EXPECT_EQ(setup.ReadOncePerHourMask(), 0);
  EXPECT_EQ(column(), "000000");

  Receive([](SetupRecord& r) { r.SetOncePerHourMask(0x10001); });
  EXPECT_TRUE(ps.SOPH[1].Checked());
  EXPECT_TRUE(ps.POPH[1].Checked());
  EXPECT_EQ(setup.ReadOncePerHourMask(), 0x10001);
  EXPECT_EQ(column(), "111111");
  for (int n = 1; n <= 8; ++n) EXPECT_TRUE(ps.SOPH[n].Visible());
  for (int n = 1; n <= 7; ++n) EXPECT_TRUE(ps.AOPH[n].Visible());
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(ps.POPH[n].Visible());

  Receive([](SetupRecord& r) { r.SetOncePerHourMask(-1); });
  EXPECT_EQ(setup.ReadOncePerHourMask(), 0x000F7FFF);
}

TEST_F(ShowSetupTest, OncePerHourColumnFollowsTheRowsTheLoggerHas) {
  // A logger without pump ports and without serial port 3.
  for (int n = 1; n <= 4; ++n) {
    ps.LBPumpPort[n].SetVisible(false);
    ps.POPH[n].SetVisible(false);
  }
  ps.LBS[3].SetVisible(false);
  ps.SOPH[3].SetVisible(false);

  setup.ShowOncePerHourColumn(true);
  EXPECT_TRUE(ps.SOPHLB1.Visible());
  EXPECT_TRUE(ps.AOPHLB2.Visible());
  EXPECT_FALSE(ps.POPHLB1.Visible());
  EXPECT_FALSE(ps.POPHLB2.Visible());
  EXPECT_TRUE(ps.SOPH[2].Visible());
  EXPECT_FALSE(ps.SOPH[3].Visible());
  EXPECT_FALSE(ps.POPH[1].Visible());

  // Not forced and nothing checked: hidden again, and every box unchecked.
  ps.SOPH[3].SetChecked(true);
  setup.ShowOncePerHourColumn(false);
  EXPECT_TRUE(ps.SOPHLB1.Visible());
  ps.SOPH[3].SetChecked(false);
  setup.ShowOncePerHourColumn(false);
  EXPECT_FALSE(ps.SOPHLB1.Visible());
  EXPECT_FALSE(ps.SOPH[2].Visible());
}

TEST_F(ShowSetupTest, OnlyTheAnalogRateOfTheRecordChanges) {
  SetupBytes bytes{};
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  SetupRecord(bytes).SetAnalogRate(0);
  records.setup = bytes;
  setup.ShowSetup();
  SetupRecord(bytes).SetAnalogRate(1);
  EXPECT_EQ(records.setup, bytes);
}

}  // namespace
}  // namespace qv::testing
