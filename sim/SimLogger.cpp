#include "sim/SimLogger.h"

#include <algorithm>

#include "common/Format.h"
#include "common/LoggerTime.h"
#include "protocol/Commands.h"
#include "protocol/OperationState.h"
#include "protocol/PacketTypes.h"
#include "sim/DefaultSetup.h"
#include "sim/LoggerLine.h"
#include "sim/LoggerModel.h"
#include "sim/MeterActivity.h"
#include "sim/PortUse.h"
#include "sim/SimMeter.h"

namespace qv {

namespace {

constexpr std::int32_t kLowestBatteryMv = 10500;
constexpr std::int64_t kDrainMsPerMv = 10000;  // sampling costs 1 mV every 10 s

// A state's name for the log.
const char* StateName(OperationState state) {
  const char* text = OperationStateText(state);
  return text != nullptr ? text : "?";
}

std::int16_t ClampMv(std::int64_t mv) {
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(mv, 0, 32767));
}

std::int32_t ClampSize(std::int64_t bytes) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(bytes, 0, INT32_MAX));
}

// Real Time Mode at once: no delay, no warm-up, sampling from power-up.
void MakeStreamingSetup(SetupBytes& bytes) {
  SetupRecord s(bytes);
  s.SetMode(2);
  s.SetOutputFormat(1);  // Real Time Data + Status
  for (SetupView::Time t : {SetupView::DelayTime, SetupView::PreFlushTime, SetupView::WarmUpTime,
                            SetupView::FlushTime})
    s.SetTimeField(t, 0);
  s.SetAutoStart(1);
  s.SealChecksum();
}

}  // namespace

SimLogger::SimLogger(const SimOptions& options, Clock& clock, LogSink log)
    : options_(options),
      clock_(clock),
      log_(std::move(log)),
      rng_(options.seed ^ 0x4C4F4747u),
      model_(static_cast<std::int16_t>(options.model)),
      loggerId_(static_cast<std::int16_t>(options.loggerId)),
      clockOffset_(options.clockOffsetSeconds),
      line_(options.line),
      rs422_(options.cable == Cable::Rs422),
      state_(OperationState::Standby),
      flash_(options.totalMemory),
      streamer_(options.chain,
                PacketFaultRates{options.packetGapRate, options.packetRepeatRate,
                                 options.packetCorruptRate},
                options.seed ^ 0x5354524541ull),
      factory_(options.model, options.serialNumber, options.runStopSwitch) {
  setup_ = DefaultSetup(model_, options_.line);
  if (options_.statusPeriodMs < 1) options_.statusPeriodMs = 1000;
  if (options_.stream) {
    MakeStreamingSetup(setup_);
    BeginSample();
  }
}

// ---- time ----

std::int32_t SimLogger::LoggerTime() {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(LoggerTimeOf(clock_.Now())) +
                                   clockOffset_);
}

void SimLogger::Tick(std::int64_t nowMs) {
  Advance(std::max(nowMs, nowMs_));
  if (listenUntilMs_ >= 0 && nowMs_ >= listenUntilMs_) {
    listenUntilMs_ = -1;
    Log("no CmdSelectRs232 after power-up: RS-422 again");
  }
  while (auto in = splitter_.Next(nowMs_)) Handle(*in);
  if (state_ == OperationState::Sleeping && !runActive_ && LoggerTime() >= wakeTime_) {
    Log("wake-up time reached");
    SetState(OperationState::Standby, -1);
  }
  if (test_) PassPortTestBytes();
  if (nowMs_ >= nextStatusMs_) {
    // A logger in test mode passes its port through and nothing else.
    if (!test_) SendStatus();
    nextStatusMs_ += options_.statusPeriodMs;
    if (nextStatusMs_ <= nowMs_) nextStatusMs_ = nowMs_ + options_.statusPeriodMs;
  }
}

