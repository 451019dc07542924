#include <cstdlib>
#include <ctime>
#include <vector>

#include <gtest/gtest.h>

#include "common/ByteOrder.h"
#include "common/Clock.h"
#include "common/Format.h"
#include "common/LoggerTime.h"
#include "tests/support/DaylightSavingZone.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

TEST(ByteOrder, BothOrdersRoundTripWithSign) {
  std::uint8_t b[4];
  WriteLE32(b, 0x12345678);
  EXPECT_EQ(b[0], 0x78);
  EXPECT_EQ(ReadLE32(b), 0x12345678u);
  WriteBE32(b, 0x12345678);
  EXPECT_EQ(b[0], 0x12);
  EXPECT_EQ(ReadBE32(b), 0x12345678u);
  WriteLE16(b, 0xFFFE);
  EXPECT_EQ(ReadLE16s(b), -2);
  WriteBE16(b, 0x0102);
  EXPECT_EQ(ReadBE16(b), 0x0102);
  WriteLE32(b, 0xFFFFFFFF);
  EXPECT_EQ(ReadLE32s(b), -1);
}

TEST(Format, FormatsLikePrintfIncludingLongOutput) {
  EXPECT_EQ(Format("Could Not Open COM%1d", 12), "Could Not Open COM12");
  EXPECT_EQ(Format("%4.1f V", 6.5), " 6.5 V");
  EXPECT_EQ(Format("Invalid Status %02x", 11), "Invalid Status 0b");
  std::string longText(1000, 'a');
  EXPECT_EQ(Format("%s!", longText.c_str()).size(), 1001u);
}

// Daylight saving from 2026-03-08 02:00 EST to 2026-11-01 02:00 EDT.
class LoggerTimeTest : public ::testing::Test {
  testing::DaylightSavingZone zone_;
};

TEST_F(LoggerTimeTest, IsLocalWallClockOnBothSidesOfADaylightSavingChange) {
  struct Case {
    std::int64_t calendar;
    int hour;
    bool dst;
    long offset;
  };
  // 2026-03-08 06:59:59 UTC is 01:59:59 EST; one second later it is 03:00:00 EDT.
  const Case cases[] = {
      {1772953199, 1, false, -5 * 3600},
      {1772953200, 3, true, -4 * 3600},
      // 2026-11-01 05:59:59 UTC is 01:59:59 EDT; one second later 01:00:00 EST.
      {1793512799, 1, true, -4 * 3600},
      {1793512800, 1, false, -5 * 3600},
  };
  for (const Case& c : cases) {
    FakeClock clock(c.calendar);
    ClockReading now = clock.Now();
    EXPECT_EQ(now.local.hour, c.hour) << c.calendar;
    EXPECT_EQ(now.local.dst, c.dst) << c.calendar;
    EXPECT_EQ(now.local.utcOffset, c.offset) << c.calendar;
    std::int32_t logger = LoggerTimeOf(now);
    EXPECT_EQ(logger, c.calendar + c.offset);
    // The logger time's own UTC reading is the local wall clock.
    std::time_t asUtc = logger;
    std::tm tm{};
    gmtime_r(&asUtc, &tm);
    EXPECT_EQ(tm.tm_hour, c.hour);
    EXPECT_EQ(CalendarFromLoggerTime(logger, now.local), c.calendar);
  }
}

TEST_F(LoggerTimeTest, StandardLocalTimeNormalisesAndIgnoresDaylightSaving) {
  // 2/30/07 is March 2, 2007; read as standard time (EST, UTC-5).
  std::int64_t t = CalendarFromStandardLocal(2007, 2, 30, 12, 0, 0);
  EXPECT_EQ(FormatLocal("%m/%d/%y %H:%M:%S", t), "03/02/07 12:00:00");
  // In July the same wall time as standard time is an hour later in EDT.
  std::int64_t july = CalendarFromStandardLocal(2026, 7, 1, 12, 0, 0);
  EXPECT_EQ(FormatLocal("%H:%M", july), "13:00");
}

TEST(FakeClock, AdvancesInMillisecondsAndHundredths) {
  FakeClock clock(1000);
  clock.AdvanceMs(25);
  clock.AdvanceMs(990);
  ClockReading r = clock.Now();
  EXPECT_EQ(r.calendar, 1001);
  EXPECT_EQ(r.hundredths, 1);
  clock.AdvanceMs(5);
  EXPECT_EQ(clock.Now().hundredths, 2);
}

TEST(Prompter, NoticeBeepsAndAnEleventhOpenNoticeIsDropped) {
  ScriptedPrompter p;
  int depth = 0;
  p.whileOpen = [&](const ScriptedPrompter::Box&) {
    // Each box opens another while it is open, as timers do inside modal boxes.
    if (++depth < 15) p.ShowNotice("Nested", "again");
  };
  p.ShowNotice("Comm Error", "Could Not Open COM3");
  EXPECT_EQ(p.Notices().size(), 10u);
  EXPECT_EQ(p.beeps.size(), 10u);
  EXPECT_EQ(p.beeps.front(), Beep::Warning);
  EXPECT_EQ(p.Notices().front().caption, "Comm Error");
  EXPECT_EQ(p.OpenNotices(), 0);
  p.whileOpen = nullptr;
  p.ShowNotice("Again", "room again once all are closed");
  EXPECT_EQ(p.Notices().size(), 11u);
}

TEST(Prompter, ScriptedAnswersAndFiles) {
  ScriptedPrompter p;
  p.answers = {Answer::Cancel};
  EXPECT_EQ(p.Ask("Program Termination", "EXIT Program?", Buttons::OkCancel, Icon::Question),
            Answer::Cancel);
  EXPECT_EQ(p.Ask("c", "t", Buttons::YesNo, Icon::Question), Answer::Yes);
  EXPECT_FALSE(p.SaveFile({"Record Raw File", "raw", "Raw Files|*.raw", "", true}).has_value());
  p.files = {std::string("/tmp/x.raw")};
  EXPECT_EQ(p.SaveFile({}).value(), "/tmp/x.raw");
  ASSERT_EQ(p.fileDialogs.size(), 2u);
  EXPECT_EQ(p.fileDialogs[0].defaultExtension, "raw");
}

}  // namespace
}  // namespace qv
