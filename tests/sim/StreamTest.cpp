// The simulated logger's real-time data on a fake clock: when it streams, the
// units of a chain and their counts, the rate, what the meters send, and
// whole-packet faults.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "protocol/ByteSum.h"
#include "protocol/Commands.h"
#include "protocol/DataPacket.h"
#include "protocol/OperationState.h"
#include "protocol/SetupRecord.h"
#include "sim/LinePacer.h"
#include "sim/SentPackets.h"
#include "sim/SimLogger.h"
#include "sim/SimMeter.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/FakeClock.h"

namespace qv {
namespace {

using testing::Bytes;
using testing::SeenDataPacket;

constexpr std::int64_t kJulyNoonUtc = 1782907200;  // 2026-07-01 12:00:00 UTC, 08:00 in New York

class StreamTest : public ::testing::Test {
 protected:
  void Make(SimOptions options = {}) {
    now_ = 0;  // a new logger's steady count starts at 0
    logger_ = std::make_unique<SimLogger>(options, clock_);
    logger_->Tick(now_);
  }
  void Advance(std::int64_t ms, std::int64_t step = 100) {
    for (std::int64_t done = 0; done < ms; done += step) {
      clock_.AdvanceMs(step);
      now_ += step;
      logger_->Tick(now_);
    }
  }
  void Command(std::uint16_t code) {
    const Bytes b = testing::FrameBytes(code);
    logger_->Receive(b.data(), b.size());
  }
  template <typename Edit>
  void SendSetup(Edit edit) {
    SetupBytes bytes = logger_->Setup();
    SetupRecord s(bytes);
    edit(s);
    s.SealChecksum();
    logger_->Receive(bytes.data(), bytes.size());
  }
  // Taken output: the data packets, and how many status records came with them.
  std::vector<SeenDataPacket> TakeData(int* statusCount = nullptr) {
    std::vector<SeenDataPacket> data;
    int status = 0;
    for (const OutgoingPacket& p : logger_->TakeOutput()) {
      if (PacketTypeOf(p.bytes[0], p.bytes[1]) == PacketType::Status) ++status;
      for (SeenDataPacket& d : testing::DataPacketsIn(p.bytes)) data.push_back(std::move(d));
    }
    if (statusCount != nullptr) *statusCount = status;
    return data;
  }
  static std::map<int, std::vector<SeenDataPacket>> ByUnit(const std::vector<SeenDataPacket>& all) {
    std::map<int, std::vector<SeenDataPacket>> units;
    for (const SeenDataPacket& p : all) units[p.loggerId].push_back(p);
    return units;
  }