// Runs the state machine up to `toMs`, ending states at their own moment
// so that a late tick does not stretch them.
void SimLogger::Advance(std::int64_t toMs) {
  for (;;) {
    const std::int64_t until = stateEndMs_ >= 0 ? std::min(toMs, stateEndMs_) : toMs;
    if (state_ == OperationState::Sampling) Sample(until - nowMs_);
    if (state_ == OperationState::Sampling) Stream(until, toMs);
    nowMs_ = until;
    if (stateEndMs_ < 0 || nowMs_ < stateEndMs_) return;
    EndOfState();
  }
}

void SimLogger::Sample(std::int64_t ms) {
  if (ms <= 0) return;
  flash_.Record(setup_, model_, ms);
  drainMs_ += ms;
  batteryMv_ = std::max<std::int32_t>(kLowestBatteryMv,
                                      batteryMv_ - static_cast<std::int32_t>(drainMs_ / kDrainMsPerMv));
  drainMs_ %= kDrainMsPerMv;
  if (flash_.Free(true) <= 0) {
    Log("memory full");
    HaltRun();
    SetState(OperationState::EndOfRun, -1);
  }
}

bool SimLogger::SetupStreams() const {
  const SetupView s(setup_);
  // Real Time Mode, or "Real Time Data + Status" or "Real Time Data" output.
  return s.Mode() == 2 || s.OutputFormat() == 1 || s.OutputFormat() == 2;
}

// The data packets due from now up to `toMs`, while the setup asks for them;
// the clock is read at `clockMs`.
void SimLogger::Stream(std::int64_t toMs, std::int64_t clockMs) {
  if (!SetupStreams()) {
    streamer_.Stop();
    return;
  }
  StreamContext c;
  c.setup = setup_;
  c.model = model_;
  c.loggerId = static_cast<std::uint8_t>(loggerId_);
  const std::int16_t setupRate = SetupView(setup_).AnalogRate();
  c.rateHz = options_.rateHz > 0 ? options_.rateHz : setupRate;
  c.runStartMs = runStartMs_;
  c.clockMs = clockMs;
  const ClockReading now = clock_.Now();
  c.loggerTime = static_cast<std::int32_t>(static_cast<std::int64_t>(LoggerTimeOf(now)) + clockOffset_);
  c.utc = now.calendar;
  streamed_.clear();
  streamer_.Run(c, nowMs_, toMs, streamed_);
  for (std::vector<std::uint8_t>& packet : streamed_) Emit(std::move(packet));
}

// ---- states ----

void SimLogger::SetState(OperationState state, std::int64_t endMs) {
  if (state != state_) {
    if (endMs >= 0)
      Log(Format("state %s for %lld s", StateName(state),
                 static_cast<long long>((endMs - nowMs_ + 999) / 1000)));
    else
      Log(Format("state %s", StateName(state)));
  }
  if (state != OperationState::Sampling) streamer_.Stop();
  state_ = state;
  stateEndMs_ = endMs;
}

void SimLogger::EnterPhase(RunPhase phase, std::int64_t startMs) {
  const SetupView s(setup_);
  // Sampling either ends or the interval lasts a second, so one lap finds a phase.
  for (int i = 0; i < 6; ++i) {
    const std::int64_t seconds = PhaseSeconds(s, phase);
    if (seconds != 0) {
      phase_ = phase;
      SetState(StateOfPhase(phase), seconds < 0 ? -1 : startMs + seconds * 1000);
      return;
    }
    phase = PhaseAfter(phase);
  }
}

void SimLogger::EndOfState() {
  const std::int64_t endedAt = stateEndMs_;
  switch (state_) {
    case OperationState::ClearMemory:
      flash_.Erase();
      runNumber_ = -1;
      startMv_ = endMv_ = 0;
      Log("memory cleared");
      SetState(OperationState::Standby, -1);
      break;
    case OperationState::Off:
      Log("monitor restarted");
      SetState(OperationState::Standby, -1);
      break;
    default:
      if (runActive_)
        EnterPhase(PhaseAfter(phase_), endedAt);
      else
        SetState(OperationState::Standby, -1);
      break;
  }
}

