#include "sim/LoggerEnd.h"

#include <algorithm>

#include "common/Format.h"
#include "protocol/ByteSum.h"
#include "protocol/PacketTypes.h"
#include "sim/LoggerLine.h"

namespace qv {

namespace {

// What the line may hold back before the logger's bytes are lost, as on a
// line no one drains.
constexpr std::size_t kPendingLimit = 64 * 1024;
// The logger's output buffer holds about a second of its line.
constexpr std::int64_t kOutputBufferMs = 1000;

}  // namespace

LoggerEnd::LoggerEnd(const SimOptions& options, Clock& clock, LogSink log)
    : options_(options),
      log_(std::move(log)),
      faults_(FaultRates{options.dropRate, options.corruptRate, options.repeatRate},
              options.seed ^ 0x4641554C54ull),
      garbler_(options.seed ^ 0x4741524242ull),
      logger_(options, clock, [this](const std::string& line) { Log(line); }),
      hostLine_(options.line) {}

bool LoggerEnd::LinesMatch(const LineSetting& host, const LineSetting& own) const {
  return framingVisible_ ? SameLine(host, own) : host.baud == own.baud;
}

void LoggerEnd::Step(std::int64_t nowMs, const LineSetting& host,
                     std::span<const std::uint8_t> fromHost) {
  if (!SameLine(host, hostLine_)) {
    hostLine_ = host;
    const LineSetting own = logger_.Line();
    Log(LinesMatch(host, own)
            ? Format("host line %s", LineText(host).c_str())
            : Format("host line %s, logger at %s: garbled both ways", LineText(host).c_str(),
                     LineText(own).c_str()));
  }
  logger_.Tick(nowMs);
  if (!fromHost.empty()) {
    counts_.bytesReceived += fromHost.size();
    if (LinesMatch(host, logger_.Line()))
      logger_.Receive(fromHost.data(), fromHost.size());
    else
      counts_.bytesIgnored += fromHost.size();
  }
  for (OutgoingPacket& packet : logger_.TakeOutput()) {
    ++counts_.packetsSent;
    const PacketType type =
        packet.bytes.size() >= 2 ? PacketTypeOf(packet.bytes[0], packet.bytes[1]) : PacketType::None;
    bool intact = true;
    if (faults_.Active()) {
      const std::uint64_t before = faults_.Dropped() + faults_.Corrupted() + faults_.Repeated();
      packet.bytes = faults_.Apply(packet.bytes);
      intact = before == faults_.Dropped() + faults_.Corrupted() + faults_.Repeated();
    }
    intact = intact && type == PacketType::Data &&
             ChecksumValid(packet.bytes.data(), packet.bytes.size());
    Queue(QueuedPacket{std::move(packet.bytes), packet.line, 0, intact, false}, type);
  }
}

void LoggerEnd::Queue(QueuedPacket packet, PacketType type) {
  // Data and status that find the logger's output buffer full are lost, as
  // when a chain produces more than its line carries; replies wait their turn.
  // Room for a status record is kept, so data alone cannot crowd status out.
  const std::size_t size = packet.bytes.size();
  const auto buffer = static_cast<std::size_t>(
      LinePacer::BytesPerSecond(logger_.Line().baud) * kOutputBufferMs / 1000);
  const bool periodic = type == PacketType::Data || type == PacketType::Status;
  const std::size_t limit = buffer + (type == PacketType::Status ? kStatusPacketSize : 0);
  if (periodic && queuedBytes_ > 0 && queuedBytes_ + size > limit) {
    ++(type == PacketType::Data ? counts_.dataPacketsOverrun : counts_.statusOverrun);
    return;
  }
  if (queuedBytes_ + size > kPendingLimit) return;
  queuedBytes_ += size;
  queue_.push_back(std::move(packet));
}

// Whether the host reads a byte as sent is decided as it crosses the line:
// at the host's setting of that moment.
void LoggerEnd::Deliver(std::int64_t nowMs, const HostSink& toHost) {
  std::size_t allowance = pacer_.Allowance(nowMs, logger_.Line().baud);
  std::size_t done = 0;
  std::vector<std::uint8_t> noise;
  while (!queue_.empty() && allowance > 0) {
    QueuedPacket& q = queue_.front();
    const std::size_t want = std::min(allowance, q.bytes.size() - q.written);
    const std::uint8_t* chunk = q.bytes.data() + q.written;
    if (!LinesMatch(hostLine_, q.line)) {
      noise = garbler_.Garble(std::span<const std::uint8_t>(chunk, want));
      chunk = noise.data();
      q.garbled = true;
    }
    const long n = toHost(chunk, want);
    if (n <= 0) break;
    const auto taken = std::min(static_cast<std::size_t>(n), want);
    q.written += taken;
    allowance -= taken;
    done += taken;
    if (q.written == q.bytes.size()) {
      if (q.garbled) ++counts_.packetsGarbled;
      if (q.intact && !q.garbled) sent_.Add(q.bytes);
      queuedBytes_ -= q.bytes.size();
      queue_.pop_front();
    } else if (taken < want) {
      break;  // the host's end is full
    }
  }
  pacer_.Spend(done);
  counts_.bytesSent += done;
}

SimSnapshot LoggerEnd::Snapshot() const {
  SimSnapshot s = counts_;
  s.operationState = logger_.State();
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
  s.hardware = logger_.Factory().Hardware();
  s.calibration = logger_.Factory().Calibration();
  s.portUnderTest = logger_.PortUnderTest();
  return s;
}

std::vector<SentDataPacket> LoggerEnd::SentDataPackets(std::uint64_t* forgotten) const {
  if (forgotten != nullptr) *forgotten = sent_.Forgotten();
  return {sent_.Entries().begin(), sent_.Entries().end()};
}

void LoggerEnd::Log(const std::string& line) const {
  if (log_) log_(line);
}

}  // namespace qv
