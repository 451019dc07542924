// Replaying an archive through the whole receive path in virtual time: the
// speed, a single pass and a continuous one, the end of the file, records cut
// short or too long, files that cannot be read, and an archive the host
// itself recorded.
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "tests/support/ArchiveContents.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An archive record of logger 2 whose port 1 holds `text` and a line end.
Bytes Record(std::uint8_t sequence, const std::string& text) {
  DataPacket p;
  p.header.loggerId = 2;
  p.header.sequence = sequence;
  p.header.timeStamp = 1000u * sequence;
  const std::string line = text + "\r\n";
  DataPorts ports;
  ports[0] = std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(line.data()),
                                           line.size());
  p.SetPorts(ports);
  return p.EncodeArchive();
}

class ReplayTest : public testing::ArchiveRecordingTest<testing::VirtualHostFixture> {
 public:
  RecordTab& Tab() { return host.Stream().recordTab; }

  // The logger on COM 1 (status only), the host on it, the replay controls
  // shown as a host configuration shows them, the raw display on port 1 of logger 2.
  void Start(const SimOptions& logger = {}) {
    StartLogger(logger);
    StartHostOnCom1();
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &Tab().ReplayArchiveBT, &Tab().ReplayContinuousBT, &Tab().ReplaySpeedLB1,
             &Tab().ReplaySpeedLB2, &Tab().ReplaySpeedUD, &Tab().ReplaySpeedEdit})
      c->SetVisible(true);
    host.Stream().realTimeTab.BTDisplayRaw.UserClick();
  }
  std::string Write(const std::string& name, const std::vector<Bytes>& records, std::size_t cut = 0) {
    Bytes all;
    for (const Bytes& r : records) all.insert(all.end(), r.begin(), r.end());
    all.resize(all.size() - cut);
    const std::string path = dir / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(all.data()),
                                                static_cast<std::streamsize>(all.size()));
    return path;
  }
  void Replay(const std::string& path, bool continuous) {
    prompter.files.push_back(path);
    (continuous ? Tab().ReplayContinuousBT : Tab().ReplayArchiveBT).UserClick();
  }
  const std::vector<std::string>& Shown() { return host.Stream().realTimeTab.Memo1.Lines(); }
  bool Replaying() { return IsReplay(host.Stream().RecordingMode()); }
  std::uint64_t Packets() { return host.Pump().Counters().packetCount; }

  testing::ScratchDir dir;
};

