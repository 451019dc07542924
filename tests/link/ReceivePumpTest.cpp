// The receive pump cycle: streams of packets and damage, counters, the raw
// tap, another byte source, and what consumers see when they are called.
#include <gtest/gtest.h>

#include <deque>

#include "tests/link/PumpFixture.h"

namespace qv::testing {
namespace {

Bytes Head(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); }
Bytes Tail(const Bytes& b, std::size_t n) { return Bytes(b.begin() + static_cast<std::ptrdiff_t>(n), b.end()); }

const Bytes kStatus = MakeStatusPacket({0x51});
const Bytes kStatus2 = MakeStatusPacket({0x52});
const Bytes kDirectory = MakeFixedPacket(PacketType::DirectoryEntry, {'r', 'u', 'n'});
const Bytes kData0 = MakeDataPacket(1, 1, 0, Bytes{});
const Bytes kData3 = MakeDataPacket(1, 2, 0, Bytes(3, 0x33));
const Bytes kData5 = MakeDataPacket(1, 0, 0, Bytes(5, 0x30));
const Bytes kData10 = MakeDataPacket(1, 3, 0, Bytes(10, 0x31));
const Bytes kData100 = MakeDataPacket(2, 0, 77, Bytes(100, 0x41));

TEST_F(PumpTest, Streams) {
  struct Case {
    const char* name;
    std::vector<Bytes> reads;  // one cycle per read
    std::vector<int> results;
    std::vector<std::string> events;
    int heldAfter;
    std::uint64_t packets;
  };
  const Bytes everyType =
      Concat(MakeFixedPacket(PacketType::Setup, {1}), MakeFlashErrorPacket(-2), kStatus,
             MakeFixedPacket(PacketType::UploadBlock, {4}), kDirectory,
             MakeFixedPacket(PacketType::AnalogCal, {6}), MakeFixedPacket(PacketType::HardwareConfig, {7}),
             kData5);
  const Case cases[] = {
      {"stray bytes before a status packet", {Concat(Bytes{0xAA, 0x03, 0x03}, kStatus)}, {2},
       {"status"}, 0, 1},
      {"two status packets in one read", {Concat(kStatus, kStatus2)}, {2}, {"status"}, 0, 2},
      {"every type in one read", {everyType}, {2},
       {"setup", "flash -2", "status", "upload", "directory", "analog", "hardware", "data 5"},
       0, 8},
      {"data packet with payload 0", {kData0}, {2}, {"data 0"}, 0, 1},
      {"header in one read, payload later", {Head(kData100, 40), Tail(kData100, 40)}, {1, 2},
       {"data 100"}, 0, 1},
      {"fixed packet in two reads", {Head(kStatus, 100), Tail(kStatus, 100)}, {1, 2},
       {"status"}, 0, 1},
      {"length 4097, later packets still found",
       {Concat(WithLengthField(kData5, 4097), kStatus)}, {2}, {"length error 4097", "status"}, 0, 1},
      {"negative length", {Concat(WithLengthField(kData5, 0x8001), kData3)}, {2},
       {"length error 32769", "data 3"}, 0, 1},
      {"checksum error, then a data packet of another length",
       {Concat(WithBadChecksum(kData10), kData3)}, {2}, {"data 3"}, 0, 1},
      {"11 bytes held: nothing framed or dropped; 12: one dropped", {Bytes(11, 9), Bytes{9}},
       {1, 1}, {}, 11, 0},
      {"pairs 9,9 and 3,5 dropped byte by byte", {Concat(Bytes{9, 9, 3, 5}, kStatus)}, {2},
       {"status"}, 0, 1},
      {"wrong checksum on a fixed type", {Concat(WithBadChecksum(kDirectory), kStatus)}, {2},
       {"status"}, 0, 1},
      {"nothing arrives", {Bytes{}}, {0}, {}, 0, 0},
      {"nothing more after a packet", {kStatus, Bytes{}}, {2, 0}, {"status"}, 0, 1},
  };
  for (const Case& c : cases) {
    PumpRig fresh;  // each case on a pump of its own
    std::vector<int> results;
    for (const Bytes& read : c.reads) {
      fresh.Feed(read);
      results.push_back(fresh.Cycle());
    }
    EXPECT_EQ(results, c.results) << c.name;
    EXPECT_EQ(fresh.consumer.Summaries(), c.events) << c.name;
    EXPECT_EQ(fresh.pump.Held(), c.heldAfter) << c.name;
    EXPECT_EQ(fresh.pump.Counters().packetCount, c.packets) << c.name;
  }
}

TEST_F(PumpTest, SecondRecordInOneCycleOverwritesTheFirst) {
  Feed(Concat(kStatus, kStatus2));
  EXPECT_EQ(pump.PumpReceive(), PumpResult::PacketHandled);
  EXPECT_EQ(pump.Counters().packetCount, 2u);
  EXPECT_TRUE(records.statusReceived);
  EXPECT_EQ(Bytes(records.status.begin(), records.status.end()), kStatus2);
  EXPECT_EQ(pump.Held(), 0);
}

TEST_F(PumpTest, Counters) {
  backend.readLimit = 50;
  const Bytes stream = Concat(kData5, kData100, Bytes{0xEE}, kData10, kStatus);
  Feed(stream);
  DrainPort();
  EXPECT_EQ(pump.Counters().totalInputBytes, stream.size());
  EXPECT_EQ(pump.Counters().packetCount, 4u);
  EXPECT_EQ(pump.Counters().largestPayloadThisSecond, 100);
  EXPECT_EQ(pump.TakeLargestPayload(), 100);
  EXPECT_EQ(pump.TakeLargestPayload(), 0);
  Feed(kData3);
  Cycle();
  EXPECT_EQ(pump.TakeLargestPayload(), 3);
}

TEST_F(PumpTest, PendingRawDisplayStopsTheCycle) {
  tap.displayPending = true;
  Feed(kStatus);
  EXPECT_EQ(Cycle(), 0);
  EXPECT_EQ(backend.incoming[kCom].size(), kStatus.size());  // port not read
  EXPECT_TRUE(tap.offered.empty());
  EXPECT_EQ(pump.Counters().totalInputBytes, 0u);

  tap.displayPending = false;
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(consumer.Summaries(), std::vector<std::string>{"status"});
}

TEST_F(PumpTest, TheTapIsOfferedEveryChunkAsRead) {
  backend.readLimit = 100;
  const Bytes stream = Concat(kData100, kStatus);
  Feed(stream);
  DrainPort();
  Bytes offered;
  for (const Bytes& chunk : tap.offered) {
    EXPECT_LE(chunk.size(), 100u);
    offered.insert(offered.end(), chunk.begin(), chunk.end());
  }
  EXPECT_EQ(offered, stream);
}

// Another source in place of the logger port (as a replay will be): the port
// is left alone, and a packet begun by one source is not completed by the other.
TEST_F(PumpTest, AnotherSourceTakesThePortsPlace) {
  struct QueueSource : ByteSource {
    std::deque<Bytes> reads;
    int ReadInto(std::uint8_t* dst, int room) override {
      if (reads.empty()) return 0;
      Bytes b = std::move(reads.front());
      reads.pop_front();
      const int n = std::min(room, static_cast<int>(b.size()));
      std::copy(b.begin(), b.begin() + n, dst);
      return n;
    }
  } source;
  Feed(Head(kData100, 60));
  EXPECT_EQ(Cycle(), 1);
  Feed(kStatus);
  source.reads = {Tail(kData100, 60), kData5, Bytes{}, kData3};
  pump.SetSource(&source);
  EXPECT_EQ(Cycle(), 1);  // the rest of the port's packet means nothing here
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(Cycle(), 0);
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(consumer.Summaries(), (std::vector<std::string>{"data 5", "data 3"}));
  EXPECT_EQ(backend.incoming[kCom].size(), kStatus.size());  // the port is left alone
  EXPECT_EQ(tap.offered.size(), 4u);

  pump.SetSource(nullptr);
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(consumer.Summaries().back(), "status");
}

TEST_F(PumpTest, RecordIsCopiedAndRemovedBeforeItsConsumerRuns) {
  const Bytes flash = MakeFlashErrorPacket(-2);
  int calls = 0;
  consumer.onDirectoryEntry = [&] {
    ++calls;
    EXPECT_EQ(Bytes(records.directoryEntry.begin(), records.directoryEntry.end()), kDirectory);
    EXPECT_EQ(Held(), Concat(flash, kStatus));
  };
  Feed(Concat(kDirectory, flash, kStatus));
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(consumer.badFlashSeen, -2);  // indicator set before FlashError runs
  EXPECT_EQ(records.badFlash, -2);
}

TEST_F(PumpTest, DataPacketIsHandedInPlaceAndRemovedAfterwards) {
  int calls = 0;
  consumer.onDataPacket = [&](std::uint8_t* record, int length) {
    ++calls;
    EXPECT_EQ(record, pump.HeldBytes() + 2);
    EXPECT_EQ(length, static_cast<int>(kData10.size()) - 4);
    EXPECT_EQ(Held(), Concat(kData10, kStatus));
    std::fill(record, record + length, std::uint8_t{0xFF});  // the consumer may rewrite it
  };
  Feed(Concat(kData10, kStatus));
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(consumer.Summaries(), (std::vector<std::string>{"data 10", "status"}));
  EXPECT_EQ(Held(), Bytes{});
}

TEST_F(PumpTest, ConsumerMayEmptyTheBufferWhileHoldingAPacket) {
  consumer.onDataPacket = [&](std::uint8_t*, int) { pump.ResetReceiveBuffer(); };
  Feed(Concat(kData10, kStatus, Head(kData3, 20)));
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(pump.Held(), 0);
  Feed(kData5);
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(consumer.Summaries(), (std::vector<std::string>{"data 10", "data 5"}));
}

TEST_F(PumpTest, ResetForgetsHeldBytesAndADecodedHeader) {
  Feed(Head(kData100, 50));
  Cycle();
  pump.ResetReceiveBuffer();
  EXPECT_EQ(pump.Held(), 0);
  Feed(kData5);
  EXPECT_EQ(Cycle(), 2);
  EXPECT_EQ(consumer.Summaries(), std::vector<std::string>{"data 5"});
}

TEST_F(PumpTest, ClosedPortReadsNothing) {
  ports.ClosePortSlot(kLoggerSlot);
  EXPECT_EQ(Cycle(), 0);
}

}  // namespace
}  // namespace qv::testing
