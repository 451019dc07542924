// The framer on its own: each packet type, incomplete and damaged heads, and
// the decoded-header state of the data packet.
#include <gtest/gtest.h>

#include "protocol/ByteSum.h"
#include "protocol/PacketFramer.h"
#include "tests/support/PacketBuilder.h"

namespace qv {
namespace {

using testing::Bytes;
using testing::Concat;
using testing::MakeDataPacket;
using testing::MakeFixedPacket;
using testing::WithBadChecksum;
using testing::WithLengthField;

constexpr PacketType kFixedTypes[] = {PacketType::Setup,          PacketType::FlashError,
                                      PacketType::Status,         PacketType::UploadBlock,
                                      PacketType::DirectoryEntry, PacketType::AnalogCal,
                                      PacketType::HardwareConfig};

TEST(FramerTest, HeadsOfEveryKind) {
  const Bytes data5 = MakeDataPacket(1, 0, 0, Bytes(5, 0x08));
  const Bytes data4096 = MakeDataPacket(1, 0, 0, Bytes(kMaxPayload, 0xAB));
  const Bytes emptyData = MakeDataPacket(1, 0, 0, Bytes{});
  struct Case {
    const char* name;
    Bytes bytes;
    int held;  // -1: all of them
    FrameResult result;
    PacketType type;  // with a packet found
    int expectedSizeAfter;
  };
  constexpr PacketType kNone = PacketType::None;
  std::vector<Case> cases;
  for (PacketType type : kFixedTypes) {
    const Bytes p = MakeFixedPacket(type, {0x11, 0x22, 0x33});
    const int size = FixedPacketSize(type);
    cases.push_back({"fixed type", p, -1, FrameResult::Packet, type, 36});
    cases.push_back({"fixed type one short", p, size - 1, FrameResult::NeedMore, kNone, 36});
    cases.push_back({"fixed type bad checksum", WithBadChecksum(p), -1, FrameResult::NoPacket, kNone, 36});
  }
  const Case more[] = {
      {"unknown pair 9,9", Bytes(20, 0x09), -1, FrameResult::NoPacket, kNone, 36},
      {"mixed pair 3,5", Concat(Bytes{3, 5}, Bytes(200, 0)), -1, FrameResult::NoPacket, kNone, 36},
      {"pair 0,0", Bytes(20, 0x00), -1, FrameResult::NoPacket, kNone, 36},
      {"empty data packet", emptyData, -1, FrameResult::Packet, PacketType::Data, 36},
      {"empty data packet bad checksum", WithBadChecksum(emptyData), -1, FrameResult::NoPacket, kNone, 36},
      {"data header incomplete", data5, 35, FrameResult::NeedMore, kNone, 36},
      {"data header decoded, payload missing", data5, 40, FrameResult::NeedMore, kNone, 41},
      {"data packet", data5, -1, FrameResult::Packet, PacketType::Data, 41},
      {"largest data packet", data4096, -1, FrameResult::Packet, PacketType::Data, kLargestPacketSize},
      {"data bad checksum", WithBadChecksum(data5), -1, FrameResult::ChecksumError, kNone, 36},
      {"length 4097", WithLengthField(data5, 4097), -1, FrameResult::LengthError, kNone, 36},
      {"length 0x8001 (negative)", WithLengthField(data5, 0x8001), -1, FrameResult::LengthError, kNone, 36},
      {"length 0xFFFF (-1)", WithLengthField(data5, 0xFFFF), -1, FrameResult::LengthError, kNone, 36},
  };
  cases.insert(cases.end(), std::begin(more), std::end(more));

  for (const Case& c : cases) {
    PacketFramer framer;
    const int held = c.held < 0 ? static_cast<int>(c.bytes.size()) : c.held;
    // An exact-size copy, so a read past the held bytes is a sanitizer error.
    const Bytes exact(c.bytes.begin(), c.bytes.begin() + held);
    const Framed framed = framer.FramePacket(exact.data(), held);
    EXPECT_EQ(framed.result, c.result) << c.name;
    EXPECT_EQ(framed.type, c.type) << c.name;
    if (framed.result == FrameResult::Packet) {
      EXPECT_EQ(framed.size, held) << c.name;
    }
    EXPECT_EQ(framer.ExpectedDataSize(), c.expectedSizeAfter) << c.name;
  }
}

TEST(FramerTest, LengthErrorKeepsTheFieldForTheCaller) {
  PacketFramer framer;
  for (std::uint16_t field : {std::uint16_t{4097}, std::uint16_t{0x8000}, std::uint16_t{0xFFFF}}) {
    const Bytes p = WithLengthField(MakeDataPacket(1, 0, 0, Bytes(3, 0)), field);
    EXPECT_EQ(framer.FramePacket(p.data(), static_cast<int>(p.size())).result,
              FrameResult::LengthError);
    EXPECT_EQ(framer.LengthErrorValue(), field);
  }
}

TEST(FramerTest, DecodedHeaderIsNotDecodedAgain) {
  PacketFramer framer;
  const Bytes packet = MakeDataPacket(1, 0, 0, Bytes(100, 0x55));
  ASSERT_EQ(framer.FramePacket(packet.data(), 40).result, FrameResult::NeedMore);
  ASSERT_EQ(framer.ExpectedDataSize(), 136);
  EXPECT_EQ(framer.FramePacket(packet.data(), 135).result, FrameResult::NeedMore);

  // The length field now says 0, but the size decoded earlier still rules.
  Bytes changed = WithLengthField(packet, 0);
  SealChecksum(changed.data(), changed.size());
  const Framed framed = framer.FramePacket(changed.data(), 136);
  EXPECT_TRUE(framed.IsPacket(PacketType::Data));
  EXPECT_EQ(framed.size, 136);

  framer.Reset();
  EXPECT_EQ(framer.FramePacket(changed.data(), 136).result, FrameResult::NoPacket);
}

TEST(FramerTest, ChecksumErrorForgetsTheHeader) {
  PacketFramer framer;
  const Bytes bad = WithBadChecksum(MakeDataPacket(1, 0, 0, Bytes(10, 1)));
  ASSERT_EQ(framer.FramePacket(bad.data(), 40).result, FrameResult::NeedMore);
  ASSERT_EQ(framer.ExpectedDataSize(), 46);
  EXPECT_EQ(framer.FramePacket(bad.data(), static_cast<int>(bad.size())).result,
            FrameResult::ChecksumError);
  // A shorter packet next is framed by its own length.
  const Bytes next = MakeDataPacket(1, 1, 0, Bytes(3, 2));
  const Framed framed = framer.FramePacket(next.data(), static_cast<int>(next.size()));
  EXPECT_TRUE(framed.IsPacket(PacketType::Data));
  EXPECT_EQ(framed.size, 39);
}

}  // namespace
}  // namespace qv