  testing::DaylightSavingZone tz_;
  FakeClock clock_{kJulyNoonUtc};
  std::int64_t now_ = 0;
  std::unique_ptr<SimLogger> logger_;
};

TEST_F(StreamTest, StreamsWhileSamplingWhenTheModeOrOutputFormatAsks) {
  struct Case {
    std::int16_t mode, outputFormat;
    bool streams;
  };
  for (const Case& c : {Case{1, 0, false}, Case{2, 0, true}, Case{1, 1, true}, Case{0, 2, true},
                        Case{0, 3, false}, Case{3, 0, false}}) {
    SCOPED_TRACE(::testing::Message() << "mode " << c.mode << " format " << c.outputFormat);
    Make();
    SendSetup([&](SetupRecord& s) {
      s.SetMode(c.mode);
      s.SetOutputFormat(c.outputFormat);
      s.SetTimeField(SetupRecord::DelayTime, 1);
      s.SetTimeField(SetupRecord::PreFlushTime, 0);
      s.SetTimeField(SetupRecord::WarmUpTime, 0);
      s.SetTimeField(SetupRecord::FlushTime, 0);
      s.SetTimeField(SetupRecord::SampleTime, 100);
      s.SetAnalogRate(5);
    });
    Advance(2000);
    EXPECT_TRUE(TakeData().empty()) << "standing by";
    Command(CmdBeginSample);
    Advance(1000);
    EXPECT_TRUE(TakeData().empty()) << "the delay";
    ASSERT_EQ(logger_->State(), OperationState::Sampling);
    Advance(3000);
    int status = 0;
    const std::vector<SeenDataPacket> data = TakeData(&status);
    EXPECT_EQ(status, 3) << "status goes on in between";
    if (c.streams) {
      ASSERT_EQ(data.size(), 15u);
      EXPECT_EQ(data.front().sequence, 0);
      EXPECT_EQ(data.front().timeStamp, 1200u) << "milliseconds since the run began";
      EXPECT_EQ(data.back().timeStamp, 4000u);
    } else {
      EXPECT_TRUE(data.empty());
    }
    Command(CmdStop);
    Advance(2000);
    EXPECT_TRUE(TakeData(&status).empty()) << "Stop ends streaming";
    EXPECT_EQ(status, 2);
  }
}

TEST_F(StreamTest, AMooredLoggerStreamsOnlyInItsSamplingPhases) {
  Make();
  SendSetup([](SetupRecord& s) {
    s.SetMode(1);
    s.SetOutputFormat(1);
    for (auto t : {SetupRecord::DelayTime, SetupRecord::PreFlushTime, SetupRecord::WarmUpTime,
                   SetupRecord::FlushTime})
      s.SetTimeField(t, 0);
    s.SetTimeField(SetupRecord::SampleTime, 2);
    s.SetTimeField(SetupRecord::SampleInterval, 3);
    s.SetAnalogRate(2);
  });
  Command(CmdBeginSample);
  Advance(10000);  // sampling 0-2 s and 5-7 s, asleep 2-5 s and 7-10 s
  const std::vector<SeenDataPacket> data = TakeData();
  ASSERT_EQ(data.size(), 8u);
  for (std::size_t i = 0; i < data.size(); ++i) {
    EXPECT_EQ(data[i].sequence, static_cast<int>(i)) << "counts go on over the cycles";
    const std::uint32_t t = data[i].timeStamp;
    EXPECT_TRUE((t > 0 && t <= 2000) || (t > 5000 && t <= 7000)) << t;
  }
}

TEST_F(StreamTest, EachUnitOfAChainCountsItsOwnSequenceAndTheTimeUnitTellsTheTime) {
  SimOptions o;
  o.chain = 3;
  o.rateHz = 5;
  o.stream = true;
  Make(o);
  EXPECT_EQ(logger_->State(), OperationState::Sampling) << "--stream needs no command";
  Advance(60000);
  const auto units = ByUnit(TakeData());
  ASSERT_EQ(units.size(), 4u);
  for (int id = 1; id <= 3; ++id) {
    SCOPED_TRACE(id);
    const std::vector<SeenDataPacket>& u = units.at(id);
    ASSERT_GE(u.size(), 299u);  // the later units' 300th falls just after the minute
    for (std::size_t i = 0; i < u.size(); ++i) {
      ASSERT_EQ(u[i].sequence, static_cast<int>(i % 256)) << i;
      if (i > 0) {
        ASSERT_EQ(u[i].timeStamp - u[i - 1].timeStamp, 200u);
      }
    }
    // The units take turns within each period.
    EXPECT_EQ(u[0].timeStamp, 200u + 200u * static_cast<std::uint32_t>(id - 1) / 3);
  }
  const std::vector<SeenDataPacket>& time = units.at(0);
  ASSERT_EQ(time.size(), 60u);
  for (std::size_t i = 0; i < time.size(); ++i) {
    EXPECT_EQ(time[i].sequence, static_cast<int>(i));
    EXPECT_EQ(time[i].payload, time[i].Port(9)) << "only port 9";
  }
  EXPECT_EQ(std::string(time[0].payload.begin(), time[0].payload.end()), "08:00:01 07/01/26\r\n");
  EXPECT_EQ(std::string(time[59].payload.begin(), time[59].payload.end()), "08:01:00 07/01/26\r\n");

  // Power-up: the counts begin again at 0.
  logger_->PowerCycle();
  Advance(1000);
  for (const auto& [id, packets] : ByUnit(TakeData())) EXPECT_EQ(packets.front().sequence, 0) << id;
}

TEST_F(StreamTest, ASingleLoggerSendsUnderItsOwnIdWithoutATimeUnit) {
  SimOptions o;
  o.loggerId = 7;
  o.stream = true;
  o.rateHz = 2;
  Make(o);
  Advance(2000);
  std::vector<SeenDataPacket> data = TakeData();
  ASSERT_EQ(data.size(), 4u);
  for (const SeenDataPacket& p : data) EXPECT_EQ(p.loggerId, 7);
  const Bytes setId = testing::FrameBytes(CmdSetLoggerId, 3);
  logger_->Receive(setId.data(), setId.size());
  Advance(1000);
  data = TakeData();
  ASSERT_EQ(data.size(), 2u);
  EXPECT_EQ(data[0].loggerId, 3);
  EXPECT_EQ(data[0].sequence, 0);
}

TEST_F(StreamTest, TheRateIsTheSetupsAnalogRateUnlessAnOptionOverridesIt) {
  struct Case {
    std::int16_t setupRate;
    int option;
    std::size_t perSecond;
  };
  for (const Case& c : {Case{4, 0, 4}, Case{0, 0, 1}, Case{-3, 0, 1}, Case{25, 0, 20},
                        Case{4, 10, 10}, Case{20, 1, 1}}) {
    SCOPED_TRACE(::testing::Message() << c.setupRate << " " << c.option);
    SimOptions o;
    o.stream = true;
    o.rateHz = c.option;
    Make(o);
    SendSetup([&](SetupRecord& s) { s.SetAnalogRate(c.setupRate); });
    Advance(3000, 50);
    EXPECT_EQ(TakeData().size(), 3 * c.perSecond);
  }
}

// Each port's bytes over a run, joined.
std::map<int, Bytes> PortStreams(const std::vector<SeenDataPacket>& packets) {
  std::map<int, Bytes> ports;
  for (const SeenDataPacket& p : packets) {
    int sum = 0;
    for (int k = 1; k <= 9; ++k) {
      const Bytes b = p.Port(k);
      ports[k].insert(ports[k].end(), b.begin(), b.end());
      sum += p.decoded.header.portCounts[k - 1];
    }
    EXPECT_EQ(static_cast<std::size_t>(sum), p.payload.size());
  }
  return ports;
}

std::vector<std::string> Lines(const Bytes& b) {
  std::vector<std::string> lines;
  std::string text(b.begin(), b.end());
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

TEST_F(StreamTest, ThePortsCarryWhatTheirMetersWouldSend) {
  // The KR-7's default: an ASCII CTD on port 1, GPS on 2, a binary meter on 3,
  // a pump on 4, seven analog ports.
  SimOptions o;
  o.stream = true;
  o.rateHz = 10;
  Make(o);
  Advance(10000);
  const std::vector<SeenDataPacket> packets = TakeData();
  ASSERT_EQ(packets.size(), 100u);
  std::map<int, Bytes> ports = PortStreams(packets);

  const std::vector<std::string> ctd = Lines(ports[1]);
  EXPECT_NEAR(static_cast<double>(ctd.size()), 10000 / 320, 1);
  double lastT = 0;
  for (const std::string& line : ctd) {
    ASSERT_TRUE(std::regex_match(line, std::regex(R"(T=[ \d]{3}\.\d\d, S=\d\d\.\d C)"))) << line;
    const double t = std::stod(line.substr(2, 6));
    if (lastT != 0) {
      EXPECT_LE(std::abs(t - lastT), 0.021) << "drifts slowly";
    }
    lastT = t;
  }

  int gga = 0, rmc = 0;
  for (const std::string& line : Lines(ports[2])) {
    gga += line.rfind("$GPGGA,", 0) == 0;
    rmc += line.rfind("$GPRMC,", 0) == 0;
    const std::size_t star = line.find('*');
    ASSERT_EQ(star, line.size() - 3) << line;
    unsigned sum = 0;
    std::sscanf(line.c_str() + star + 1, "%2X", &sum);
    EXPECT_EQ(sum, NmeaChecksum(line.c_str())) << line;
  }
  EXPECT_EQ(gga, 10);
  EXPECT_EQ(rmc, 10);

  ASSERT_EQ(ports[3].size(), 100u * 24u) << "a binary frame per scan";
  for (std::size_t at = 0; at < ports[3].size(); at += 24) {
    EXPECT_EQ(ports[3][at], 0xAA);
    EXPECT_EQ(ports[3][at + 1], 0x55);
    EXPECT_EQ(ByteSum16(ports[3].data() + at, 22), ReadBE16(ports[3].data() + at + 22));
  }
  EXPECT_TRUE(ports[4].empty()) << "a pump says nothing";
  for (const SeenDataPacket& p : packets) {
    const Bytes analog = p.Port(9);
    ASSERT_EQ(analog.size(), 14u) << "seven analog ports, two bytes each";
    for (int n = 1; n <= 7; ++n)
      EXPECT_NEAR(ReadBE16(analog.data() + 2 * (n - 1)), AnalogRestingMv(n), 50);
  }

  SimOptions px5 = o;
  px5.model = kModelPx5Plus;
  Make(px5);
  Advance(3000);
  const std::vector<std::string> px5Lines = Lines(PortStreams(TakeData())[1]);
  ASSERT_EQ(px5Lines.size(), 3u);
  EXPECT_TRUE(std::regex_match(px5Lines[0], std::regex(R"(PX5 \d{5} D=.* T=.* C=.*)"))) << px5Lines[0];
}

TEST_F(StreamTest, AFullChainAt20HzLeavesRoomOnA115200Line) {
  SimOptions o;
  o.chain = 4;
  o.rateHz = 20;
  o.stream = true;
  Make(o);
  Advance(10000, 50);
  std::size_t bytes = 0, packets = 0;
  for (const OutgoingPacket& p : logger_->TakeOutput()) {
    bytes += p.bytes.size();
    packets += PacketTypeOf(p.bytes[0], p.bytes[1]) == PacketType::Data;
  }
  // The last turns of units 2 to 4 fall just after the 10 s.
  EXPECT_EQ(packets, 10u * (4 * 20 + 1) - 3);
  EXPECT_LT(bytes, 10u * 11520u * 3 / 4) << bytes / 10 << " bytes a second";
}

TEST_F(StreamTest, PacketFaultsAtFullRate) {
  struct Case {
    PacketFaultRates rates;
    const char* name;
  };
  for (const Case& c : {Case{{1.0, 0, 0}, "gap"}, Case{{0, 1.0, 0}, "repeat"},
                        Case{{0, 0, 1.0}, "corrupt"}}) {
    SCOPED_TRACE(c.name);
    SimOptions o;
    o.stream = true;
    o.rateHz = 10;
    o.packetGapRate = c.rates.gap;
    o.packetRepeatRate = c.rates.repeat;
    o.packetCorruptRate = c.rates.corrupt;
    Make(o);
    Advance(2000);
    std::vector<Bytes> sent;
    for (OutgoingPacket& p : logger_->TakeOutput())
      if (PacketTypeOf(p.bytes[0], p.bytes[1]) == PacketType::Data) sent.push_back(std::move(p.bytes));
    const StreamCounts& n = logger_->Streamed();
    EXPECT_EQ(n.packets, 20u);
    if (c.rates.repeat > 0) {
      ASSERT_EQ(sent.size(), 40u);
      for (std::size_t i = 0; i < sent.size(); i += 2) EXPECT_EQ(sent[i], sent[i + 1]);
      EXPECT_EQ(n.repeated, 20u);
    } else {
      ASSERT_EQ(sent.size(), 20u);
    }
    int last = -1;
    std::uint64_t skipped = 0;
    for (const Bytes& b : sent) {
      EXPECT_EQ(ChecksumValid(b.data(), b.size()), c.rates.corrupt == 0);
      const int gap = (b[5] - last - 1 + 256) % 256;
      if (c.rates.gap > 0) {
        EXPECT_GE(gap, 1);
        EXPECT_LE(gap, 3);
      } else if (b[5] != last) {
        EXPECT_EQ(gap, 0);
      }
      if (b[5] != last) skipped += static_cast<std::uint64_t>(gap);
      last = b[5];
    }
    EXPECT_EQ(n.skipped, skipped);
    EXPECT_EQ(n.corrupted, c.rates.corrupt > 0 ? 20u : 0u);
  }
}

TEST_F(StreamTest, PartialPacketFaultsAreSeededAndNearTheirRates) {
  auto run = [this](std::uint64_t seed) {
    clock_.Set(kJulyNoonUtc);  // the GPS tells the time
    SimOptions o;
    o.stream = true;
    o.rateHz = 20;
    o.seed = seed;
    o.packetGapRate = 0.1;
    o.packetRepeatRate = 0.05;
    o.packetCorruptRate = 0.2;
    Make(o);
    Advance(50000);
    std::vector<Bytes> sent;
    for (OutgoingPacket& p : logger_->TakeOutput())
      if (PacketTypeOf(p.bytes[0], p.bytes[1]) == PacketType::Data) sent.push_back(std::move(p.bytes));
    return sent;
  };
  const std::vector<Bytes> a = run(5);
  const StreamCounts n = logger_->Streamed();
  EXPECT_TRUE(run(5) == a);
  EXPECT_FALSE(run(6) == a);
  EXPECT_EQ(n.packets, 1000u);
  EXPECT_NEAR(static_cast<double>(n.repeated), 50, 22);
  EXPECT_NEAR(static_cast<double>(n.corrupted), 200, 40);
  EXPECT_NEAR(static_cast<double>(n.skipped), 100 * 2, 60);  // 1 to 3 numbers each time
}

Bytes Packet(std::uint8_t id, std::uint8_t sequence, const std::string& text) {
  std::array<std::span<const std::uint8_t>, kDataPorts> ports{};
  ports[0] = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  return BuildDataPacket(id, sequence, 0, ports);
}

TEST(SentPacketLogTest, JudgesEachPacketAsAHostThatHeardThemAllWould) {
  SentPacketLog log;
  const struct {
    std::uint8_t id, sequence;
    const char* text;
  } sent[] = {{1, 0, "a"}, {2, 5, "b"}, {1, 1, "c"}, {1, 1, "c"}, {1, 3, "d"},
              {2, 6, "e"}, {1, 4, "f"}, {1, 4, "g"}};
  for (const auto& p : sent) log.Add(Packet(p.id, p.sequence, p.text));
  struct Expected {
    int id, sequence;
    bool inSequence, repeated;
  };
  const Expected expected[] = {{1, 0, true, false}, {2, 5, false, false}, {1, 1, true, true},
                               {1, 3, false, false}, {2, 6, true, false}, {1, 4, true, true}};
  ASSERT_EQ(log.Entries().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const SentDataPacket& e = log.Entries()[i];
    EXPECT_EQ(e.loggerId, expected[i].id) << i;
    EXPECT_EQ(e.sequence, expected[i].sequence) << i;
    EXPECT_EQ(e.inSequence, expected[i].inSequence) << i;
    EXPECT_EQ(e.repeated, expected[i].repeated) << i;
  }
  const std::string c = "c";
  EXPECT_EQ(log.Entries()[2].payloadHash,
            PayloadHash(std::span(reinterpret_cast<const std::uint8_t*>(c.data()), c.size())));
  EXPECT_NE(log.Entries()[2].payloadHash, log.Entries()[0].payloadHash);
  EXPECT_EQ(log.Entries()[2].payloadLength, 1);
}

TEST(SentPacketLogTest, KeepsOnlyTheNewestEntries) {
  SentPacketLog log(3);
  for (int i = 0; i < 10; ++i) log.Add(Packet(1, static_cast<std::uint8_t>(i), "x"));
  log.Add(Packet(1, 9, "x"));  // a repeat of the newest
  ASSERT_EQ(log.Entries().size(), 3u);
  EXPECT_EQ(log.Forgotten(), 7u);
  EXPECT_EQ(log.Total(), 10u);
  EXPECT_EQ(log.Entries().front().sequence, 7);
  EXPECT_TRUE(log.Entries().back().repeated);

  SentPacketLog one(1);
  one.Add(Packet(1, 0, "x"));
  one.Add(Packet(2, 0, "y"));
  one.Add(Packet(1, 0, "x"));  // repeats an entry already let go: nothing to mark
  ASSERT_EQ(one.Entries().size(), 1u);
  EXPECT_FALSE(one.Entries().front().repeated);
}

TEST(LinePacerTest, ALineCarriesATenthOfItsBaudAndSavesUpLittle) {
  struct Case {
    std::int32_t baud;
    std::int64_t stepMs;
    std::size_t perSecond;
  };
  for (const Case& c : {Case{115200, 10, 11520}, Case{9600, 25, 960}, Case{600, 10, 60},
                        Case{2400, 400, 240}}) {
    SCOPED_TRACE(c.baud);
    LinePacer pacer;
    EXPECT_EQ(pacer.Allowance(0, c.baud), 0u);
    std::size_t sent = 0;
    for (std::int64_t t = c.stepMs; t <= 10000; t += c.stepMs) {
      const std::size_t n = pacer.Allowance(t, c.baud);
      pacer.Spend(n);
      sent += n;
    }
    // Passes further apart than the burst lose what the line could have sent.
    const double expected = c.stepMs <= LinePacer::kBurstMs
                                ? 10.0 * static_cast<double>(c.perSecond)
                                : 10.0 * static_cast<double>(c.perSecond) * LinePacer::kBurstMs /
                                      static_cast<double>(c.stepMs);
    EXPECT_NEAR(static_cast<double>(sent), expected, expected * 0.02 + 2);
  }
  LinePacer idle;
  idle.Allowance(0, 9600);
  EXPECT_EQ(idle.Allowance(60000, 9600), 96u) << "a minute's silence saves 100 ms";
}

}  // namespace
}  // namespace qv
