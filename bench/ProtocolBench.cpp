// The wire format alone: the framer over a mixed stream, and decoding and
// encoding a typical data packet, against the line's 11,520 bytes a second.
#include <benchmark/benchmark.h>

#include "bench/MixedStream.h"
#include "protocol/DataPacket.h"
#include "protocol/PacketFramer.h"
#include "protocol/StatusRecord.h"

namespace qv {
namespace {

using testing::Bytes;

void BM_FrameMixedStream(benchmark::State& state) {
  static const Bytes stream = bench::MixedStream();
  std::int64_t packets = 0;
  for (auto _ : state) {
    PacketFramer framer;
    std::size_t at = 0;
    while (at < stream.size()) {
      const Framed f = framer.FramePacket(stream.data() + at, static_cast<int>(stream.size() - at));
      if (f.result == FrameResult::NeedMore) break;
      if (f.result == FrameResult::Packet) {
        at += static_cast<std::size_t>(f.size);
        ++packets;
        framer.Reset();
      } else {
        ++at;
      }
    }
  }
  const auto bytes = state.iterations() * static_cast<std::int64_t>(stream.size());
  state.SetBytesProcessed(bytes);
  state.counters["xLineRate"] = benchmark::Counter(
      static_cast<double>(bytes) / bench::kLineBytesPerSecond, benchmark::Counter::kIsRate);
  state.counters["packets"] = static_cast<double>(packets);
}
BENCHMARK(BM_FrameMixedStream);

// A logger unit with a CTD line on port 1, a meter on port 2 and analog values on port 9.
Bytes TypicalPacket() {
  testing::PortBytes p;
  p[0] = Bytes(60, 'c');
  p[1] = Bytes(40, 'm');
  p[8] = Bytes(12, 'a');
  return testing::MakeDataPacket(1, 0, 123456, p);
}

void BM_DecodeDataPacket(benchmark::State& state) {
  const Bytes packet = TypicalPacket();
  for (auto _ : state) benchmark::DoNotOptimize(DataPacket::Decode(packet));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(packet.size()));
}
BENCHMARK(BM_DecodeDataPacket);

void BM_EncodeDataPacket(benchmark::State& state) {
  const DataPacket packet = *DataPacket::Decode(TypicalPacket());
  for (auto _ : state) benchmark::DoNotOptimize(packet.Encode());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(packet.payload.size() + 36));
}
BENCHMARK(BM_EncodeDataPacket);

void BM_StatusRoundTrip(benchmark::State& state) {
  StatusRecord r;
  r.loggerId = 3;
  for (auto _ : state) {
    const StatusRecord::Bytes bytes = r.Encode();
    benchmark::DoNotOptimize(StatusRecord::Decode(bytes));
  }
}
BENCHMARK(BM_StatusRoundTrip);

}  // namespace
}  // namespace qv
