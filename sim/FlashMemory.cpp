#include "sim/FlashMemory.h"

#include <algorithm>

#include "sim/LoggerModel.h"
#include "sim/MeterActivity.h"
#include "sim/PortUse.h"

namespace qv {

namespace {

constexpr int kOtherBytesPerSecond = 4;  // a time stamp a second into the run file

}  // namespace

void FlashMemory::File::Grow(std::int64_t perSecond, std::int64_t ms) {
  rest += perSecond * ms;
  bytes += rest / 1000;
  rest %= 1000;
}

void FlashMemory::Record(const SetupBytes& setup, int model, std::int64_t ms) {
  if (ms <= 0) return;
  const SetupView s(setup);
  const ModelPorts hw = PortsOfModel(model);
  const int rate = std::max<int>(1, s.AnalogRate());
  for (int p = 1; p <= 8; ++p) {
    if (PortPresent(hw.serialMask, p))
      ports_[p].Grow(ActivityOfMeter(s.PortMeterType(p), s.PortBaud(p), rate).bytesPerSecond, ms);
  }
  // Each analog reading is two bytes, each scan four bytes of time.
  const int analogOn = AnalogPortsOn(setup, model);
  if (analogOn > 0) analog_.Grow(rate * (2 * analogOn + 4), ms);
  other_.Grow(kOtherBytesPerSecond, ms);
}

void FlashMemory::StartRun() {
  ports_.fill(File{});
  analog_ = File{};
  other_ = File{};
}

void FlashMemory::KeepRun() { kept_ += RunBytes(); }

void FlashMemory::Erase() {
  kept_ = 0;
  StartRun();
}

std::int64_t FlashMemory::RunBytes() const {
  std::int64_t sum = analog_.bytes + other_.bytes;
  for (const File& f : ports_) sum += f.bytes;
  return sum;
}

}  // namespace qv
