// The plotting subsystem on a scripted prompter, with the operator's way of
// setting up a row and port text handed over as kept data packets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/Plotting.h"
#include "protocol/DataPacket.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv::testing {

// Names a table case's test after its `name`.
struct NameOfCase {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
    return param.param.name;
  }
};

class PlotFixture : public ::testing::Test {
 public:
  PlotFixture() { plots.StartUp(); }

  ScriptedPrompter prompter;
  Plotting plots{prompter};
  PlotSetupTab& tab = plots.setupTab;

  // Steps an up-down to `position` by the operator's clicks.
  static void ClickTo(forms::UpDown& u, int position) {
    while (u.Position() < position) u.UserClick(true);
    while (u.Position() > position) u.UserClick(false);
  }

  // Row n plots `column` of logger `loggerId`'s `port` (1..9), applied the
  // way the operator does it: the logger-ID arrows last.
  void SetUpRow(int n, int loggerId, int port, int column, const std::string& scale = "1.0",
                const std::string& offset = "0.0") {
    ClickTo(tab.UDPort[n], port);
    ClickTo(tab.UDPlotCol[n], column);
    tab.EDScale[n].UserType(scale);
    tab.EDOffset[n].UserType(offset);
    ApplyWithLoggerId(n, loggerId);
  }
  // The last click of the logger-ID arrows, which applies the row.
  void ApplyWithLoggerId(int n, int loggerId) {
    const bool up = loggerId == 4;
    tab.UDMux[n].SetPosition(up ? loggerId - 1 : loggerId + 1);
    tab.UDMux[n].UserClick(up);
    ASSERT_EQ(tab.UDMux[n].Position(), loggerId);
  }
  void OpenPlot(int n) { tab.BTPlot[n].UserClick(); }

  // A kept packet of `loggerId` with `text` on `port` (1..9) and a byte that
  // is neither number nor line end on each of the other ports.
  void Feed(int loggerId, int port, const std::string& text) {
    DataPacketHeader h;
    h.loggerId = static_cast<std::uint8_t>(loggerId);
    std::vector<std::uint8_t> payload;
    for (int p = 1; p <= kDataPorts; ++p) {
      const std::string bytes = p == port ? text : "#";
      payload.insert(payload.end(), bytes.begin(), bytes.end());
      h.portCounts[static_cast<std::size_t>(p - 1)] = static_cast<std::uint16_t>(bytes.size());
    }
    h.payloadLength = static_cast<std::uint16_t>(payload.size());
    plots.FeedDataPacket(h, payload);
  }

  std::vector<double> Values(int k) {
    std::vector<double> v;
    for (const PlotPoint& p : plots.Window(k).iPlot1.Points()) v.push_back(p.y);
    return v;
  }
  std::vector<double> Xs(int k) {
    std::vector<double> v;
    for (const PlotPoint& p : plots.Window(k).iPlot1.Points()) v.push_back(p.x);
    return v;
  }
};

}  // namespace qv::testing
