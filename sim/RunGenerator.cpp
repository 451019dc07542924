#include "sim/RunGenerator.h"

#include <algorithm>

#include "sim/DefaultSetup.h"
#include "sim/LoggerModel.h"
#include "sim/PortUse.h"
#include "sim/SimOptions.h"

namespace qv {

namespace {

struct Meter {
  std::int16_t type;
  std::int32_t baud;
  std::int16_t dataBits;
};

// Meters seen on logger ports, with their usual line.
constexpr Meter kMeters[] = {{2, 9600, 8},  {3, 9600, 8},   {4, 19200, 8}, {5, 9600, 8},
                             {6, 4800, 8},  {9, 9600, 8},   {10, 9600, 8}, {11, 19200, 8},
                             {12, 19200, 8}, {3, 4800, 7}};
constexpr Meter kPump{7, 0, 7};
constexpr Meter kFastBinary{4, 115200, 8};
constexpr std::int16_t kPowers[] = {3860, 7860, 14720, 16000};

SetupBytes SetupOfRun(int model, int index, RunStyle style, SimRandom& rng) {
  SetupBytes bytes = DefaultSetup(model, LineSetting{9600, 8, 'N', 1});
  SetupRecord s(bytes);
  const ModelPorts hw = PortsOfModel(model);
  const bool moored = index % 2 == 1;
  s.SetMode(moored ? 1 : 0);
  s.SetTimeField(SetupRecord::DelayTime, static_cast<std::int32_t>(rng.Below(3)) * 60);
  s.SetTimeField(SetupRecord::SampleTime, 10 + static_cast<std::int32_t>(rng.Below(4)) * 10);
  s.SetTimeField(SetupRecord::SampleInterval, 600);
  for (int p = 1; p <= 8; ++p) {
    if (!PortPresent(hw.serialMask, p)) continue;
    Meter m = kMeters[rng.Below(sizeof kMeters / sizeof kMeters[0])];
    if (p == 1 && HasBuiltInPx5(model)) m = {1, 19200, 8};
    // Raw runs keep a pump on a port: its records are empty.
    if (style == RunStyle::Headers && p == 4) m = kPump;
    s.SetPortMeterType(p, m.type);
    s.SetPortBaud(p, m.baud);
    s.SetPortDataBits(p, m.dataBits);
    s.SetPortParity(p, m.dataBits == 7 ? 2 : 0);
  }
  s.SetAnalogRate(static_cast<std::int16_t>(1 + rng.Below(4)));
  s.SealChecksum();
  return bytes;
}

}  // namespace

std::vector<GeneratedRun> GeneratePreloadedRuns(int model, std::uint64_t seed, int count,
                                                std::uint32_t endTime) {
  SimRandom rng(seed);
  std::vector<GeneratedRun> runs;
  std::int32_t free = 64 * 1024 * 1024;
  for (int i = 0; i < count; ++i) {
    const RunStyle style = static_cast<RunStyle>(i % 3);
    RunPlan plan;
    plan.model = model;
    plan.style = style;
    plan.setup = SetupOfRun(model, i, style, rng);
    plan.runNumber = static_cast<std::int16_t>(i + 1);
    plan.loggerId = static_cast<std::uint8_t>(1 + rng.Below(4));
    plan.serialNumber = static_cast<std::int16_t>(100 + seed % 900);
    plan.startTime = endTime - static_cast<std::uint32_t>(count - i) * 86400u;
    plan.samples = 2 + static_cast<int>(rng.Below(2));
    plan.freeBefore = free;
    plan.powerSetting = kPowers[rng.Below(4)];
    plan.seed = rng.Next();
    SamplingRecorder recorder(plan);
    for (int n = 0; n < (SetupRecord(plan.setup).Mode() == 1 ? plan.samples : 1); ++n) {
      // The logger's note between samples: no time stamp, so extraction passes it by.
      if (style == RunStyle::Multiplexed && n > 0) {
        const std::string note = "\r\n *** Sample " + std::to_string(n + 1) + " ***\r\n";
        recorder.Writer().Record(kRecArchiveMux1,
                                 std::vector<std::uint8_t>(note.begin(), note.end()));
      }
      recorder.Sample();
    }
    GeneratedRun run{plan.runNumber, style, recorder.End()};
    free -= static_cast<std::int32_t>(run.bytes.size());
    runs.push_back(std::move(run));
  }
  return runs;
}

std::vector<std::uint8_t> GenerateLargeRun(int model, RunStyle style, std::size_t bytes,
                                           std::uint64_t seed) {
  SimRandom rng(seed);
  RunPlan plan;
  plan.model = model;
  plan.style = style;
  plan.setup = SetupOfRun(model, 1, style, rng);
  SetupRecord s(plan.setup);
  s.SetTimeField(SetupRecord::SampleTime, 600);
  // One fast instrument keeps the channels filling past a packet's room.
  const int fast = style == RunStyle::Headers ? 5 : 4;
  if (PortPresent(PortsOfModel(model).serialMask, fast)) {
    s.SetPortMeterType(fast, kFastBinary.type);
    s.SetPortBaud(fast, kFastBinary.baud);
  }
  s.SealChecksum();
  plan.scansPerSecond = 200;
  plan.startTime = 1'700'000'000u;
  plan.seed = rng.Next();
  plan.freeBefore = plan.totalMemory;
  SamplingRecorder recorder(plan);
  while (recorder.Size() < bytes) recorder.Sample();
  return recorder.End();
}

}  // namespace qv
