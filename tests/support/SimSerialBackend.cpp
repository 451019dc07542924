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

void SimSerialBackend::ConnectMeter(const MeterOptions& options, int comNumber) {
  Device& d = devices_[comNumber];
  if (d.live != kInvalidHandle) dead_.insert(d.live);
  d = Device{};
  d.end = std::make_unique<MeterEnd>(options, clock_);
  d.hostLine = options.line;
  d.originMs = nowMs_;
}

void SimSerialBackend::ConnectListener(int comNumber) {
  Device& d = devices_[comNumber];
  if (d.live != kInvalidHandle) dead_.insert(d.live);
  d = Device{};
}

void SimSerialBackend::UnplugDevice(int comNumber) {
  auto it = devices_.find(comNumber);
  if (it == devices_.end()) return;
  Device& d = it->second;
  d.plugged = false;
  if (d.live != kInvalidHandle) dead_.insert(d.live);
  d.live = kInvalidHandle;
  d.toHost.clear();
}

void SimSerialBackend::PlugDevice(int comNumber) {
  auto it = devices_.find(comNumber);
  if (it != devices_.end()) it->second.plugged = true;
}

const std::vector<std::uint8_t>& SimSerialBackend::ReadFrom(int comNumber) const {
  static const std::vector<std::uint8_t> kNone;
  auto it = readFrom_.find(comNumber);
  return it == readFrom_.end() ? kNone : it->second;
}

const std::vector<std::uint8_t>& SimSerialBackend::WrittenTo(int comNumber) const {
  static const std::vector<std::uint8_t> kNone;
  auto it = writtenTo_.find(comNumber);
  return it == writtenTo_.end() ? kNone : it->second;
}

SimSerialBackend::Device* SimSerialBackend::DeviceOf(Handle h) {
  if (h == kInvalidHandle) return nullptr;
  for (auto& [com, d] : devices_)
    if (d.live == h) return &d;
  return nullptr;
}

void SimSerialBackend::AdvanceTo(std::int64_t nowMs) {
  nowMs_ = std::max(nowMs_, nowMs);
  for (auto& entry : devices_) {
    Device& d = entry.second;
    if (!d.end) continue;
    const std::int64_t meterMs = nowMs_ - d.originMs;
    d.end->Step(meterMs, d.hostLine);
    // An instrument keeps sending whether or not a port is open to hear it.
    d.end->Deliver(meterMs, [&d](const std::uint8_t* bytes, std::size_t count) -> long {
      if (d.live == kInvalidHandle) return static_cast<long>(count);
      const std::size_t room = kReceiveBuffer - std::min(kReceiveBuffer, d.toHost.size());
      const std::size_t n = std::min(room, count);
      d.toHost.insert(d.toHost.end(), bytes, bytes + n);
      return static_cast<long>(n);
    });
  }
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
  if (auto it = devices_.find(comNumber); it != devices_.end()) {
    Device& d = it->second;
    if (!d.plugged || d.live != kInvalidHandle) return kInvalidHandle;
    d.live = nextHandle_++;
    d.hostLine = setting;
    d.toHost.clear();
    return d.live;
  }
  if (!end_ || comNumber != com_ || !plugged_ || live_ != kInvalidHandle) return kInvalidHandle;
  live_ = nextHandle_++;
  hostLine_ = setting;
  toHost_.clear();
  return live_;
}

bool SimSerialBackend::Close(Handle h) {
  if (Device* d = DeviceOf(h)) {
    d->live = kInvalidHandle;
    d->toHost.clear();
    return true;
  }
  if (h == live_ && h != kInvalidHandle) {
    live_ = kInvalidHandle;
    toHost_.clear();
    return true;
  }
  return dead_.erase(h) > 0;
}

namespace {

// Moves up to `max` bytes from the line to the host's buffer and the log.
long TakeFromLine(std::deque<std::uint8_t>& line, std::uint8_t* buffer, std::size_t max,
                  std::vector<std::uint8_t>& log) {
  const std::size_t n = std::min(max, line.size());
  std::copy_n(line.begin(), n, buffer);
  log.insert(log.end(), buffer, buffer + n);
  line.erase(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(n));
  return static_cast<long>(n);
}

}  // namespace

long SimSerialBackend::Read(Handle h, std::uint8_t* buffer, std::size_t max) {
  for (auto& [com, d] : devices_)
    if (h != kInvalidHandle && d.live == h) return TakeFromLine(d.toHost, buffer, max, readFrom_[com]);
  if (h != live_ || h == kInvalidHandle) return -1;
  return TakeFromLine(toHost_, buffer, max, readFrom_[com_]);
}

long SimSerialBackend::Write(Handle h, const std::uint8_t* bytes, std::size_t count) {
  for (auto& [com, d] : devices_) {
    if (h == kInvalidHandle || d.live != h) continue;
    writtenTo_[com].insert(writtenTo_[com].end(), bytes, bytes + count);
    return static_cast<long>(count);
  }
  if (h != live_ || h == kInvalidHandle) return -1;
  writtenTo_[com_].insert(writtenTo_[com_].end(), bytes, bytes + count);
  toLogger_.insert(toLogger_.end(), bytes, bytes + count);
  return static_cast<long>(count);
}

std::string SimSerialBackend::DeviceName(int comNumber) const {
  if (auto it = devices_.find(comNumber); it != devices_.end())
    return it->second.end ? "simulated instrument" : "simulated listener";
  return end_ && comNumber == com_ ? "simulated logger" : "";
}

}  // namespace qv::testing
