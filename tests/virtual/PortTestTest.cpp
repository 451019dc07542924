// The single-port test against the simulated logger in virtual time: the
// logger passes the chosen port's instrument through to the raw display
// until Stop Test, and then talks in packets again.
#include <algorithm>

#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

struct PortCase {
  const char* name;
  int portItem;   // of "Select Port To Test"
  int testSetup;  // of "Test Port Setup"
  const char* heard;  // text the raw display shows; nullptr: nothing readable
  const char* notice = nullptr;  // the caption of the one notice the test brings
};

class PortTestTest : public testing::VirtualHostFixture,
                     public ::testing::WithParamInterface<PortCase> {
 public:
  TestPortForm& dialog() { return host.PortTesting().dialog; }
  const std::vector<std::string>& Memo() { return host.Stream().realTimeTab.Memo1.Lines(); }
  bool MemoHas(const char* text) {
    return std::any_of(Memo().begin(), Memo().end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
  }
};

TEST_P(PortTestTest, ThePortsInstrumentReachesTheRawDisplayUntilStop) {
  const PortCase& c = GetParam();
  StartLogger();  // a KR7: port 1 an ASCII CTD at 9600, port 2 a GPS at 4800
  StartHostOnCom1();
  ASSERT_TRUE(RunUntil([&] { return host.Main().GBLoggerStatus.Visible(); }, 4000));
  host.Main().MenuTestOneSerialPort.UserClick();
  dialog().CBTestPort.UserSelect(c.portItem);
  dialog().CBTestPortSetup.UserSelect(c.testSetup);
  dialog().CBHostPortSetup.UserSelect(6);  // the host port stays at 9600
  dialog().BTTestPort.UserClick();
  host.Stream().realTimeTab.BTDisplayRaw.UserClick();
  ASSERT_TRUE(RunUntil([&] { return Logger().portUnderTest == c.portItem + 1; }, 2000));
  RunFor(1000);  // what the line held before the test has come in
  const std::uint64_t packets = host.Pump().Counters().packetCount;
  RunFor(5000);
  EXPECT_EQ(host.Pump().Counters().packetCount, packets);  // raw bytes only
  if (c.heard) {
    EXPECT_TRUE(MemoHas(c.heard)) << (Memo().empty() ? "" : Memo().back());
  } else {
    EXPECT_FALSE(MemoHas("T=") || MemoHas("$GP") || MemoHas("ANALOG"));
  }

  dialog().BTStopTest.UserClick();
  ASSERT_TRUE(RunUntil([&] { return Logger().portUnderTest == 0; }, 2000));
  ASSERT_TRUE(RunUntil([&] { return host.Pump().Counters().packetCount > packets; }, 3000));
  const auto notices = prompter.Notices();
  ASSERT_EQ(notices.size(), c.notice ? 1u : 0u);
  if (c.notice) {
    EXPECT_EQ(notices[0].caption, c.notice);
  }
}

const PortCase kPortCases[] = {
    {"TheCtdOnPortOne", 0, 6, "T= "},
    {"TheGpsOnPortTwo", 1, 4, "$GPGGA,"},
    {"TheAnalogPorts", 8, 6, "ANALOG 1.23"},
    {"AWrongBaudIsGarbled", 0, 8, nullptr},
    {"APortWithNoInstrumentIsSilent", 5, 6, nullptr, "No Data Has Been Detected"},
};

INSTANTIATE_TEST_SUITE_P(Ports, PortTestTest, ::testing::ValuesIn(kPortCases),
                         [](const ::testing::TestParamInfo<PortCase>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
}  // namespace qv
