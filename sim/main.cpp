// qvsim: a data logger on a pseudo-terminal for training and end-to-end tests.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/Format.h"
#include "common/LoggerTime.h"
#include "platform/SystemClock.h"
#include "sim/LoggerLine.h"
#include "sim/LoggerModel.h"
#include "sim/MeterSimulator.h"
#include "sim/SimCommandLine.h"
#include "sim/Simulator.h"

namespace {

// Waits for SIGINT or SIGTERM (SIGHUP, a power cycle, is told to `hangUp`).
void WaitForEnd(sigset_t& signals, const std::function<void()>& hangUp) {
  for (;;) {
    int sig = 0;
    if (sigwait(&signals, &sig) != 0) continue;
    if (sig != SIGHUP) return;
    if (hangUp) hangUp();
  }
}

// qvsim --meter: an instrument alone on its pseudo-terminal.
int RunMeter(const qv::SimCommandLine& cl, qv::Clock& clock, sigset_t& signals) {
  using namespace qv;
  const MeterOptions& o = cl.meterOptions;
  MeterSimulator meter(o, cl.options.linkPath, clock);
  std::string error;
  if (!meter.Open(error)) {
    std::fprintf(stderr, "qvsim: %s\n", error.c_str());
    return 1;
  }
  std::printf("qvsim: meter on %s\n", meter.DevicePath().c_str());
  if (!meter.LinkPath().empty())
    std::printf("qvsim: link %s -> %s\n", meter.LinkPath().c_str(), meter.DevicePath().c_str());
  std::printf("qvsim: %s at %s, %s\n", MeterKindName(o.kind), LineText(o.line).c_str(),
              o.rateHz > 0 ? Format("%d records a second", o.rateHz).c_str() : "its own pace");
  std::thread runner([&meter] { meter.Run(); });
  WaitForEnd(signals, {});
  meter.Stop();
  runner.join();
  std::printf("qvsim: stopped\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qv;
  std::vector<std::string> args(argv + 1, argv + argc);
  const SimCommandLine cl = ParseSimCommandLine(args);
  if (cl.help) {
    std::fputs(SimUsage().c_str(), stdout);
    return 0;
  }
  if (!cl.error.empty()) {
    std::fprintf(stderr, "qvsim: %s\nTry 'qvsim --help'.\n", cl.error.c_str());
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  // Signals are taken by this thread alone, with sigwait, before any other
  // thread exists to inherit them unblocked.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  SystemClock clock;
  if (cl.meter) return RunMeter(cl, clock, signals);
  Simulator::LogSink log;
  if (!cl.quiet) {
    log = [&clock](const std::string& line) {
      std::printf("qvsim: %s %s\n", FormatLocal("%H:%M:%S", clock.Now().calendar).c_str(),
                  line.c_str());
    };
  }
  Simulator sim(cl.options, clock, log);
  std::string error;
  if (!sim.Open(error)) {
    std::fprintf(stderr, "qvsim: %s\n", error.c_str());
    return 1;
  }
  const SimOptions& o = cl.options;
  std::printf("qvsim: logger on %s\n", sim.DevicePath().c_str());
  if (!sim.LinkPath().empty())
    std::printf("qvsim: link %s -> %s\n", sim.LinkPath().c_str(), sim.DevicePath().c_str());
  if (!sim.ShowsFraming())
    std::printf("qvsim: this system's pseudo-terminals keep no data bits or parity: "
                "only the host's baud is checked\n");
  std::printf("qvsim: %s, logger ID %d, host port %s, firmware %d.%02d, %s cable\n",
              ModelShortName(o.model) ? ModelShortName(o.model) : "???", o.loggerId, LineText(o.line).c_str(), o.firmwareMajor,
              o.firmwareMinor, o.cable == Cable::Rs232 ? "RS-232" : "RS-422");
  if (o.chain > 0)
    std::printf("qvsim: a chain of loggers 1 to %d and a time unit (ID 0)\n", o.chain);
  if (o.stream || o.rateHz > 0)
    std::printf("qvsim: %s%s\n", o.stream ? "streaming from power-up" : "data",
                o.rateHz > 0 ? Format(" at %d Hz per logger", o.rateHz).c_str() : "");

  std::thread runner([&sim] { sim.Run(); });
  WaitForEnd(signals, [&sim] { sim.PowerCycle(); });
  sim.Stop();
  runner.join();
  std::printf("qvsim: stopped\n");
  return 0;
}
