// The plots' share of the host's work: eight open plots fed the port text
// of kept packets and visited, and a full window's points reduced for drawing.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "plot/Plotting.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

// A packet of one logger: a CTD line on port 1 and an NMEA sentence on port 2.
struct Packet {
  DataPacketHeader header;
  std::vector<std::uint8_t> payload;
};

Packet TypicalPacket(std::uint8_t loggerId) {
  const std::string ctd = "T= 12.50, S=35.1 C\r\n";
  const std::string gps = "$GPGGA,123519.00,4107.1234,N,07000.5678,W,1,08,0.9,2.0,M,-34.0,M,,*47\r\n";
  Packet p;
  p.header.loggerId = loggerId;
  p.header.portCounts[0] = static_cast<std::uint16_t>(ctd.size());
  p.header.portCounts[1] = static_cast<std::uint16_t>(gps.size());
  p.payload.assign(ctd.begin(), ctd.end());
  p.payload.insert(p.payload.end(), gps.begin(), gps.end());
  p.header.payloadLength = static_cast<std::uint16_t>(p.payload.size());
  return p;
}

// Eight plots of four loggers (ports 1 and 2) fed one packet of each logger
// and visited, as four fast ticks of a chain of four would.
void BM_EightPlotsFedAndVisited(benchmark::State& state) {
  ScriptedPrompter prompter;
  Plotting plots(prompter);
  plots.StartUp();
  PlotSetupTab& t = plots.setupTab;
  for (int n = 1; n <= 8; ++n) {
    t.UDPort[n].SetPosition(n <= 4 ? 1 : 2);
    t.UDPlotCol[n].SetPosition(n <= 4 ? 1 : 2);
    // The last click of the logger-ID arrows lands on 1..4 and applies the row.
    const int id = 1 + (n - 1) % 4;
    t.UDMux[n].SetPosition(id < 4 ? id + 1 : 3);
    t.UDMux[n].UserClick(id == 4);
    t.BTPlot[n].UserClick();
  }
  std::vector<Packet> packets;
  for (std::uint8_t id = 1; id <= 4; ++id) packets.push_back(TypicalPacket(id));
  for (auto _ : state) {
    for (const Packet& p : packets) {
      plots.FeedDataPacket(p.header, p.payload);
      plots.VisitWaitingRecords();
    }
  }
  state.SetItemsProcessed(state.iterations() * 4);
  state.SetLabel("packets");
}
BENCHMARK(BM_EightPlotsFedAndVisited);

// A window holding its 100,000 points reduced to what 600 pixels can show.
void BM_FullWindowPointsToDraw(benchmark::State& state) {
  PlotSeries s;
  for (std::size_t i = 0; i < PlotSeries::kMaxPoints; ++i)
    s.AddPoint(static_cast<double>(i), static_cast<double>(i % 97));
  for (auto _ : state) benchmark::DoNotOptimize(PointsToDraw(s.Points(), 600));
}
BENCHMARK(BM_FullWindowPointsToDraw);

}  // namespace
}  // namespace qv
