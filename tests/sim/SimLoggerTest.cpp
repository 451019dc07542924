// The simulated logger on a fake clock: its status records, the commands and
// records it obeys, its run states, and its RS-422 silence.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/LoggerTime.h"
#include "protocol/AnalogCalRecord.h"
#include "protocol/Commands.h"
#include "protocol/HardwareConfigRecord.h"
#include "protocol/PortTestFrame.h"
#include "protocol/OperationState.h"
#include "protocol/SetupRecord.h"
#include "protocol/StatusRecord.h"
#include "sim/DefaultSetup.h"
#include "sim/LoggerLine.h"
#include "sim/SimLogger.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/FakeClock.h"

namespace qv {
namespace {

using testing::Bytes;
using testing::FrameBytes;
using testing::Join;
using testing::TextBytes;

constexpr std::int64_t kJulyNoonUtc = 1782907200;  // 2026-07-01 12:00:00 UTC

class SimLoggerTest : public ::testing::Test {
 protected:
  void Make(SimOptions options = {}) {
    options_ = options;
    logger_ = std::make_unique<SimLogger>(options, clock_,
                                          [this](const std::string& line) { log_.push_back(line); });
    logger_->Tick(now_);
  }

  // Moves the PC clock and the logger on together, in ticks of 100 ms.
  void Advance(std::int64_t ms) {
    for (std::int64_t done = 0; done < ms; done += 100) {
      clock_.AdvanceMs(100);
      now_ += 100;
      logger_->Tick(now_);
    }
  }

  void Send(const Bytes& bytes) { logger_->Receive(bytes.data(), bytes.size()); }
  void Command(std::uint16_t code, std::int16_t shortValue = 0, std::int32_t longValue = 0) {
    Send(FrameBytes(code, shortValue, longValue));
  }

  std::vector<OutgoingPacket> Take() { return logger_->TakeOutput(); }
  std::vector<OutgoingPacket> Sent(PacketType type) {
    std::vector<OutgoingPacket> out;
    for (OutgoingPacket& p : Take())
      if (p.bytes.size() >= 2 && PacketTypeOf(p.bytes[0], p.bytes[1]) == type)
        out.push_back(std::move(p));
    return out;
  }

  // A setup the host might send: the default with the given changes, sealed.
  template <typename Edit>
  SetupBytes EditedSetup(Edit edit) {
    SetupBytes bytes = logger_->Setup();
    SetupRecord s(bytes);
    edit(s);
    s.SealChecksum();
    return bytes;
  }
  void SendSetup(const SetupBytes& bytes) { Send(Bytes(bytes.begin(), bytes.end())); }
  // Moored: delay 2 s, no pre-flush, warm-up 3 s, flush 1 s, sample 4 s, interval 5 s.
  void SendShortMooredSetup() {
    SendSetup(EditedSetup([](SetupRecord& s) {
      s.SetMode(1);
      s.SetTimeField(SetupRecord::DelayTime, 2);
      s.SetTimeField(SetupRecord::PreFlushTime, 0);
      s.SetTimeField(SetupRecord::WarmUpTime, 3);
      s.SetTimeField(SetupRecord::FlushTime, 1);
      s.SetTimeField(SetupRecord::SampleTime, 4);
      s.SetTimeField(SetupRecord::SampleInterval, 5);
    }));
  }

  std::int32_t PcLoggerTime() { return LoggerTimeOf(clock_.Now()); }
  StatusRecord Status() { return logger_->Status(); }

