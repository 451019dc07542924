// "Send Setup": validation, the fixed rules, and the one record that goes out.
#include <string>
#include <vector>

#include "tests/setup/SetupFixture.h"

namespace qv::testing {
namespace {

using SendSetupTest = SetupFixture;

constexpr const char* kAbortCaption = "*** Warning *** 'Send Setup' has been aborted.";
constexpr const char* kAbortText =
    "One or more of the Logger Setup Parameters in either Port Setup or Sample Setup is invalid.";

TEST_F(SendSetupTest, AnyListWithoutSelectionAbortsAndSendsNothing) {
  std::vector<forms::ComboBox*> lists = {
      &lc.ModeCB,        &ps.CBHostPortSetup, &lc.OutputCB,   &lc.FileCB,      &lc.DelayCombo,
      &lc.PreFlushCombo, &lc.WarmupCombo,     &lc.FlushCombo, &lc.SampleCombo, &lc.IntervalCombo};
  for (int n = 1; n <= 8; ++n) {
    lists.push_back(&ps.ComboMeter[n]);
    lists.push_back(&ps.CBPortSetup[n]);
  }
  for (int n = 1; n <= 7; ++n) lists.push_back(&ps.CBAnalog[n]);
  for (int n = 1; n <= 4; ++n) lists.push_back(&ps.CBPump[n]);

  for (forms::ComboBox* list : lists) {
    SCOPED_TRACE(list->Name());
    ReceiveComplete([](SetupRecord& r) { r.SetMode(1); });
    ASSERT_TRUE(setup.SetupControlsComplete());
    list->SetItemIndex(-1);
    lc.TimeSourceCB.SetItemIndex(2);
    SetupBytes before = records.setup;

    EXPECT_TRUE(Send().empty());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].kind, ScriptedPrompter::BoxKind::Notice);
    EXPECT_EQ(prompter.boxes[0].caption, kAbortCaption);
    EXPECT_EQ(prompter.boxes[0].text, kAbortText);
    EXPECT_EQ(records.setup, before);
    EXPECT_EQ(lc.TimeSourceCB.ItemIndex(), 2);
  }
}

TEST_F(SendSetupTest, NothingIsSentBeforeASetupWasShown) {
  EXPECT_TRUE(Send().empty());
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, kAbortCaption);
  EXPECT_EQ(records.setup, SetupBytes{});
}

TEST_F(SendSetupTest, BothButtonsSendTheWholeRecordOnce) {
  for (forms::Button* button : {&ps.BTStoreSetup1, &lc.BTStoreSetup2}) {
    SCOPED_TRACE(button->Name());
    ReceiveComplete();
    std::vector<std::uint8_t> sent = Send(button);
    ASSERT_EQ(sent.size(), 192u);
    EXPECT_EQ(Rec().Header(), 0x0101);
    EXPECT_TRUE(prompter.boxes.empty());
  }
}

TEST_F(SendSetupTest, Px5OnPortOneOfModelsOneAndThree) {
  struct Case {
    int model;
    int meterItem;
    std::int16_t type;
    std::int32_t baud;
    const char* lineSetting;  // CBPort1Setup afterwards
  };
  const Case cases[] = {
      {1, 3, 1, 19200, "19200"}, {1, 4, 4, 19200, "19200"},  {1, 0, 0, 19200, "19200"},
      {3, 7, 1, 19200, "19200"}, {3, 12, 1, 19200, "19200"}, {2, 3, 3, 2400, "2400"},
      {0, 4, 4, 2400, "2400"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "model " << c.model << " item " << c.meterItem);
    ReceiveComplete();
    model = c.model;
    ps.ComboMeter[1].UserSelect(c.meterItem);
    ps.CBPortSetup[1].UserSelect(3);
    ASSERT_EQ(Send().size(), 192u);
    EXPECT_EQ(Rec().PortMeterType(1), c.type);
    EXPECT_EQ(Rec().PortBaud(1), c.baud);
    EXPECT_EQ(Rec().PortDataBits(1), 8);
    EXPECT_EQ(Rec().PortParity(1), 0);
    EXPECT_EQ(ps.CBPortSetup[1].Text(), c.lineSetting);
    EXPECT_EQ(ps.ComboMeter[1].ItemIndex(), c.meterItem);
  }
}

