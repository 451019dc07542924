// The PC Logger's port setup: slots laid out by their kind, loaded onto the
// port slots and the PC port slot table, restored, closed by the display
// modes; the sample rate's used positions.
#include <gtest/gtest.h>

#include "link/SerialPortService.h"
#include "pclogger/PcLoggerPortSetup.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

struct MainWindowParts : forms::Form {
  MainWindowParts() : Form("TForm1") {
    pages.AddPage(TSPortSetup);
    pages.AddPage(TSAuxIn);
  }
  forms::PageControl pages{this, "PageControl1"};
  forms::TabSheet TSPortSetup{this, "TSPortSetup", "Port Setup"};
  forms::TabSheet TSAuxIn{this, "TSAuxIn", "PC-Logger"};
  forms::MenuItem ConfigureSurfacePorts{this, "ConfigureSurfacePorts", "Configure Surface Ports"};
  forms::MenuItem CloseAllSurfacePorts{this, "CloseAllSurfacePorts", "Close All Surface Ports"};
};

class PcLoggerPortSetupTest : public ::testing::Test {
 protected:
  PcLoggerPortSetupTest() { pc.StartUp(); }

  testing::FakeSerialBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports{backend, prompter};
  PcPortSlots slots;
  MainWindowParts main;
  PcLoggerPortSetup pc{PcLoggerPortSetup::Wiring{ports, slots, main.pages, main.TSAuxIn,
                                                 main.TSPortSetup, main.ConfigureSurfacePorts,
                                                 main.CloseAllSurfacePorts}};
  PcLoggerTab& tab = pc.tab;

  // The operator sets a slot up on the tab.
  void Choose(int n, int kind, int com, int setting) {
    tab.PortTypeCB[n].UserSelect(kind);
    tab.DeckPortCB[n].UserSelect(com);
    tab.DeckSetupCB[n].UserSelect(setting);
  }
};

TEST_F(PcLoggerPortSetupTest, EachKindShowsItsOwnControls) {
  struct Row {
    int kind;
    bool lists, inputId, output;
  } rows[] = {
      {kPortKindInActive, false, false, false},
      {kPortKindMeterInput, true, true, false},
      {kPortKindLoggerOutput, true, false, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.kind);
    tab.PortTypeCB[3].UserSelect(r.kind);
    EXPECT_EQ(tab.DeckPortCB[3].Visible(), r.lists);
    EXPECT_EQ(tab.DeckSetupCB[3].Visible(), r.lists);
    EXPECT_EQ(tab.LBInPort[3].Visible(), r.inputId);
    EXPECT_EQ(tab.LBInPortHdr.Visible(), r.inputId);
    for (const forms::Control* c : std::initializer_list<const forms::Control*>{
             &tab.UDDeckType[3], &tab.LBDeckType[3], &tab.UDOutPort[3], &tab.LBOutPort[3]})
      EXPECT_EQ(c->Visible(), r.output) << c->Name();
    EXPECT_EQ(tab.LBOutPortHdr.Visible(), r.output);
    EXPECT_TRUE(tab.PCLoggerPanel.Visible());
  }
  // In Active sets the line list back to "OFF" but keeps the COM port chosen.
  tab.DeckPortCB[3].UserSelect(4);
  tab.PortTypeCB[3].UserSelect(kPortKindInActive);
  EXPECT_EQ(tab.DeckSetupCB[3].ItemIndex(), 0);
  EXPECT_EQ(tab.DeckPortCB[3].ItemIndex(), 4);
}

TEST_F(PcLoggerPortSetupTest, LoadNewSetupOpensTheSlotsAndTakesTheirRoutingRestoreGoesBack) {
  Choose(1, kPortKindMeterInput, 3, 8);  // COM 3 at 19200
  Choose(2, kPortKindLoggerOutput, 4, 7);  // COM 4 at 9600, 7E1
  tab.UDDeckType[2].UserClick(true);     // logger ID 3
  tab.UDOutPort[2].UserClick(true);      // port 2
  EXPECT_EQ(tab.LBDeckType[2].Caption(), "Output Logger ID=3");
  EXPECT_EQ(tab.LBOutPort[2].Caption(), "Port=2");
  EXPECT_FALSE(backend.IsOpen(3));  // nothing happens before Load New Setup
  tab.BTLoadDeck.UserClick();
  EXPECT_FALSE(tab.PCLoggerPanel.Visible());
  EXPECT_EQ(ports.OpenComNumber(1), 3);
  EXPECT_EQ(backend.lastSetting[3].baud, 19200);
  EXPECT_EQ(ports.OpenComNumber(2), 4);
  EXPECT_EQ(backend.lastSetting[4].dataBits, 7);
  EXPECT_EQ(slots[1].PortKind, kPortKindMeterInput);
  EXPECT_EQ(slots[2].PortKind, kPortKindLoggerOutput);
  EXPECT_EQ(slots[2].OutputLoggerId, 3);
  EXPECT_EQ(slots[2].OutputPort, 2);
  for (int n = 3; n <= 6; ++n) EXPECT_FALSE(ports.IsPortSlotOpen(n)) << n;

  // Edits wait for the next load; Restore Last Setup puts the lists back and
  // leaves the ports and the routing as loaded.
  Choose(2, kPortKindMeterInput, 5, 11);
  tab.BTRestoreDeck.UserClick();
  EXPECT_TRUE(tab.PCLoggerPanel.Visible());
  EXPECT_EQ(tab.PortTypeCB[2].ItemIndex(), kPortKindLoggerOutput);
  EXPECT_EQ(tab.DeckPortCB[2].ItemIndex(), 4);
  EXPECT_EQ(tab.DeckSetupCB[2].ItemIndex(), 7);
  EXPECT_EQ(tab.UDDeckType[2].Position(), 3);
  EXPECT_TRUE(tab.UDOutPort[2].Visible());
  EXPECT_EQ(slots[2].PortKind, kPortKindLoggerOutput);
  EXPECT_EQ(ports.OpenComNumber(2), 4);

  // "OFF" opens at 9600 and the list shows "9600"; an In Active slot whose
  // hidden list names a port is opened too, but routed nowhere.
  Choose(3, kPortKindMeterInput, 6, 0);
  tab.PortTypeCB[3].UserSelect(kPortKindInActive);
  tab.BTLoadDeck.UserClick();
  EXPECT_EQ(ports.OpenComNumber(3), 6);
  EXPECT_EQ(backend.lastSetting[6].baud, 9600);
  EXPECT_EQ(tab.DeckSetupCB[3].Text(), "9600");
  EXPECT_EQ(slots[3].PortKind, kPortKindInActive);
}

