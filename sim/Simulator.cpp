#include "sim/Simulator.h"

#include <poll.h>

#include <chrono>
#include <thread>

#include "common/Format.h"
#include "sim/LoggerLine.h"

namespace qv {

namespace {

// What the device may hold back before the logger's bytes are lost, as on a
// line no one drains.
constexpr std::size_t kPendingLimit = 64 * 1024;
constexpr std::size_t kReadLimit = 64 * 1024;
constexpr std::int64_t kStaleMs = 1000;

}  // namespace

Simulator::Simulator(const SimOptions& options, Clock& clock, LogSink log)
    : options_(options),
      log_(std::move(log)),
      faults_(FaultRates{options.dropRate, options.corruptRate, options.repeatRate},
              options.seed ^ 0x4641554C54ull),
      garbler_(options.seed ^ 0x4741524242ull),
      logger_(options, clock, [this](const std::string& line) { Log(line); }),
      hostLine_(options.line) {}

bool Simulator::Open(std::string& error) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!pty_.Open(options_.line, options_.linkPath, error)) return false;
  hostLine_ = pty_.HostLine();
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
    Flush();
    DropStaleOutput(now);
  }
  Flush();
}

void Simulator::Step(std::int64_t nowMs, const std::vector<std::uint8_t>& input) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (powerCycle_.exchange(false)) logger_.PowerCycle();
  const LineSetting host = pty_.HostLine();
  if (!SameLine(host, hostLine_)) {
    hostLine_ = host;
    const LineSetting own = logger_.Line();
    Log(pty_.LinesMatch(host, own)
            ? Format("host line %s", LineText(host).c_str())
            : Format("host line %s, logger at %s: garbled both ways", LineText(host).c_str(),
                     LineText(own).c_str()));
  }
  logger_.Tick(nowMs);
  if (!input.empty()) {
    counts_.bytesReceived += input.size();
    if (pty_.LinesMatch(host, logger_.Line()))
      logger_.Receive(input.data(), input.size());
    else
      counts_.bytesIgnored += input.size();
  }
  for (OutgoingPacket& packet : logger_.TakeOutput()) {
    ++counts_.packetsSent;
    std::vector<std::uint8_t> bytes;
    if (pty_.LinesMatch(host, packet.line)) {
      bytes = std::move(packet.bytes);
    } else {
      ++counts_.packetsGarbled;
      bytes = garbler_.Garble(packet.bytes);
    }
    if (faults_.Active()) bytes = faults_.Apply(bytes);
    if (pending_.size() + bytes.size() <= kPendingLimit)
      pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  }
}

void Simulator::Flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t done = 0;
  while (done < pending_.size()) {
    const long n = pty_.Write(pending_.data() + done, pending_.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(done));
  counts_.bytesSent += done;
  writtenSinceCheck_ += done;
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
  SimSnapshot s = counts_;
  s.operationState = logger_.OperationState();
  s.loggerId = logger_.LoggerId();
  s.runNumber = logger_.RunNumber();
  s.clockOffset = logger_.ClockOffset();
  s.setup = logger_.Setup();
  s.loggerLine = logger_.Line();
  s.hostLine = hostLine_;
  s.rs422 = logger_.Rs422();
  s.silent = logger_.Silent();
  return s;
}

void Simulator::Log(const std::string& line) const {
  if (log_) log_(line);
}

}  // namespace qv
