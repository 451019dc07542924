// Plots fed by the simulated logger's stream in virtual time: a plot of a
// logger's port gains a point for each line the port sends, with the value
// of the line's column, as the archive of the same packets shows.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/ArchiveContents.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

class PlotTest : public testing::ArchiveRecordingTest<testing::VirtualHostFixture> {
 public:
  PlotSetupTab& tab() { return host.Plots().setupTab; }

  // Row n plots `column` of logger `loggerId`'s `port`, opened.
  void Plot(int n, int loggerId, int port, int column) {
    tab().UDPort[n].SetPosition(port);
    tab().UDPlotCol[n].SetPosition(column);
    tab().UDMux[n].SetPosition(loggerId == 4 ? 3 : loggerId + 1);
    tab().UDMux[n].UserClick(loggerId == 4);
    tab().BTPlot[n].UserClick();
    ASSERT_EQ(host.Plots().Record(n - 1).Active, 1);
  }
  const std::deque<PlotPoint>& Points(int k) { return host.Plots().Window(k).iPlot1.Points(); }

  // The port's text of the logger's packets in the archive, in order.
  std::string ArchivedText(int loggerId, int port) {
    std::string text;
    for (const DataPacket& r : testing::ReadArchiveRecords(archive))
      if (r.header.loggerId == loggerId) text.append(r.Port(port).begin(), r.Port(port).end());
    return text;
  }
};

TEST_F(PlotTest, APlotOfLoggerTwoPortOneGainsAPointPerLineOfTheStream) {
  SimOptions options;
  options.loggerId = 2;
  options.stream = true;
  options.rateHz = 10;
  StartLogger(options);
  StartHostOnCom1();
  Plot(1, 2, 1, 1);  // the CTD's temperature
  Plot(2, 2, 1, 2);  // and its salinity
  Plot(3, 3, 1, 1);  // a logger that is not there
  RunFor(3000);
  const std::size_t before = Points(0).size();
  EXPECT_GT(before, 5u);
  RecordFor(10);

  // Whole lines "T= 12.50, S=35.1 C" after the first line end; the text
  // before it is a line's tail and makes a point of its own.
  const std::string text = ArchivedText(2, 1);
  std::vector<double> temperatures, salinities;
  std::size_t at = text.find("\r\n");
  ASSERT_NE(at, std::string::npos);
  for (std::size_t end; (end = text.find("\r\n", at + 2)) != std::string::npos; at = end) {
    double t = 0, s = 0;
    ASSERT_EQ(std::sscanf(text.c_str() + at + 2, "T=%lf, S=%lf", &t, &s), 2);
    temperatures.push_back(t);
    salinities.push_back(s);
  }
  // About three lines a second; the plot gained a point for each (and one for
  // the tail before the first line end).
  EXPECT_GT(temperatures.size(), 25u);
  const std::size_t gained = Points(0).size() - before;
  EXPECT_GE(gained, temperatures.size());
  EXPECT_LE(gained, temperatures.size() + 1);
  for (auto [k, expected] : {std::pair{0, &temperatures}, std::pair{1, &salinities}}) {
    const std::deque<PlotPoint>& got = Points(k);
    ASSERT_GE(got.size(), expected->size());
    for (std::size_t i = 0; i < expected->size(); ++i)
      EXPECT_DOUBLE_EQ(got[got.size() - expected->size() + i].y, (*expected)[i]) << k << " " << i;
  }
  EXPECT_TRUE(Points(2).empty());
  // Two plots of one stream share the count: their points interleave.
  EXPECT_EQ(host.Plots().SampleCounter(), static_cast<double>(1 + Points(0).size() + Points(1).size()));
  EXPECT_FALSE(host.Plots().InputWaiting());
}

TEST_F(PlotTest, EightPlotsOfAChainOfFourAtTwentyHertz) {
  StartChainOfFourAtTwentyHertz();
  for (int n = 1; n <= 8; ++n) Plot(n, 1 + (n - 1) % 4, n <= 4 ? 1 : 4, 1);
  RunFor(10000);
  // Port 1 is the CTD (about three lines a second); port 4 the pump, silent.
  for (int k = 0; k < 4; ++k) EXPECT_NEAR(static_cast<double>(Points(k).size()), 28, 4) << k;
  for (int k = 4; k < 8; ++k) EXPECT_TRUE(Points(k).empty()) << k;
  EXPECT_EQ(host.Stream().ModErrorsTotal(), 0u);
}

}  // namespace
}  // namespace qv
