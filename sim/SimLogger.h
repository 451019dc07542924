// The simulated logger itself, without any I/O: fed the host's bytes and moved on
// by Tick, it queues the packets it sends (status, replies, real-time data)
// with the line setting each goes out at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "platform/SerialBackend.h"
#include "protocol/OperationState.h"
#include "protocol/SetupRecord.h"
#include "protocol/StatusRecord.h"
#include "sim/DataStreamer.h"
#include "sim/FactoryRecords.h"
#include "sim/FlashMemory.h"
#include "sim/HostInput.h"
#include "sim/PortTestMode.h"
#include "sim/RunSchedule.h"
#include "sim/SimOptions.h"
#include "sim/SimRandom.h"

namespace qv {

struct OutgoingPacket {
  LineSetting line;  // the logger's own line when it sent the packet
  std::vector<std::uint8_t> bytes;
};

class SimLogger {
 public:
  using LogSink = std::function<void(const std::string&)>;

  // How long clearing the flash and restarting the monitor take.
  static constexpr std::int64_t kClearMemoryMs = 2000;
  static constexpr std::int64_t kMonitorResetMs = 2000;
  // After power-up an RS-422 logger listens this long at 9600 8N1 RS-232.
  static constexpr std::int64_t kRs232ListenMs = 3000;

  SimLogger(const SimOptions& options, Clock& clock, LogSink log = {});

  // Bytes from the host, taken at the time of the last Tick.
  void Receive(const std::uint8_t* bytes, std::size_t count);
  // Moves the logger on to `nowMs` (a steady millisecond count).
  void Tick(std::int64_t nowMs);
  std::vector<OutgoingPacket> TakeOutput();
  // Power off and on: a run ends, the clock keeps going, an RS-422 logger
  // opens its RS-232 window, a logger set to auto-start begins sampling.
  void PowerCycle();

  // The status record the logger would send now.
  StatusRecord Status();
  std::int32_t LoggerTime();
  OperationState State() const { return state_; }
  std::int16_t LoggerId() const { return loggerId_; }
  std::int32_t ClockOffset() const { return clockOffset_; }
  const SetupBytes& Setup() const { return setup_; }
  // Whether the setup asks for real-time data while the logger samples.
  bool SetupStreams() const;
  bool Streaming() const { return streamer_.Streaming(); }
  const StreamCounts& Streamed() const { return streamer_.Counts(); }
  std::int16_t RunNumber() const { return runNumber_; }
  bool Rs422() const { return rs422_; }
  // The line the host port hears and talks at now.
  LineSetting Line() const;
  // Neither hears nor sends: RS-422 selected on an RS-232 cable.
  bool Silent() const;
  bool ListeningForRs232() const;
  const FactoryRecords& Factory() const { return factory_; }
  // The port under test (1..8, 9 the analog ports), 0 outside a port test.
  int PortUnderTest() const { return test_ ? test_->Frame().testPortNumber : 0; }

 private:
  void Handle(const HostInput& in);
  void Obey(const CommandFrame& command);
  void AcceptSetup(const std::vector<std::uint8_t>& bytes);
  void AcceptFactoryRecord(const HostInput& in);
  void StartPortTest(const PortTestFrame& frame);
  void EndPortTest(const char* how);
  void PassPortTestBytes();
  void Emit(std::vector<std::uint8_t> packet);
  void SendStatus();
  void SendSetup();

  void BeginSample();
  void StopRun(const char* how);
  void HaltRun();
  void EnterPhase(RunPhase phase, std::int64_t startMs);
  void SetState(OperationState state, std::int64_t endMs);
  void EndOfState();
  void Advance(std::int64_t toMs);
  void Sample(std::int64_t ms);
  void Stream(std::int64_t toMs, std::int64_t clockMs);
  void LoadDefaults();
  bool Busy() const;

  std::uint32_t TimeLeft();
  std::int16_t PowerFlags() const;
  void Log(const std::string& line) const;

  SimOptions options_;
  Clock& clock_;
  LogSink log_;
  SimRandom rng_;
  HostInputSplitter splitter_;
  std::vector<OutgoingPacket> output_;

  std::int16_t model_;
  std::int16_t loggerId_;
  std::int32_t clockOffset_;
  SetupBytes setup_{};
  LineSetting line_;
  bool rs422_;
  std::int64_t listenUntilMs_ = -1;

  std::int64_t nowMs_ = 0;
  std::int64_t nextStatusMs_ = 0;
  OperationState state_;
  std::int64_t stateEndMs_ = -1;  // -1: the state lasts until something ends it
  RunPhase phase_ = RunPhase::Delay;
  bool runActive_ = false;
  std::int32_t wakeTime_ = 0;  // logger time a Sleep Until ends
  std::int64_t lastStopMs_ = -1;

  std::int16_t runNumber_ = -1;
  std::int64_t runStartMs_ = 0;
  FlashMemory flash_;
  DataStreamer streamer_;
  std::vector<std::vector<std::uint8_t>> streamed_;

  std::int32_t batteryMv_ = 12400;
  std::int64_t drainMs_ = 0;
  std::int16_t startMv_ = 0;
  std::int16_t endMv_ = 0;

  FactoryRecords factory_;
  std::optional<PortTestMode> test_;
};

}  // namespace qv
