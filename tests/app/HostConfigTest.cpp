// The host configuration file: what it restores, line by line; the box each
// kind of bad line gives, with nothing applied; start-up and Exit with it;
// the menu's Open and Save.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include "tests/app/ModeLayoutItems.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ScratchDir.h"

namespace qv {
namespace {

// A program of its own, started with the configuration file at `path`.
struct ConfiguredHost {
  explicit ConfiguredHost(const std::string& path,
                          const std::function<void(ConfiguredHost&)>& prepare = {}) {
    host.SetHostConfigPath(path);
    if (prepare) prepare(*this);
    host.Main().Timer55ms.Fire();
  }
  testing::DaylightSavingZone zone;
  testing::FakeSerialBackend backend;
  FakeClock clock{testing::HostFixture::kWinterNoon};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};
};

std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}
void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// One value the file carries, read from the program.
struct Restored {
  int line;
  const char* what;
  std::function<int(HostProgram&)> get;
};

int Shown(const forms::Control& c) { return c.Visible() ? 1 : 0; }
int Checked(const forms::MenuItem& m) { return m.Checked() ? 1 : 0; }

std::vector<Restored> EveryRestoredValue() {
  using H = HostProgram;
  std::vector<Restored> rows = {
      {1, "HostPortCB", [](H& h) { return h.Link().hostPortForm.HostPortCB.ItemIndex(); }},
      {1, "HostSetupCB", [](H& h) { return h.Link().hostPortForm.HostSetupCB.ItemIndex(); }},
      {2, "DisplayMode", [](H& h) { return int{h.Modes().DisplayMode}; }},
      {3, "window state", [](H& h) { return static_cast<int>(h.Main().window.State()); }},
      {3, "window height", [](H& h) { return h.Main().window.Height(); }},
      {3, "window width", [](H& h) { return h.Main().window.Width(); }},
      {6, "MenuAutoTimeUpdate checked", [](H& h) { return Checked(h.Main().MenuAutoTimeUpdate); }},
      {8, "MenuMooredTimeUpdate shown", [](H& h) { return Shown(h.Main().MenuMooredTimeUpdate); }},
      {8, "MenuMooredTimeUpdate checked", [](H& h) { return Checked(h.Main().MenuMooredTimeUpdate); }},
      {8, "TimeSourceCB shown", [](H& h) { return Shown(h.Setup().loggerControl.TimeSourceCB); }},
      {8, "TimeSourceLB shown", [](H& h) { return Shown(h.Setup().loggerControl.TimeSourceLB); }},
      {8, "TimeSourceCB", [](H& h) { return h.Setup().loggerControl.TimeSourceCB.ItemIndex(); }},
      {9, "CBAutoStart", [](H& h) { return h.Setup().loggerControl.CBAutoStart.Checked() ? 1 : 0; }},
      {13, "ExtractFilesRG", [](H& h) { return h.Upload().ExtractFilesRG.ItemIndex(); }},
      {13, "RawSourceCB", [](H& h) { return h.Stream().realTimeTab.RawSourceCB.ItemIndex(); }},
      {13, "RawMuxIDUD", [](H& h) { return h.Stream().realTimeTab.RawMuxIDUD.Position(); }},
      {13, "RawPortCB", [](H& h) { return h.Stream().realTimeTab.RawPortCB.ItemIndex(); }},
      {13, "the raw display took the lists over",
       [](H& h) { return h.Stream().DisplayState().rawDisplaySource; }},
      {14, "UDDeckRate", [](H& h) { return h.PcLogger().tab.UDDeckRate.Position(); }},
      {14, "the rate's interval", [](H& h) { return h.PcLogger().PcLoggerIntervalMs(); }},
      {14, "CBRecordPCTime", [](H& h) { return h.PcLogger().tab.CBRecordPCTime.Checked() ? 1 : 0; }},
      {20, "CBRecordLogger", [](H& h) { return h.Stream().recordTab.CBRecordLogger.Checked() ? 1 : 0; }},
      {20, "CBRecordAuxIn", [](H& h) { return h.Stream().recordTab.CBRecordAuxIn.Checked() ? 1 : 0; }},
      {20, "ReplaySpeedUD", [](H& h) { return h.Stream().recordTab.ReplaySpeedUD.Position(); }},
      {21, "ModeCB", [](H& h) { return h.Setup().loggerControl.ModeCB.ItemIndex(); }},
      {21, "FileCB", [](H& h) { return h.Setup().loggerControl.FileCB.ItemIndex(); }},
      {21, "OutputCB", [](H& h) { return h.Setup().loggerControl.OutputCB.ItemIndex(); }},
      {21, "HostMode follows ModeCB", [](H& h) { return h.Main().HostMode.Caption() == "Analog Output"; }},
  };
  auto tab = [&](int line, forms::TabSheet& (*of)(H&)) {
    rows.push_back({line, "tab", [of](H& h) { return Shown(of(h)); }});
  };
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSPortSetup; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSLoggerControl; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSDataStatus; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSUpload; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSRealTime; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSRecord; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSAuxIn; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSHardware; });
  tab(5, [](H& h) -> forms::TabSheet& { return h.Main().TSAnalog; });
  // Shown flags of menu items, and check marks where the line has them.
  struct Item {
    int line;
    forms::MenuItem& (*of)(H&);
    bool checkMark;
  };
  const Item items[] = {
      {6, [](H& h) -> forms::MenuItem& { return h.Main().Menupx5PassThru; }, false},
      {6, [](H& h) -> forms::MenuItem& { return h.Main().MenuAnnotateFile; }, false},
      {6, [](H& h) -> forms::MenuItem& { return h.Main().MenuLoggerTimeUpdate; }, false},
      {6, [](H& h) -> forms::MenuItem& { return h.Main().MenuAutoTimeUpdate; }, false},
      {6, [](H& h) -> forms::MenuItem& { return h.Main().MenuUpdateTimeNow; }, false},
      {6, [](H& h) -> forms::MenuItem& { return h.Main().MenuChangeLoggerID; }, false},
      {10, [](H& h) -> forms::MenuItem& { return h.Main().MenuAuxInSetup; }, false},
      {10, [](H& h) -> forms::MenuItem& { return h.Main().MenuLoggerPortSetup; }, false},
      {11, [](H& h) -> forms::MenuItem& { return h.Main().MenuLoggerTabs; }, false},
      {11, [](H& h) -> forms::MenuItem& { return h.Main().MenuPortSetup; }, true},
      {11, [](H& h) -> forms::MenuItem& { return h.Main().MenuLoggerControl; }, true},
      {11, [](H& h) -> forms::MenuItem& { return h.Main().MenuDataStatus; }, true},
      {11, [](H& h) -> forms::MenuItem& { return h.Main().MenuUpload; }, true},
      {12, [](H& h) -> forms::MenuItem& { return h.Main().MenuRealTimeTabs; }, false},
      {12, [](H& h) -> forms::MenuItem& { return h.Main().MenuAuxIn; }, true},
      {12, [](H& h) -> forms::MenuItem& { return h.Main().MenuRecord; }, true},
      {12, [](H& h) -> forms::MenuItem& { return h.Main().MenuRealTime; }, true},
  };
  for (const Item& i : items) {
    rows.push_back({i.line, "menu item shown", [of = i.of](H& h) { return Shown(of(h)); }});
    if (i.checkMark)
      rows.push_back({i.line, "menu item checked", [of = i.of](H& h) { return Checked(of(h)); }});
  }
  for (int n = 1; n <= 6; ++n) {
    rows.push_back({15, "DeckPortCB", [n](H& h) { return h.PcLogger().tab.DeckPortCB[n].ItemIndex(); }});
    rows.push_back({16, "DeckSetupCB", [n](H& h) { return h.PcLogger().tab.DeckSetupCB[n].ItemIndex(); }});
    rows.push_back({17, "PortTypeCB", [n](H& h) { return h.PcLogger().tab.PortTypeCB[n].ItemIndex(); }});
    rows.push_back({18, "UDDeckType", [n](H& h) { return h.PcLogger().tab.UDDeckType[n].Position(); }});
    rows.push_back({19, "UDOutPort", [n](H& h) { return h.PcLogger().tab.UDOutPort[n].Position(); }});
    rows.push_back({22, "slot loaded", [n](H& h) { return h.Ports().OpenComNumber(n); }});
  }
  const char* replay[] = {"ReplayArchiveBT", "ReplayContinuousBT", "ReplaySpeedLB1",
                          "ReplaySpeedLB2",  "ReplaySpeedUD",      "ReplaySpeedEdit"};
  for (const char* name : replay)
    rows.push_back({20, name, [name](H& h) { return Shown(*h.Stream().recordTab.Find(name)); }});
  const char* lists[] = {"ModeCB", "ModeLB", "FileCB", "FileLB", "OutputCB", "OutputLB"};
  for (const char* name : lists)
    rows.push_back({21, name, [name](H& h) { return Shown(*h.Setup().loggerControl.Find(name)); }});
  return rows;
}

