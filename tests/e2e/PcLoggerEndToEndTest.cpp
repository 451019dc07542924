// The PC Logger over real pseudo-terminals: two qvsim instruments on PC
// Logger slots 1 and 2, recorded into an archive and read back record by record.
#include <signal.h>

#include <string>
#include <vector>

#include "tests/e2e/EndToEndFixture.h"
#include "tests/support/ArchiveContents.h"
#include "tests/support/InstrumentText.h"
#include "tests/support/QvsimProcess.h"
#include "tests/support/ScratchDir.h"

namespace qv {
namespace {

// A qvsim instrument; its device path from the first line it prints.
struct Instrument {
  explicit Instrument(const std::vector<std::string>& args) : process(QV_QVSIM, args) {
    const std::string line = process.Line();
    const std::string prefix = "qvsim: meter on ";
    if (line.rfind(prefix, 0) == 0) device = line.substr(prefix.size());
  }
  testing::QvsimProcess process;
  std::string device;
};

class PcLoggerEndToEnd : public testing::EndToEndFixture {};

TEST_F(PcLoggerEndToEnd, TwoQvsimInstrumentsAreRecordedRecordByRecord) {
  Instrument ctd({"--meter", "ctd", "--rate", "5"});
  Instrument gps({"--meter", "nmea", "--rate", "2", "--baud", "4800"});
  ASSERT_FALSE(ctd.device.empty());
  ASSERT_FALSE(gps.device.empty());
  backend_.Table().Set(3, ctd.device);
  backend_.Table().Set(4, gps.device);

  FastTick();  // start-up; no logger on this PC
  host.Main().MenuAdvanced.UserClick();
  PcLoggerTab& tab = host.PcLogger().tab;
  const int settings[] = {0, 6, 4};  // 9600 and 4800
  for (int n : {1, 2}) {
    tab.PortTypeCB[n].UserSelect(kPortKindMeterInput);
    tab.DeckPortCB[n].UserSelect(n + 2);
    tab.DeckSetupCB[n].UserSelect(settings[n]);
  }
  tab.BTLoadDeck.UserClick();
  ASSERT_TRUE(host.Ports().IsPortSlotOpen(1));
  ASSERT_TRUE(host.Ports().IsPortSlotOpen(2));

  testing::ScratchDir dir;
  const std::string archive = dir / "pclogger.dat";
  prompter.files.push_back(archive);
  host.Stream().recordTab.BTRecordArchive.UserClick();
  RunFor(4000);
  // The instruments end, their ports go quiet, the last packet is recorded.
  ctd.process.Signal(SIGTERM);
  gps.process.Signal(SIGTERM);
  RunFor(1500);
  host.Stream().recordTab.BTStopRecord.UserClick();

  const std::vector<DataPacket> records = testing::ReadArchiveRecords(archive);
  ASSERT_GE(records.size(), 3u);
  for (std::size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(records[i].header.loggerId, PcLoggerId);
    EXPECT_EQ(records[i].header.sequence, i);
  }
  testing::ExpectCtdOnPort1AndGpsOnPort2(records, 10, 6);
}

}  // namespace
}  // namespace qv
