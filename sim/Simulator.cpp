#include "sim/Simulator.h"

#include <poll.h>

#include <chrono>
#include <thread>

namespace qv {

namespace {

constexpr std::size_t kReadLimit = 64 * 1024;
constexpr std::int64_t kStaleMs = 1000;

}  // namespace

Simulator::Simulator(const SimOptions& options, Clock& clock, LogSink log)
    : options_(options), end_(options, clock, std::move(log)) {}

bool Simulator::Open(std::string& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!pty_.Open(options_.line, options_.linkPath, error)) return false;
  end_.SetFramingVisible(pty_.ShowsFraming());
  return true;
}

std::string Simulator::DevicePath() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pty_.DevicePath();
}

bool Simulator::ShowsFraming() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pty_.ShowsFraming();
}

std::string Simulator::LinkPath() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return pty_.LinkPath();
}

void Simulator::Run() {
  using SteadyClock = std::chrono::steady_clock;
  const SteadyClock::time_point start = SteadyClock::now();
  auto elapsedMs = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start).count();
  };
  std::vector<std::uint8_t> input;
  std::uint8_t buffer[4096];
  while (!stop_.load()) {
    pollfd p{pty_.MasterFd(), POLLIN, 0};
    const int ready = poll(&p, 1, kPollMs);
    input.clear();
    if (ready > 0 && (p.revents & POLLIN)) {
      long n;
      while (input.size() < kReadLimit && (n = pty_.Read(buffer, sizeof buffer)) > 0)
        input.insert(input.end(), buffer, buffer + n);
    } else if (ready > 0 || ready < 0) {
      // A hang-up or an error would wake poll at once and spin the loop.
      std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    const std::int64_t now = elapsedMs();
    Step(now, input);
    Flush(now);
    DropStaleOutput(now);
  }
  Flush(elapsedMs());
}

void Simulator::Step(std::int64_t nowMs, const std::vector<std::uint8_t>& input) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (powerCycle_.exchange(false)) end_.PowerCycle();
  end_.Step(nowMs, pty_.HostLine(), input);
}

void Simulator::Flush(std::int64_t nowMs) {
  std::lock_guard<std::mutex> lock(mutex_);
  end_.Deliver(nowMs, [this](const std::uint8_t* bytes, std::size_t count) {
    const long n = pty_.Write(bytes, count);
    if (n > 0) writtenSinceCheck_ += static_cast<std::uint64_t>(n);
    return n;
  });
}

// A serial line keeps nothing for a port no one has open; without this the
// host would start on a backlog of old status records.
void Simulator::DropStaleOutput(std::int64_t nowMs) {
  if (nowMs - staleCheckMs_ < kStaleMs) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!pty_.HeldExclusively() && pty_.Unread() > writtenSinceCheck_) pty_.DiscardUnread();
  writtenSinceCheck_ = 0;
  staleCheckMs_ = nowMs;
}

SimSnapshot Simulator::Snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return end_.Snapshot();
}

std::vector<SentDataPacket> Simulator::SentDataPackets(std::uint64_t* forgotten) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return end_.SentDataPackets(forgotten);
}

}  // namespace qv
