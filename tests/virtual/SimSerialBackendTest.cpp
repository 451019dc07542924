// The simulated logger as a serial backend, seen from the host's side of the
// line in virtual time: its pace, noise at a wrong line setting, a port no
// one holds, a device pulled out and put back, and the same bytes every run.
#include <gtest/gtest.h>

#include <array>
#include <span>
#include <vector>

#include "protocol/CommandFrame.h"
#include "protocol/Commands.h"
#include "protocol/DataPacket.h"
#include "protocol/StatusRecord.h"
#include "sim/SentPackets.h"
#include "tests/support/DaylightSavingZone.h"
#include "tests/support/FakeClock.h"
#include "tests/support/SimSerialBackend.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr LineSetting k9600{9600, 8, 'N', 1};

class SimSerialBackendTest : public ::testing::Test {
 protected:
  // Moves the line on for `ms` in steps of 10 ms, reading `h` after each step.
  Bytes ReadFor(SerialBackend::Handle h, std::int64_t ms) {
    Bytes got;
    for (std::int64_t end = nowMs_ + ms; nowMs_ < end;) {
      nowMs_ += 10;
      clock_.AdvanceMs(10);
      backend_.AdvanceTo(nowMs_);
      std::uint8_t buffer[4096];
      const long n = backend_.Read(h, buffer, sizeof buffer);
      if (n > 0) got.insert(got.end(), buffer, buffer + n);
    }
    return got;
  }
  static std::vector<StatusRecord> Statuses(const Bytes& b) {
    std::vector<StatusRecord> found;
    for (std::size_t i = 0; i < b.size(); ++i)
      if (auto r = StatusRecord::Decode(std::span<const std::uint8_t>(b).subspan(i))) found.push_back(*r);
    return found;
  }
  static std::size_t DataPackets(const Bytes& b) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < b.size(); ++i)
      n += DataPacket::Decode(std::span<const std::uint8_t>(b).subspan(i)).has_value();
    return n;
  }

  testing::DaylightSavingZone zone_;
  FakeClock clock_{1800032400};
  testing::SimSerialBackend backend_{clock_};
  std::int64_t nowMs_ = 0;
};

TEST_F(SimSerialBackendTest, TheLineCarriesATenthOfItsBaudAndLosesWhatDoesNotFit) {
  struct Case {
    int baud;
    double bytesPerSecond;
    bool overrun;  // a chain of four at 20 Hz needs about 8 kB a second
  };
  for (const Case& c : {Case{2400, 240, true}, Case{115200, 0, false}}) {
    SCOPED_TRACE(c.baud);
    SimOptions o;
    o.line = LineSetting{c.baud, 8, 'N', 1};
    o.stream = true;
    o.chain = 4;
    o.rateHz = 20;
    backend_.Connect(o);
    const SerialBackend::Handle h = backend_.Open(1, o.line);
    ASSERT_NE(h, SerialBackend::kInvalidHandle);
    ReadFor(h, 2000);
    const Bytes measured = ReadFor(h, 10000);
    if (c.overrun) {
      EXPECT_NEAR(static_cast<double>(measured.size()) / 10.0, c.bytesPerSecond, 5.0);
      EXPECT_GT(backend_.Snapshot().dataPacketsOverrun, 0u);
    } else {
      EXPECT_EQ(backend_.Snapshot().dataPacketsOverrun, 0u);
      EXPECT_GE(DataPackets(measured), 10u * 80u);
    }
    EXPECT_FALSE(Statuses(measured).empty()) << "data does not crowd status out";
    backend_.Close(h);
  }
}

TEST_F(SimSerialBackendTest, ListsEveryIntactDataPacketTheHostRead) {
  SimOptions o;
  o.line = LineSetting{115200, 8, 'N', 1};
  o.stream = true;
  o.chain = 2;
  o.rateHz = 10;
  o.packetGapRate = o.packetRepeatRate = o.packetCorruptRate = 0.2;
  backend_.Connect(o);
  const SerialBackend::Handle h = backend_.Open(1, o.line);
  const Bytes read = ReadFor(h, 5000);
  const SimSnapshot snap = backend_.Snapshot();
  EXPECT_GE(snap.streamed.packets, 90u);
  EXPECT_GT(snap.streamed.skipped, 0u);
  EXPECT_GT(snap.streamed.repeated, 0u);
  EXPECT_GT(snap.streamed.corrupted, 0u);

  // The same packets in the same order, judged as a host that read them all would.
  std::uint64_t forgotten = 1;
  const std::vector<SentDataPacket> listed = backend_.Logger().SentDataPackets(&forgotten);
  EXPECT_EQ(forgotten, 0u);
  std::array<int, 256> last;
  last.fill(255);
  std::size_t n = 0;
  for (std::size_t i = 0; i < read.size(); ++i) {
    const auto p = DataPacket::Decode(std::span<const std::uint8_t>(read).subspan(i));
    if (!p) continue;
    i += kDataPacketOverhead + p->payload.size() - 1;
    const DataPacketHeader& head = p->header;
    if (head.sequence == last[head.loggerId]) {
      ASSERT_GT(n, 0u);
      EXPECT_TRUE(listed[n - 1].repeated) << "entry " << n - 1;
      continue;
    }
    ASSERT_LT(n, listed.size()) << "read more than was listed";
    const SentDataPacket& e = listed[n++];
    EXPECT_EQ(e.loggerId, head.loggerId);
    EXPECT_EQ(e.sequence, head.sequence);
    EXPECT_EQ(e.timeStamp, head.timeStamp);
    EXPECT_EQ(e.payloadHash, PayloadHash(p->payload));
    EXPECT_EQ(e.inSequence, head.sequence == (last[head.loggerId] + 1) % 256) << "entry " << n - 1;
    last[head.loggerId] = head.sequence;
  }
  EXPECT_EQ(n, listed.size());
  EXPECT_EQ(snap.dataPacketsSent, listed.size());
}

