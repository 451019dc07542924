// Real-time data against the simulated logger in virtual time: every packet
// it sends reaches the archive in order, also from a chain of four loggers
// at the full line rate.
#include <filesystem>
#include <iostream>

#include "tests/support/ArchiveContents.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

using testing::ArchiveContents;
using testing::ArchivedPacket;
using testing::ReadArchive;
using testing::RecordableFrom;

class StreamTest : public testing::VirtualHostFixture {
 public:
  // Unique per test: ctest runs the tests of this program side by side.
  std::string archive = ::testing::TempDir() + "qv_virtual_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
  ~StreamTest() override { std::filesystem::remove(archive); }

  // Records from the moment the link is up, stops the logger after `seconds`,
  // lets the last packets in, then stops the recording.
  void RecordFor(int seconds) {
    prompter.files = {archive};
    host.Stream().recordTab.BTRecordArchive.UserClick();
    ASSERT_EQ(host.Stream().RecordingMode(), RecordingMode::Archive);
    RunFor(seconds * 1000);
    host.Setup().loggerControl.BTStop.UserClick();
    RunFor(1500);
    host.Stream().recordTab.BTStopRecord.UserClick();
  }
  std::vector<ArchivedPacket> SentFrom(const ArchivedPacket& first) {
    return RecordableFrom(backend.Logger().SentDataPackets(), first);
  }
};

TEST_F(StreamTest, EveryPacketSentIsInTheArchiveInOrder) {
  SimOptions options;
  options.stream = true;
  options.rateHz = 5;
  StartLogger(options);
  StartHostOnCom1();
  RecordFor(20);
  const ArchiveContents a = ReadArchive(archive);
  ASSERT_GE(a.packets.size(), 95u);
  EXPECT_FALSE(a.cutAtEnd);
  EXPECT_FALSE(a.badTrailer);
  EXPECT_EQ(a.packets, SentFrom(a.packets.front()));
  EXPECT_EQ(host.Stream().ModErrorsTotal(), 0u);
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(StreamTest, AChainOfFourAtTwentyHertzAtTheFullLineRateLosesNothing) {
  SimOptions options;
  options.line.baud = 115200;
  options.stream = true;
  options.chain = 4;
  options.rateHz = 20;
  StartLogger(options);
  StartHostOnCom1();
  host.Link().hostPortForm.HostSetupCB.UserSelect(11);  // 115200
  const int seconds = 30;
  RecordFor(seconds);
  const ArchiveContents a = ReadArchive(archive);
  ASSERT_FALSE(a.packets.empty());
  EXPECT_FALSE(a.cutAtEnd);
  const std::vector<ArchivedPacket> sent = SentFrom(a.packets.front());
  EXPECT_EQ(a.packets, sent);
  const SimSnapshot logger = Logger();
  std::cout << "chain of 4 at 20 Hz, 115200 baud: " << a.packets.size() << " packets archived in "
            << seconds << " s (" << a.packets.size() / seconds << " a second), "
            << logger.dataPacketsOverrun << " lost on the line, " << host.Stream().ModErrorsTotal()
            << " sequence errors\n";
  // Four loggers at 20 Hz and the time unit once a second.
  EXPECT_GE(a.packets.size(), static_cast<std::size_t>(80 * seconds));
  EXPECT_EQ(logger.dataPacketsOverrun, 0u);
  EXPECT_EQ(host.Stream().ModErrorsTotal(), 0u);
  RecordProperty("packets_per_second", static_cast<int>(a.packets.size() / seconds));
}

}  // namespace
}  // namespace qv