  testing::DaylightSavingZone tz_;
  FakeClock clock_{kJulyNoonUtc};
  std::int64_t now_ = 0;
  SimOptions options_;
  std::unique_ptr<SimLogger> logger_;
  std::vector<std::string> log_;
};

TEST_F(SimLoggerTest, SendsAStatusRecordEverySecondThatDescribesTheLogger) {
  struct Case {
    int model;
    std::int16_t serial, analog, pump;
  };
  for (const Case& c : {Case{kModelPx5Plus, 0x000F, 0x0007, 0x0003},
                        Case{kModelKr7, 0x00FF, 0x007F, 0x000F},
                        Case{kModelZedPlus, 0x003F, 0x007F, 0x000F}}) {
    SCOPED_TRACE(c.model);
    SimOptions o;
    o.model = c.model;
    o.loggerId = 7;
    o.clockOffsetSeconds = 10;
    o.firmwareMajor = 6;
    o.firmwareMinor = 4;
    o.runStopSwitch = 1;
    Make(o);
    Advance(3000);
    const std::vector<OutgoingPacket> packets = Take();
    ASSERT_EQ(packets.size(), 4u);  // at 0, 1, 2 and 3 s
    for (const OutgoingPacket& p : packets) {
      ASSERT_EQ(p.bytes.size(), 132u);
      EXPECT_TRUE(StatusRecord::Decode(p.bytes).has_value());
      EXPECT_TRUE(SameLine(p.line, o.line));
    }
    const StatusRecord r = *StatusRecord::Decode(packets.back().bytes);
    EXPECT_EQ(r.operationState, OperationState::Standby);
    EXPECT_EQ(r.loggerModel, c.model);
    EXPECT_EQ(r.loggerId, 7);
    EXPECT_EQ(r.runNumber, -1);
    EXPECT_EQ(r.loggerTime, PcLoggerTime() + 10);
    EXPECT_EQ(r.timeLeft, 0u);
    EXPECT_EQ(r.serialMask, c.serial);  // RS-232, no remote host
    EXPECT_EQ(r.analogMask, c.analog);
    EXPECT_EQ(r.pumpMask, c.pump);
    EXPECT_EQ(r.runStopSwitch, 1);
    EXPECT_DOUBLE_EQ(r.FirmwareVersion(), 6.04);
    EXPECT_NEAR(r.currentVoltage, 12400, 10);
    EXPECT_EQ(r.totalDisk, 64 * 1024 * 1024);
    EXPECT_EQ(r.freeDisk, r.totalDisk);
    EXPECT_EQ(r.powerFlags & 1, 1);
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(r.portDataRates[p], 0) << p;
    EXPECT_GT(r.analogVoltages[1], 0);
  }
}

TEST_F(SimLoggerTest, GetSetupAnswersWithTheModelsDefaultSetup) {
  for (int model : {kModelPx5Plus, kModelKr7, kModelZedPlus}) {
    SCOPED_TRACE(model);
    SimOptions o;
    o.model = model;
    o.line = LineSetting{4800, 7, 'E', 1};
    Make(o);
    Take();
    Command(CmdGetSetup);
    const std::vector<OutgoingPacket> replies = Sent(PacketType::Setup);
    ASSERT_EQ(replies.size(), 1u);
    Bytes b = replies[0].bytes;
    ASSERT_EQ(b.size(), 192u);
    EXPECT_TRUE(HoldsPacket(b, PacketType::Setup));

    SetupBytes bytes{};
    std::copy(b.begin(), b.end(), bytes.begin());
    SetupRecord s(bytes);
    EXPECT_EQ(s.Mode(), 1);
    EXPECT_EQ(s.PortBaud(0), 4800);
    EXPECT_EQ(s.PortDataBits(0), 7);
    EXPECT_EQ(s.PortParity(0), 2);
    if (model != kModelKr7) {
      EXPECT_EQ(s.PortMeterType(1), 1);
      EXPECT_EQ(s.PortBaud(1), 19200);
    }
    bool ctd = false, gps = false;
    for (int p = 1; p <= 8; ++p) {
      ctd |= s.PortMeterType(p) == 3 && s.PortBaud(p) == 9600;
      gps |= s.PortMeterType(p) == 6 && s.PortBaud(p) == 4800;
    }
    EXPECT_TRUE(ctd);
    EXPECT_TRUE(gps);
    EXPECT_GT(s.TimeField(SetupRecord::SampleTime), 0);
    EXPECT_GT(s.AnalogRate(), 0);
    for (int offset : {4, 168, 176, 182, 188})
      EXPECT_TRUE(b[offset] != 0 || b[offset + 1] != 0) << "spare at " << offset;
  }
}

TEST_F(SimLoggerTest, ASentSetupReplacesTheLoggersOnlyWithAGoodByteSum) {
  Make();
  const SetupBytes before = logger_->Setup();
  const SetupBytes sent = EditedSetup([](SetupRecord& s) {
    s.SetMode(0);
    s.SetTimeField(SetupRecord::SampleTime, 300);
    s.Bytes()[5] = 0xEE;   // spare fields, carried as they come
    s.Bytes()[189] = 0x42;
  });

  SetupBytes spoiled = sent;
  spoiled[190] ^= 0x01;
  SendSetup(spoiled);
  EXPECT_EQ(logger_->Setup(), before);

  Take();
  SendSetup(sent);
  EXPECT_EQ(logger_->Setup(), sent);
  EXPECT_TRUE(Sent(PacketType::Setup).empty()) << "the same host port needs no answer";

  Command(CmdGetSetup);
  const std::vector<OutgoingPacket> reply = Sent(PacketType::Setup);
  ASSERT_EQ(reply.size(), 1u);
  EXPECT_EQ(Bytes(sent.begin(), sent.end()), reply[0].bytes);
}

TEST_F(SimLoggerTest, ASetupThatMovesTheHostPortIsAnsweredAtTheOldSetting) {
  struct Case {
    std::int32_t baud;
    std::int16_t dataBits;
    LineSetting expected;
  };
  const LineSetting start{9600, 8, 'N', 1};
  for (const Case& c : {Case{19200, 8, {19200, 8, 'N', 1}}, Case{9600, 7, {9600, 7, 'E', 1}},
                        Case{4800, 8, {4800, 8, 'N', 1}}, Case{115200, 7, {115200, 8, 'N', 1}},
                        Case{300, 8, start}, Case{0, 8, start}}) {
    SCOPED_TRACE(c.baud);
    Make();
    const SetupBytes sent = EditedSetup([&](SetupRecord& s) {
      s.SetPortBaud(0, c.baud);
      s.SetPortDataBits(0, c.dataBits);
    });
    Take();
    SendSetup(sent);
    const std::vector<OutgoingPacket> reply = Sent(PacketType::Setup);
    if (SameLine(c.expected, start)) {
      EXPECT_TRUE(reply.empty());
    } else {
      ASSERT_EQ(reply.size(), 1u);
      EXPECT_TRUE(SameLine(reply[0].line, start));
      EXPECT_EQ(Bytes(sent.begin(), sent.end()), reply[0].bytes);
    }
    EXPECT_TRUE(SameLine(logger_->Line(), c.expected));
    Advance(1000);
    const std::vector<OutgoingPacket> status = Sent(PacketType::Status);
    ASSERT_FALSE(status.empty());
    EXPECT_TRUE(SameLine(status[0].line, c.expected));
  }
}

TEST_F(SimLoggerTest, SetTimeAndSetLoggerIdChangeWhatTheStatusShows) {
  SimOptions o;
  o.clockOffsetSeconds = 10;
  Make(o);
  EXPECT_EQ(Status().loggerTime, PcLoggerTime() + 10);
  Command(CmdSetTime, 0, PcLoggerTime());
  EXPECT_EQ(logger_->ClockOffset(), 0);
  Advance(5000);
  EXPECT_EQ(Status().loggerTime, PcLoggerTime());
  Command(CmdSetTime, 0, PcLoggerTime() - 3600);
  EXPECT_EQ(Status().loggerTime, PcLoggerTime() - 3600);

  struct Case {
    std::int16_t sent, shown;
  };
  for (const Case& c : {Case{3, 3}, Case{254, 254}, Case{0, 254}, Case{255, 254}, Case{1, 1},
                        Case{-2, 1}}) {
    Command(CmdSetLoggerId, c.sent);
    EXPECT_EQ(Status().loggerId, c.shown) << c.sent;
  }
}

TEST_F(SimLoggerTest, BeginSampleWalksTheStatesOfTheSetupsTimes) {
  Make();
  SendShortMooredSetup();
  Command(CmdBeginSample);

  struct Step {
    std::int64_t atMs;  // since Begin Sample
    OperationState state;
    std::uint32_t timeLeft;
  };
  const Step steps[] = {
      {0, OperationState::Delay, 2},     {500, OperationState::Delay, 2},     {1500, OperationState::Delay, 1},
      {2000, OperationState::Warmup, 3}, {4900, OperationState::Warmup, 1},   {5000, OperationState::Flush, 1},
      {6000, OperationState::Sampling, 4}, {9500, OperationState::Sampling, 1}, {10000, OperationState::Sleeping, 5},
      {14900, OperationState::Sleeping, 1}, {15000, OperationState::Warmup, 3},  // no delay and no pre-flush again
      {19000, OperationState::Sampling, 4},
  };
  std::int64_t at = 0;
  for (const Step& s : steps) {
    Advance(s.atMs - at);
    at = s.atMs;
    const StatusRecord r = Status();
    EXPECT_EQ(r.operationState, s.state) << "at " << s.atMs;
    EXPECT_EQ(r.timeLeft, s.timeLeft) << "at " << s.atMs;
    EXPECT_EQ(r.runNumber, 1);
  }

  // Sampling: the meters' data rates show, the run's files grow, the flash fills.
  Advance(2000);
  const StatusRecord sampling = Status();
  EXPECT_GT(sampling.portDataRates[1], 0);   // ASCII CTD, bytes per second
  EXPECT_LT(sampling.portDataRates[3], 0);   // binary meter, bytes per record
  EXPECT_EQ(sampling.portFileSizes[1], 6 * 62);  // 4 s and 2 s of sampling at 62 bytes/s
  EXPECT_GT(sampling.analogFileSize, 0);
  EXPECT_LT(sampling.freeDisk, sampling.totalDisk);
  EXPECT_NEAR(sampling.startVoltage, 12400, 10);
  EXPECT_EQ(sampling.endVoltage, 0);
  EXPECT_EQ(sampling.powerFlags & 2, 2);

  Command(CmdBeginSample);  // already running: no new run
  EXPECT_EQ(Status().runNumber, 1);

  Command(CmdStop);
  const StatusRecord ended = Status();
  EXPECT_EQ(ended.operationState, OperationState::EndOfRun);
  EXPECT_EQ(ended.timeLeft, 0u);
  EXPECT_GT(ended.endVoltage, 0);
  EXPECT_EQ(ended.portDataRates[1], 0);
  EXPECT_EQ(ended.portFileSizes[1], sampling.portFileSizes[1]);
  Advance(5000);
  EXPECT_EQ(Status().operationState, OperationState::EndOfRun);

  Command(CmdBeginSample);
  EXPECT_EQ(Status().runNumber, 2);
  EXPECT_EQ(Status().operationState, OperationState::Delay);
  EXPECT_EQ(Status().portFileSizes[1], 0);
}

TEST_F(SimLoggerTest, ALateTickLandsWhereTheScheduleSays) {
  Make();
  SendShortMooredSetup();
  Command(CmdBeginSample);
  // One tick 28.35 s on: the 2-s delay, two cycles of 13 s, 0.35 s into the third warm-up.
  clock_.AdvanceMs(28350);
  now_ += 28350;
  logger_->Tick(now_);
  EXPECT_EQ(Status().operationState, OperationState::Warmup);
  EXPECT_EQ(Status().timeLeft, 3u);
  EXPECT_EQ(Status().portFileSizes[1], 2 * 4 * 62);  // two samples of 4 s
}

TEST_F(SimLoggerTest, OutsideMooredModeTheLoggerSamplesUntilEitherStopEndsTheRun) {
  for (const Bytes& stop : {FrameBytes(CmdStop), TextBytes("    STOP7E1STOP7E1"),
                            TextBytes("    BREAKBREAKBREAK"),
                            Join({FrameBytes(CmdStop), TextBytes("    BREAKBREAKBREAK")})}) {
    Make();
    SendSetup(EditedSetup([](SetupRecord& s) {
      s.SetMode(0);
      for (int t = SetupRecord::DelayTime; t <= SetupRecord::SampleInterval; ++t)
        s.SetTimeField(static_cast<SetupRecord::Time>(t), 1);
    }));
    Send(stop);  // nothing to stop yet
    EXPECT_EQ(Status().operationState, OperationState::Standby);
    Command(CmdBeginSample);
    Advance(60000);
    EXPECT_EQ(Status().operationState, OperationState::Sampling);
    EXPECT_EQ(Status().timeLeft, 0u);
    Send(stop);
    EXPECT_EQ(Status().operationState, OperationState::EndOfRun);
  }
}

TEST_F(SimLoggerTest, SleepUntilSleepsToTheLoggersOwnClock) {
  SimOptions o;
  o.clockOffsetSeconds = 10;
  Make(o);
  Command(CmdSleepUntil, 0, logger_->LoggerTime() + 5);
  EXPECT_EQ(Status().operationState, OperationState::Sleeping);
  EXPECT_EQ(Status().timeLeft, 5u);
  Advance(4000);
  EXPECT_EQ(Status().operationState, OperationState::Sleeping);
  EXPECT_EQ(Status().timeLeft, 1u);
  Advance(1000);
  EXPECT_EQ(Status().operationState, OperationState::Standby);
}

TEST_F(SimLoggerTest, ClearMemoryTakesAWhileThenLeavesAnEmptyFlash) {
  Make();
  Command(CmdBeginSample);
  Advance(60000);
  Command(CmdStop);
  ASSERT_LT(Status().freeDisk, Status().totalDisk);

  Command(CmdClearMemory, 0);  // the host always confirms with 1
  EXPECT_EQ(Status().operationState, OperationState::EndOfRun);

  Command(CmdClearMemory, 1);
  EXPECT_EQ(Status().operationState, OperationState::ClearMemory);
  EXPECT_EQ(Status().timeLeft, 2u);
  Command(CmdBeginSample);  // busy clearing
  Advance(1900);
  EXPECT_EQ(Status().operationState, OperationState::ClearMemory);
  Advance(100);
  const StatusRecord r = Status();
  EXPECT_EQ(r.operationState, OperationState::Standby);
  EXPECT_EQ(r.runNumber, -1);
  EXPECT_EQ(r.freeDisk, r.totalDisk);
  EXPECT_EQ(r.portFileSizes[1], 0);
  Command(CmdBeginSample);
  EXPECT_EQ(Status().runNumber, 1);
}

TEST_F(SimLoggerTest, ResetAndDefaultsHaltARunAndRestoreTheFactorySettings) {
  SimOptions o;
  o.cable = Cable::Rs422;
  Make(o);
  const SetupBytes factory = DefaultSetup(o.model, o.line);
  EXPECT_EQ(Status().serialMask & 0x100, 0x100);

  Command(CmdBeginSample);
  Command(CmdResetToMonitor);
  EXPECT_EQ(Status().operationState, OperationState::Off);
  Advance(2000);
  EXPECT_EQ(Status().operationState, OperationState::Standby);

  SendSetup(EditedSetup([](SetupRecord& s) { s.SetMode(2); }));
  Command(CmdSetLoggerId, 3);
  Command(CmdBeginSample);
  Command(CmdLoadDefaultSetup);
  EXPECT_EQ(Status().operationState, OperationState::Standby);
  EXPECT_EQ(logger_->Setup(), factory);
  EXPECT_EQ(Status().loggerId, 3);
  EXPECT_EQ(Status().serialMask & 0x100, 0x100);

  SendSetup(EditedSetup([](SetupRecord& s) { s.SetMode(2); }));
  Command(CmdLoadFactoryDefaults);
  EXPECT_EQ(logger_->Setup(), factory);
  EXPECT_EQ(Status().loggerId, 1);
  EXPECT_EQ(Status().serialMask & 0x100, 0);
}

TEST_F(SimLoggerTest, FindsItsFramesAgainAfterAnythingElseOnTheLine) {
  Make();
  Bytes badFrame = FrameBytes(CmdSetLoggerId, 9);
  badFrame[11] ^= 0x10;
  const Bytes stream = Join({TextBytes("hello logger\r\n"), Bytes{0x02}, FrameBytes(CmdGetSetup),
                             badFrame, Bytes{0xFF, 0x01, 0x01, 0x02},
                             FrameBytes(0x1234),  // no such command
                             FrameBytes(CmdSetLoggerId, 5), TextBytes("STOP")});
  Take();
  // In uneven pieces, as a line delivers them.
  for (std::size_t at = 0; at < stream.size(); at += 7)
    Send(Bytes(stream.begin() + static_cast<std::ptrdiff_t>(at),
               stream.begin() + static_cast<std::ptrdiff_t>(std::min(at + 7, stream.size()))));
  // The stray 01 01 looks like the start of a setup until the line falls quiet.
  Advance(1100);
  EXPECT_EQ(Sent(PacketType::Setup).size(), 1u);
  EXPECT_EQ(Status().loggerId, 5);
}

TEST_F(SimLoggerTest, Rs422OnAnRs232CableSilencesTheLoggerUntilAPowerCycle) {
  SimOptions o;
  o.line = LineSetting{19200, 8, 'N', 1};
  Make(o);
  Take();
  Send(Join({FrameBytes(CmdSelectRs422), FrameBytes(CmdSetLoggerId, 4)}));
  EXPECT_EQ(logger_->LoggerId(), 1) << "nothing heard after the switch";
  Advance(3000);
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(logger_->Silent());
  Command(CmdSelectRs232);  // not heard
  Command(CmdGetSetup);
  Advance(1000);
  EXPECT_TRUE(Take().empty());

  // After power-up it listens at 9600 for three seconds, and to nothing else.
  logger_->PowerCycle();
  EXPECT_TRUE(SameLine(logger_->Line(), LineSetting{9600, 8, 'N', 1}));
  Command(CmdGetSetup);
  Advance(3000);
  EXPECT_TRUE(Take().empty());
  EXPECT_TRUE(logger_->Silent());

  logger_->PowerCycle();
  Advance(2000);
  Command(CmdSelectRs232);
  EXPECT_FALSE(logger_->Silent());
  EXPECT_TRUE(SameLine(logger_->Line(), o.line));
  Advance(1000);
  const std::vector<OutgoingPacket> status = Sent(PacketType::Status);
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(StatusRecord::Decode(status[0].bytes)->serialMask & 0x100, 0);
}

TEST_F(SimLoggerTest, OnAnRs422CableBothInterfacesKeepTalking) {
  SimOptions o;
  o.cable = Cable::Rs422;
  Make(o);
  for (std::uint16_t code : {CmdSelectRs232, CmdSelectRs422}) {
    Command(code);
    Take();
    Advance(1000);
    const std::vector<OutgoingPacket> status = Sent(PacketType::Status);
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(StatusRecord::Decode(status[0].bytes)->serialMask & 0x100,
              code == CmdSelectRs422 ? 0x100 : 0);
  }
}

TEST_F(SimLoggerTest, APowerCycleEndsARunAndAutoStartBeginsTheNext) {
  Make();
  Command(CmdBeginSample);
  Advance(3000);
  logger_->PowerCycle();
  EXPECT_EQ(Status().operationState, OperationState::Standby);
  EXPECT_EQ(Status().runNumber, 1);

  SendSetup(EditedSetup([](SetupRecord& s) { s.SetAutoStart(1); }));
  logger_->PowerCycle();
  EXPECT_EQ(Status().operationState, OperationState::Delay);
  EXPECT_EQ(Status().runNumber, 2);
}

TEST_F(SimLoggerTest, FactoryRecordsAnswerTheirGetsAndOnlySealedOnesAreTaken) {
  SimOptions o;
  o.serialNumber = 88;
  Make(o);
  Take();
  auto get = [&] {
    Command(CmdGetHardwareConfiguration);
    const auto replies = Sent(PacketType::HardwareConfig);
    EXPECT_EQ(replies.size(), 1u);
    return replies.empty() ? std::nullopt : HardwareConfigRecord::Decode(replies[0].bytes);
  };
  const auto factory = get();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->deviceType, kModelKr7);
  EXPECT_EQ(factory->hwSerialNumber, 88);

