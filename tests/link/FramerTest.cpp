// The framer on its own: each packet type, incomplete and damaged heads, and
// the decoded-header state of the data packet.
#include <gtest/gtest.h>

#include "link/PacketFramer.h"
#include "tests/support/PacketBuilder.h"

namespace qv {
namespace {

using testing::Bytes;
using testing::Concat;
using testing::MakeDataPacket;
using testing::MakeFixedPacket;

Bytes WithLengthField(Bytes packet, std::uint16_t length) {
  WriteBE16(packet.data() + kPayloadLengthOffset, length);
  return packet;
}

Bytes WithBadChecksum(Bytes packet) {
  packet.back() ^= 0x40;
  return packet;
}

TEST(PacketBuilderTest, DataPacketMatchesTheLoggersBytes) {
  testing::PortBytes ports;
  ports[0] = {0x41, 0x31, 0x0D};
  ports[8] = {0x0D, 0x0A};
  const Bytes expected = {0x08, 0x08, 0x01, 0x00, 0x02, 0x07, 0x00, 0x05, 0x00, 0x00, 0x03,
                          0xE8, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                          0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x41, 0x31, 0x0D,
                          0x0D, 0x0A, 0x23, 0x23, 0x23, 0x23, 0x31, 0x02};
  EXPECT_EQ(MakeDataPacket(2, 7, 1000, ports), expected);
}

TEST(FramerTest, HeadsOfEveryKind) {
  const Bytes data5 = MakeDataPacket(1, 0, 0, Bytes(5, 0x08));
  const Bytes data4096 = MakeDataPacket(1, 0, 0, Bytes(kMaxPayload, 0xAB));
  const Bytes emptyData = MakeDataPacket(1, 0, 0, Bytes{});
  struct Case {
    const char* name;
    Bytes bytes;
    int held;  // -1: all of them
    int result;
    int expectedSizeAfter;
  };
  std::vector<Case> cases;
  for (int type = kSetupPacket; type <= kHardwareConfigPacket; ++type) {
    const Bytes p = MakeFixedPacket(type, {0x11, 0x22, 0x33});
    const int size = FixedPacketSize(type);
    cases.push_back({"fixed type", p, -1, type, 36});
    cases.push_back({"fixed type one short", p, size - 1, kFrameNeedMore, 36});
    cases.push_back({"fixed type bad checksum", WithBadChecksum(p), -1, kFrameNoPacket, 36});
  }
  const Case more[] = {
      {"unknown pair 9,9", Bytes(20, 0x09), -1, kFrameNoPacket, 36},
      {"mixed pair 3,5", Concat(Bytes{3, 5}, Bytes(200, 0)), -1, kFrameNoPacket, 36},
      {"pair 0,0", Bytes(20, 0x00), -1, kFrameNoPacket, 36},
      {"empty data packet", emptyData, -1, kDataPacket, 36},
      {"empty data packet bad checksum", WithBadChecksum(emptyData), -1, kFrameNoPacket, 36},
      {"data header incomplete", data5, 35, kFrameNeedMore, 36},
      {"data header decoded, payload missing", data5, 40, kFrameNeedMore, 41},
      {"data packet", data5, -1, kDataPacket, 41},
      {"largest data packet", data4096, -1, kDataPacket, kLargestPacketSize},
      {"data bad checksum", WithBadChecksum(data5), -1, kFrameChecksumError, 36},
      {"length 4097", WithLengthField(data5, 4097), -1, kFrameLengthError, 36},
      {"length 0x8001 (negative)", WithLengthField(data5, 0x8001), -1, kFrameLengthError, 36},
      {"length 0xFFFF (-1)", WithLengthField(data5, 0xFFFF), -1, kFrameLengthError, 36},
  };
  cases.insert(cases.end(), std::begin(more), std::end(more));

  for (const Case& c : cases) {
    PacketFramer framer;
    const int held = c.held < 0 ? static_cast<int>(c.bytes.size()) : c.held;
    // An exact-size copy, so a read past the held bytes is a sanitizer error.
    const Bytes exact(c.bytes.begin(), c.bytes.begin() + held);
    EXPECT_EQ(framer.FramePacket(exact.data(), held), c.result) << c.name;
    EXPECT_EQ(framer.ExpectedDataSize(), c.expectedSizeAfter) << c.name;
  }
}

TEST(FramerTest, LengthErrorKeepsTheFieldForTheCaller) {
  PacketFramer framer;
  for (std::uint16_t field : {std::uint16_t{4097}, std::uint16_t{0x8000}, std::uint16_t{0xFFFF}}) {
    const Bytes p = WithLengthField(MakeDataPacket(1, 0, 0, Bytes(3, 0)), field);
    EXPECT_EQ(framer.FramePacket(p.data(), static_cast<int>(p.size())), kFrameLengthError);
    EXPECT_EQ(framer.LengthErrorValue(), field);
  }
}

TEST(FramerTest, DecodedHeaderIsNotDecodedAgain) {
  PacketFramer framer;
  const Bytes packet = MakeDataPacket(1, 0, 0, Bytes(100, 0x55));
  ASSERT_EQ(framer.FramePacket(packet.data(), 40), kFrameNeedMore);
  ASSERT_EQ(framer.ExpectedDataSize(), 136);
  EXPECT_EQ(framer.FramePacket(packet.data(), 135), kFrameNeedMore);

  // The length field now says 0, but the size decoded earlier still rules.
  Bytes changed = WithLengthField(packet, 0);
  SealChecksum(changed.data(), changed.size());
  EXPECT_EQ(framer.FramePacket(changed.data(), 136), kDataPacket);
  EXPECT_EQ(framer.ExpectedDataSize(), 136);

  framer.Reset();
  EXPECT_EQ(framer.FramePacket(changed.data(), 136), kFrameNoPacket);
}

TEST(FramerTest, ChecksumErrorForgetsTheHeader) {
  PacketFramer framer;
  const Bytes bad = WithBadChecksum(MakeDataPacket(1, 0, 0, Bytes(10, 1)));
  ASSERT_EQ(framer.FramePacket(bad.data(), 40), kFrameNeedMore);
  ASSERT_EQ(framer.ExpectedDataSize(), 46);
  EXPECT_EQ(framer.FramePacket(bad.data(), static_cast<int>(bad.size())), kFrameChecksumError);
  // A shorter packet next is framed by its own length.
  const Bytes next = MakeDataPacket(1, 1, 0, Bytes(3, 2));
  EXPECT_EQ(framer.FramePacket(next.data(), static_cast<int>(next.size())), kDataPacket);
  EXPECT_EQ(framer.ExpectedDataSize(), 39);
}

}  // namespace
}  // namespace qv
