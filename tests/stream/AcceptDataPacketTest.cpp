// Sequence tracking, counting and the outcomes of AcceptDataPacket.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <optional>
#include <span>
#include <vector>

#include "tests/stream/StreamFixture.h"

namespace qv::testing {
namespace {

using O = PacketOutcome;

struct Step {
  std::uint8_t unit;
  std::uint8_t sequence;
  bool empty = false;
  // Not recording: an accepted packet is shown and routed but not written.
  AcceptResult expected{O::NotRecorded};
};

struct SequenceCase {
  const char* name;
  std::optional<std::uint8_t> last;  // the unit's last sequence before the steps
  std::vector<Step> steps;
  // The counters of the steps' unit (all units must stay 0 for units above 4).
  std::uint32_t packets, modErrors, missing;
  std::optional<std::uint8_t> lastAfter;
  int notices = 0;
};

inline void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

const AcceptResult kGap{O::NotRecorded, true};
const AcceptResult kUnitError{O::UnitError};

const SequenceCase kSequenceCases[] = {
    {"first packet at 0 is in sequence", {}, {{1, 0}}, 1, 0, 0, 0},
    {"first packet at 5 is a gap of 5", {}, {{1, 5, false, kGap}}, 1, 1, 5, 5},
    {"250 then 2 misses 7", 250, {{2, 2, false, kGap}}, 1, 1, 7, 2},
    {"10 then 12 misses 1", 10, {{3, 12, false, kGap}}, 1, 1, 1, 12},
    {"254, 255, 0 wrap in sequence", 254, {{4, 255}, {4, 0}}, 2, 0, 0, 0},
    {"the gap packet is kept", 2, {{1, 5, false, kGap}, {1, 6}}, 2, 1, 2, 6},
    {"a repeat changes nothing", 7, {{2, 7, false, {O::Repeat}}}, 0, 0, 0, 7},
    {"a repeat between packets", 2, {{2, 3}, {2, 3, false, {O::Repeat}}, {2, 4}}, 2, 0, 0, 4},
    {"an empty packet moves the sequence", 2, {{1, 9, true, {O::Empty}}, {1, 10}}, 1, 0, 0, 10},
    {"the time unit is counted", {}, {{0, 0}, {0, 1}}, 2, 0, 0, 1},
    {"unit 5 with a payload is a unit error", {}, {{5, 0, false, {O::UnitError}}}, 0, 0, 0, 255, 1},
    {"unit 5 empty moves its sequence", {}, {{5, 9, true, {O::Empty}}}, 0, 0, 0, 9},
    {"unit 8 repeats its last sequence", 4, {{8, 4, false, {O::Repeat}}}, 0, 0, 0, 4},
    {"unit 9 is a unit error", {}, {{9, 255, false, {O::UnitError}}}, 0, 0, 0, {}, 1},
    {"unit 255 never repeats",
     {},
     {{255, 255, false, kUnitError}, {255, 255, false, kUnitError}},
     0,
     0,
     0,
     {},
     2},
    {"unit 200 empty is ignored", {}, {{200, 3, true, {O::Empty}}}, 0, 0, 0, {}},
};

class SequenceTest : public StreamFixture, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(SequenceTest, CountsAndOutcomes) {
  const SequenceCase& c = GetParam();
  const std::size_t u = c.steps.front().unit;
  if (c.last) units().LastSequence.at(u) = *c.last;
  for (const Step& s : c.steps) {
    const AcceptResult r = s.empty ? Feed(s.unit, s.sequence, Bytes{}) : Feed(s.unit, s.sequence);
    EXPECT_EQ(r, s.expected) << "unit " << int(s.unit) << " sequence " << int(s.sequence);
  }
  std::uint32_t totalModErrors = 0;
  for (std::size_t i = 0; i < UnitTracking::kCountedUnits; ++i) {
    const bool mine = i == u;
    EXPECT_EQ(units().UnitPackets[i], mine ? c.packets : 0u) << "unit " << i;
    EXPECT_EQ(units().UnitModErrors[i], mine ? c.modErrors : 0u) << "unit " << i;
    EXPECT_EQ(units().UnitMissing[i], mine ? c.missing : 0u) << "unit " << i;
    totalModErrors += units().UnitModErrors[i];
  }
  EXPECT_EQ(stream.ModErrorsTotal(), totalModErrors);
  if (c.lastAfter) {
    EXPECT_EQ(units().LastSequence.at(u), *c.lastAfter);
  }
  const auto notices = prompter.Notices();
  ASSERT_EQ(static_cast<int>(notices.size()), c.notices);
  for (const auto& n : notices) {
    EXPECT_EQ(n.caption, "Mux ID Error");
    EXPECT_EQ(n.text, "\r\nSender Unit " + std::to_string(u) + " " + std::to_string(u));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, SequenceTest, ::testing::ValuesIn(kSequenceCases), CaseName());

using AcceptTest = StreamFixture;

TEST_F(AcceptTest, RepeatReplacesThePendingChunkEvenWithTheDisplayOff) {
  display().Put(reinterpret_cast<const std::uint8_t*>("older chunk"), 11);
  Feed(3, 0);
  EXPECT_EQ(Feed(3, 0), AcceptResult{O::Repeat});
  EXPECT_FALSE(display().rawDisplayOn);
  EXPECT_EQ(PendingText(), "\r\nRepeat on Unit 3");
}

TEST_F(AcceptTest, UnitLinesAndStatisticsShowTheCounters) {
  units().LastSequence[2] = 250;
  Feed(2, 2);  // a gap of 7
  Feed(2, 3);
  Feed(0, 0);
  Feed(0, 2);  // a gap of 1 on the time unit
  stream.PayloadLengthError(4097);
  stream.UnitLinesTick();
  EXPECT_EQ(realTime().LBTimeUnit.Caption(), "Time Unit: 2");
  EXPECT_EQ(realTime().LBUnit[1].Caption(), "Unit 1: 0 \t0 \t4097");
  EXPECT_EQ(realTime().LBUnit[2].Caption(), "Unit 2: 2 \t1 \t7");
  EXPECT_EQ(realTime().LBUnit[4].Caption(), "Unit 4: 0 \t0 \t0");
  EXPECT_EQ(stream.ModErrorsTotal(), 2u);
  EXPECT_EQ(realTime().LBUnitHeading.Caption(), "Logger IDs       Packets--Mod--Missing Packets");

  // Reset clears the unit counts only: the total and the sequences stay.
  realTime().BTResetCounters.UserClick();
  EXPECT_EQ(Feed(2, 4), AcceptResult{O::NotRecorded});
  stream.UnitLinesTick();
  EXPECT_EQ(realTime().LBUnit[1].Caption(), "Unit 1: 0 \t0 \t0");
  EXPECT_EQ(realTime().LBUnit[2].Caption(), "Unit 2: 1 \t0 \t0");
  EXPECT_EQ(realTime().LBTimeUnit.Caption(), "Time Unit: 0");
  EXPECT_EQ(stream.ModErrorsTotal(), 2u);
}

TEST_F(AcceptTest, GoldenPacketBecomesTheGoldenArchiveRecord) {
  const Bytes port1{0x41, 0x31, 0x0D}, port9{0x0D, 0x0A};
  std::array<std::span<const std::uint8_t>, kDataPorts> portBytes{};
  portBytes[0] = port1;
  portBytes[8] = port9;
  const Bytes packet = BuildDataPacket(2, 7, 1000, portBytes);
  const Bytes golden{0x08, 0x08, 0x01, 0x00, 0x02, 0x07, 0x00, 0x05, 0x00, 0x00, 0x03,
                     0xE8, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x41, 0x31, 0x0D,
                     0x0D, 0x0A, 0x23, 0x23, 0x23, 0x23, 0x31, 0x02};
  EXPECT_EQ(packet, golden);

  const std::string path = dir / "golden.arc";
  Start(record().BTRecordArchive, path);
  units().LastSequence[2] = 6;
  EXPECT_EQ(Feed(packet), AcceptResult{O::Recorded});
  const Bytes archive{0x01, 0x00, 0x02, 0x07, 0x05, 0x00, 0xE8, 0x03, 0x00, 0x00, 0x03, 0x00, 0x00,
                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                      0x02, 0x00, 0x41, 0x31, 0x0D, 0x0D, 0x0A, 0x23, 0x23, 0x23, 0x23};
  EXPECT_EQ(FileBytes(path), archive);
  EXPECT_EQ(recorder().BytesWritten(), 37);
}

}  // namespace
}  // namespace qv::testing