class HostConfigTest : public testing::HostFixture {
 public:
  // Everything the file names set apart from a first start's values.
  void SetEverything() {
    MainForm& m = host.Main();
    host.Link().hostPortForm.HostPortCB.UserSelect(3);
    host.Link().hostPortForm.HostSetupCB.UserSelect(8);
    m.MenuAnalog.UserClick();
    m.window.SetSize(900, 650);
    m.window.SetState(forms::WindowState::Maximised);
    // A first start hides every tab and menu item a mode sets and checks none.
    for (forms::TabSheet* tab : m.PageControl1.Pages()) tab->SetVisible(true);
    for (forms::MenuItem* item : LayoutItems(host.Modes().Layout())) {
      item->SetVisible(true);
      item->SetChecked(true);
    }
    LoggerControlTab& lc = host.Setup().loggerControl;
    lc.TimeSourceCB.SetVisible(true);
    lc.TimeSourceLB.SetVisible(true);
    lc.TimeSourceCB.SetItemIndex(2);
    lc.CBAutoStart.SetChecked(true);
    lc.ModeCB.SetVisible(true);
    lc.ModeLB.SetVisible(true);
    lc.FileCB.SetVisible(true);
    lc.FileLB.SetVisible(true);
    lc.FileCB.SetItemIndex(1);
    lc.OutputCB.SetVisible(true);
    lc.OutputLB.SetVisible(true);
    lc.OutputCB.SetItemIndex(2);
    host.Upload().ExtractFilesRG.RestoreItemIndex(1);
    RealTimeTab& rt = host.Stream().realTimeTab;
    rt.RawSourceCB.UserSelect(1);
    rt.RawMuxIDUD.UserClick(true);
    rt.RawPortCB.UserSelect(5);
    PcLoggerTab& pc = host.PcLogger().tab;
    pc.UDDeckRate.UserClick(true);
    pc.UDDeckRate.UserClick(true);  // 3 Hz
    pc.CBRecordPCTime.UserClick();
    for (int n = 1; n <= 6; ++n) {
      pc.PortTypeCB[n].UserSelect(1 + n % 2);
      pc.DeckPortCB[n].UserSelect(n + 4);
      pc.DeckSetupCB[n].UserSelect(n == 1 ? 5 : n + 5);
      for (int i = 0; i <= n % 2; ++i) pc.UDDeckType[n].UserClick(true);
      for (int i = 0; i < n; ++i) pc.UDOutPort[n].UserClick(true);
    }
    pc.BTLoadDeck.UserClick();
    RecordTab& rec = host.Stream().recordTab;
    rec.CBRecordAuxIn.UserClick();  // "Yes" to turning the PC-Logger recording off
    rec.CBRecordLogger.UserClick();
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &rec.ReplayArchiveBT, &rec.ReplayContinuousBT, &rec.ReplaySpeedLB1,
             &rec.ReplaySpeedLB2, &rec.ReplaySpeedUD, &rec.ReplaySpeedEdit})
      c->SetVisible(true);
    rec.ReplaySpeedUD.UserClick(true);
    prompter.Clear();
  }

  testing::ScratchDir dir;
  std::string path = dir / "last.qvh";
};

