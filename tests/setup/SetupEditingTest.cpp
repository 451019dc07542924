// "Setup is Not Current": raised by the start-up and by every edit, lowered
// only by showing a setup.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/setup/SetupFixture.h"

namespace qv::testing {
namespace {

using SetupEditingTest = SetupFixture;

void ExpectNotCurrentPanel(const forms::Panel& panel) {
  EXPECT_TRUE(panel.Visible());
  EXPECT_EQ(panel.Caption(), "Setup is Not Current");
  EXPECT_EQ(panel.GetColour(), forms::Colour::Yellow);
}

TEST_F(SetupEditingTest, StartUp) {
  ExpectNotCurrentPanel(labels.PStore);
  EXPECT_FALSE(setup.SetupCurrent());
  for (int n = 1; n <= 7; ++n) EXPECT_EQ(ps.CBAnalog[n].ItemIndex(), 0);
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(ps.CBPump[n].ItemIndex(), 0);
  EXPECT_EQ(lc.TimeSourceCB.ItemIndex(), 0);
  EXPECT_FALSE(ps.SOPHLB1.Visible());
  EXPECT_FALSE(ps.POPH[4].Visible());
  // The meter, line and unit lists wait for a setup.
  EXPECT_EQ(ps.ComboMeter[1].ItemIndex(), -1);
  EXPECT_FALSE(setup.SetupControlsComplete());
}

TEST_F(SetupEditingTest, ShowingASetupIsNotAnEdit) {
  setup.SetupFileName = "deploy.lst";
  // Check boxes and time edits change in code here, and their handlers run.
  Receive([](SetupRecord& r) {
    r.SetAutoStart(1);
    r.SetOncePerHourMask(0xF7FFF);
    r.SetTimeField(SetupRecord::DelayTime, 45);
    r.SetTimeField(SetupRecord::SampleTime, 7200);
  });
  EXPECT_TRUE(lc.CBAutoStart.Checked());
  EXPECT_EQ(lc.DelayEdit.Text(), "45");
  EXPECT_FALSE(labels.PStore.Visible());
  EXPECT_TRUE(setup.SetupCurrent());
  EXPECT_EQ(setup.SetupFileName, "deploy.lst");
}

TEST_F(SetupEditingTest, EveryEditMarksTheSetupNotCurrent) {
  std::vector<std::pair<std::string, std::function<void()>>> edits = {
      {"CBHostPortSetup", [&] { ps.CBHostPortSetup.UserSelect(8); }},
      {"ModeCB", [&] { lc.ModeCB.UserSelect(1); }},
      {"FileCB", [&] { lc.FileCB.UserSelect(1); }},
      {"OutputCB", [&] { lc.OutputCB.UserSelect(2); }},
      {"TimeSourceCB", [&] { lc.TimeSourceCB.UserSelect(1); }},
      {"CBAutoStart", [&] { lc.CBAutoStart.UserClick(); }},
      {"UDLVCutOff", [&] { lc.UDLVCutOff.UserClick(true); }},
      {"UDAnalogRate", [&] { lc.UDAnalogRate.UserClick(true); }},
  };
  for (int n = 1; n <= 8; ++n) {
    edits.push_back({ps.ComboMeter[n].Name(), [&, n] { ps.ComboMeter[n].UserSelect(3); }});
    edits.push_back({ps.CBPortSetup[n].Name(), [&, n] { ps.CBPortSetup[n].UserSelect(6); }});
    edits.push_back({ps.SOPH[n].Name(), [&, n] { ps.SOPH[n].UserClick(); }});
  }
  for (int n = 1; n <= 7; ++n) {
    edits.push_back({ps.CBAnalog[n].Name(), [&, n] { ps.CBAnalog[n].UserSelect(1); }});
    edits.push_back({ps.AOPH[n].Name(), [&, n] { ps.AOPH[n].UserClick(); }});
  }
  for (int n = 1; n <= 4; ++n) {
    edits.push_back({ps.CBPump[n].Name(), [&, n] { ps.CBPump[n].UserSelect(1); }});
    edits.push_back({ps.POPH[n].Name(), [&, n] { ps.POPH[n].UserClick(); }});
  }
  struct Time {
    forms::UpDown* ud;
    forms::Edit* edit;
    forms::ComboBox* unit;
  };
  for (const Time& t : {Time{&lc.DelayUD, &lc.DelayEdit, &lc.DelayCombo},
                        Time{&lc.PreFlushUD, &lc.PreFlushEdit, &lc.PreFlushCombo},
                        Time{&lc.WarmupUD, &lc.WarmupEdit, &lc.WarmupCombo},
                        Time{&lc.FlushUD, &lc.FlushEdit, &lc.FlushCombo},
                        Time{&lc.SampleUD, &lc.SampleEdit, &lc.SampleCombo},
                        Time{&lc.IntervalUD, &lc.IntervalEdit, &lc.IntervalCombo}}) {
    edits.push_back({t.ud->Name(), [t] { t.ud->UserClick(true); }});
    edits.push_back({t.edit->Name(), [t] { t.edit->UserType("20"); }});
    edits.push_back({t.unit->Name(), [t] { t.unit->UserSelect(2); }});
  }

  for (auto& [name, edit] : edits) {
    SCOPED_TRACE(name);
    ReceiveComplete();
    setup.SetupFileName = "deploy.lst";
    ASSERT_FALSE(labels.PStore.Visible());
    edit();
    ExpectNotCurrentPanel(labels.PStore);
    EXPECT_FALSE(setup.SetupCurrent());
    EXPECT_EQ(setup.SetupFileName, "");
  }
}

TEST_F(SetupEditingTest, UpDownsRefreshTheirLabels) {
  ReceiveComplete();
  lc.UDLVCutOff.UserClick(true);
  EXPECT_EQ(lc.LBLowVoltage.Caption(), " 6.6 V");

  lc.UDAnalogRate.SetPosition(6);
  lc.UDAnalogRate.UserClick(true);
  EXPECT_EQ(lc.LBAnalogRate.Caption(), "7 Hz   142 ms");

  // A time up-down rewrites the analog-rate label with the rate it holds.
  lc.UDAnalogRate.SetPosition(3);
  lc.SampleUD.UserClick(true);
  EXPECT_EQ(lc.LBAnalogRate.Caption(), "3 Hz   333 ms");
  EXPECT_EQ(lc.SampleUD.Position(), 6);
}

TEST_F(SetupEditingTest, ModeChoiceShowsTheSampleIntervalAndTheHostMode) {
  struct Case {
    int model;
    int item;
    bool intervalShown;
    const char* hostMode;
  };
  const Case cases[] = {
      {2, 1, true, "Moored Logging"},
      {2, 5, false, "Direct To PORT2"},
      {1, 5, false, "Direct To PORT1"},
      {1, 0, false, "Profile Logging"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hostMode);
    model = c.model;
    ReceiveComplete([](SetupRecord& r) { r.SetMode(3); });
    lc.ModeCB.UserSelect(c.item);
    for (forms::Control* ctl : std::initializer_list<forms::Control*>{
             &lc.LBSampleInterval, &lc.IntervalUD, &lc.IntervalEdit, &lc.IntervalCombo})
      EXPECT_EQ(ctl->Visible(), c.intervalShown) << ctl->Name();
    EXPECT_EQ(labels.HostMode.Caption(), c.hostMode);
    // The logger's own mode label keeps what the logger holds.
    EXPECT_EQ(labels.LoggerMode.Caption(), "Analog Output");
    ExpectNotCurrentPanel(labels.PStore);
  }
}

}  // namespace
}  // namespace qv::testing