TEST_F(SimSerialBackendTest, AWrongSettingHearsNoiseBothWays) {
  backend_.Connect(SimOptions{});
  SerialBackend::Handle h = backend_.Open(1, LineSetting{19200, 8, 'N', 1});
  const Bytes noise = ReadFor(h, 3000);
  EXPECT_GE(noise.size(), 3u * 132u);
  EXPECT_TRUE(Statuses(noise).empty());
  const CommandFrameBytes frame = BuildCommandFrame(CmdSetLoggerId, 9, 0);
  backend_.Write(h, frame.data(), frame.size());
  ReadFor(h, 100);
  EXPECT_EQ(backend_.Snapshot().loggerId, 1) << "the logger cannot read the host either";
  EXPECT_EQ(backend_.Snapshot().bytesIgnored, 12u);

  backend_.Close(h);
  h = backend_.Open(1, k9600);
  backend_.Write(h, frame.data(), frame.size());
  const std::vector<StatusRecord> heard = Statuses(ReadFor(h, 3000));
  ASSERT_FALSE(heard.empty());
  EXPECT_EQ(heard.back().loggerId, 9);
  EXPECT_EQ(backend_.Snapshot().hostLine.baud, 9600);
}

TEST_F(SimSerialBackendTest, APortNoOneHoldsKeepsNothingAndAPulledDeviceFailsUntilReopened) {
  backend_.Connect(SimOptions{});
  ReadFor(SerialBackend::kInvalidHandle, 5000);  // nobody has the port open
  SerialBackend::Handle h = backend_.Open(1, k9600);
  ASSERT_NE(h, SerialBackend::kInvalidHandle);
  EXPECT_EQ(backend_.Open(1, k9600), SerialBackend::kInvalidHandle) << "held exclusively";
  EXPECT_EQ(backend_.Open(2, k9600), SerialBackend::kInvalidHandle) << "no device there";
  EXPECT_LE(ReadFor(h, 10).size(), 132u) << "no backlog of old status records";

  backend_.Unplug();
  std::uint8_t buffer[64];
  EXPECT_EQ(backend_.Read(h, buffer, sizeof buffer), -1);
  EXPECT_EQ(backend_.Write(h, buffer, 1), -1);
  EXPECT_EQ(backend_.Open(1, k9600), SerialBackend::kInvalidHandle);
  backend_.Plug();
  EXPECT_EQ(backend_.Read(h, buffer, sizeof buffer), -1) << "the old handle stays dead";
  const SerialBackend::Handle again = backend_.Open(1, k9600);
  ASSERT_NE(again, SerialBackend::kInvalidHandle);
  EXPECT_FALSE(Statuses(ReadFor(again, 2000)).empty());
  EXPECT_TRUE(backend_.Close(h));
  EXPECT_TRUE(backend_.Close(again));
  EXPECT_FALSE(backend_.Close(again));
}

TEST_F(SimSerialBackendTest, APowerCycleEndsTheRunAndTheSameSeedGivesTheSameBytes) {
  auto run = [this](std::uint64_t seed) {
    SimOptions o;
    o.seed = seed;
    o.dropRate = o.corruptRate = o.repeatRate = 0.01;
    backend_.Connect(o);
    const SerialBackend::Handle h = backend_.Open(1, k9600);
    const CommandFrameBytes begin = BuildCommandFrame(CmdBeginSample, 0, 0);
    backend_.Write(h, begin.data(), begin.size());
    Bytes got = ReadFor(h, 3000);
    EXPECT_EQ(backend_.Snapshot().operationState, OperationState::Delay);
    backend_.PowerCycle();
    const Bytes after = ReadFor(h, 1000);
    got.insert(got.end(), after.begin(), after.end());
    EXPECT_EQ(backend_.Snapshot().operationState, OperationState::Standby);
    backend_.Close(h);
    clock_.Set(1800032400);
    return got;
  };
  const Bytes a = run(3);
  EXPECT_EQ(run(3), a);
  EXPECT_NE(run(4), a);
}

}  // namespace
}  // namespace qv