TEST_F(HostConfigTest, WhatIsWrittenIsRestoredAtTheNextStart) {
  StartOnCom1();
  SetEverything();
  ASSERT_TRUE(host.Config().WriteHostConfig(path));
  ASSERT_TRUE(prompter.Notices().empty());

  ConfiguredHost fresh(dir / "none.qvh");
  ConfiguredHost restored(path);
  EXPECT_TRUE(restored.prompter.Notices().empty());
  EXPECT_FALSE(restored.host.Link().hostPortForm.window.Shown()) << "a port is chosen";
  for (const Restored& r : EveryRestoredValue()) {
    SCOPED_TRACE(std::to_string(r.line) + " " + r.what);
    EXPECT_EQ(r.get(restored.host), r.get(host));
    EXPECT_NE(r.get(fresh.host), r.get(host)) << "the case must set it apart";
  }
  // The logger port and the PC Logger's ports are open as they were.
  EXPECT_EQ(restored.backend.lastSetting[3].baud, 19200);
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(restored.host.Ports().OpenComNumber(n), n + 4) << n;
  EXPECT_EQ(restored.host.PcLogger().tab.PCLoggerPanel.Visible(), false);
  // The plot setup's tab and check mark are written but not restored.
  ASSERT_TRUE(host.Main().TSPlotSetup.Visible() && host.Main().MenuPlotSetup.Checked());
  const std::vector<std::string> lines = Lines(ReadText(path));
  EXPECT_EQ(lines[5], "5 12 1 1 1 1 1 1 1 0 0 1 1 1");
  EXPECT_EQ(lines[12], "12 15 1 1 1 0 0 0 0 0 1 1 1 1 1 0 0");
  EXPECT_FALSE(restored.host.Main().TSPlotSetup.Visible());
  EXPECT_FALSE(restored.host.Main().MenuPlotSetup.Checked());
}

