// Passing port bytes of accepted packets on to PC output ports.
#include <gtest/gtest.h>

#include "tests/stream/StreamFixture.h"

namespace qv::testing {
namespace {

class RoutingTest : public StreamFixture {
 public:
  // Slot n on COM n+1.
  void Output(int slot, int kind, int loggerId, int port) {
    ports.OpenPortSlot(slot, slot + 1);
    pcSlots[slot] = {kind, loggerId, port, 0, 0};
  }
  static Bytes Packet(std::uint8_t unit, std::uint8_t sequence) {
    PortBytes p;
    p[0] = {'A', 'B'};
    p[2] = {'x', 'y', 'z'};
    p[8] = {'Q'};
    return MakeDataPacket(unit, sequence, 0, p);
  }
};

TEST_F(RoutingTest, EveryMatchingLoggerOutputSlotGetsThePortBytes) {
  Output(1, kPortKindLoggerOutput, 2, 3);
  Output(2, kPortKindLoggerOutput, 2, 3);
  Output(3, kPortKindLoggerOutput, 1, 3);  // another logger
  Output(4, kPortKindMeterInput, 2, 3);    // not an output
  Output(5, kPortKindLoggerOutput, 2, 2);  // a port with no bytes
  Output(6, kPortKindLoggerOutput, 2, 9);

  Feed(Packet(2, 0));
  Feed(Packet(2, 1));
  Feed(Packet(2, 1));                      // a repeat is not passed on
  Feed(MakeDataPacket(2, 2, 0, Bytes{}));  // nor an empty packet
  Feed(Packet(2, 9));                      // the packet that shows a gap is kept

  EXPECT_EQ(backend.TakeWritten(2), Bytes({'x', 'y', 'z', 'x', 'y', 'z', 'x', 'y', 'z'}));
  EXPECT_EQ(backend.TakeWritten(3), Bytes({'x', 'y', 'z', 'x', 'y', 'z', 'x', 'y', 'z'}));
  EXPECT_TRUE(backend.TakeWritten(4).empty());
  EXPECT_TRUE(backend.TakeWritten(5).empty());
  EXPECT_TRUE(backend.TakeWritten(6).empty());
  EXPECT_EQ(backend.TakeWritten(7), Bytes({'Q', 'Q', 'Q'}));
  EXPECT_EQ(pcSlots[1].SlotBytesOut, 9);
  EXPECT_EQ(pcSlots[2].SlotBytesOut, 9);
  EXPECT_EQ(pcSlots[3].SlotBytesOut, 0);
  EXPECT_EQ(pcSlots[6].SlotBytesOut, 3);
}

TEST_F(RoutingTest, TheTimeUnitIsNeverPassedOn) {
  Output(1, kPortKindLoggerOutput, 0, 3);
  EXPECT_EQ(Feed(Packet(0, 0)), AcceptResult{PacketOutcome::NotRecorded});
  EXPECT_EQ(units().UnitPackets[0], 1u);
  EXPECT_TRUE(backend.TakeWritten(2).empty());
  EXPECT_EQ(pcSlots[1].SlotBytesOut, 0);
}

TEST_F(RoutingTest, OnlySlotsOneToSixAreRouted) {
  pcSlots[7] = {kPortKindLoggerOutput, 2, 3, 0, 0};
  pcSlots[0] = {kPortKindLoggerOutput, 2, 3, 0, 0};
  ports.OpenPortSlot(0, 1);
  Feed(Packet(2, 0));
  EXPECT_TRUE(backend.TakeWritten(1).empty());
  EXPECT_EQ(pcSlots[7].SlotBytesOut + pcSlots[0].SlotBytesOut, 0);
}

}  // namespace
}  // namespace qv::testing
