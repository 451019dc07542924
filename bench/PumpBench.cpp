// Receive throughput: a mixed stream of all eight packet types with some
// garbage, delivered in chunks through the serial service into the pump.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "bench/MixedStream.h"
#include "link/ReceivePump.h"
#include "link/SerialPortService.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

using testing::Bytes;

// Serves one stream in chunks of a fixed size, from the start again once it
// is used up, so reads cost a memcpy and nothing more.
class StreamBackend : public SerialBackend {
 public:
  StreamBackend(const Bytes& stream, std::size_t chunk) : stream_(stream), chunk_(chunk) {}
  Handle Open(int, const LineSetting&) override { return 1; }
  bool Close(Handle) override { return true; }
  long Read(Handle, std::uint8_t* buffer, std::size_t max) override {
    const std::size_t n = std::min({max, chunk_, stream_.size() - at_});
    std::memcpy(buffer, stream_.data() + at_, n);
    at_ = (at_ + n) % stream_.size();
    return static_cast<long>(n);
  }
  long Write(Handle, const std::uint8_t*, std::size_t count) override {
    return static_cast<long>(count);
  }
  std::string DeviceName(int) const override { return {}; }

 private:
  const Bytes& stream_;
  std::size_t chunk_;
  std::size_t at_ = 0;
};

// Touches what it is handed, as a real consumer would.
class SummingConsumer : public PacketConsumer {
 public:
  void AcceptDataPacket(std::uint8_t* record, int recordLength) override {
    sum += record[2] + static_cast<unsigned>(recordLength);
  }
  void AcceptUploadBlock(const std::array<std::uint8_t, kUploadBlockPacketSize>& r) override {
    sum += r[2];
  }
  unsigned sum = 0;
};

void BM_PumpMixedStream(benchmark::State& state) {
  static const Bytes stream = bench::MixedStream();
  StreamBackend backend(stream, static_cast<std::size_t>(state.range(0)));
  ScriptedPrompter prompter;
  SerialPortService ports(backend, prompter);
  ports.OpenPortSlot(kLoggerSlot, 1);
  ReceivedRecords records;
  SummingConsumer consumer;
  RawInputTap tap;
  ReceivePump pump(ports, records, consumer, tap);

  std::uint64_t before = pump.Counters().totalInputBytes;
  for (auto _ : state) {
    // One pass over the stream per iteration.
    const std::uint64_t target = pump.Counters().totalInputBytes + stream.size();
    while (pump.Counters().totalInputBytes < target) pump.PumpReceive();
  }
  benchmark::DoNotOptimize(consumer.sum);
  const std::uint64_t bytes = pump.Counters().totalInputBytes - before;
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["xLineRate"] = benchmark::Counter(
      static_cast<double>(bytes) / bench::kLineBytesPerSecond, benchmark::Counter::kIsRate);
  state.counters["packets"] = static_cast<double>(pump.Counters().packetCount);
}
BENCHMARK(BM_PumpMixedStream)->Arg(512)->Arg(4096)->Arg(16384);

}  // namespace
}  // namespace qv