bool SimLogger::Busy() const { return state_ == OperationState::ClearMemory || state_ == OperationState::Off; }

void SimLogger::BeginSample() {
  if (runActive_) {
    Log("CmdBeginSample ignored: a run is in progress");
    return;
  }
  runNumber_ = static_cast<std::int16_t>(runNumber_ < 1 ? 1 : runNumber_ + 1);
  flash_.StartRun();
  startMv_ = ClampMv(batteryMv_);
  endMv_ = 0;
  runActive_ = true;
  runStartMs_ = nowMs_;
  Log(Format("begin sample: run %03d", runNumber_));
  EnterPhase(RunPhase::Delay, nowMs_);
}

// The run's files stay in the flash; the logger stops where it is.
void SimLogger::HaltRun() {
  if (!runActive_) return;
  flash_.KeepRun();
  runActive_ = false;
  endMv_ = ClampMv(batteryMv_);
}

void SimLogger::StopRun(const char* how) {
  // The host follows its stop frame with a stop text; one note of a stop
  // with nothing to stop is enough.
  const bool echo = lastStopMs_ >= 0 && nowMs_ - lastStopMs_ < 1000;
  lastStopMs_ = nowMs_;
  if (runActive_) {
    HaltRun();
    Log(Format("%s: run %03d ended", how, runNumber_));
    SetState(OperationState::EndOfRun, -1);
  } else if (state_ == OperationState::Sleeping) {
    Log(Format("%s: sleep ended", how));
    SetState(OperationState::Standby, -1);
  } else if (!echo) {
    Log(Format("%s: no run to stop", how));
  }
}

void SimLogger::LoadDefaults() {
  setup_ = DefaultSetup(model_, options_.line);
  line_ = HostPortLine(SetupView(setup_));
}

void SimLogger::PowerCycle() {
  Log("power cycled");
  test_.reset();
  HaltRun();
  splitter_.Clear();
  output_.clear();
  SetState(OperationState::Standby, -1);
  streamer_.RestartCounts();
  listenUntilMs_ = -1;
  if (rs422_ && options_.cable == Cable::Rs232) {
    listenUntilMs_ = nowMs_ + kRs232ListenMs;
    Log("listening 3 s at 9600 8N1 RS-232 for CmdSelectRs232");
  }
  if (SetupView(setup_).AutoStart() != 0) BeginSample();
}

// ---- the line ----

bool SimLogger::ListeningForRs232() const { return listenUntilMs_ >= 0 && nowMs_ < listenUntilMs_; }

bool SimLogger::Silent() const {
  return rs422_ && options_.cable == Cable::Rs232 && !ListeningForRs232();
}

LineSetting SimLogger::Line() const {
  if (test_) return test_->HostLine();
  return ListeningForRs232() ? LineSetting{9600, 8, 'N', 1} : line_;
}

void SimLogger::Receive(const std::uint8_t* bytes, std::size_t count) {
  if (Silent()) return;
  const std::uint64_t rejected = splitter_.RejectedRecords();
  splitter_.Feed(bytes, count, nowMs_);
  while (auto in = splitter_.Next(nowMs_)) Handle(*in);
  if (splitter_.RejectedRecords() != rejected) Log("record with a bad byte sum ignored");
}

std::vector<OutgoingPacket> SimLogger::TakeOutput() {
  std::vector<OutgoingPacket> out;
  out.swap(output_);
  return out;
}

void SimLogger::Emit(std::vector<std::uint8_t> packet) {
  if (Silent() || ListeningForRs232()) return;
  output_.push_back(OutgoingPacket{test_ ? test_->HostLine() : line_, std::move(packet)});
}

// ---- what the host sends ----

