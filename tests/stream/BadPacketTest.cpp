// Packets whose header does not match what they hold: nothing is read or
// written outside the record, the display buffer or the port slots.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "common/ByteOrder.h"
#include "tests/stream/StreamFixture.h"

namespace qv::testing {
namespace {

// The record as the pump hands it over: the packet less type bytes and checksum.
Bytes RecordOf(const Bytes& packet) { return Bytes(packet.begin() + 2, packet.end() - 2); }

Bytes Port1Record(const Bytes& port1, std::uint8_t unit = 2) {
  return RecordOf(MakeDataPacket(unit, 0, 0, port1));
}

// Header fields of a record, big-endian as received: length at 4, port k's count at 8 + 2k.
void SetCount(Bytes& r, int port, std::uint16_t count) {
  WriteBE16(r.data() + 8 + 2 * port, count);
}

struct BadCase {
  const char* name;
  std::function<Bytes()> make;
  int port;  // shown and routed, 1..9
  PacketOutcome outcome;
  std::size_t shown;   // bytes pending in the raw display
  std::size_t routed;  // bytes written to the output slot
};

const BadCase kBadCases[] = {
    {"counts claim more than the payload",
     [] {
       auto r = Port1Record({'h', 'e', 'l', 'l', 'o'});
       SetCount(r, 1, 1000);
       return r;
     },
     1, PacketOutcome::Recorded, 5, 5},
    {"a later port starts beyond the payload",
     [] {
       auto r = Port1Record({'h', 'e', 'l', 'l', 'o'});
       SetCount(r, 3, 7);
       return r;
     },
     3, PacketOutcome::Recorded, 0, 0},
    {"every count at its largest",
     [] {
       auto r = Port1Record({'h', 'e', 'l', 'l', 'o'});
       for (int k = 1; k <= 9; ++k) SetCount(r, k, 0xFFFF);
       return r;
     },
     9, PacketOutcome::Recorded, 0, 0},
    {"length field larger than the record",
     [] {
       auto r = Port1Record({'h', 'e', 'l', 'l', 'o'});
       WriteBE16(r.data() + 4, 4096);
       return r;
     },
     1, PacketOutcome::Recorded, 5, 5},
    {"record cut inside the trailer",
     [] {
       auto r = Port1Record({'h', 'e', 'l', 'l', 'o'});
       r.resize(30);
       return r;
     },
     1, PacketOutcome::Recorded, 0, 0},
    {"record shorter than a header",
     [] {
       auto r = Port1Record({'h'});
       r.resize(20);
       return r;
     },
     1, PacketOutcome::Malformed, 0, 0},
    {"a port larger than the display buffer", [] { return Port1Record(Bytes(4096, 'p')); }, 1,
     PacketOutcome::Recorded, RawDisplayState::kBufferSize, 4096},
    {"unit 255 with huge counts",
     [] {
       auto r = Port1Record({'h'}, 255);
       for (int k = 1; k <= 9; ++k) SetCount(r, k, 0xFFFF);
       return r;
     },
     1, PacketOutcome::UnitError, 0, 0},
};

inline void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class BadPacketTest : public StreamFixture, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadPacketTest, StaysInsideItsBuffers) {
  const BadCase& c = GetParam();
  realTime().RawSourceCB.UserSelect(0);
  realTime().RawPortCB.UserSelect(c.port - 1);
  realTime().BTDisplayRaw.UserClick();
  ports.OpenPortSlot(1, 2);
  pcSlots[1] = {kPortKindLoggerOutput, 2, c.port, 0, 0};
  Start(record().BTRecordArchive, dir / "bad.arc");

  Bytes r = c.make();
  const Bytes original = r;
  EXPECT_EQ(stream.AcceptDataPacket(r.data(), static_cast<int>(r.size())).outcome, c.outcome);
  EXPECT_EQ(static_cast<std::size_t>(display().RawDisplayLength), c.shown);
  EXPECT_EQ(backend.TakeWritten(2).size(), c.routed);
  EXPECT_EQ(static_cast<std::size_t>(pcSlots[1].SlotBytesOut), c.routed);
  if (c.outcome == PacketOutcome::Recorded) {
    EXPECT_EQ(FileBytes(dir / "bad.arc").size(), r.size());
  }
  if (c.outcome == PacketOutcome::Malformed) {
    EXPECT_EQ(r, original);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, BadPacketTest, ::testing::ValuesIn(kBadCases), CaseName());

}  // namespace
}  // namespace qv::testing