TEST_F(SendSetupTest, LineSettings) {
  struct Case {
    int port;  // 0: the host port
    int meterItem;
    int lineItem;
    std::int32_t baud;
    std::int16_t dataBits;
    std::int16_t parity;
  };
  const Case cases[] = {
      {4, 7, 12, 0, 7, 0},    // "ON" switches a pump on
      {4, 3, 12, 0, 8, 0},    // "ON" on an ASCII port is off
      {2, 3, 7, 9600, 7, 2},  // "9600,7,E,1"
      {2, 3, 5, 4800, 7, 2},  // "4800,7,E,1"
      {6, 5, 4, 4800, 8, 0}, {8, 1, 11, 115200, 8, 0}, {0, 0, 0, 0, 8, 0},  // host port "OFF"
      {0, 0, 7, 9600, 7, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "port " << c.port << " item " << c.lineItem);
    ReceiveComplete();
    if (c.port == 0) {
      ps.CBHostPortSetup.UserSelect(c.lineItem);
    } else {
      ps.ComboMeter[c.port].UserSelect(c.meterItem);
      ps.CBPortSetup[c.port].UserSelect(c.lineItem);
    }
    ASSERT_EQ(Send().size(), 192u);
    EXPECT_EQ(Rec().PortBaud(c.port), c.baud);
    EXPECT_EQ(Rec().PortDataBits(c.port), c.dataBits);
    EXPECT_EQ(Rec().PortParity(c.port), c.parity);
    EXPECT_EQ(Rec().PortMeterType(c.port), c.port == 0 ? 0 : c.meterItem);
  }
}

TEST_F(SendSetupTest, AnalogRateIsLimitedOutsideRealTimeAndAnalogModes) {
  struct Case {
    int mode;
    int rate;
    std::int16_t sent;
  };
  const Case cases[] = {{1, 12, 8},  {0, 9, 8},   {4, 20, 8}, {0, 8, 8},
                        {2, 12, 12}, {3, 20, 20}, {1, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " rate " << c.rate);
    ReceiveComplete();
    lc.ModeCB.UserSelect(c.mode);
    lc.UDAnalogRate.SetPosition(c.rate);
    ASSERT_EQ(Send().size(), 192u);
    EXPECT_EQ(Rec().AnalogRate(), c.sent);
    EXPECT_EQ(lc.UDAnalogRate.Position(), c.sent);
  }
  ReceiveComplete();
  lc.UDAnalogRate.SetPosition(12);
  Send();
  EXPECT_EQ(lc.LBAnalogRate.Caption(), "8 Hz   125 ms");
}

TEST_F(SendSetupTest, MemoryWarningStillSends) {
  struct Case {
    int output;
    int file;
    bool warned;
  };
  for (const Case& c :
       {Case{2, 1, true}, Case{2, 0, false}, Case{1, 1, false}, Case{0, 1, false}}) {
    SCOPED_TRACE(::testing::Message() << c.output << "/" << c.file);
    ReceiveComplete();
    lc.OutputCB.UserSelect(c.output);
    lc.FileCB.UserSelect(c.file);
    ASSERT_EQ(Send().size(), 192u);
    EXPECT_EQ(Rec().OutputFormat(), c.output);
    EXPECT_EQ(Rec().FileFormat(), c.file);
    if (c.warned) {
      ASSERT_EQ(prompter.boxes.size(), 1u);
      EXPECT_EQ(prompter.boxes[0].caption, "***Warning***");
      EXPECT_EQ(prompter.boxes[0].text,
                "Using the Logger Output AND Recording Data internally will cause the Logger to "
                "Turn OFF as the internal memory becomes full!");
    } else {
      EXPECT_TRUE(prompter.boxes.empty());
    }
  }
}

TEST_F(SendSetupTest, SetupShownWhileTheWarningIsOpenIsNotSentHalfBuilt) {
  ReceiveComplete();
  lc.OutputCB.UserSelect(2);
  lc.FileCB.UserSelect(1);
  // A setup with mode 12 arrives and is shown by the display tick inside the box.
  bool arrived = false;
  prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
    if (arrived) return;
    arrived = true;
    Receive([](SetupRecord& r) { r.SetMode(12); });
  };
  EXPECT_TRUE(Send().empty());
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[1].caption, kAbortCaption);
  EXPECT_EQ(Rec().Mode(), 12);
}

TEST_F(SendSetupTest, TimesInSeconds) {
  struct Case {
    forms::UpDown* ud;
    forms::ComboBox* unit;
    int position;
    int unitItem;
    SetupRecord::Time field;
    std::int32_t seconds;
  };
  const Case cases[] = {
      {&lc.SampleUD, &lc.SampleCombo, 5, 1, SetupRecord::SampleTime, 300},
      {&lc.IntervalUD, &lc.IntervalCombo, 2, 2, SetupRecord::SampleInterval, 7200},
      {&lc.DelayUD, &lc.DelayCombo, 100, 0, SetupRecord::DelayTime, 100},
      {&lc.PreFlushUD, &lc.PreFlushCombo, 300, 1, SetupRecord::PreFlushTime, 18000},
      {&lc.WarmupUD, &lc.WarmupCombo, 10000, 2, SetupRecord::WarmUpTime, 36000000},
      {&lc.FlushUD, &lc.FlushCombo, 0, 2, SetupRecord::FlushTime, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ud->Name());
    ReceiveComplete();
    c.ud->SetPosition(c.position);
    c.unit->UserSelect(c.unitItem);
    ASSERT_EQ(Send().size(), 192u);
    EXPECT_EQ(Rec().TimeField(c.field), c.seconds);
  }
}