void SimLogger::Handle(const HostInput& in) {
  if (Silent()) return;  // also what came in the same burst after CmdSelectRs422
  if (ListeningForRs232()) {
    const bool rs232 = in.kind == HostInputKind::Command && in.command.code == CmdSelectRs232;
    if (!rs232) return;
  }
  if (test_) {
    // Only a stop ends a port test; the logger hears nothing else meanwhile.
    if (in.kind == HostInputKind::StopText)
      EndPortTest("stop text");
    else if (in.kind == HostInputKind::Command && in.command.code == CmdStop)
      EndPortTest("CmdStop");
    else
      Log("ignored during the port test");
    return;
  }
  switch (in.kind) {
    case HostInputKind::Command:
      Obey(in.command);
      break;
    case HostInputKind::SetupRecord:
      AcceptSetup(in.bytes);
      break;
    case HostInputKind::AnalogCalRecord:
    case HostInputKind::HardwareRecord:
      AcceptFactoryRecord(in);
      break;
    case HostInputKind::PortTest:
      StartPortTest(in.portTest);
      break;
    case HostInputKind::StopText:
      if (Busy()) {
        Log(Format("stop text ignored: %s", StateName(state_)));
        break;
      }
      StopRun("stop text");
      break;
  }
}

void SimLogger::Obey(const CommandFrame& command) {
  const std::uint16_t code = command.code;
  const std::int16_t shortValue = command.shortValue;
  const std::int32_t longValue = command.longValue;
  const char* name = CommandName(code);
  if (name == nullptr) {
    Log(Format("unknown command %04X ignored", code));
    return;
  }
  if (Busy()) {
    Log(Format("%s ignored: %s", name, StateName(state_)));
    return;
  }
  switch (code) {
    case CmdStop:
      StopRun(name);
      break;
    case CmdBeginSample:
      if (state_ == OperationState::Sleeping && !runActive_) SetState(OperationState::Standby, -1);
      BeginSample();
      break;
    case CmdGetSetup:
      SendSetup();
      Log("CmdGetSetup: setup sent");
      break;
    case CmdGetHardwareConfiguration: {
      const HardwareConfigRecord::Bytes record = factory_.Hardware().Encode();
      Emit(std::vector<std::uint8_t>(record.begin(), record.end()));
      Log("CmdGetHardwareConfiguration: hardware configuration sent");
      break;
    }
    case CmdGetAnalogCalibration: {
      const AnalogCalRecord::Bytes record = factory_.Calibration().Encode();
      Emit(std::vector<std::uint8_t>(record.begin(), record.end()));
      Log("CmdGetAnalogCalibration: analog calibration sent");
      break;
    }
    case CmdSetTime: {
      const std::int32_t was = clockOffset_;
      clockOffset_ = static_cast<std::int32_t>(static_cast<std::int64_t>(longValue) -
                                               LoggerTimeOf(clock_.Now()));
      Log(Format("CmdSetTime: clock set (was %+d s off, now %+d s)", was, clockOffset_));
      break;
    }
    case CmdSetLoggerId:
      if (shortValue < 1 || shortValue > 254) {
        Log(Format("CmdSetLoggerId %d refused: IDs are 1 to 254", shortValue));
        break;
      }
      loggerId_ = shortValue;
      Log(Format("CmdSetLoggerId: logger ID %d", loggerId_));
      break;
    case CmdSleepUntil: {
      HaltRun();
      wakeTime_ = longValue;
      const std::int64_t wake = CalendarFromLoggerTime(longValue, clock_.Now().local);
      Log(Format("CmdSleepUntil: sleeping until %s",
                 FormatLocal("%H:%M:%S %m/%d/%y", wake).c_str()));
      SetState(OperationState::Sleeping, -1);
      break;
    }
    case CmdClearMemory:
      if (shortValue != 1) {
        Log(Format("CmdClearMemory refused: confirmation value %d, not 1", shortValue));
        break;
      }
      HaltRun();
      Log("CmdClearMemory: clearing the flash");
      SetState(OperationState::ClearMemory, nowMs_ + kClearMemoryMs);
      break;
    case CmdResetToMonitor:
      HaltRun();
      Log("CmdResetToMonitor: restarting the monitor");
      SetState(OperationState::Off, nowMs_ + kMonitorResetMs);
      break;
    case CmdLoadDefaultSetup:
      HaltRun();
      LoadDefaults();
      Log(Format("CmdLoadDefaultSetup: default setup, host port %s", LineText(line_).c_str()));
      SetState(OperationState::Standby, -1);
      break;
    case CmdLoadFactoryDefaults:
      HaltRun();
      LoadDefaults();
      loggerId_ = 1;
      rs422_ = false;
      Log(Format("CmdLoadFactoryDefaults: default setup, logger ID 1, RS-232, host port %s",
                 LineText(line_).c_str()));
      SetState(OperationState::Standby, -1);
      break;
    case CmdSelectRs232:
      rs422_ = false;
      listenUntilMs_ = -1;
      Log("CmdSelectRs232: host port RS-232");
      break;
    case CmdSelectRs422:
      rs422_ = true;
      Log(options_.cable == Cable::Rs232
              ? "CmdSelectRs422: host port RS-422; silent on this RS-232 cable until a power cycle"
              : "CmdSelectRs422: host port RS-422");
      break;
    default:
      Log(Format("%s: not simulated, ignored", name));
      break;
  }
}

