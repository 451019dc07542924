#include "sim/Simulator.h"

#include <poll.h>

#include <chrono>
#include <thread>

#include "common/ByteSum.h"
#include "common/Format.h"
#include "link/PacketTypes.h"
#include "sim/LoggerLine.h"

namespace qv {

namespace {

// What the device may hold back before the logger's bytes are lost, as on a
// line no one drains.
constexpr std::size_t kPendingLimit = 64 * 1024;
// The logger's output buffer holds about a second of its line.
constexpr std::int64_t kOutputBufferMs = 1000;
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
    Flush(now);
    DropStaleOutput(now);
  }
  Flush(elapsedMs());
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
    const int type = packet.bytes.size() >= 2 && packet.bytes[0] == packet.bytes[1] ? packet.bytes[0] : 0;
    const bool data = type == kDataPacket;
    bool intact = true;
    std::vector<std::uint8_t> bytes;
    if (pty_.LinesMatch(host, packet.line)) {
      bytes = std::move(packet.bytes);
    } else {
      ++counts_.packetsGarbled;
      bytes = garbler_.Garble(packet.bytes);
      intact = false;
    }
    if (faults_.Active()) {
      const std::uint64_t before = faults_.Dropped() + faults_.Corrupted() + faults_.Repeated();
      bytes = faults_.Apply(bytes);
      intact = intact && before == faults_.Dropped() + faults_.Corrupted() + faults_.Repeated();
    }
    intact = intact && data && ChecksumValid(bytes.data(), bytes.size());
    Queue(std::move(bytes), type, intact);
  }
}

void Simulator::Queue(std::vector<std::uint8_t> bytes, int type, bool intact) {
  // Data and status that find the logger's output buffer full are lost, as
  // when a chain produces more than its line carries; replies wait their turn.
  // Room for a status record is kept, so data alone cannot crowd status out.
  const auto buffer = static_cast<std::size_t>(
      LinePacer::BytesPerSecond(logger_.Line().baud) * kOutputBufferMs / 1000);
  const bool periodic = type == kDataPacket || type == kStatusPacket;
  const std::size_t limit = buffer + (type == kStatusPacket ? kStatusPacketSize : 0);
  if (periodic && queuedBytes_ > 0 && queuedBytes_ + bytes.size() > limit) {
    ++(type == kDataPacket ? counts_.dataPacketsOverrun : counts_.statusOverrun);
    return;
  }
  if (queuedBytes_ + bytes.size() > kPendingLimit) return;
  queuedBytes_ += bytes.size();
  queue_.push_back(QueuedPacket{std::move(bytes), 0, intact});
}

void Simulator::Flush(std::int64_t nowMs) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t allowance = pacer_.Allowance(nowMs, logger_.Line().baud);
  std::size_t done = 0;
  while (!queue_.empty() && allowance > 0) {
    QueuedPacket& q = queue_.front();
    const std::size_t want = std::min(allowance, q.bytes.size() - q.written);
    const long n = pty_.Write(q.bytes.data() + q.written, want);
    if (n <= 0) break;
    const auto taken = static_cast<std::size_t>(n);
    q.written += taken;
    allowance -= taken;
    done += taken;
    if (q.written == q.bytes.size()) {
      if (q.intact) sent_.Add(q.bytes);
      queuedBytes_ -= q.bytes.size();
      queue_.pop_front();
    } else if (taken < want) {
      break;  // the device is full
    }
  }
  pacer_.Spend(done);
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
  s.streaming = logger_.Streaming();
  s.streamed = logger_.Streamed();
  s.dataPacketsSent = sent_.Total();
  s.dataPacketsForgotten = sent_.Forgotten();
  s.bytesQueued = queuedBytes_;
  return s;
}

std::vector<SentDataPacket> Simulator::SentDataPackets(std::uint64_t* forgotten) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (forgotten != nullptr) *forgotten = sent_.Forgotten();
  return {sent_.Entries().begin(), sent_.Entries().end()};
}

void Simulator::Log(const std::string& line) const {
  if (log_) log_(line);
}

}  // namespace qv