TEST_F(SendSetupTest, TimeSourceAlwaysGoesOutAsInternal) {
  for (int item : {2, 3, -1}) {
    SCOPED_TRACE(item);
    ReceiveComplete([](SetupRecord& r) { r.SetTimeSource(1); });
    lc.TimeSourceCB.SetItemIndex(item);
    ASSERT_EQ(Send().size(), 192u);
    EXPECT_EQ(Rec().TimeSource(), 0);
    EXPECT_EQ(lc.TimeSourceCB.Text(), "Internal - No Time Updates");
  }
}

TEST_F(SendSetupTest, EveryFieldRebuiltFromTheControlsAndSparesCarried) {
  // The received record: spares marked, interpreted fields full of junk.
  const int spares[] = {4, 5, 6, 7, 168, 169, 176, 177, 178, 179, 182, 183, 184, 185, 188, 189};
  Receive([&](SetupRecord& r) {
    for (std::uint8_t& b : r.Bytes()) b = 0xEE;
    for (int i : spares)
      r.Bytes()[static_cast<size_t>(i)] = static_cast<std::uint8_t>(0xA0 + i % 16);
    r.SetPortBaud(0, 9600);
    r.SetPortDataBits(0, 8);
    r.SetOncePerHourMask(0x10001);
    r.SetMode(1);
    r.SetOutputFormat(1);
    r.SetFileFormat(1);
    for (int port = 1; port <= 8; ++port) r.SetPortMeterType(port, 3);
    for (int n = 1; n <= 7; ++n) r.SetAnalogPortMode(n, 1);
    for (int n = 1; n <= 4; ++n) r.SetPumpPortMode(n, 1);
    for (int t = SetupRecord::DelayTime; t <= SetupRecord::SampleInterval; ++t)
      r.SetTimeField(static_cast<SetupRecord::Time>(t), 60);
  });
  SetupBytes received = records.setup;
  lc.UDLVCutOff.SetPosition(120);
  ps.CBPump[4].UserSelect(11);
  ps.AOPH[7].UserClick();
  lc.CBAutoStart.SetChecked(false);
  lc.CBAutoStart.UserClick();

  std::vector<std::uint8_t> sent = Send();
  ASSERT_EQ(sent.size(), 192u);
  for (int i : spares)
    EXPECT_EQ(sent[static_cast<size_t>(i)], received[static_cast<size_t>(i)]) << i;
  SetupRecord r = Rec();
  EXPECT_EQ(r.Header(), 0x0101);
  EXPECT_EQ(r.Mode(), 1);
  EXPECT_EQ(r.OncePerHourMask(), 0x14001);
  EXPECT_EQ(r.PortMeterType(0), 0);
  EXPECT_EQ(r.PortBaud(0), 9600);
  for (int port = 0; port <= 8; ++port) EXPECT_EQ(r.PortLowVoltage(port), 120) << port;
  EXPECT_EQ(r.AnalogPortMode(0), 0);
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(r.AnalogPortMode(n), 1) << n;
  EXPECT_EQ(r.PumpPortMode(4), 11);
  EXPECT_EQ(r.AutoStart(), 1);
  EXPECT_EQ(r.TimeField(SetupRecord::WarmUpTime), 60);
  // The sum of bytes 0..189 as unsigned bytes; the old checksum bytes do not count.
  std::uint32_t sum = 0;
  for (size_t i = 0; i < 190; ++i) sum += sent[i];
  EXPECT_EQ(r.Checksum(), sum % 65536);
}

TEST_F(SendSetupTest, SendLeavesTheEditingStateAlone) {
  model = 1;
  ReceiveComplete([](SetupRecord& r) { r.SetAnalogRate(12); });
  lc.TimeSourceCB.SetItemIndex(3);
  ASSERT_EQ(Send().size(), 192u);
  EXPECT_TRUE(setup.SetupCurrent());
  EXPECT_FALSE(labels.PStore.Visible());

  ps.SOPH[2].UserClick();
  ASSERT_EQ(Send().size(), 192u);
  EXPECT_FALSE(setup.SetupCurrent());
  EXPECT_TRUE(labels.PStore.Visible());
}

TEST_F(SendSetupTest, ClosedLoggerPortWritesNothing) {
  ReceiveComplete();
  ports.ClosePortSlot(kLoggerSlot);
  EXPECT_TRUE(Send().empty());
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_EQ(Rec().Header(), 0x0101);
}

}  // namespace
}  // namespace qv::testing
