#include "sim/MeterSimulator.h"

#include <poll.h>

#include <chrono>
#include <thread>

namespace qv {

namespace {

// Output the host has not read for this long is thrown away, as a line
// does when no one listens, so a host that opens the port late starts afresh.
constexpr std::int64_t kStaleMs = 1000;

}  // namespace

MeterSimulator::MeterSimulator(const MeterOptions& options, const std::string& linkPath,
                               Clock& clock)
    : options_(options), linkPath_(linkPath), end_(options, clock) {}

bool MeterSimulator::Open(std::string& error) {
  if (!pty_.Open(options_.line, linkPath_, error)) return false;
  end_.SetFramingVisible(pty_.ShowsFraming());
  return true;
}

void MeterSimulator::Run() {
  using SteadyClock = std::chrono::steady_clock;
  const SteadyClock::time_point start = SteadyClock::now();
  std::int64_t staleCheckMs = 0;
  std::uint64_t writtenSinceCheck = 0;
  std::uint8_t ignored[4096];
  while (!stop_.load()) {
    pollfd p{pty_.MasterFd(), POLLIN, 0};
    const int ready = poll(&p, 1, kPollMs);
    if (ready > 0 && (p.revents & POLLIN)) {
      while (pty_.Read(ignored, sizeof ignored) > 0) {
      }  // an instrument that takes no commands
    } else if (ready != 0) {
      // A hang-up or an error would wake poll at once and spin the loop.
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    const std::int64_t now =
        std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
    end_.Step(now, pty_.HostLine());
    end_.Deliver(now, [&](const std::uint8_t* bytes, std::size_t count) {
      const long n = pty_.Write(bytes, count);
      if (n > 0) writtenSinceCheck += static_cast<std::uint64_t>(n);
      return n;
    });
    if (now - staleCheckMs >= kStaleMs) {
      if (!pty_.HeldExclusively() && pty_.Unread() > writtenSinceCheck) pty_.DiscardUnread();
      writtenSinceCheck = 0;
      staleCheckMs = now;
    }
  }
}

}  // namespace qv