// A setup that moves the host port is answered at the old setting, so the
// host can follow it before the logger changes over.
void SimLogger::AcceptSetup(const std::vector<std::uint8_t>& bytes) {
  std::copy(bytes.begin(), bytes.end(), setup_.begin());
  const LineSetting newLine = HostPortLine(SetupView(setup_));
  if (SameLine(newLine, line_)) {
    Log("setup stored");
    return;
  }
  SendSetup();
  Log(Format("setup stored; host port %s -> %s", LineText(line_).c_str(), LineText(newLine).c_str()));
  line_ = newLine;
}

// ---- factory records and the port test ----

void SimLogger::AcceptFactoryRecord(const HostInput& in) {
  if (Busy()) {
    Log(Format("factory record ignored: %s", StateName(state_)));
    return;
  }
  if (in.kind == HostInputKind::HardwareRecord) {
    const std::string stored = factory_.TakeHardware(in.bytes);
    if (stored.empty()) return;
    model_ = factory_.Hardware().deviceType;
    Log(stored);
  } else {
    const std::string stored = factory_.TakeCalibration(in.bytes);
    if (!stored.empty()) Log(stored);
  }
}

void SimLogger::StartPortTest(const PortTestFrame& frame) {
  if (Busy()) {
    Log(Format("port test ignored: %s", StateName(state_)));
    return;
  }
  HaltRun();
  SetState(OperationState::Standby, -1);
  test_.emplace(frame, setup_, nowMs_, options_.seed ^ frame.testPortNumber);
  const LineSetting host = test_->HostLine();
  Log(Format("port test: port %d at %d baud, host port %s until a stop", frame.testPortNumber,
             frame.testPortBaud, LineText(host).c_str()));
}

void SimLogger::EndPortTest(const char* how) {
  test_.reset();
  lastStopMs_ = nowMs_;
  Log(Format("%s: port test ended, host port %s", how, LineText(line_).c_str()));
}

void SimLogger::PassPortTestBytes() {
  const ModelPorts hw = PortsOfModel(model_);
  const SetupView s(setup_);
  std::vector<std::uint8_t> bytes;
  test_->Produce(nowMs_, clock_.Now().calendar,
                 [&](int n) {
                   const bool on = PortPresent(hw.analogMask, n) && s.AnalogPortMode(n) == 1;
                   return on ? factory_.ReportedMv(n, AnalogRestingMv(n)) : 0;
                 },
                 bytes);
  if (!bytes.empty()) Emit(std::move(bytes));
}

// ---- what the logger sends ----

void SimLogger::SendSetup() {
  SetupRecord s(setup_);
  s.SetHeader(kSetupHeader);
  s.SealChecksum();
  Emit(std::vector<std::uint8_t>(setup_.begin(), setup_.end()));
}