TEST_F(ReplayTest, ASinglePassPlaysEachRecordOnceThenGivesTheRecordButtonsBack) {
  Start();
  const std::string path = Write("three.dat", {Record(0, "A"), Record(1, "B"), Record(2, "C")});
  Replay(path, false);
  EXPECT_EQ(host.Stream().RecordingMode(), RecordingMode::Replay);
  EXPECT_EQ(Tab().LBArchiveFileName.Caption(), "Archive File:  " + path);
  EXPECT_FALSE(Tab().BTRecordArchive.Enabled());
  EXPECT_FALSE(Tab().ReplayArchiveBT.Enabled());

  ASSERT_TRUE(RunUntil([&] { return !Replaying(); }, 5000));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(host.Stream().Units().UnitPackets[2], 3u);
  for (forms::Button* b : {&Tab().BTRecordArchive, &Tab().BTRecord1Hour, &Tab().BTRecord1Day,
                           &Tab().BTRecordRaw, &Tab().ReplayArchiveBT, &Tab().ReplayContinuousBT})
    EXPECT_TRUE(b->Enabled()) << b->Name();
  RunFor(1000);
  EXPECT_EQ(Tab().LBRecordStatus.Caption(), "Recording:  OFF");
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(ReplayTest, AContinuousReplayStartsOverUntilStopped) {
  Start();
  Replay(Write("three.dat", {Record(0, "A"), Record(1, "B"), Record(2, "C")}), true);
  ASSERT_TRUE(RunUntil([&] { return Shown().size() >= 4; }, 5000));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B", "C", "A"}));
  RunFor(1000);
  const std::string status = Tab().LBRecordStatus.Caption();
  EXPECT_EQ(status.rfind("Continuous Archive Replay:  ", 0), 0u) << status;
  EXPECT_EQ(host.Main().TSRecord.Caption(), status);
  EXPECT_TRUE(Replaying());

  Tab().BTStopRecord.UserClick();
  EXPECT_FALSE(Replaying());
  EXPECT_TRUE(Tab().ReplayContinuousBT.Enabled());
  // The logger port is read again.
  const std::uint64_t before = Packets();
  RunFor(2000);
  EXPECT_GT(Packets(), before);
}

// How many fast ticks pass between two records at each replay speed.
TEST_F(ReplayTest, TheSpeedSetsTheTicksBetweenRecords) {
  Start();
  std::vector<Bytes> records;
  for (int i = 0; i < 60; ++i) records.push_back(Record(static_cast<std::uint8_t>(i), "x"));
  const std::string path = Write("long.dat", records);
  const int ticksAt[] = {0, 19, 9, 6, 4, 3, 3, 2, 2, 2, 1};
  for (int speed = 1; speed <= 10; ++speed) {
    SCOPED_TRACE(speed);
    Tab().ReplaySpeedEdit.UserType(std::to_string(speed));
    ASSERT_EQ(Tab().ReplaySpeedUD.Position(), speed);
    Replay(path, false);
    // The first record comes at once; count the ticks to the third.
    const std::uint64_t start = Packets();
    int ticks = 0;
    while (Packets() < start + 3 && ticks < 100) {
      RunFor(25);
      ++ticks;
    }
    EXPECT_EQ(ticks, 1 + 2 * ticksAt[speed]);
    Tab().BTStopRecord.UserClick();
  }
}

TEST_F(ReplayTest, ARecordCutShortEndsTheReplayEvenAContinuousOne) {
  Start();
  const std::vector<Bytes> records{Record(0, "A"), Record(1, "B"), Record(2, "Cut in its body")};
  for (bool continuous : {false, true}) {
    SCOPED_TRACE(continuous);
    host.Stream().realTimeTab.Memo1.Clear();
    for (std::size_t cut : {std::size_t{8}, records[2].size() - 10}) {  // in the body, in the header
      Replay(Write("cut.dat", records, cut), continuous);
      ASSERT_TRUE(RunUntil([&] { return !Replaying(); }, 5000));
    }
    EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B", "A", "B"}));
  }
}

TEST_F(ReplayTest, ARecordTooLongForAnyPacketIsPassedOver) {
  Start();
  Bytes tooLong = Record(1, "never");
  WriteLE16(tooLong.data() + 4, 5000);
  tooLong.resize(kArchiveHeaderSize + 5000 + kTrailerSize, '#');
  Replay(Write("long.dat", {Record(0, "A"), tooLong, Record(1, "B")}), false);
  ASSERT_TRUE(RunUntil([&] { return !Replaying(); }, 5000));
  EXPECT_EQ(Shown(), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(ReplayTest, AFileThatCannotBeReadIsToldAndNothingStarts) {
  Start();
  const std::string longPath = "/tmp/" + std::string(251, 'p');  // 256 characters
  for (const std::string& path : {std::string("/nonexistent/archive.dat"), longPath}) {
    prompter.Clear();
    Replay(path, false);
    ASSERT_EQ(prompter.Notices().size(), 1u);
    EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
    EXPECT_EQ(prompter.Notices()[0].text, "Unable to Read " + path);
    EXPECT_EQ(host.Stream().RecordingMode(), RecordingMode::Off);
    EXPECT_TRUE(Tab().ReplayArchiveBT.Enabled());
  }
  prompter.Clear();
  Tab().ReplayArchiveBT.UserClick();  // the dialog cancelled: nothing, and nothing told
  EXPECT_TRUE(prompter.Notices().empty());
  EXPECT_EQ(prompter.fileDialogs.back().title, "Open Archive For Replay");
  EXPECT_EQ(host.Stream().RecordingMode(), RecordingMode::Off);
}

TEST_F(ReplayTest, EveryRecordOfAnArchiveTheHostRecordedReplaysAsALivePacket) {
  SimOptions logger;
  logger.stream = true;
  logger.rateHz = 5;
  Start(logger);
  RecordFor(5);
  const std::vector<DataPacket> records = testing::ReadArchiveRecords(archive);
  ASSERT_GE(records.size(), 20u);
  const auto size = std::filesystem::file_size(archive);
  const std::uint32_t unitBefore = host.Stream().Units().UnitPackets[1];
  const std::uint64_t packetsBefore = Packets();

  Tab().ReplaySpeedEdit.UserType("10");
  Replay(archive, false);
  ASSERT_TRUE(RunUntil([&] { return !Replaying(); }, 60000));
  // Each record framed (a byte sum or length the framer refused would drop
  // bytes and lose packets) and was counted as the logger's.
  EXPECT_EQ(Packets() - packetsBefore, records.size());
  EXPECT_EQ(host.Stream().Units().UnitPackets[1] - unitBefore, records.size());
  EXPECT_EQ(std::filesystem::file_size(archive), size);  // nothing recorded
}

}  // namespace
}  // namespace qv
