// How long a minute of the link takes in virtual time: the headless host and
// a simulated logger on one fake clock, all five timers firing, the line at
// its pace. The ratio to a real minute is what makes long end-to-end tests cheap.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/HostProgram.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/SimSerialBackend.h"
#include "tests/support/VirtualTime.h"

namespace qv {
namespace {

constexpr std::int64_t kMinuteMs = 60000;

struct VirtualLink {
  explicit VirtualLink(const SimOptions& options) {
    MainForm& m = host.Main();
    for (forms::Timer* t : {&m.Timer55ms, &m.Timer475ms, &m.Timer1000ms, &m.TTimeout, &m.RTTimeout})
      time.Add(*t);
    time.AddPeer([this](std::int64_t nowMs) { backend.AdvanceTo(nowMs); });
    backend.Connect(options);
    time.RunFor(25);
    host.Link().hostPortForm.HostPortCB.UserSelect(1);
    host.Link().hostPortForm.HostSetupCB.UserSelect(11);  // 115200
  }
  FakeClock clock{1800032400};
  ScriptedPrompter prompter;
  testing::SimSerialBackend backend{clock};
  HostProgram host{clock, prompter, backend};
  testing::VirtualTime time{clock};
};

void RunMinutes(benchmark::State& state, const SimOptions& options) {
  VirtualLink link(options);
  for (auto _ : state) link.time.RunFor(kMinuteMs);
  state.counters["packets"] = static_cast<double>(link.host.Pump().Counters().packetCount);
  // Virtual minutes per real second, as a rate over the wall time.
  state.counters["xRealTime"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kMinuteMs / 1000.0, benchmark::Counter::kIsRate);
}

// Status once a second, nothing else on the line.
void BM_VirtualMinuteOfStatus(benchmark::State& state) {
  SimOptions o;
  o.line.baud = 115200;
  RunMinutes(state, o);
}
BENCHMARK(BM_VirtualMinuteOfStatus)->Unit(benchmark::kMillisecond)->UseRealTime();

// A chain of four loggers and the time unit at 20 Hz, at the full line rate.
void BM_VirtualMinuteOfAFullChain(benchmark::State& state) {
  SimOptions o;
  o.line.baud = 115200;
  o.stream = true;
  o.chain = 4;
  o.rateHz = 20;
  RunMinutes(state, o);
}
BENCHMARK(BM_VirtualMinuteOfAFullChain)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace qv
