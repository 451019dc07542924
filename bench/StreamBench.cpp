// Packet acceptance with and without archive recording, for typical logger
// packets handed over as the receive pump does (header converted in place).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "link/SerialPortService.h"
#include "stream/DataStream.h"
#include "tests/support/PacketBuilder.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

using testing::Bytes;

// Opens everything and swallows writes, so routing costs the call and nothing more.
class NullBackend : public SerialBackend {
 public:
  Handle Open(int comNumber, const LineSetting&) override { return comNumber; }
  bool Close(Handle) override { return true; }
  long Read(Handle, std::uint8_t*, std::size_t) override { return 0; }
  long Write(Handle, const std::uint8_t*, std::size_t count) override {
    return static_cast<long>(count);
  }
  std::string DeviceName(int) const override { return {}; }
};

// A logger unit with a CTD line on port 1, a meter on port 2 and analog values on port 9.
Bytes TypicalRecord() {
  testing::PortBytes p;
  p[0] = Bytes(60, 'c');
  p[1] = Bytes(40, 'm');
  p[8] = Bytes(12, 'a');
  const Bytes packet = testing::MakeDataPacket(1, 0, 123456, p);
  return Bytes(packet.begin() + 2, packet.end() - 2);
}

class StreamRig {
 public:
  StreamRig() {
    ports.OpenPortSlot(1, 2);
    slots[1] = {kPortKindLoggerOutput, 1, 1, 0, 0};  // port 1 passed on to a PC port
    std::string pattern = (std::filesystem::temp_directory_path() / "qvbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    dir = pattern;
  }
  ~StreamRig() {
    StopRecording();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  void StartRecording() {
    prompter.files.push_back((dir / "bench.arc").string());
    stream.recordTab.BTRecordArchive.UserClick();
    if (stream.RecordingMode() != RecordingMode::Archive) std::abort();
  }
  void StopRecording() { stream.recordTab.BTStopRecord.UserClick(); }
  // One packet as the pump hands it: fresh big-endian header, next sequence.
  void Accept() {
    std::memcpy(work.data(), pristine.data(), pristine.size());
    work[3] = sequence++;
    benchmark::DoNotOptimize(stream.AcceptDataPacket(work.data(), static_cast<int>(work.size())));
  }

  NullBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports{backend, prompter};
  PcPortSlots slots;
  forms::TabSheet page{nullptr, "TSRecord", ""};
  FakeClock clock;
  DataStream stream{{ports, prompter, slots, page, clock}};
  std::filesystem::path dir;
  const Bytes pristine = TypicalRecord();
  Bytes work = pristine;
  std::uint8_t sequence = 0;
};

void Report(benchmark::State& state, std::size_t recordLength) {
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(recordLength));
  state.counters["record_bytes"] = static_cast<double>(recordLength);
}

// Sequence check, counting, the parsed display test and routing to one PC port.
void BM_AcceptDataPacket(benchmark::State& state) {
  StreamRig rig;
  for (auto _ : state) rig.Accept();
  Report(state, rig.pristine.size());
}
BENCHMARK(BM_AcceptDataPacket);

// The same plus one archive write per packet; with a flush every `range(0)`
// packets (40: the once-a-second flush at the host's top packet rate), or never (0).
void BM_AcceptAndRecordArchive(benchmark::State& state) {
  StreamRig rig;
  rig.StartRecording();
  const auto flushEvery = state.range(0);
  std::int64_t n = 0;
  for (auto _ : state) {
    rig.Accept();
    ++n;
    if (flushEvery > 0 && n % flushEvery == 0) rig.stream.RecordingStatusTick();
    if (n % (1 << 16) == 0) {  // keeps the file small: a fresh recording now and then
      state.PauseTiming();
      rig.StopRecording();
      rig.StartRecording();
      state.ResumeTiming();
    }
  }
  if (rig.stream.Recording().BytesWritten() == 0 && n > 0) state.SkipWithError("nothing recorded");
  Report(state, rig.pristine.size());
}
// Wall time: the write and the flush wait for the system, not the processor.
BENCHMARK(BM_AcceptAndRecordArchive)->Arg(0)->Arg(40)->UseRealTime();

}  // namespace
}  // namespace qv
