// One-hour and one-day archives: their names from the host clock, the change
// of file at the hour or the day, and continuing a file that exists.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/stream/StreamFixture.h"

namespace qv::testing {
namespace {

TEST(ArchiveNamesTest, YearDayAndHourFromTheHostClock) {
  struct Case {
    LocalTime t;
    const char* hour;
    const char* day;
  };
  auto at = [](int year, int yearDay, int hour) {
    LocalTime t;
    t.year = year;
    t.yearDay = yearDay;
    t.hour = hour;
    return t;
  };
  const Case cases[] = {
      {at(2026, 343, 13), "C:\\data\\cruise26_343.013", "C:\\data\\cruise26.343"},
      {at(2000, 1, 0), "C:\\data\\cruise00_001.000", "C:\\data\\cruise00.001"},
      {at(1999, 366, 23), "C:\\data\\cruise99_366.023", "C:\\data\\cruise99.366"},
  };
  for (const Case& c : cases) {
    const HostClockFields f = HostClockFields::From(c.t);
    EXPECT_EQ(OneHourArchiveName("C:\\data\\cruise", f), c.hour);
    EXPECT_EQ(OneDayArchiveName("C:\\data\\cruise", f), c.day);
  }
}

class RolloverTest : public StreamFixture {
 public:
  DaylightSavingZone zone;
  std::int64_t now = 0;

  // The PC clock step and the one-second tick at a calendar time.
  void At(std::int64_t calendar) {
    now = calendar;
    stream.SetHostClock(LocalTimeOf(now));
    stream.SecondTick();
  }
  void Later(int seconds) { At(now + seconds); }
  std::uint8_t seq = 0;
  AcceptResult Packet() { return Feed(1, seq++, Bytes{'d'}); }  // 33 bytes archived
};

TEST_F(RolloverTest, HourlyFilesChangeWithTheFirstPacketAfterTheHour) {
  At(zone.Local(2026, 12, 9, 13, 40, 0));
  const std::string prefix = dir / "cruise";
  Start(record().BTRecord1Hour, prefix);
  EXPECT_EQ(prompter.fileDialogs.at(0).title, "Record 1 Hour Archive");
  EXPECT_EQ(stream.RecordingMode(), RecordingMode::OneHour);
  EXPECT_EQ(record().LBArchiveFileName.Caption(), "1 Hour Archive File:  " + prefix + "26_343.013");
  EXPECT_TRUE(std::filesystem::exists(prefix + "26_343.013"));  // created at once, empty
  EXPECT_FALSE(recorder().RecordFileOpen());

  EXPECT_EQ(Packet().outcome, PacketOutcome::Recorded);
  EXPECT_TRUE(recorder().RecordFileOpen());
  Later(1);
  EXPECT_EQ(Packet().outcome, PacketOutcome::Recorded);
  At(zone.Local(2026, 12, 9, 13, 59, 59));
  EXPECT_EQ(Packet().outcome, PacketOutcome::Recorded);
  Later(1);  // 14:00:00: the minute changed, the file is closed
  EXPECT_FALSE(recorder().RecordFileOpen());
  EXPECT_EQ(Packet().outcome, PacketOutcome::Recorded);
  EXPECT_EQ(record().LBArchiveFileName.Caption(), "1 Hour Archive File:  " + prefix + "26_343.014");
  EXPECT_EQ(FileBytes(prefix + "26_343.013").size(), 3 * 33u);
  EXPECT_EQ(FileBytes(prefix + "26_343.014").size(), 33u);
  EXPECT_EQ(recorder().BytesWritten(), 33);

  record().BTStopRecord.UserClick();
  EXPECT_FALSE(recorder().RecordFileOpen());
  EXPECT_EQ(Packet().outcome, PacketOutcome::NotRecorded);
}

TEST_F(RolloverTest, DailyFilesChangeAtMidnightAndTheYear) {
  At(zone.Local(2026, 12, 31, 23, 59, 30));
  const std::string prefix = dir / "d";
  Start(record().BTRecord1Day, prefix);
  EXPECT_EQ(prompter.fileDialogs.at(0).title, "Record 1 Day Archive");
  EXPECT_EQ(record().LBArchiveFileName.Caption(), "24 Hour Archive File:  " + prefix + "26.365");
  Packet();
  At(zone.Local(2027, 1, 1, 0, 0, 5));
  Packet();
  Packet();
  EXPECT_EQ(FileBytes(prefix + "26.365").size(), 33u);
  EXPECT_EQ(FileBytes(prefix + "27.001").size(), 66u);
}

TEST_F(RolloverTest, HourlyFilesFollowTheWallClockAcrossDaylightSavingChanges) {
  const std::string prefix = dir / "h";
  // Spring forward: 01:59:30 EST is followed by 03:00:00 EDT; there is no hour 2 file.
  At(zone.Local(2027, 3, 14, 1, 59, 30));
  Start(record().BTRecord1Hour, prefix);
  Packet();
  Later(30);
  EXPECT_TRUE(LocalTimeOf(now).dst);
  Packet();
  EXPECT_EQ(FileBytes(prefix + "27_073.001").size(), 33u);
  EXPECT_FALSE(std::filesystem::exists(prefix + "27_073.002"));
  EXPECT_EQ(FileBytes(prefix + "27_073.003").size(), 33u);

  // Fall back: 01:59:30 EDT, then 01:00:00 EST again; the hour 1 file is continued.
  At(zone.Local(2027, 11, 7, 1, 59, 30, 1));
  Packet();
  Later(30);
  EXPECT_FALSE(LocalTimeOf(now).dst);
  EXPECT_EQ(LocalTimeOf(now).hour, 1);
  Packet();
  EXPECT_EQ(FileBytes(prefix + "27_311.001").size(), 66u);
  EXPECT_EQ(recorder().BytesWritten(), 66);
}

TEST_F(RolloverTest, AnExistingDayFileIsContinuedWithItsOldSize) {
  At(zone.Local(2026, 12, 9, 13, 40, 0));
  const std::string prefix = dir / "cruise";
  const std::string path = prefix + "26.343";
  const Bytes old(5000, 0x55);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(old.data()), 5000);

