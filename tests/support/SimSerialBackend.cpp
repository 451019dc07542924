#include "tests/support/SimSerialBackend.h"

#include <algorithm>

namespace qv::testing {

void SimSerialBackend::Connect(const SimOptions& options, int comNumber) {
  end_ = std::make_unique<LoggerEnd>(options, clock_);
  com_ = comNumber;
  originMs_ = nowMs_;
  hostLine_ = options.line;
  toLogger_.clear();
  toHost_.clear();
}

void SimSerialBackend::Unplug() {
  plugged_ = false;
  if (live_ != kInvalidHandle) dead_.insert(live_);
  live_ = kInvalidHandle;
  toLogger_.clear();
  toHost_.clear();
}

void SimSerialBackend::PowerCycle() {
  if (end_) end_->PowerCycle();
}

void SimSerialBackend::AdvanceTo(std::int64_t nowMs) {
  nowMs_ = std::max(nowMs_, nowMs);
  if (!end_) return;
  const std::int64_t loggerMs = nowMs_ - originMs_;
  end_->Step(loggerMs, hostLine_, toLogger_);
  toLogger_.clear();
  // A line that reaches no open port keeps nothing, as a serial port does.
  end_->Deliver(loggerMs, [this](const std::uint8_t* bytes, std::size_t count) -> long {
    if (live_ == kInvalidHandle) return static_cast<long>(count);
    const std::size_t room = kReceiveBuffer - std::min(kReceiveBuffer, toHost_.size());
    const std::size_t n = std::min(room, count);
    toHost_.insert(toHost_.end(), bytes, bytes + n);
    return static_cast<long>(n);
  });
}

SerialBackend::Handle SimSerialBackend::Open(int comNumber, const LineSetting& setting) {
  ++openCalls_;
  if (!end_ || comNumber != com_ || !plugged_ || live_ != kInvalidHandle) return kInvalidHandle;
  live_ = nextHandle_++;
  hostLine_ = setting;
  toHost_.clear();
  return live_;
}

bool SimSerialBackend::Close(Handle h) {
  if (h == live_ && h != kInvalidHandle) {
    live_ = kInvalidHandle;
    toHost_.clear();
    return true;
  }
  return dead_.erase(h) > 0;
}

long SimSerialBackend::Read(Handle h, std::uint8_t* buffer, std::size_t max) {
  if (h != live_ || h == kInvalidHandle) return -1;
  const std::size_t n = std::min(max, toHost_.size());
  std::copy_n(toHost_.begin(), n, buffer);
  toHost_.erase(toHost_.begin(), toHost_.begin() + static_cast<std::ptrdiff_t>(n));
  return static_cast<long>(n);
}

long SimSerialBackend::Write(Handle h, const std::uint8_t* bytes, std::size_t count) {
  if (h != live_ || h == kInvalidHandle) return -1;
  toLogger_.insert(toLogger_.end(), bytes, bytes + count);
  return static_cast<long>(count);
}

std::string SimSerialBackend::DeviceName(int comNumber) const {
  return end_ && comNumber == com_ ? "simulated logger" : "";
}

}  // namespace qv::testing
