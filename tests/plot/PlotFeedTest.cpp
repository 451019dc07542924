// From port text to points: line assembly and the handling of a line as a
// table of byte streams, then the feed of kept packets and the visits.
#include <cmath>
#include <string>
#include <vector>

#include "plot/LineAssembly.h"
#include "tests/plot/PlotFixture.h"

namespace qv {
namespace {

using testing::PlotFixture;

struct StreamCase {
  const char* name;
  std::vector<std::string> chunks;  // the port's text, as successive packets bring it
  int column;
  const char* scale;
  const char* offset;
  std::vector<double> points;
};

class LineAssemblyTest : public PlotFixture, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(LineAssemblyTest, PointsOfAStream) {
  const StreamCase& c = GetParam();
  SetUpRow(1, 2, 3, c.column, c.scale, c.offset);
  OpenPlot(1);
  for (const std::string& chunk : c.chunks) {
    Feed(2, 3, chunk);
    plots.VisitWaitingRecords();
  }
  const std::vector<double> got = Values(0);
  ASSERT_EQ(got.size(), c.points.size());
  // The record's scale and offset are single precision.
  for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.points[i], 1e-6 * std::abs(c.points[i])) << i;
}

// "2.5," and 295 or 296 digits: 299 characters, or 300.
const std::string k299 = "2.5 " + std::string(295, '1');
const std::string k300 = "2.5 " + std::string(296, '1');

const StreamCase kStreams[] = {
    {"TheLoggersExample", {"T= 12.50, S=35.1 C\r"}, 2, "2", "30", {10.2}},
    {"ARunOfLineEndsEndsOneLine", {"1.5\r\n\r\n2.5\n"}, 1, "1.0", "0.0", {1.5, 2.5}},
    {"TextBeforeTheFirstNumberAddsNoComma", {"abc,,def 7\r"}, 1, "1.0", "0.0", {7}},
    {"ALineSplitAcrossPackets", {"T= 12.", "5", "0, S=3", "5.1 C\r\n"}, 2, "1.0", "0.0", {35.1}},
    {"AValueAbove99999IsNoPointWhateverTheScale", {"100000\r99999\r"}, 1, "0.001", "0", {99.999}},
    {"ANonNumericFieldIsNoPoint", {"1.5,-,3\r1.5 -- 3\r"}, 2, "1.0", "0.0", {}},
    {"AMissingColumnIsNoPoint", {"1.5\r\n2.5,3.5\r\n"}, 3, "1.0", "0.0", {}},
    {"ALineOf299CharactersIsKept", {k299, "\r"}, 1, "1.0", "0.0", {2.5}},
    {"ALineReaching300IsDiscardedAndAssemblyGoesOn", {k300, "3.5\r"}, 1, "1.0", "0.0", {3.5}},
    {"AnInfiniteScaleAddsNoPoint", {"1.5\r"}, 1, "1e999", "0", {}},
};

INSTANTIATE_TEST_SUITE_P(Streams, LineAssemblyTest, ::testing::ValuesIn(kStreams),
                         testing::NameOfCase());

TEST_F(PlotFixture, TheWindowShowsTheLineItsValueAndTheCount) {
  SetUpRow(1, 2, 1, 2, "2", "30");
  tab.EDUnits[1].UserType("psu");
  tab.EDPlotLabel[1].UserType("Salinity");  // applies the row
  OpenPlot(1);
  Feed(2, 1, "T= 12.50, S=35.1 C\r\n");
  plots.VisitWaitingRecords();
  const PlotForm& w = plots.Window(0);
  EXPECT_EQ(w.LBRawData.Caption(), "12.50\t35.1\t");
  EXPECT_EQ(w.LScale.Caption(), "Scale: 2.0000");
  EXPECT_EQ(w.LOffset.Caption(), "Offset: 30.0000");
  EXPECT_EQ(w.LUnits.Caption(), "10.2000 psu");
  EXPECT_EQ(w.Lvs.Caption(), "vs. 1 Counts");
  EXPECT_EQ(w.iPlot1.Title(), "Salinity");
  EXPECT_FALSE(w.iPlot1.LegendVisible());

  // A line without the column shows, and keeps the figures of the last point.
  Feed(2, 1, "T= 12.51\r\n");
  plots.VisitWaitingRecords();
  EXPECT_EQ(w.LBRawData.Caption(), "12.51");
  EXPECT_EQ(w.Lvs.Caption(), "Col 2");
  EXPECT_EQ(w.LUnits.Caption(), "10.2000 psu");
}

TEST_F(PlotFixture, OnlyActivePlotsOfThePacketsLoggerAndPortAreFed) {
  SetUpRow(1, 2, 1, 1);
  SetUpRow(2, 3, 1, 1);
  SetUpRow(3, 2, 9, 1);
  SetUpRow(4, 2, 1, 1);  // set up, never opened
  for (int n : {1, 2, 3}) OpenPlot(n);
  Feed(2, 1, "1\r");
  Feed(3, 1, "2\r");
  Feed(2, 9, "3\r");
  Feed(0, 1, "4\r");  // the time unit is no plot's logger
  plots.VisitWaitingRecords();
  EXPECT_EQ(Values(0), std::vector<double>{1});
  EXPECT_EQ(Values(1), std::vector<double>{2});
  EXPECT_EQ(Values(2), std::vector<double>{3});
  EXPECT_TRUE(Values(3).empty());
  EXPECT_FALSE(plots.InputWaiting());

  // Bytes that came for a plot closed before its visit are dropped.
  Feed(2, 1, "5\r");
  plots.Window(0).window.UserClose();
  plots.VisitWaitingRecords();
  EXPECT_EQ(Values(0), std::vector<double>{1});
}

TEST_F(PlotFixture, VisitsBeginAtTheFourthRecordAndShareOneCounter) {
  SetUpRow(1, 2, 1, 1);
  SetUpRow(4, 2, 1, 1);
  OpenPlot(1);
  OpenPlot(4);
  for (int i = 0; i < 3; ++i) Feed(2, 1, "7\r");
  // One visit is one record: the fourth first, the first only on the sixth visit.
  plots.IdleStep();
  EXPECT_EQ(Xs(3), (std::vector<double>{1, 2, 3}));
  EXPECT_TRUE(Xs(0).empty());
  for (int i = 0; i < 5; ++i) plots.IdleStep();
  EXPECT_EQ(Xs(0), (std::vector<double>{4, 5, 6}));
  EXPECT_DOUBLE_EQ(plots.SampleCounter(), 7);
}

TEST_F(PlotFixture, AFullRecordIsVisitedBeforeMoreIsAppendedSoNothingIsLost) {
  SetUpRow(1, 2, 1, 1);
  OpenPlot(1);
  std::string text;
  for (int i = 0; i < 200; ++i) text += std::to_string(i) + ".5\r\n";
  ASSERT_GT(text.size(), 3u * PlotRecord::kPendingLimit);
  Feed(2, 1, text.substr(0, 1000));
  Feed(2, 1, text.substr(1000));
  EXPECT_LE(plots.Record(0).PendingLength, PlotRecord::kPendingLimit);
  plots.VisitWaitingRecords();
  const std::vector<double> got = Values(0);
  ASSERT_EQ(got.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_DOUBLE_EQ(got[static_cast<std::size_t>(i)], i + 0.5);
}

TEST(PlotSeriesTest, KeepsTheMostRecentPointsAndDrawsTheirExtremes) {
  PlotSeries s;
  for (std::size_t i = 0; i <= PlotSeries::kMaxPoints; ++i)
    s.AddPoint(static_cast<double>(i), i == 500 ? 1e6 : static_cast<double>(i % 7));
  ASSERT_EQ(s.Points().size(), PlotSeries::kMaxPoints);
  EXPECT_EQ(s.Points().front().x, 1.0);
  EXPECT_EQ(s.Points().back().x, static_cast<double>(PlotSeries::kMaxPoints));

  const std::vector<PlotPoint> drawn = PointsToDraw(s.Points(), 800);
  EXPECT_LE(drawn.size(), 1602u);
  bool peak = false;
  for (std::size_t i = 1; i < drawn.size(); ++i) EXPECT_LT(drawn[i - 1].x, drawn[i].x);
  for (const PlotPoint& p : drawn) peak = peak || p.y == 1e6;
  EXPECT_TRUE(peak);
  EXPECT_EQ(drawn.front(), s.Points().front());  // the line spans them all
  EXPECT_EQ(drawn.back(), s.Points().back());

  const std::uint64_t version = s.Version();
  s.Clear();
  EXPECT_TRUE(s.Points().empty());
  EXPECT_GT(s.Version(), version);
}

TEST_F(PlotFixture, ClearPlotEmptiesTheChartAndTheCountGoesOn) {
  SetUpRow(1, 2, 1, 1);
  OpenPlot(1);
  Feed(2, 1, "1\r2\r");
  plots.VisitWaitingRecords();
  plots.Window(0).BTClearPlot.UserClick();
  EXPECT_TRUE(Values(0).empty());
  Feed(2, 1, "3\r");
  plots.VisitWaitingRecords();
  EXPECT_EQ(Xs(0), std::vector<double>{3});
}

TEST(ColumnValueTest, FieldsSplitAtCommasSkippingEmptyOnes) {
  EXPECT_EQ(ColumnValue(",,1.5,,2.5,", 2), 2.5);
  EXPECT_EQ(ColumnValue("1.5.3", 1), 1.5);
  EXPECT_EQ(ColumnValue("-99999999", 1), -99999999.0);
  EXPECT_FALSE(ColumnValue("+", 1));
  EXPECT_FALSE(ColumnValue("1,2", 0));
}

}  // namespace
}  // namespace qv
