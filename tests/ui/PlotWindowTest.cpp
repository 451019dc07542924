// The plot windows on screen: opened by their row's Plot button, drawing the
// points of their plot, and closed by the operator like the model says.
#include <gtest/gtest.h>

#include <QChart>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include "app/HostProgram.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/MainWindow.h"
#include "ui/plot/PlotWindow.h"

namespace qv {
namespace {

struct PlotWindowTest : ::testing::Test {
  qv::testing::FakeSerialBackend backend;
  FakeClock clock{1'700'000'000};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};
  ui::MainWindow window{host};
  PlotSetupTab& tab = host.Plots().setupTab;

  void Feed(const std::string& text) {
    DataPacketHeader h;
    h.loggerId = 2;
    h.portCounts[0] = static_cast<std::uint16_t>(text.size());
    h.payloadLength = h.portCounts[0];
    host.Plots().FeedDataPacket(
        h, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    host.Plots().VisitWaitingRecords();
  }
};

TEST_F(PlotWindowTest, OpensFromItsRowAndDrawsThePoints) {
  host.StartUp();
  ui::PlotWindow* w = window.PlotWindows().at(2);
  EXPECT_FALSE(w->isVisible());
  tab.UDPlotCol[3].SetPosition(1);
  tab.EDPlotLabel[3].UserType("Temperature");
  tab.BTPlot[3].UserClick();
  ASSERT_TRUE(w->isVisible());
  EXPECT_EQ(w->windowTitle(), "Plot 3");

  for (int i = 0; i < 50; ++i) Feed(std::to_string(10 + i % 5) + ".5\r\n");
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->Series()->count() == 50; }, 2000));
  EXPECT_EQ(w->Chart()->title(), "Temperature");
  EXPECT_FALSE(w->Chart()->legend()->isVisible());
  const auto* x = qobject_cast<QValueAxis*>(w->Chart()->axes(Qt::Horizontal).at(0));
  const auto* y = qobject_cast<QValueAxis*>(w->Chart()->axes(Qt::Vertical).at(0));
  EXPECT_EQ(x->min(), 1.0);
  EXPECT_EQ(x->max(), 50.0);
  EXPECT_LT(y->min(), 10.5);
  EXPECT_GT(y->max(), 14.5);

  w->close();  // the operator's close button
  EXPECT_FALSE(host.Plots().Window(2).window.Shown());
  EXPECT_EQ(host.Plots().Record(2).Active, 0);
}

TEST_F(PlotWindowTest, AFullWindowDrawsAsManyPointsAsItHasPixels) {
  host.StartUp();
  tab.UDPlotCol[1].SetPosition(1);
  tab.UDMux[1].UserClick(true);
  tab.UDMux[1].UserClick(false);
  tab.BTPlot[1].UserClick();
  ui::PlotWindow* w = window.PlotWindows().at(0);
  PlotSeries& points = host.Plots().Window(0).iPlot1;
  for (std::size_t i = 0; i < PlotSeries::kMaxPoints + 10; ++i)
    points.AddPoint(static_cast<double>(i), static_cast<double>(i % 100));
  w->Redraw();
  EXPECT_LE(w->Series()->count(), 2 * static_cast<int>(w->Chart()->plotArea().width()) + 202);
  EXPECT_EQ(w->Series()->at(0).x(), 10.0);
  EXPECT_EQ(w->Series()->at(w->Series()->count() - 1).x(), static_cast<double>(PlotSeries::kMaxPoints + 9));
}

}  // namespace
}  // namespace qv
