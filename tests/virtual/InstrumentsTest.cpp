// The PC Logger against simulated instruments in virtual time: two of them
// recorded into an archive and checked record by record, one unplugged and
// plugged back, and a Logger Output slot passing on one port of a streaming
// logger.
#include <string>
#include <vector>

#include "protocol/PacketFramer.h"
#include "tests/support/ArchiveContents.h"
#include "tests/support/InstrumentText.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

class InstrumentsTest : public testing::VirtualHostFixture {
 public:
  PcLoggerTab& Tab() { return host.PcLogger().tab; }
  // The operator sets slot n to `kind` on COM `com` (9600 baud) and loads the setup.
  void Slot(int n, int kind, int com) {
    Tab().PortTypeCB[n].UserSelect(kind);
    Tab().DeckPortCB[n].UserSelect(com);
    Tab().DeckSetupCB[n].UserSelect(6);
    Tab().BTLoadDeck.UserClick();
  }
  void RecordArchive() {
    prompter.files.push_back(archive);
    host.Stream().recordTab.BTRecordArchive.UserClick();
    ASSERT_EQ(host.Stream().RecordingMode(), RecordingMode::Archive);
  }
  static MeterOptions Meter(MeterKind kind, int rateHz) {
    MeterOptions m;
    m.kind = kind;
    m.rateHz = rateHz;
    return m;
  }
  testing::ScratchDir dir;
  const std::string archive = dir / "instruments.dat";
};

TEST_F(InstrumentsTest, TwoInstrumentsAreRecordedRecordByRecord) {
  StartLogger();
  StartHostOnCom1();
  backend.ConnectMeter(Meter(MeterKind::Ctd, 4), 3);
  backend.ConnectMeter(Meter(MeterKind::Nmea, 1), 4);
  Slot(1, kPortKindMeterInput, 3);
  Slot(2, kPortKindMeterInput, 4);
  // Two packets a second.
  Tab().UDDeckRate.UserClick(true);
  RecordArchive();
  RunFor(20000);
  // Both instruments go quiet, the last packet comes, then the recording stops.
  backend.UnplugDevice(3);
  backend.UnplugDevice(4);
  RunFor(1500);
  host.Stream().recordTab.BTStopRecord.UserClick();

  const std::vector<DataPacket> records = testing::ReadArchiveRecords(archive);
  ASSERT_GE(records.size(), 38u);
  for (std::size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(i);
    const DataPacket& r = records[i];
    EXPECT_EQ(r.header.loggerId, PcLoggerId);
    if (i > 0) {
      EXPECT_EQ(r.header.sequence, static_cast<std::uint8_t>(records[i - 1].header.sequence + 1));
      EXPECT_EQ(r.header.timeStamp - records[i - 1].header.timeStamp, 500u);
    }
    for (int k = 3; k <= 9; ++k) EXPECT_EQ(r.header.portCounts[static_cast<std::size_t>(k - 1)], 0);
    EXPECT_EQ(r.header.payloadLength, r.header.portCounts[0] + r.header.portCounts[1]);
  }
  // Every byte the host read from each instrument, in its order, in its port
  // (the recording began before the first byte came).
  EXPECT_EQ(testing::PortStream(records, 1), backend.ReadFrom(3));
  EXPECT_EQ(testing::PortStream(records, 2), backend.ReadFrom(4));
  testing::ExpectCtdOnPort1AndGpsOnPort2(records, 70, 36);
}

TEST_F(InstrumentsTest, AnInstrumentUnpluggedAndPluggedBackResumesQuietly) {
  StartLogger();
  StartHostOnCom1();
  backend.ConnectMeter(Meter(MeterKind::Binary, 5), 5);
  Slot(1, kPortKindMeterInput, 5);
  RunFor(3000);
  ASSERT_FALSE(backend.ReadFrom(5).empty());
  prompter.Clear();

  backend.UnplugDevice(5);
  RunFor(5000);
  EXPECT_TRUE(host.Ports().IsDeviceAway(1));
  const std::size_t before = backend.ReadFrom(5).size();
  backend.PlugDevice(5);
  ASSERT_TRUE(RunUntil([&] { return backend.ReadFrom(5).size() > before; }, 5000));
  EXPECT_FALSE(host.Ports().IsDeviceAway(1));
  EXPECT_TRUE(prompter.Notices().empty());
  EXPECT_TRUE(RunUntil(
      [&] { return host.Status().dataStatus.LBSurfacePort[1].Caption() != "Port 1:  In     0"; }, 2000));
}

