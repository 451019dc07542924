// Real-time data against the simulated logger: every packet it sends reaches
// the archive in order, also from a chain of four loggers at the full line
// rate, and a recorder killed outright leaves a readable archive.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "common/ByteOrder.h"
#include "sim/SentPackets.h"
#include "stream/DataPacket.h"
#include "tests/e2e/EndToEndFixture.h"

extern char** environ;

namespace qv {
namespace {

struct ArchivedPacket {
  std::uint8_t loggerId;
  std::uint8_t sequence;
  std::uint64_t payloadHash;
  bool operator==(const ArchivedPacket&) const = default;
};

struct Archive {
  std::vector<ArchivedPacket> packets;
  bool cutAtEnd = false;  // the last record is incomplete
};

Archive ReadArchive(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  Archive a;
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < static_cast<std::size_t>(kArchiveHeaderSize)) {
      a.cutAtEnd = true;
      break;
    }
    DataPacketHeader h = ReadArchiveHeader(bytes.data() + at);
    std::size_t size = kArchiveHeaderSize + h.payloadLength + 4;
    if (bytes.size() - at < size) {
      a.cutAtEnd = true;
      break;
    }
    std::span<const std::uint8_t> payload(bytes.data() + at + kArchiveHeaderSize, h.payloadLength);
    a.packets.push_back({h.loggerId, h.sequence, PayloadHash(payload)});
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(bytes[at + kArchiveHeaderSize + h.payloadLength + i], kTrailerByte) << at;
    at += size;
  }
  return a;
}

class StreamEndToEnd : public testing::EndToEndFixture {
 public:
  // Unique per test: ctest runs the tests of this program side by side.
  std::string archive = ::testing::TempDir() + "qv_e2e_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
  ~StreamEndToEnd() override { std::filesystem::remove(archive); }

  // Records from the moment the link is up, stops the logger after `seconds`,
  // lets the last packets in, then stops the recording.
  void RecordFor(int seconds) {
    prompter.files = {archive};
    host.Stream().recordTab.BTRecordArchive.UserClick();
    ASSERT_EQ(host.Stream().RecordingMode(), 2);
    RunFor(seconds * 1000);
    host.Setup().loggerControl.BTStop.UserClick();
    RunFor(1500);
    host.Stream().recordTab.BTStopRecord.UserClick();
  }

  // The simulator's recordable packets from the first one archived on.
  std::vector<ArchivedPacket> SentFrom(const ArchivedPacket& first) {
    std::vector<ArchivedPacket> sent;
    bool started = false;
    for (const SentDataPacket& p : Sim().SentDataPackets()) {
      if (!p.inSequence || p.payloadLength == 0) continue;
      ArchivedPacket a{p.loggerId, p.sequence, p.payloadHash};
      started = started || a == first;
      if (started) sent.push_back(a);
    }
    return sent;
  }
};

TEST_F(StreamEndToEnd, EveryPacketSentIsInTheArchiveInOrder) {
  SimOptions options;
  options.stream = true;
  options.rateHz = 5;
  StartSimulator(options);
  StartHostOnCom1();
  RecordFor(3);
  Archive a = ReadArchive(archive);
  ASSERT_GE(a.packets.size(), 10u);
  EXPECT_FALSE(a.cutAtEnd);
  EXPECT_EQ(a.packets, SentFrom(a.packets.front()));
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(StreamEndToEnd, AChainOfFourAtTwentyHertzAtTheFullLineRateLosesNothing) {
  SimOptions options;
  options.line.baud = 115200;
  options.stream = true;
  options.chain = 4;
  options.rateHz = 20;
  StartSimulator(options);
  StartHostOnCom1();
  host.Link().hostPortForm.HostSetupCB.UserSelect(11);  // 115200
  const int seconds = 5;
  RecordFor(seconds);
  Archive a = ReadArchive(archive);
  ASSERT_FALSE(a.packets.empty());
  std::vector<ArchivedPacket> sent = SentFrom(a.packets.front());
  EXPECT_EQ(a.packets, sent);
  std::size_t lost = sent.size() > a.packets.size() ? sent.size() - a.packets.size() : 0;
  std::cout << "chain of 4 at 20 Hz, 115200 baud: " << a.packets.size() << " packets archived in "
            << seconds << " s (" << a.packets.size() / seconds << " a second), " << lost
            << " lost, " << host.Stream().ModErrorsTotal() << " sequence errors\n";
  EXPECT_GE(a.packets.size(), static_cast<std::size_t>(75 * seconds));
  EXPECT_EQ(host.Stream().ModErrorsTotal(), 0u);
  RecordProperty("packets_per_second", static_cast<int>(a.packets.size() / seconds));
}

TEST_F(StreamEndToEnd, ARecorderKilledOutrightLeavesAReadableArchive) {
  SimOptions options;
  options.stream = true;
  options.rateHz = 10;
  StartSimulator(options);

  int out[2];
  ASSERT_EQ(pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string device = Sim().DevicePath();
  const char* argv[] = {QV_HEADLESS_RECORDER, device.c_str(), archive.c_str(), nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, QV_HEADLESS_RECORDER, &actions, nullptr,
                        const_cast<char* const*>(argv), environ),
            0);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);

  // Wait for a few of its once-a-second reports, then kill it mid-stream.
  FILE* reports = fdopen(out[0], "r");
  char line[128];
  long long flushed = 0;
  for (int seen = 0; seen < 4 && std::fgets(line, sizeof line, reports); ++seen)
    std::sscanf(line, "flushed %lld", &flushed);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  std::fclose(reports);
  ASSERT_TRUE(WIFSIGNALED(status));

  ASSERT_GT(flushed, 0);
  Archive a = ReadArchive(archive);  // every record parses, but perhaps a cut last one
  EXPECT_GE(static_cast<long long>(std::filesystem::file_size(archive)), flushed);
  EXPECT_GE(a.packets.size(), 20u);
  // What it did write is what the logger sent, in order.
  std::vector<ArchivedPacket> sent = SentFrom(a.packets.front());
  ASSERT_GE(sent.size(), a.packets.size());
  sent.resize(a.packets.size());
  EXPECT_EQ(a.packets, sent);
}

}  // namespace
}  // namespace qv