  HardwareConfigRecord changed = *factory;
  changed.deviceType = kModelPx5Plus;
  changed.hwSerialNumber = 901;
  auto bytes = changed.Encode();
  bytes[57] ^= 1;
  Send(Bytes(bytes.begin(), bytes.end()));
  EXPECT_EQ(get(), factory);
  EXPECT_EQ(log_.back(), "CmdGetHardwareConfiguration: hardware configuration sent");
  EXPECT_NE(std::find(log_.begin(), log_.end(), "record with a bad byte sum ignored"), log_.end());

  bytes[57] ^= 1;
  Send(Bytes(bytes.begin(), bytes.end()));
  EXPECT_EQ(get(), changed);
  EXPECT_EQ(Status().loggerModel, kModelPx5Plus);
  EXPECT_EQ(Status().serialMask & 0xFF, 0x0F);  // a px5Plus's four serial ports

  Command(CmdGetAnalogCalibration);
  const auto calibration = Sent(PacketType::AnalogCal);
  ASSERT_EQ(calibration.size(), 1u);
  EXPECT_TRUE(AnalogCalRecord::Decode(calibration[0].bytes));
}

TEST_F(SimLoggerTest, TheCalibrationInForceReadsTheVoltages) {
  Make();
  Command(CmdGetAnalogCalibration);
  AnalogCalRecord r = *AnalogCalRecord::Decode(Sent(PacketType::AnalogCal).at(0).bytes);
  const StatusRecord before = Status();
  r.analogScale[0] = static_cast<std::int16_t>(r.analogScale[0] / 2);
  r.analogOffset[1] = static_cast<std::int16_t>(r.analogOffset[1] + r.analogScale[1]);  // one volt up
  const auto bytes = r.Encode();
  Send(Bytes(bytes.begin(), bytes.end()));
  const StatusRecord after = Status();
  EXPECT_NEAR(after.currentVoltage, 2 * before.currentVoltage, 40);
  EXPECT_NEAR(after.analogVoltages[1], before.analogVoltages[1] - 1000, 10);
  EXPECT_NEAR(after.analogVoltages[2], before.analogVoltages[2], 10);
}

TEST_F(SimLoggerTest, APortTestPassesThePortOnAtItsHostLineUntilAStop) {
  Make();
  Take();
  const PortTestFrame frame{1, 9600, 19200, 0, 0, 8, 8};
  const auto bytes = frame.Encode();
  Send(Bytes(bytes.begin(), bytes.end()));
  EXPECT_EQ(logger_->PortUnderTest(), 1);
  EXPECT_EQ(logger_->Line().baud, 19200);
  Command(CmdGetSetup);  // not heard during the test
  Advance(3000);
  std::string text;
  for (const OutgoingPacket& p : Take()) {
    EXPECT_EQ(p.line.baud, 19200);
    EXPECT_TRUE(testing::PacketsIn(p.bytes).empty());  // no status, no setup
    text.append(p.bytes.begin(), p.bytes.end());
  }
  EXPECT_NE(text.find("T= "), std::string::npos) << text;

  Send(TextBytes("BREAKBREAKBREAK"));
  EXPECT_EQ(logger_->PortUnderTest(), 0);
  EXPECT_EQ(logger_->Line().baud, 9600);
  Advance(1000);
  EXPECT_FALSE(Sent(PacketType::Status).empty());

  Send(Bytes(bytes.begin(), bytes.end()));
  logger_->PowerCycle();
  EXPECT_EQ(logger_->PortUnderTest(), 0);
}

}  // namespace
}  // namespace qv