// A file as a working program writes it: COM 3, Real Time Output, a PC
// Logger port on COM 5.
class BadLinesTest : public HostConfigTest {
 public:
  std::vector<std::string> GoodLines() {
    StartOnCom1();
    host.Link().hostPortForm.HostPortCB.UserSelect(3);
    host.Main().MenuRealTimeOutput.UserClick();
    PcLoggerTab& pc = host.PcLogger().tab;
    pc.PortTypeCB[1].UserSelect(kPortKindMeterInput);
    pc.DeckPortCB[1].UserSelect(5);
    pc.BTLoadDeck.UserClick();
    EXPECT_TRUE(host.Config().WriteHostConfig(path));
    return Lines(ReadText(path));
  }
  static std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
  }
};

TEST_F(BadLinesTest, EachBadLineGivesItsBoxAndNothingIsApplied) {
  const std::vector<std::string> good = GoodLines();
  ASSERT_EQ(good.size(), 23u);
  {
    WriteText(path, Join(good));
    ConfiguredHost check(path);
    ASSERT_TRUE(check.prompter.Notices().empty());
    ASSERT_EQ(check.host.Ports().OpenComNumber(0), 3);
  }
  struct Case {
    const char* name;
    std::function<void(std::vector<std::string>&)> spoil;
    std::string caption;
    std::string text;  // "=" the spoilt line itself
  };
  const std::string e1 = "Invalid Record in *.QVH File - The QVH File was NOT Loaded E1";
  const std::string e2 = "Bad Line Number in *.QVH File - The QVH File was Not Loaded E2";
  const std::string e4 = "Invalid Record in *.QVH File - The QVH File was NOT Loaded E4";
  const Case cases[] = {
      {"line 5 announces one value short",
       [](auto& l) { l[5] = "5 11 1 1 1 0 1 1 1 0 0 0 0"; },
       "Invalid Record in *.QVH, j 1 count 12 lcount 11", "="},
      {"line 3 announces more than 20 values, all there",
       [](auto& l) { l[3] = "3 25" + std::string(25 * 2, ' ').replace(1, 1, "0"); },
       "Invalid Record in *.QVH, j 1 count 3 lcount 25", "="},
      {"a count that is no number", [](auto& l) { l[7] = "7 x 0 0"; },
       "Invalid Record in *.QVH, j 0 count 13 lcount 0", "="},
      {"no count at all", [](auto& l) { l[14] = "14"; },
       "Invalid Record in *.QVH, j -1 count 2 lcount 0", "="},
      {"a line number that is no number", [](auto& l) { l[9] = "nine 4 0 0 1 1"; }, e1, "="},
      {"an empty line", [](auto& l) { l[1] = ""; }, e1, ""},
      {"a line left out", [](auto& l) { l.erase(l.begin() + 8); }, e2,
       "Looking for Line 8, Found Line 9"},
      {"a value missing", [](auto& l) { l[16] = "16 8 6 6 6 6 6 6 0"; }, e4, "="},
      {"a value that is no number", [](auto& l) { l[16] = "16 8 6 6 6 6 6 6x 0 0"; }, e4, "="},
      {"a value beyond 16 bits", [](auto& l) { l[19] = "19 8 1 1 1 1 1 70000 0 0"; }, e4, "="},
      {"the file ends before line 22", [](auto& l) { l.pop_back(); }, e1,
       "End of File before Line 22"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines = good;
    c.spoil(lines);
    WriteText(path, Join(lines));
    std::string spoilt;
    for (std::size_t i = 0; i < lines.size() && i < good.size(); ++i)
      if (lines[i] != good[i]) {
        spoilt = lines[i];
        break;
      }
    // Ticks that come while the box is open are turned away: the start-up
    // goes on only when it is closed.
    ConfiguredHost h(path, [](ConfiguredHost& starting) {
      starting.prompter.whileOpen = [&starting](const ScriptedPrompter::Box&) {
        for (int i = 0; i < 3; ++i) starting.host.Main().Timer55ms.Fire();
        EXPECT_FALSE(starting.host.Link().hostPortForm.window.Shown());
      };
    });
    EXPECT_EQ(h.host.SkippedTicks(), 3);
    ASSERT_EQ(h.prompter.Notices().size(), 1u);
    EXPECT_EQ(h.prompter.Notices()[0].caption, c.caption);
    EXPECT_EQ(h.prompter.Notices()[0].text, c.text == "=" ? spoilt : c.text);
    // Not even line 1: no port, so the host-port dialog; no mode, so no tab.
    EXPECT_EQ(h.host.Link().hostPortForm.HostPortCB.ItemIndex(), 0);
    EXPECT_TRUE(h.host.Link().hostPortForm.window.Shown());
    EXPECT_FALSE(h.backend.IsOpen(3) || h.backend.IsOpen(5));
    EXPECT_EQ(h.host.Modes().DisplayMode, -1);
    EXPECT_FALSE(h.host.Main().TSPortSetup.Visible());
  }
}

TEST_F(BadLinesTest, LineEndsOfEitherKindAndTokensBeyondTheCountAreRead) {
  std::vector<std::string> lines = GoodLines();
  lines[2] += " 99 trailing words";
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  WriteText(path, text);
  ConfiguredHost h(path);
  EXPECT_TRUE(h.prompter.Notices().empty());
  EXPECT_EQ(h.host.Modes().DisplayMode, 4);
  EXPECT_EQ(h.host.Ports().OpenComNumber(0), 3);
}

TEST_F(HostConfigTest, StartingWithoutAUsableFileOrModeOrPort) {
  struct Case {
    const char* name;
    std::function<std::string()> file;  // the path the program is given
    const char* notice;
  } cases[] = {
      {"no file at all", [&] { return dir / "missing.qvh"; }, nullptr},
      {"a file that cannot be read", [&] { return dir.Path().string(); }, "Unable to Read "},
      {"display mode 9 and no port", [&] {
         StartOnCom1();
         host.Link().hostPortForm.HostPortCB.UserSelect(0);
         EXPECT_TRUE(host.Config().WriteHostConfig(path));
         std::string text = ReadText(path);
         text.replace(text.find("\n2 1 5\n"), 7, "\n2 1 9\n");
         WriteText(path, text);
         return path;
       }, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = c.file();
    ConfiguredHost h(file);
    if (c.notice) {
      ASSERT_EQ(h.prompter.Notices().size(), 1u);
      EXPECT_EQ(h.prompter.Notices()[0].caption, "File Error");
      EXPECT_EQ(h.prompter.Notices()[0].text, c.notice + file);
    } else {
      EXPECT_TRUE(h.prompter.Notices().empty());
    }
    // The first start's layout follows: no mode, no tab; no port, the dialog.
    EXPECT_EQ(h.host.Modes().DisplayMode, -1);
    EXPECT_FALSE(h.host.Main().MenuLoggerTabs.Visible());
    EXPECT_FALSE(h.host.Main().TSPortSetup.Visible());
    EXPECT_TRUE(h.host.Link().hostPortForm.window.Shown());
  }
}

TEST_F(BadLinesTest, ValuesBeyondTheControlsLeaveThemUsable) {
  std::vector<std::string> lines = GoodLines();
  lines[1] = "1 2 20 40";       // no such port or line setting
  lines[3] = "3 3 7 0 -300";    // no such state, no size
  lines[13] = "13 4 5 9 99 -4 ";
  WriteText(path, Join(lines));
  ConfiguredHost h(path);
  EXPECT_TRUE(h.prompter.Notices().empty());
  EXPECT_TRUE(h.host.Link().hostPortForm.window.Shown()) << "no port chosen";
  EXPECT_EQ(h.host.Link().hostPortForm.HostSetupCB.Text(), "9600");
  EXPECT_EQ(h.host.Main().window.State(), forms::WindowState::Normal);
  EXPECT_EQ(h.host.Main().window.Width(), 1040);
  EXPECT_EQ(h.host.Main().window.Height(), 700);
  EXPECT_EQ(h.host.Stream().realTimeTab.RawMuxIDUD.Position(), 4);
  EXPECT_TRUE(h.prompter.fileDialogs.empty());
}

TEST_F(HostConfigTest, RestoringTheExtractChoiceOpensNoDialog) {
  StartOnCom1();
  host.Upload().ExtractFilesRG.RestoreItemIndex(1);
  ASSERT_TRUE(host.Config().WriteHostConfig(path));
  ConfiguredHost h(path);
  EXPECT_EQ(h.host.Upload().ExtractFilesRG.ItemIndex(), 1);
  EXPECT_TRUE(h.prompter.fileDialogs.empty());
  // The operator's own click still asks for a run file.
  h.host.Upload().ExtractFilesRG.UserSelect(0);
  ASSERT_EQ(h.prompter.fileDialogs.size(), 1u);
  EXPECT_EQ(h.prompter.fileDialogs[0].title, "Extract Run File");
}

TEST_F(HostConfigTest, ExitWritesTheFileAndTellsWhenItCannot) {
  bool quit = false;
  host.onQuit = [&] { quit = true; };
  host.SetHostConfigPath(path);
  StartOnCom1();
  prompter.answers = {Answer::Cancel};
  host.Main().Exit1.UserClick();
  EXPECT_FALSE(quit);
  EXPECT_FALSE(std::filesystem::exists(path));

  host.Main().Exit1.UserClick();
  EXPECT_TRUE(quit);
  EXPECT_TRUE(prompter.Notices().empty());
  const std::vector<std::string> lines = Lines(ReadText(path));
  ASSERT_EQ(lines.size(), 23u);
  EXPECT_EQ(lines[0], "QV Host Version=7.04");
  EXPECT_EQ(lines[1], "1 2 1 6");
  EXPECT_EQ(lines[2], "2 1 5");
  EXPECT_EQ(lines[3], "3 3 0 700 1040");
  EXPECT_EQ(lines[13], "13 4 0 0 2 0 ") << "line 13 ends in a blank";
  EXPECT_EQ(lines[22], "22 1 0 Last.plt");
  EXPECT_FALSE(backend.IsOpen(1));

  // The plot setup is kept beside the configuration and comes back with it.
  {
    ConfiguredHost plotting(dir / "plots.qvh");
    plotting.host.Plots().setupTab.EDUnits[3].UserType("deg C");
    plotting.host.onQuit = [] {};
    plotting.host.Main().Exit1.UserClick();
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "Last.plt"));
  ConfiguredHost next(dir / "plots.qvh");
  EXPECT_EQ(next.host.Plots().setupTab.EDUnits[3].Text(), "deg C");

  quit = false;
  const std::string unwritable = dir / "gone/last.qvh";
  host.SetHostConfigPath(unwritable);
  host.Main().Exit1.UserClick();
  EXPECT_TRUE(quit) << "leaving goes on";
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
  EXPECT_EQ(prompter.Notices()[0].text, "Unable to Write to " + unwritable);
}

TEST_F(HostConfigTest, TheFilesMenuOpensAndSavesThroughItsDialogs) {
  StartOnCom1();
  host.Main().MenuMoored.UserClick();
  prompter.files.push_back(dir / "moored.qvh");
  host.Main().StoreHostSetupFile.UserClick();
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_EQ(prompter.fileDialogs[0].title, "Save QV Host Program Setup");
  EXPECT_EQ(prompter.fileDialogs[0].defaultExtension, "qvh");
  EXPECT_EQ(prompter.fileDialogs[0].filter, "QV Host Setup|*.qvh");
  ASSERT_TRUE(std::filesystem::exists(dir / "moored.qvh"));

  host.Main().MenuAdvanced.UserClick();
  prompter.files.push_back(dir / "moored.qvh");
  host.Main().LoadHostSetupFile.UserClick();
  EXPECT_EQ(prompter.fileDialogs[1].title, "Open QV Host Program Setup");
  EXPECT_EQ(prompter.fileDialogs[1].filter, "QV Host Setup|*.qvh");
  EXPECT_EQ(host.Modes().DisplayMode, 2);
  EXPECT_FALSE(host.Main().TSRealTime.Visible());
  EXPECT_TRUE(host.Main().TSUpload.Visible());
  // Each dialog offers the file of its last use; Cancel changes nothing.
  host.Main().StoreHostSetupFile.UserClick();
  EXPECT_EQ(prompter.fileDialogs[2].initialName, dir / "moored.qvh");
}

TEST_F(HostConfigTest, TheDemosConfigurationIsAnAdvancedUserOnCom1AtTheSimulatorsBaud) {
  StartOnCom1();  // COM 1 at 9600, qvsim's own baud, and "Advanced User"
  ASSERT_TRUE(host.Config().WriteHostConfig(path));
  EXPECT_EQ(ReadText(QV_SOURCE_DIR "/scripts/demo.qvh"), ReadText(path));
}

}  // namespace
}  // namespace qv
