// The PC Logger as a small logger of its own: meter bytes read at the sample
// interval into one packet each, its port 9 text, its sequence, its clock
// across the wrap of a 32-bit millisecond count and the turn of the year,
// its ports shown each second, and a slot whose port cannot be opened.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/app/PcLoggerFixture.h"

namespace qv {
namespace {

using testing::Bytes;

class PcLoggerTest : public testing::PcLoggerFixture {
 public:
  static std::vector<int> Sequences(const std::vector<DataPacket>& records) {
    std::vector<int> s;
    for (const DataPacket& r : records) s.push_back(r.header.sequence);
    return s;
  }
  int NoticesCaptioned(const std::string& caption) const {
    int n = 0;
    for (const auto& box : prompter.Notices()) n += box.caption == caption;
    return n;
  }
  // Each record's sequence follows the one before it, modulo 256.
  static void ExpectConsecutive(const std::vector<DataPacket>& records) {
    for (std::size_t i = 1; i < records.size(); ++i)
      EXPECT_EQ(records[i].header.sequence, static_cast<std::uint8_t>(records[i - 1].header.sequence + 1))
          << "record " << i;
  }
};

TEST_F(PcLoggerTest, AMeterSlotsBytesMakeOnePacketOnItsPort) {
  Start();
  Slot(3, kPortKindMeterInput, 5);
  RealTimeTab& view = host.Stream().realTimeTab;
  view.RawSourceCB.UserSelect(2);  // "Raw PC Logger Data"
  view.BTDisplayRaw.UserClick();
  RecordArchive();
  const Bytes twenty = {'T', '=', ' ', '1', '2', '.', '3', '4', ',', ' ',
                        'S', '=', '3', '5', '.', '1', ' ', 'C', '\r', '\n'};
  backend.Feed(5, twenty);
  RunFor(1100);
  const std::vector<DataPacket> records = StopAndRead();

  EXPECT_EQ(std::filesystem::file_size(archive), 52u);
  ASSERT_EQ(records.size(), 1u);
  const DataPacket& r = records[0];
  EXPECT_EQ(r.header.loggerId, PcLoggerId);
  EXPECT_EQ(r.header.sequence, 0);
  EXPECT_EQ(r.header.marker1, 1);
  EXPECT_EQ(r.header.marker2, 0);
  EXPECT_EQ(r.header.payloadLength, 20);
  const std::array<std::uint16_t, 9> counts{0, 0, 20, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(r.header.portCounts, counts);
  EXPECT_EQ(r.payload, twenty);
  EXPECT_EQ(Text(r.trailer), "####");
  EXPECT_EQ(host.Stream().Units().UnitPackets[1], 1u);
  // The whole record went to the raw display: the header's bytes, the port's line.
  ASSERT_FALSE(view.Memo1.Lines().empty());
  const std::string shown = view.Memo1.Lines().back();
  EXPECT_EQ(shown.substr(shown.size() - 18), "T= 12.34, S=35.1 C");
}

TEST_F(PcLoggerTest, WithThePcTimeAPacketComesEveryIntervalEvenWithoutMeterData) {
  Start();
  Rate(2);  // 495 ms, up to the next 25-ms tick
  AddPcTime();
  RecordArchive();
  RunFor(5000);
  const std::vector<DataPacket> records = StopAndRead();

  ASSERT_GE(records.size(), 9u);
  ExpectConsecutive(records);
  const std::int64_t baseMs = kWinterNoon * 1000 + 20;  // the first clock reading, at the first tick
  for (std::size_t i = 0; i + 1 < records.size(); ++i) {
    SCOPED_TRACE(i);
    const DataPacketHeader& h = records[i].header;
    EXPECT_EQ(records[i + 1].header.timeStamp - h.timeStamp, 500u);
    EXPECT_EQ(h.portCounts[8], 23);
    EXPECT_EQ(h.payloadLength, 23);
    // The PC time when the packet was completed, which is when the next began.
    EXPECT_EQ(Text(records[i].Port(9)),
              PcTimeTextAt(baseMs + records[i + 1].header.timeStamp) + "\r\n");
  }
}

TEST_F(PcLoggerTest, TheSequenceWrapsAt255AndAnIntervalWithoutDataUsesNone) {
  Start();
  Rate(18);  // 55 ms: an interval ends every third tick
  Slot(1, kPortKindMeterInput, 5);
  RecordArchive();
  // A meter byte in each packet, and every so often an interval with none.
  for (int burst = 0; burst < 300; ++burst) {
    backend.Feed(5, {static_cast<std::uint8_t>('0' + burst % 10)});
    RunFor(burst % 3 == 0 ? 75 : 150);
  }
  const std::vector<DataPacket> records = StopAndRead();
  ASSERT_EQ(records.size(), 300u);
  for (std::size_t i = 0; i < records.size(); ++i)
    ASSERT_EQ(records[i].header.sequence, i % 256) << i;
  EXPECT_EQ(host.Stream().Units().UnitModErrors[1], 0u);
  EXPECT_EQ(host.Stream().Units().UnitPackets[1], 300u);
}

TEST_F(PcLoggerTest, AnAnnotationGoesOutOnPort9InsteadOfThePcTime) {
  Start();
  RecordArchive();
  ArchiveAnnotation& a = host.Annotation();
  host.Main().MenuAnnotateFile.UserClick();
  ASSERT_TRUE(a.form.window.Shown());
  a.form.EDITAnnotation.UserType("CTD on deck");
  a.form.BTSend.UserClick();
  RunFor(1100);  // no meter, no PC time: the annotation alone makes a packet
  AddPcTime();
  a.form.BTStart.UserClick();
  RunFor(1000);
  RunFor(1000);  // and the PC time again
  const std::vector<DataPacket> records = StopAndRead();

  ASSERT_EQ(records.size(), 3u);
  const std::string stamp = a.form.AnnotateDANDT.Caption();
  EXPECT_EQ(Text(records[0].Port(9)).substr(21), " CTD on deck\r\n");
  EXPECT_EQ(Text(records[1].Port(9)), stamp + " Start Sample 1\r\n");
  EXPECT_EQ(records[2].header.portCounts[8], 23);
  EXPECT_EQ(NoticesCaptioned("Error - Unable to insert this record into the Archive File"), 0);
}

TEST_F(PcLoggerTest, AnAnnotationReachesTheArchiveOnlyWhilePcLoggerDataIsRecorded) {
  Start();
  RecordArchive();
  ArchiveAnnotation& a = host.Annotation();
  clock.Set(zone.Local(2026, 12, 9, 13, 40, 5), 12);
  a.form.BTStart.UserClick();
  RunFor(1100);
  host.Stream().recordTab.CBRecordAuxIn.UserClick();  // off; "Yes"
  RunFor(1000);                                        // the record flags follow each second
  a.form.BTEnd.UserClick();
  RunFor(1100);
  const std::vector<DataPacket> records = StopAndRead();

  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(Text(records[0].Port(9)), "09-12-26\t13:40:05.120 Start Sample 1\r\n");
  EXPECT_EQ(host.Stream().Units().UnitPackets[PcLoggerId], 2u);  // both were sent
}

TEST_F(PcLoggerTest, Port9KeepsItsRoomWhenTheMetersFillThePayload) {
  Start();
  Slot(1, kPortKindMeterInput, 5);
  Bytes flood(5000);
  for (std::size_t i = 0; i < flood.size(); ++i) flood[i] = static_cast<std::uint8_t>('a' + i % 26);
  backend.Feed(5, flood);
  ArchiveAnnotation& a = host.Annotation();
  a.form.EDITAnnotation.UserType(std::string(300, 'x'));  // cut to 199
  a.form.BTSend.UserClick();
  RecordArchive();
  RunFor(2100);
  const std::vector<DataPacket> records = StopAndRead();

  ASSERT_EQ(records.size(), 2u);
  const std::string port9 = a.form.AnnotateDANDT.Caption() + " " + std::string(199, 'x') + "\r\n";
  EXPECT_EQ(records[0].header.payloadLength, kMaxPayload);
  EXPECT_EQ(Text(records[0].Port(9)), port9);
  EXPECT_EQ(records[0].header.portCounts[0], kMaxPayload - port9.size());
  // The meter loses nothing: the rest comes in the next packet.
  Bytes meter(records[0].Port(1).begin(), records[0].Port(1).end());
  meter.insert(meter.end(), records[1].Port(1).begin(), records[1].Port(1).end());
  EXPECT_EQ(meter, flood);
}

// The PC Logger's clock as the PC's calendar time goes past the point where
// a 32-bit millisecond count from its first reading wraps (49.7 days), and
// past the turn of the year: packets keep coming each interval.
struct ClockCase {
  const char* name;
  int year, month, day, hour, minute, second;  // the PC's local time at start-up
  std::int64_t jumpToElapsedMs;      // then moved on to this long after the first reading; 0: not
  const char* textAfter;             // a PC time text met after the point
};

class PcLoggerClockTest : public PcLoggerTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(PcLoggerClockTest, PacketsKeepComingAtTheInterval) {
  const ClockCase& c = GetParam();
  clock.Set(zone.Local(c.year, c.month, c.day, c.hour, c.minute, c.second));
  Start();
  AddPcTime();
  RunFor(500);
  if (c.jumpToElapsedMs > 0) {
    const std::int64_t elapsed = host.PcLoggerClock().ReadPcClock();
    const std::int64_t target = clock.Calendar() * 1000 + (c.jumpToElapsedMs - elapsed);
    clock.Set(target / 1000, static_cast<int>(target % 1000) / 10);
  }
  RecordArchive();
  RunFor(8000);
  const std::vector<DataPacket> records = StopAndRead();

  ASSERT_GE(records.size(), 7u);
  ExpectConsecutive(records);
  bool metText = false;
  // The first record began before the recording (and before any jump).
  for (std::size_t i = 2; i < records.size(); ++i) {
    // The time stamp field wraps with the count; the spacing stays the interval.
    EXPECT_EQ(static_cast<std::uint32_t>(records[i].header.timeStamp - records[i - 1].header.timeStamp),
              1000u)
        << "record " << i;
    metText = metText || Text(records[i].Port(9)).find(c.textAfter) == 0;
  }
  EXPECT_TRUE(metText) << c.textAfter;
}

INSTANTIATE_TEST_SUITE_P(
    Wraps, PcLoggerClockTest,
    ::testing::Values(
        ClockCase{"the32BitMillisecondCount", 2027, 1, 15, 12, 0, 0, (std::int64_t{1} << 32) - 3000,
                  "06-03-27\t05:0"},
        ClockCase{"theTurnOfTheYear", 2026, 12, 31, 23, 59, 57, 0, "01-01-27\t00:00:0"}),
    [](const ::testing::TestParamInfo<ClockCase>& c) { return std::string(c.param.name); });

TEST_F(PcLoggerTest, ThePortLinesShowEachOpenSlotsBytesOfTheLastSecond) {
  Start();
  DataStatusTab& d = host.Status().dataStatus;
  Slot(1, kPortKindMeterInput, 5);
  Slot(2, kPortKindLoggerOutput, 6, 1, 9);  // the PC Logger's own port 9
  Slot(3, kPortKindMeterInput, 7);
  Tab().PortTypeCB[3].UserSelect(kPortKindInActive);  // its port stays open, unread
  Tab().BTLoadDeck.UserClick();
  AddPcTime();
  RunFor(2000);
  EXPECT_TRUE(d.LBSurface.Visible());
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(d.LBSurfacePort[n].Visible(), n <= 3) << n;
  EXPECT_EQ(d.LBSurfacePort[3].Caption(), "Port 3:  Programming Error");

  backend.Feed(5, Bytes(30, 'm'));
  EXPECT_TRUE(RunUntil([&] { return d.LBSurfacePort[1].Caption() == "Port 1:  In    30"; }, 3000));
  EXPECT_TRUE(RunUntil([&] { return d.LBSurfacePort[2].Caption() == "Port 2:  Out   23"; }, 3000));
  // What went out is the port 9 text of each packet.
  const std::string out = Text(backend.TakeWritten(6));
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.size() % 23, 0u);
  EXPECT_EQ(out.substr(21, 2), "\r\n");

  EXPECT_EQ(Tab().LBDeckTimer.Caption(), "Sample Interval: 1000 ms");
  Rate(18);
  RunFor(1000);
  EXPECT_EQ(Tab().LBDeckTimer.Caption(), "Sample Interval:   56 ms");
}

TEST_F(PcLoggerTest, ASlotWhosePortCannotBeOpenedIsToldAndNeitherBlocksNorSpins) {
  Start();
  backend.missing.insert(9);
  prompter.Clear();
  Slot(2, kPortKindMeterInput, 9);
  ASSERT_FALSE(prompter.Notices().empty());
  EXPECT_EQ(prompter.Notices().front().caption, "Comm Error");
  EXPECT_EQ(prompter.Notices().front().text, "Could Not Open COM9");
  EXPECT_FALSE(host.Ports().IsPortSlotOpen(2));

  AddPcTime();
  const int opens = backend.openCalls;
  RecordArchive();
  RunFor(5000);
  const std::vector<DataPacket> records = StopAndRead();
  EXPECT_GE(records.size(), 4u);
  for (const DataPacket& r : records) EXPECT_EQ(r.header.portCounts[1], 0);
  EXPECT_EQ(backend.openCalls, opens);  // a closed slot is not tried again
  EXPECT_EQ(host.SkippedTicks(), 0);
  EXPECT_FALSE(host.Status().dataStatus.LBSurfacePort[2].Visible());
}

}  // namespace
}  // namespace qv