  Start(record().BTRecord1Day, prefix);
  EXPECT_EQ(recorder().BytesWritten(), 5000);
  Later(1);
  EXPECT_EQ(record().LBArchiveFileSize.Caption(), "File Size:         4 K");
  for (int i = 0; i < 100; ++i) Packet();
  Later(1);
  EXPECT_EQ(recorder().BytesWritten(), 5000 + 100 * 33);
  EXPECT_EQ(record().LBArchiveFileSize.Caption(), "File Size:         8 K");
  const Bytes held = FileBytes(path);
  ASSERT_EQ(held.size(), 8300u);
  EXPECT_TRUE(std::equal(old.begin(), old.end(), held.begin()));
}

TEST_F(RolloverTest, AnHourFileThatCannotBeOpenedIsToldOnceAndNeverWritten) {
  At(zone.Local(2026, 12, 9, 13, 40, 0));
  const std::string prefix = dir / "gone/cruise";
  Start(record().BTRecord1Hour, prefix);
  EXPECT_EQ(stream.RecordingMode(), RecordingMode::OneHour);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Packet().outcome, PacketOutcome::WriteFailed);
  Later(60);
  EXPECT_EQ(Packet().outcome, PacketOutcome::WriteFailed);
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
  EXPECT_EQ(prompter.Notices()[0].text, "Unable to Write to " + prefix + "26_343.013");

  // Once the folder is there, the next packet opens the file.
  std::filesystem::create_directory(dir / "gone");
  EXPECT_EQ(Packet().outcome, PacketOutcome::Recorded);
  EXPECT_EQ(FileBytes(prefix + "26_343.013").size(), 33u);
}

}  // namespace
}  // namespace qv::testing