void SimLogger::SendStatus() {
  const StatusRecord::Bytes packet = Status().Encode();
  Emit(std::vector<std::uint8_t>(packet.begin(), packet.end()));
}

std::uint32_t SimLogger::TimeLeft() {
  if (stateEndMs_ >= 0) return static_cast<std::uint32_t>((stateEndMs_ - nowMs_ + 999) / 1000);
  if (state_ == OperationState::Sleeping && !runActive_)
    return static_cast<std::uint32_t>(
        std::max<std::int64_t>(0, static_cast<std::int64_t>(wakeTime_) - LoggerTime()));
  return 0;
}

// Bit 0 logic supply, bit 1 meters, bit 2 pumps, bit 3 analog inputs.
std::int16_t SimLogger::PowerFlags() const {
  const bool metersOn = state_ == OperationState::PreFlush || state_ == OperationState::Warmup ||
                        state_ == OperationState::Flush || state_ == OperationState::Sampling;
  const bool pumping = (state_ == OperationState::PreFlush || state_ == OperationState::Flush) && AnyPumpOn(setup_, model_);
  const bool analogOn = state_ == OperationState::Sampling && AnalogPortsOn(setup_, model_) > 0;
  return static_cast<std::int16_t>(1 | (metersOn ? 2 : 0) | (pumping ? 4 : 0) | (analogOn ? 8 : 0));
}

StatusRecord SimLogger::Status() {
  const SetupView s(setup_);
  const ModelPorts hw = PortsOfModel(model_);
  StatusRecord r;
  r.operationState = state_;
  r.runNumber = runNumber_;
  r.loggerTime = LoggerTime();
  r.timeLeft = TimeLeft();
  r.loggerModel = model_;
  r.loggerId = loggerId_;

  r.serialMask = static_cast<std::int16_t>(hw.serialMask | (rs422_ ? kRs422HostBit : 0) |
                                           (RemoteHostOn(setup_, model_) ? kRemoteHostOnBit : 0));
  r.analogMask = hw.analogMask;
  r.pumpMask = hw.pumpMask;

  if (state_ == OperationState::Sampling) {
    const int rate = std::max<int>(1, s.AnalogRate());
    for (int p = 1; p <= 8; ++p)
      if (PortPresent(hw.serialMask, p))
        r.portDataRates[p] = ActivityOfMeter(s.PortMeterType(p), s.PortBaud(p), rate).reportedRate;
  }
  r.powerFlags = PowerFlags();
  // Voltages are read through the analog calibration in force.
  auto battery = [this](std::int32_t mv) { return ClampMv(factory_.ReportedMv(0, mv)); };
  r.currentVoltage = battery(batteryMv_ + static_cast<std::int32_t>(rng_.Below(11)) - 5);
  r.startVoltage = startMv_ != 0 ? battery(startMv_) : 0;
  r.endVoltage = endMv_ != 0 ? battery(endMv_) : 0;
  r.runStopSwitch = options_.runStopSwitch;
  for (int n = 1; n <= 7; ++n)
    if (PortPresent(hw.analogMask, n) && s.AnalogPortMode(n) == 1)
      r.analogVoltages[n] = ClampMv(factory_.ReportedMv(
          n, AnalogRestingMv(n) + static_cast<std::int32_t>(rng_.Below(7)) - 3));
  for (int p = 1; p <= 8; ++p) r.portFileSizes[p] = ClampSize(flash_.PortFile(p));
  r.analogFileSize = ClampSize(flash_.AnalogFile());
  r.otherFileSize = ClampSize(flash_.OtherFile());
  r.totalDisk = ClampSize(flash_.Total());
  r.freeDisk = ClampSize(flash_.Free(runActive_));
  r.firmwareStamp =
      StatusRecord::MakeFirmwareStamp(options_.firmwareMajor, options_.firmwareMinor, 4, 15, 21);
  return r;
}

void SimLogger::Log(const std::string& line) const {
  if (log_) log_(line);
}

}  // namespace qv
