// The Plot Setup tab's rows: what reaches the plot records and the windows,
// and when.
#include <functional>

#include "tests/plot/PlotFixture.h"

namespace qv {
namespace {

using testing::PlotFixture;

struct RowCase {
  const char* name;
  std::function<void(PlotFixture&)> act;  // the operator's actions on row 3
  const char* muxCaption;
  const char* portCaption;
  const char* columnCaption;
  bool plotButton;
  bool windowShown;
  int active;
  int loggerId, portIndex, column;
  float scale, offset;
  const char* label;
  const char* units;
};

class PlotRowsTest : public PlotFixture, public ::testing::WithParamInterface<RowCase> {};

TEST_P(PlotRowsTest, RowThreeAfterTheOperatorsActions) {
  const RowCase& c = GetParam();
  c.act(*this);
  EXPECT_EQ(tab.LMux[3].Caption(), c.muxCaption);
  EXPECT_EQ(tab.LPort[3].Caption(), c.portCaption);
  EXPECT_EQ(tab.LPlotCol[3].Caption(), c.columnCaption);
  EXPECT_EQ(tab.BTPlot[3].Visible(), c.plotButton);
  EXPECT_EQ(plots.Window(2).window.Shown(), c.windowShown);
  const PlotRecord& r = plots.Record(2);
  EXPECT_EQ(r.Active, c.active);
  EXPECT_EQ(r.PlotLoggerId, c.loggerId);
  EXPECT_EQ(r.PortIndex, c.portIndex);
  EXPECT_EQ(r.Column, c.column);
  EXPECT_FLOAT_EQ(r.Scale, c.scale);
  EXPECT_FLOAT_EQ(r.Offset, c.offset);
  EXPECT_EQ(r.Label, c.label);
  EXPECT_EQ(r.Units, c.units);
  EXPECT_EQ(r.PlotType, c.loggerId == 0 ? 0 : 1);  // 1 from the first application on
}

const RowCase kRowCases[] = {
    {"NothingAppliedKeepsTheFirstValues", [](PlotFixture&) {}, "02", "1", "XX", false, false, 0,
     0, 0, 0, 1.0f, 0.0f, "Plot 3", "None"},
    {"ColumnFourThenTheLoggerIdArrowsShowThePlotButton",
     [](PlotFixture& f) {
       PlotFixture::ClickTo(f.tab.UDPlotCol[3], 4);
       f.tab.UDMux[3].UserClick(true);
     },
     "03", "1", "04", true, false, 0, 3, 0, 4, 1.0f, 0.0f, "Plot 3", "units"},
    {"ThePlotButtonOpensTheWindowAndActivatesTheRecord",
     [](PlotFixture& f) {
       PlotFixture::ClickTo(f.tab.UDPlotCol[3], 4);
       f.tab.UDMux[3].UserClick(true);
       f.OpenPlot(3);
     },
     "03", "1", "04", true, true, 1, 3, 0, 4, 1.0f, 0.0f, "Plot 3", "units"},
    {"ColumnBackToZeroHidesButtonAndWindow",
     [](PlotFixture& f) {
       f.SetUpRow(3, 2, 1, 4);
       f.OpenPlot(3);
       PlotFixture::ClickTo(f.tab.UDPlotCol[3], 0);
       f.tab.UDMux[3].UserClick(false);
     },
     "01", "1", "XX", false, false, 0, 1, 0, 0, 1.0f, 0.0f, "Plot 3", "units"},
    {"PortNineIsTheAnalogPort",
     [](PlotFixture& f) { f.SetUpRow(3, 4, 9, 2); },
     "04", "Anlg", "02", true, false, 0, 4, 8, 2, 1.0f, 0.0f, "Plot 3", "units"},
    {"LettersAsScaleAreZero",
     [](PlotFixture& f) { f.SetUpRow(3, 2, 5, 1, "abc", " -2.5e1x"); },
     "02", "5", "01", true, false, 0, 2, 4, 1, 0.0f, -25.0f, "Plot 3", "units"},
    {"ColumnAndScaleWaitForTheNextApplication",
     [](PlotFixture& f) {
       f.SetUpRow(3, 2, 1, 1);
       PlotFixture::ClickTo(f.tab.UDPlotCol[3], 7);
       f.tab.EDScale[3].UserType("3");
       f.tab.UDPlotCol[1].UserClick(true);  // shares the handler, does nothing
     },
     "02", "1", "01", true, false, 0, 2, 0, 1, 1.0f, 0.0f, "Plot 3", "units"},
    {"ALabelEditAppliesTheRowAndLongTextsAreCut",
     [](PlotFixture& f) {
       PlotFixture::ClickTo(f.tab.UDPlotCol[3], 2);
       f.tab.EDUnits[3].UserType("degrees Celsius, ITS-90 scale");
       f.tab.EDPlotLabel[3].UserType(std::string(50, 'L'));
     },
     "02", "1", "02", true, false, 0, 2, 0, 2, 1.0f, 0.0f,
     "LLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLLL", "degrees Celsius, IT"},
    {"ClosingTheWindowDeactivatesThePlot",
     [](PlotFixture& f) {
       f.SetUpRow(3, 1, 2, 3);
       f.OpenPlot(3);
       f.plots.Window(2).window.UserClose();
     },
     "01", "2", "03", true, false, 0, 1, 1, 3, 1.0f, 0.0f, "Plot 3", "units"},
    {"ClearPlotSetupTurnsTheRowOff",
     [](PlotFixture& f) {
       f.SetUpRow(3, 4, 9, 3, "2", "1");
       f.tab.EDPlotLabel[3].UserType("Salinity");
       f.OpenPlot(3);
       f.tab.BTClearPlotSetup.UserClick();
     },
     "02", "1", "XX", false, false, 0, 2, 0, 0, 1.0f, 0.0f, "Plot 3", "units"},
};

INSTANTIATE_TEST_SUITE_P(Rows, PlotRowsTest, ::testing::ValuesIn(kRowCases),
                         testing::NameOfCase());

TEST_F(PlotFixture, ClearPlotSetupHidesEveryButtonAndWindow) {
  for (int n = 1; n <= kPlots; ++n) {
    SetUpRow(n, 1 + n % 4, n, n);
    OpenPlot(n);
  }
  tab.BTClearPlotSetup.UserClick();
  for (int n = 1; n <= kPlots; ++n) {
    EXPECT_FALSE(tab.BTPlot[n].Visible()) << n;
    EXPECT_FALSE(plots.Window(n - 1).window.Shown()) << n;
    EXPECT_EQ(plots.Record(n - 1).Active, 0) << n;
    EXPECT_EQ(tab.EDPlotLabel[n].Text(), "Plot " + std::to_string(n));
  }
}

TEST_F(PlotFixture, WindowsAreMadeOnFirstUseAndCloseAllClosesEveryOpenOne) {
  EXPECT_FALSE(plots.WindowCreated(0));
  EXPECT_EQ(plots.Window(0).window.Caption(), "Plot");
  SetUpRow(1, 2, 1, 1);
  SetUpRow(5, 2, 1, 1);
  OpenPlot(1);
  OpenPlot(5);
  EXPECT_TRUE(plots.WindowCreated(0));
  EXPECT_EQ(plots.Window(4).window.Caption(), "Plot 5");
  plots.Window(0).Button2.UserClick();
  for (int k : {0, 4}) {
    EXPECT_FALSE(plots.Window(k).window.Shown());
    EXPECT_EQ(plots.Record(k).Active, 0);
    EXPECT_TRUE(plots.WindowCreated(k));
  }
  EXPECT_TRUE(tab.BTPlot[1].Visible());  // the rows stay set up
}

}  // namespace
}  // namespace qv
