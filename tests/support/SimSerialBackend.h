// A serial backend for tests whose "COM n" is a simulated logger in the same
// process, on the test's clock: the line's pace, the garbling at a wrong line
// setting and the line's faults are qvsim's own, from the same LoggerEnd.
// Other COM numbers may hold simulated instruments (qvsim --meter's MeterEnd)
// for the PC Logger's inputs, or listeners that take what the host writes.
// Moved on by AdvanceTo, a peer of VirtualTime, so a run is deterministic
// and a minute of it takes milliseconds.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "platform/SerialBackend.h"
#include "sim/LoggerEnd.h"
#include "sim/MeterEnd.h"
#include "sim/SimOptions.h"

namespace qv::testing {

class SimSerialBackend : public SerialBackend {
 public:
  // What the port's driver holds for the host before the line waits.
  static constexpr std::size_t kReceiveBuffer = 64 * 1024;

  explicit SimSerialBackend(Clock& clock) : clock_(clock) {}

  // A logger with `options` on "COM n", powered up now; replaces any other,
  // as a new qvsim on the same device would.
  void Connect(const SimOptions& options, int comNumber = 1);
  // The device goes away (a USB adapter pulled out): a handle opened before
  // reads and writes -1 for good and new opens fail. The logger runs on.
  void Unplug();
  // The device is back; only a new open reaches it.
  void Plug() { plugged_ = true; }
  void PowerCycle();

  // An instrument with `options` on "COM n" from now on; replaces any other
  // instrument or listener there.
  void ConnectMeter(const MeterOptions& options, int comNumber);
  // A device on "COM n" that sends nothing and keeps what the host writes.
  void ConnectListener(int comNumber);
  // The instrument or listener on "COM n" goes away (a handle opened before
  // reads and writes -1 for good, new opens fail), and comes back.
  void UnplugDevice(int comNumber);
  void PlugDevice(int comNumber);
  // Every byte the host has read from, or written to, "COM n" (any device).
  const std::vector<std::uint8_t>& ReadFrom(int comNumber) const;
  const std::vector<std::uint8_t>& WrittenTo(int comNumber) const;
  // Moves the logger and the line on to `nowMs` (virtual milliseconds).
  void AdvanceTo(std::int64_t nowMs);

  bool Connected() const { return end_ != nullptr; }
  // The logger's end of the line; only while Connected.
  const LoggerEnd& Logger() const { return *end_; }
  SimSnapshot Snapshot() const { return end_->Snapshot(); }
  bool IsOpen() const { return live_ != kInvalidHandle; }
  // The line setting of the last open, which the logger's end compares with its own.
  const LineSetting& HostLine() const { return hostLine_; }
  int OpenCalls() const { return openCalls_; }

  Handle Open(int comNumber, const LineSetting& setting) override;
  bool Close(Handle h) override;
  long Read(Handle h, std::uint8_t* buffer, std::size_t max) override;
  long Write(Handle h, const std::uint8_t* bytes, std::size_t count) override;
  std::string DeviceName(int comNumber) const override;

 private:
  Clock& clock_;
  std::unique_ptr<LoggerEnd> end_;
  int com_ = 0;
  bool plugged_ = true;
  Handle live_ = kInvalidHandle;  // the open handle that reaches the device
  std::set<Handle> dead_;         // handles left from before an unplug
  Handle nextHandle_ = 100;
  int openCalls_ = 0;
  LineSetting hostLine_;
  std::vector<std::uint8_t> toLogger_;  // written since the last step
  std::deque<std::uint8_t> toHost_;     // carried by the line, not read yet
  std::int64_t originMs_ = 0;           // when the logger was connected
  std::int64_t nowMs_ = 0;

  // An instrument (or, with no end, a listener) on a COM number of its own.
  struct Device {
    std::unique_ptr<MeterEnd> end;
    bool plugged = true;
    Handle live = kInvalidHandle;
    LineSetting hostLine;
    std::deque<std::uint8_t> toHost;
    std::int64_t originMs = 0;
  };
  Device* DeviceOf(Handle h);
  std::map<int, Device> devices_;
  std::map<int, std::vector<std::uint8_t>> readFrom_;
  std::map<int, std::vector<std::uint8_t>> writtenTo_;
};

}  // namespace qv::testing