TEST_F(PcLoggerPortSetupTest, ClosingThePortsForADisplayModeLeavesEveryListAtOffAnd9600) {
  Choose(1, kPortKindMeterInput, 2, 3);
  Choose(6, kPortKindLoggerOutput, 12, 11);
  tab.BTLoadDeck.UserClick();
  ASSERT_TRUE(backend.IsOpen(2) && backend.IsOpen(12));
  pc.ClosePcLoggerPorts();
  for (int n = 1; n <= 6; ++n) {
    EXPECT_FALSE(ports.IsPortSlotOpen(n)) << n;
    EXPECT_EQ(tab.DeckPortCB[n].Text(), "OFF") << n;
    EXPECT_EQ(tab.DeckSetupCB[n].Text(), "9600") << n;
  }
  EXPECT_FALSE(backend.IsOpen(2) || backend.IsOpen(12));
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(PcLoggerPortSetupTest, TheRateSettlesOnItsUsedPositionsInTheClicksDirection) {
  struct Step {
    int from;
    bool up;
    int position;
    int intervalMs;
    const char* shown;
  } steps[] = {
      {4, true, 6, 165, "Sample Rate:  6.1 Hz"}, {6, false, 4, 275, "Sample Rate:  3.6 Hz"},
      {9, true, 18, 55, "Sample Rate: 18.2 Hz"}, {18, false, 9, 110, "Sample Rate:  9.1 Hz"},
      {1, true, 2, 495, "Sample Rate:  2.0 Hz"}, {2, false, 1, 990, "Sample Rate:  1.0 Hz"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.from);
    forms::UpDown& rate = tab.UDDeckRate;
    rate.SetPosition(s.from);
    rate.OnClick(rate);  // the position as the last click left it
    rate.UserClick(s.up);
    EXPECT_EQ(rate.Position(), s.position);
    EXPECT_EQ(pc.PcLoggerIntervalMs(), s.intervalMs);
    EXPECT_EQ(tab.LBDeckRate.Caption(), s.shown);
  }
  // A position between the used ones that no click reaches falls back to 2.
  tab.UDDeckRate.SetPosition(13);
  tab.UDDeckRate.OnClick(tab.UDDeckRate);
  EXPECT_EQ(tab.UDDeckRate.Position(), 2);
}

TEST_F(PcLoggerPortSetupTest, TheSurfacePortCommands) {
  main.TSAuxIn.SetVisible(false);
  main.ConfigureSurfacePorts.UserClick();
  EXPECT_TRUE(main.TSAuxIn.Visible());
  EXPECT_EQ(main.pages.ActivePage(), &main.TSAuxIn);
  EXPECT_EQ(main.ConfigureSurfacePorts.Caption(), "Hide Surface Ports Tab");
  main.ConfigureSurfacePorts.UserClick();
  EXPECT_FALSE(main.TSAuxIn.Visible());
  EXPECT_EQ(main.pages.ActivePage(), &main.TSPortSetup);
  EXPECT_EQ(main.ConfigureSurfacePorts.Caption(), "Configure Surface Ports");

  Choose(4, kPortKindMeterInput, 2, 6);
  tab.BTLoadDeck.UserClick();
  main.CloseAllSurfacePorts.UserClick();
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(tab.PortTypeCB[n].ItemIndex(), kPortKindInActive);
  EXPECT_TRUE(tab.PCLoggerPanel.Visible());
  EXPECT_TRUE(ports.IsPortSlotOpen(4));  // closed or kept only at the next load
}

}  // namespace
}  // namespace qv
