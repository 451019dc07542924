// Real-time data over a real pseudo-terminal: one run's packets reach the
// archive in order, and a recorder killed outright leaves a readable archive.
// (The figures of a full chain are tested in virtual time.)
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "tests/e2e/EndToEndFixture.h"
#include "tests/support/ArchiveContents.h"

extern char** environ;

namespace qv {
namespace {

using testing::ArchiveContents;
using testing::ArchivedPacket;
using testing::ReadArchive;
using testing::RecordableFrom;

class StreamEndToEnd : public testing::ArchiveRecordingTest<testing::EndToEndFixture> {};

TEST_F(StreamEndToEnd, EveryPacketSentIsInTheArchiveInOrder) {
  SimOptions options;
  options.stream = true;
  options.rateHz = 5;
  StartSimulator(options);
  StartHostOnCom1();
  RecordFor(2);
  testing::ExpectArchiveOfWhatWasSent(archive, Sim().SentDataPackets(), 5);
  EXPECT_TRUE(prompter.Notices().empty());
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
  const ArchiveContents a = ReadArchive(archive);  // every record parses, but perhaps a cut last one
  EXPECT_GE(static_cast<long long>(std::filesystem::file_size(archive)), flushed);
  EXPECT_GE(a.packets.size(), 20u);
  // What it did write is what the logger sent, in order.
  std::vector<ArchivedPacket> sent = RecordableFrom(Sim().SentDataPackets(), a.packets.front());
  ASSERT_GE(sent.size(), a.packets.size());
  sent.resize(a.packets.size());
  EXPECT_EQ(a.packets, sent);
}

}  // namespace
}  // namespace qv
