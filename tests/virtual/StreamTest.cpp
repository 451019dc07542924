// Real-time data against the simulated logger in virtual time: every packet
// it sends reaches the archive in order, also from a chain of four loggers
// at the full line rate.
#include <iostream>

#include "tests/support/ArchiveContents.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

using testing::ArchiveContents;

class StreamTest : public testing::ArchiveRecordingTest<testing::VirtualHostFixture> {
 public:
  ArchiveContents ExpectArchiveOfWhatWasSent(std::size_t least) {
    return testing::ExpectArchiveOfWhatWasSent(archive, backend.Logger().SentDataPackets(), least);
  }
};

TEST_F(StreamTest, EveryPacketSentIsInTheArchiveInOrder) {
  SimOptions options;
  options.stream = true;
  options.rateHz = 5;
  StartLogger(options);
  StartHostOnCom1();
  RecordFor(20);
  ExpectArchiveOfWhatWasSent(20 * 5 - 5);
  EXPECT_EQ(host.Stream().ModErrorsTotal(), 0u);
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(StreamTest, AChainOfFourAtTwentyHertzAtTheFullLineRateLosesNothing) {
  StartChainOfFourAtTwentyHertz();
  const int seconds = 30;
  RecordFor(seconds);
  // Four loggers at 20 Hz and the time unit once a second.
  const ArchiveContents a = ExpectArchiveOfWhatWasSent(80 * seconds);
  const SimSnapshot logger = Logger();
  std::cout << "chain of 4 at 20 Hz, 115200 baud: " << a.packets.size() << " packets archived in "
            << seconds << " s (" << a.packets.size() / seconds << " a second), "
            << logger.dataPacketsOverrun << " lost on the line, " << host.Stream().ModErrorsTotal()
            << " sequence errors\n";
  EXPECT_EQ(logger.dataPacketsOverrun, 0u);
  EXPECT_EQ(host.Stream().ModErrorsTotal(), 0u);
  RecordProperty("packets_per_second", static_cast<int>(a.packets.size() / seconds));
}

}  // namespace
}  // namespace qv
