// The display modes: for each mode the tabs, menu commands and setup choices
// the operator sees and what it presets; the commands that show and hide
// single tabs; the page control's size in the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/app/ModeLayoutItems.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ScratchDir.h"

namespace qv {
namespace {

using Names = std::set<std::string>;

Names VisibleItems(HostProgram& h) {
  Names n;
  for (forms::MenuItem* item : LayoutItems(h.Modes().Layout()))
    if (item->Visible()) n.insert(item->Name());
  return n;
}
Names CheckedItems(HostProgram& h) {
  Names n;
  for (forms::MenuItem* item : LayoutItems(h.Modes().Layout()))
    if (item->Checked()) n.insert(item->Name());
  return n;
}
Names VisibleTabs(HostProgram& h) {
  Names n;
  for (forms::TabSheet* tab : h.Main().PageControl1.Pages())
    if (tab->Visible()) n.insert(tab->Name());
  return n;
}

// A program of its own for each case.
struct FreshHost {
  testing::DaylightSavingZone zone;
  testing::FakeSerialBackend backend;
  FakeClock clock{testing::HostFixture::kWinterNoon};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};
};

class DisplayModesTest : public testing::HostFixture {
 public:
  MainForm& M() { return host.Main(); }
  LoggerControlTab& LC() { return host.Setup().loggerControl; }
};

TEST(DisplayModes, EachModeShowsItsTabsMenusAndSetupChoices) {
  struct Row {
    const char* name;
    forms::MenuItem* (*item)(MainForm&);  // none: the first start without a configuration
    int displayMode;
    Names tabs;
    Names visible;
    Names checked;
    int mode, file, output;  // items of ModeCB, FileCB, OutputCB
    bool listsShown, autoStart, closesPcPorts, oncePerHour;
    const char* hostMode;
  };
    const Row rows[] = {
      {"no mode", nullptr, -1, {}, {}, {}, 0, 0, 0, false, false, true, false, "Profile Logging"},
      {"Analog Output",
       [](MainForm& m) { return &m.MenuAnalog; }, 1,
       {"TSPortSetup", "TSLoggerControl", "TSRealTime"},
       {"MenuLoggerPortSetup", "MenuLoggerTabs", "MenuPortSetup", "MenuLoggerControl",
        "MenuRealTimeTabs", "MenuRealTime"},
       {"MenuPortSetup", "MenuLoggerControl", "MenuRealTime"},
       3, 0, 3, false, true, true, false, "Analog Output"},
      {"Moored Logging",
       [](MainForm& m) { return &m.MenuMoored; }, 2,
       {"TSPortSetup", "TSLoggerControl", "TSDataStatus", "TSUpload"},
       {"MenuLoggerTimeUpdate", "MenuAutoTimeUpdate", "MenuUpdateTimeNow", "MenuLoggerPortSetup",
        "MenuLoggerTabs", "MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuUpload"},
       {"MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuUpload"},
       1, 1, 0, false, false, true, true, "Moored Logging"},
      {"Profile Logging",
       [](MainForm& m) { return &m.MenuProfile; }, 3,
       {"TSPortSetup", "TSLoggerControl", "TSDataStatus", "TSUpload"},
       {"MenuLoggerTimeUpdate", "MenuAutoTimeUpdate", "MenuUpdateTimeNow", "MenuLoggerPortSetup",
        "MenuLoggerTabs", "MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuUpload"},
       {"MenuAutoTimeUpdate", "MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuUpload"},
       0, 1, 0, false, false, true, false, "Profile Logging"},
      {"Real Time Output",
       [](MainForm& m) { return &m.MenuRealTimeOutput; }, 4,
       {"TSPortSetup", "TSLoggerControl", "TSDataStatus", "TSRealTime", "TSRecord", "TSAuxIn"},
       {"MenuAnnotateFile", "MenuLoggerTimeUpdate", "MenuAutoTimeUpdate", "MenuUpdateTimeNow",
        "MenuChangeLoggerID", "MenuAuxInSetup", "MenuLoggerPortSetup", "MenuLoggerTabs",
        "MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuRealTimeTabs", "MenuAuxIn",
        "MenuPlotSetup", "MenuRecord", "MenuRealTime"},
       {"MenuAutoTimeUpdate", "MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuAuxIn",
        "MenuRecord", "MenuRealTime"},
       2, 0, 1, false, false, false, false, "Real Time Data"},
      {"Advanced User",
       [](MainForm& m) { return &m.MenuAdvanced; }, 5,
       {"TSPortSetup", "TSLoggerControl", "TSDataStatus", "TSUpload", "TSRealTime", "TSRecord",
        "TSAuxIn"},
       {"MenuAnnotateFile", "MenuLoggerTimeUpdate", "MenuAutoTimeUpdate", "MenuUpdateTimeNow",
        "MenuChangeLoggerID", "MenuAuxInSetup", "MenuLoggerPortSetup", "MenuLoggerTabs",
        "MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuUpload", "MenuRealTimeTabs",
        "MenuAuxIn", "MenuPlotSetup", "MenuRecord", "MenuRealTime"},
       {"MenuAutoTimeUpdate", "MenuPortSetup", "MenuLoggerControl", "MenuDataStatus", "MenuUpload",
        "MenuAuxIn", "MenuRecord", "MenuRealTime"},
       2, 0, 1, true, false, false, true, "Real Time Data"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FreshHost fresh;
    HostProgram& h = fresh.host;
    h.Main().Timer55ms.Fire();  // start-up: no configuration, so no mode
    MainForm& m = h.Main();
    if (row.item) {
      // An advanced user first, with a PC Logger port open and the replay shown.
      m.MenuAdvanced.UserClick();
      PcLoggerTab& pc = h.PcLogger().tab;
      pc.PortTypeCB[2].UserSelect(kPortKindMeterInput);
      pc.DeckPortCB[2].UserSelect(5);
      pc.BTLoadDeck.UserClick();
      ASSERT_TRUE(fresh.backend.IsOpen(5));
      h.Stream().recordTab.ReplayArchiveBT.SetVisible(true);
      m.TSHardware.SetVisible(true);
      h.Setup().SetSetupCurrent(true);
      row.item(m)->UserClick();
      EXPECT_TRUE(m.PStore.Visible()) << "every mode marks the setup not current";
      EXPECT_EQ(fresh.backend.IsOpen(5), !row.closesPcPorts);
    }
    EXPECT_EQ(h.Modes().DisplayMode, row.displayMode);
    EXPECT_EQ(h.Modes().RequestedDisplayMode, 0);

    EXPECT_EQ(VisibleTabs(h), row.tabs);
    EXPECT_EQ(VisibleItems(h), row.visible);
    EXPECT_EQ(CheckedItems(h), row.checked);

    LoggerControlTab& lc = h.Setup().loggerControl;
    EXPECT_EQ(lc.ModeCB.ItemIndex(), row.mode);
    EXPECT_EQ(lc.FileCB.ItemIndex(), row.file);
    EXPECT_EQ(lc.OutputCB.ItemIndex(), row.output);
    for (const forms::Control* c : std::initializer_list<const forms::Control*>{
             &lc.ModeCB, &lc.ModeLB, &lc.FileCB, &lc.FileLB, &lc.OutputCB, &lc.OutputLB})
      EXPECT_EQ(c->Visible(), row.listsShown) << c->Name();
    EXPECT_FALSE(lc.TimeSourceCB.Visible());
    EXPECT_EQ(lc.TimeSourceCB.ItemIndex(), 0);
    EXPECT_TRUE(lc.CBAutoStart.Visible());
    EXPECT_EQ(lc.CBAutoStart.Checked(), row.autoStart);
    EXPECT_EQ(lc.IntervalUD.Visible(), row.mode == 1) << "the sample interval is moored only";
    EXPECT_EQ(h.Setup().portSetup.AOPHLB1.Visible(), row.oncePerHour);
    EXPECT_EQ(m.HostMode.Caption(), row.hostMode);
    EXPECT_FALSE(h.Stream().recordTab.ReplayArchiveBT.Visible());
    EXPECT_FALSE(m.TSHardware.Visible());
    EXPECT_FALSE(m.TSAnalog.Visible());
    EXPECT_TRUE(m.PStore.Visible());
  }
}

TEST_F(DisplayModesTest, NsqAndPassThruOnlyRecordTheirNumber) {
  StartOnCom1();  // "Advanced User"
  const Names tabs = VisibleTabs(host);
  const Names visible = VisibleItems(host);
  const int mode = LC().ModeCB.ItemIndex();
  host.Modes().Layout().Menupx5PassThru.SetVisible(true);
  M().Menupx5PassThru.UserClick();
  EXPECT_EQ(host.Modes().DisplayMode, 7);
  host.Modes().MenuNSQ3Click();
  EXPECT_EQ(host.Modes().DisplayMode, 6);
  EXPECT_EQ(VisibleTabs(host), tabs);
  Names nowVisible = VisibleItems(host);
  nowVisible.erase("Menupx5PassThru");
  EXPECT_EQ(nowVisible, visible);
  EXPECT_EQ(LC().ModeCB.ItemIndex(), mode);
}

TEST_F(DisplayModesTest, MooredModeBringsTheNoDataNoticeBackOnce) {
  StartOnCom1();
  M().MenuMoored.UserClick();
  auto notices = [&] { return prompter.Notices().size(); };
  auto silentCheck = [&](int ticks) {
    Tick(ticks);
    M().RTTimeout.Fire();
  };
  silentCheck(310);
  ASSERT_EQ(notices(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "No Data Has Been Detected");
  silentCheck(910);
  EXPECT_EQ(notices(), 1u);  // moored: only the first one
  M().MenuMoored.UserClick();
  silentCheck(910);
  EXPECT_EQ(notices(), 2u);
  M().MenuProfile.UserClick();  // any other mode tells at every expiry
  silentCheck(910);
  silentCheck(910);
  EXPECT_EQ(notices(), 4u);
}

TEST_F(DisplayModesTest, TabCommandsFollowTheirCheckMarksAndARecordingKeepsItsTab) {
  StartOnCom1();
  M().MenuRealTimeOutput.UserClick();
  M().MenuPlotSetup.SetVisible(true);
  M().HideAllRealTimeTabs.UserClick();
  M().DisplayAllHostTabs1.UserClick();
  EXPECT_TRUE(M().TSRealTime.Visible() && M().TSRecord.Visible() && M().TSAuxIn.Visible());
  EXPECT_FALSE(M().TSPlotSetup.Visible()) << "Plot Setup has its own command";
  M().MenuUpload.SetVisible(false);
  M().MenuDisplaylLoggerTabs.UserClick();
  EXPECT_FALSE(M().TSUpload.Visible()) << "only the items shown are checked";
  M().MenuDataStatus.UserClick();
  EXPECT_FALSE(M().TSDataStatus.Visible());
  EXPECT_FALSE(M().MenuDataStatus.Checked());
  M().MenuDataStatus.UserClick();
  EXPECT_TRUE(M().TSDataStatus.Visible());

  testing::ScratchDir dir;
  prompter.files.push_back(dir / "cruise.arc");
  host.Stream().recordTab.BTRecordArchive.UserClick();
  ASSERT_NE(host.Stream().RecordingMode(), RecordingMode::Off);
  M().MenuHideLoggerTabs.UserClick();
  M().ConfigureSurfacePorts.SetCaption("Hide Surface Ports Tab");
  M().HideAllRealTimeTabs.UserClick();
  EXPECT_EQ(VisibleTabs(host), Names{"TSRecord"});
  EXPECT_TRUE(M().MenuRecord.Checked());
  EXPECT_EQ(M().ConfigureSurfacePorts.Caption(), "Configure Surface Ports");
  M().MenuRecord.UserClick();  // unchecked, and checked again at once
  EXPECT_TRUE(M().TSRecord.Visible());
  host.Stream().recordTab.BTStopRecord.UserClick();
  M().MenuRecord.UserClick();
  EXPECT_FALSE(M().TSRecord.Visible());
}

TEST_F(DisplayModesTest, MooredTimeSourceShowsTheTimeSourceOnTheLoggerControlTab) {
  StartOnCom1();
  M().MenuMoored.UserClick();
  M().MenuMooredTimeUpdate.SetVisible(true);
  M().MenuMooredTimeUpdate.UserClick();
  EXPECT_TRUE(M().MenuMooredTimeUpdate.Checked());
  EXPECT_TRUE(LC().TimeSourceCB.Visible() && LC().TimeSourceLB.Visible());
  EXPECT_EQ(M().PageControl1.ActivePage(), &M().TSLoggerControl);
  M().MenuMooredTimeUpdate.UserClick();
  EXPECT_FALSE(LC().TimeSourceCB.Visible() || LC().TimeSourceLB.Visible());
}

TEST_F(DisplayModesTest, ThePageControlFillsTheWindowButItsMargins) {
  const forms::Bounds design = M().PageControl1.GetBounds();
  EXPECT_EQ(design, (forms::Bounds{168, 8, 1040 - 168 - 12, 700 - 8 - 70}));
  M().window.SetSize(900, 700);
  EXPECT_EQ(M().PageControl1.GetBounds(), (forms::Bounds{168, 8, 720, 622}));
}

}  // namespace
}  // namespace qv
