// Random streams through the pump: however the bytes are cut into reads, the
// same packets come out in the same order, and garbage never stalls it.
#include <gtest/gtest.h>

#include <random>

#include "tests/link/PumpFixture.h"

namespace qv::testing {
namespace {

// A random stream of valid packets of all eight types between stretches of
// garbage. `inertGarbage` keeps garbage bytes out of 1..8 so no garbage can
// start or swallow a packet and every packet must come out.
struct Stream {
  Bytes bytes;
  std::vector<PumpEvent> expected;  // as LoggingConsumer logs them
};

Stream MakeStream(std::uint32_t seed, int items, bool inertGarbage) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto randomBytes = [&](int n, int lo) {
    Bytes b(static_cast<std::size_t>(n));
    for (auto& x : b) x = static_cast<std::uint8_t>(pick(lo, 255));
    return b;
  };

  Stream s;
  // The last setup and status since the previous consumer call; what is
  // empty has not arrived.
  PumpEvent setup, status;
  auto flush = [&] {
    for (PumpEvent* e : {&setup, &status}) {
      if (!e->what.empty()) s.expected.push_back(*e);
      *e = {};
    }
  };
  for (int i = 0; i < items; ++i) {
    if (pick(0, 4) == 0) {
      const Bytes garbage = randomBytes(pick(1, 40), inertGarbage ? 9 : 0);
      s.bytes.insert(s.bytes.end(), garbage.begin(), garbage.end());
      continue;
    }
    const auto type = static_cast<PacketType>(pick(1, 8));
    Bytes packet;
    if (type == PacketType::Data) {
      const int length = pick(0, 9) == 0 ? pick(0, kMaxPayload) : pick(0, 300);
      packet = MakeDataPacket(static_cast<std::uint8_t>(pick(0, 4)),
                              static_cast<std::uint8_t>(i), static_cast<std::uint32_t>(i * 1000),
                              randomBytes(length, 0));
      flush();
      s.expected.push_back({"data", length, Bytes(packet.begin() + 2, packet.end() - 2)});
    } else {
      packet = MakeFixedPacket(type, randomBytes(FixedPacketSize(type) - 4, 0));
      PumpEvent e{"", 0, packet};
      switch (type) {
        case PacketType::Setup: setup = PumpEvent{"setup", 0, packet}; break;
        case PacketType::Status: status = PumpEvent{"status", 0, packet}; break;
        case PacketType::FlashError:
          flush();
          s.expected.push_back({"flash", ReadLE16s(packet.data() + 2), {}});
          break;
        default:
          flush();
          e.what = type == PacketType::UploadBlock      ? "upload"
                   : type == PacketType::DirectoryEntry ? "directory"
                   : type == PacketType::AnalogCal      ? "analog"
                                                        : "hardware";
          s.expected.push_back(e);
      }
    }
    s.bytes.insert(s.bytes.end(), packet.begin(), packet.end());
  }
  flush();
  return s;
}

// Runs the stream through a pump: fed in pieces and read with a new read
// limit each cycle when `rng` is given, else fed and read whole.
std::vector<PumpEvent> RunStream(const Bytes& stream, std::mt19937* rng, std::uint64_t* packets) {
  PumpRig rig;
  std::size_t fed = 0;
  for (int cycles = 0;; ++cycles) {
    if (cycles > 1000000) {
      ADD_FAILURE() << "the pump stopped reading";
      break;
    }
    if (rng) {
      const std::size_t piece = std::uniform_int_distribution<std::size_t>(0, 3000)(*rng);
      const std::size_t n = std::min(piece, stream.size() - fed);
      rig.Feed(Bytes(stream.begin() + static_cast<std::ptrdiff_t>(fed),
                     stream.begin() + static_cast<std::ptrdiff_t>(fed + n)));
      fed += n;
      rig.backend.readLimit = std::uniform_int_distribution<std::size_t>(1, 5000)(*rng);
    } else if (fed == 0) {
      rig.Feed(stream);
      fed = stream.size();
    }
    const PumpResult result = rig.pump.PumpReceive();
    if (fed == stream.size() && rig.backend.incoming[PumpRig::kCom].empty() &&
        result == PumpResult::Nothing)
      break;
  }
  EXPECT_EQ(rig.pump.Counters().totalInputBytes, stream.size());
  rig.consumer.TakeFlags();
  *packets = rig.pump.Counters().packetCount;
  return rig.consumer.events;
}

TEST(PumpStreamTest, ReadBoundariesDoNotChangeWhatIsFramed) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    const bool inert = seed % 2 == 0;
    const Stream s = MakeStream(seed, 300, inert);
    std::uint64_t wholePackets = 0;
    const std::vector<PumpEvent> whole = RunStream(s.bytes, nullptr, &wholePackets);
    if (inert) {
      EXPECT_EQ(whole, s.expected) << "seed " << seed;
    }
    for (std::uint32_t split = 0; split < 3; ++split) {
      std::mt19937 rng(seed * 100 + split);
      std::uint64_t splitPackets = 0;
      EXPECT_EQ(RunStream(s.bytes, &rng, &splitPackets), whole) << "seed " << seed << " split " << split;
      EXPECT_EQ(splitPackets, wholePackets) << "seed " << seed << " split " << split;
    }
  }
}

TEST(PumpStreamTest, GarbageNeverStallsThePump) {
  std::mt19937 rng(7);
  PumpRig rig;
  rig.backend.readLimit = 997;
  // Garbage rich in packet-looking heads: type pairs and data headers with
  // every kind of length field.
  Bytes garbage;
  while (garbage.size() < 200000) {
    const int kind = std::uniform_int_distribution<int>(0, 3)(rng);
    const auto type = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 8)(rng));
    if (kind == 0) {
      garbage.push_back(type);
      garbage.push_back(type);
    } else if (kind == 1) {
      Bytes header = {8, 8, 1, 0, 1, 0, 0, 0};
      WriteBE16(header.data() + 6, static_cast<std::uint16_t>(rng()));
      garbage.insert(garbage.end(), header.begin(), header.end());
    } else {
      garbage.push_back(static_cast<std::uint8_t>(rng()));
    }
  }
  rig.Feed(garbage);
  while (!rig.backend.incoming[PumpRig::kCom].empty()) {
    ASSERT_NE(rig.pump.PumpReceive(), PumpResult::Nothing);
    ASSERT_LT(rig.pump.Held(), kLargestPacketSize);
  }
  EXPECT_EQ(rig.pump.Counters().totalInputBytes, garbage.size());
  // Whatever partial packet the garbage left is given up once enough
  // harmless bytes follow, and a real packet after that is found.
  rig.Feed(Bytes(kLargestPacketSize, 0x09));
  rig.DrainPort();
  EXPECT_LT(rig.pump.Held(), kSmallestPacketSize);
  rig.consumer.events.clear();
  rig.Feed(MakeStatusPacket({1}));
  EXPECT_EQ(rig.pump.PumpReceive(), PumpResult::PacketHandled);
  rig.consumer.TakeFlags();
  EXPECT_EQ(rig.consumer.Summaries(), std::vector<std::string>{"status"});
}

}  // namespace
}  // namespace qv::testing