TEST_F(InstrumentsTest, AnOutputDeviceThatWentAwayIsTakenBackWhenItReturns) {
  StartLogger();
  StartHostOnCom1();
  backend.ConnectListener(6);
  // The PC Logger's own port 9, its PC time, passed on.
  Tab().UDDeckType[1].UserClick(false);
  for (int i = 1; i < 9; ++i) Tab().UDOutPort[1].UserClick(true);
  Slot(1, kPortKindLoggerOutput, 6);
  Tab().CBRecordPCTime.UserClick();
  RunFor(3000);
  ASSERT_FALSE(backend.WrittenTo(6).empty());
  prompter.Clear();

  backend.UnplugDevice(6);
  RunFor(1100);  // a write fails: the device is gone
  EXPECT_TRUE(host.Ports().IsDeviceAway(1));
  const std::size_t before = backend.WrittenTo(6).size();
  backend.PlugDevice(6);
  ASSERT_TRUE(RunUntil([&] { return backend.WrittenTo(6).size() > before; }, 6000));
  EXPECT_FALSE(host.Ports().IsDeviceAway(1));
  EXPECT_TRUE(prompter.Notices().empty());
}

// The bytes of port `port` of every data packet of `loggerId` in a stream as
// a logger sent it, in order.
Bytes PortBytesOf(const Bytes& stream, std::uint8_t loggerId, int port) {
  PacketFramer framer;
  Bytes out;
  std::size_t at = 0;
  while (stream.size() - at >= static_cast<std::size_t>(kSmallestPacketSize)) {
    const Framed f = framer.FramePacket(stream.data() + at, static_cast<int>(stream.size() - at));
    if (f.result == FrameResult::NeedMore) break;
    if (f.result != FrameResult::Packet) {
      ++at;
      continue;
    }
    if (f.type == PacketType::Data) {
      auto p = DataPacket::Decode(std::span<const std::uint8_t>(stream).subspan(at));
      if (p && p->header.loggerId == loggerId) out.insert(out.end(), p->Port(port).begin(), p->Port(port).end());
      framer.Reset();
    }
    at += static_cast<std::size_t>(f.size);
  }
  return out;
}

TEST_F(InstrumentsTest, ALoggerOutputSlotPassesOnExactlyItsPortsBytesInOrder) {
  SimOptions logger;
  logger.loggerId = 2;
  logger.stream = true;
  logger.rateHz = 4;
  StartLogger(logger);
  StartHostOnCom1();
  backend.ConnectListener(6);
  Tab().UDDeckType[1].UserClick(false);  // logger ID 2 is the default: down and up again
  Tab().UDDeckType[1].UserClick(true);
  Slot(1, kPortKindLoggerOutput, 6);
  ASSERT_EQ(host.PcLogger().tab.LBDeckType[1].Caption(), "Output Logger ID=2");
  ASSERT_EQ(host.PcLogger().tab.LBOutPort[1].Caption(), "Port=1");
  // From a packet boundary on: the listener starts with the first packet after loading.
  const std::size_t readBefore = backend.ReadFrom(1).size();
  ASSERT_EQ(host.Pump().Held(), 0);
  RunFor(15000);
  host.Setup().loggerControl.BTStop.UserClick();
  RunFor(2000);

  const Bytes sent(backend.ReadFrom(1).begin() + static_cast<std::ptrdiff_t>(readBefore),
                   backend.ReadFrom(1).end());
  const Bytes expected = PortBytesOf(sent, 2, 1);
  ASSERT_GE(expected.size(), 200u);
  EXPECT_EQ(backend.WrittenTo(6), expected);
  EXPECT_EQ(host.Stream().ModErrorsTotal(), 0u);
}

}  // namespace
}  // namespace qv
