// The single-port test's dialog: the frame each choice sends, the refusals,
// and the raw display made ready for what comes back.
#include <gtest/gtest.h>

#include "protocol/ByteSum.h"
#include "protocol/Commands.h"
#include "tests/support/HostFixture.h"

namespace qv {
namespace {

using testing::HostFixture;
using Bytes = std::vector<std::uint8_t>;

class PortTestTest : public HostFixture {
 public:
  TestPortForm& dialog() { return host.PortTesting().dialog; }
  Bytes Start(int port, int testSetup, int hostSetup) {
    dialog().CBTestPort.SetItemIndex(port);
    dialog().CBTestPortSetup.SetItemIndex(testSetup);
    dialog().CBHostPortSetup.SetItemIndex(hostSetup);
    dialog().BTTestPort.UserClick();
    return Sent();
  }
};

TEST_F(PortTestTest, TheLoggersExampleFrame) {
  StartOnCom1();
  host.Main().MenuTestOneSerialPort.UserClick();
  EXPECT_TRUE(dialog().window.Shown());
  // "Port 3" at "9600,7,E,1", the host port at "38400".
  EXPECT_EQ(Start(2, 7, 9), (Bytes{0x0A, 0x0A, 0x00, 0x03, 0x00, 0x00, 0x25, 0x80, 0x00, 0x00, 0x96,
                                   0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x07, 0x00, 0x08, 0x00, 0x00,
                                   0x63, 0x01}));
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(PortTestTest, EveryChoiceGoesIntoItsField) {
  StartOnCom1();
  struct Case {
    int port, testSetup, hostSetup;  // item indexes; -1 nothing selected
    int number, testBaud, hostBaud, testParity, hostParity, testBits, hostBits;
  };
  const Case cases[] = {
      {0, 1, 11, 1, 600, 115200, 0, 0, 8, 8},
      {7, 5, 6, 8, 4800, 9600, 2, 0, 7, 8},
      {8, 10, 7, 9, 57600, 9600, 0, 2, 8, 7},     // "Analog Ports"
      {-1, 8, 3, 1, 19200, 2400, 0, 0, 8, 8},     // nothing chosen is "Port 1"
      {4, -1, -1, 5, 9600, 9600, 0, 0, 8, 8},     // no setting chosen is 9600
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port * 100 + c.testSetup * 10 + c.hostSetup);
    const Bytes b = Start(c.port, c.testSetup, c.hostSetup);
    ASSERT_EQ(b.size(), 24u);
    EXPECT_EQ(ReadBE16(&b[2]), c.number);
    EXPECT_EQ(ReadBE32(&b[4]), static_cast<std::uint32_t>(c.testBaud));
    EXPECT_EQ(ReadBE32(&b[8]), static_cast<std::uint32_t>(c.hostBaud));
    EXPECT_EQ(ReadBE16(&b[12]), c.testParity);
    EXPECT_EQ(ReadBE16(&b[14]), c.hostParity);
    EXPECT_EQ(ReadBE16(&b[16]), c.testBits);
    EXPECT_EQ(ReadBE16(&b[18]), c.hostBits);
    EXPECT_TRUE(ChecksumValid(b.data(), b.size()));
    if (c.port < 0) {
      EXPECT_EQ(dialog().CBTestPort.ItemIndex(), 0);  // shown as chosen
    }
  }
}

TEST_F(PortTestTest, AnOffSettingIsToldAndNothingIsSent) {
  StartOnCom1();
  EXPECT_TRUE(Start(2, 0, 9).empty());
  EXPECT_TRUE(Start(2, 6, 0).empty());
  EXPECT_TRUE(Start(2, 0, 0).empty());
  const auto notices = prompter.Notices();
  ASSERT_EQ(notices.size(), 3u);
  for (const auto& n : notices) EXPECT_EQ(n.caption, "Test Port Error");
  EXPECT_EQ(notices[0].text, "Please a Test Port Setup");
  EXPECT_EQ(notices[1].text, "Please a Host Port Setup");
  EXPECT_EQ(notices[2].text, "Please a Test Port Setup");
  EXPECT_NE(host.Main().PageControl1.ActivePage(), &host.Main().TSRealTime);
}

TEST_F(PortTestTest, StartingOpensTheRawDisplayAndStopStopsTheLogger) {
  StartOnCom1();
  MainForm& m = host.Main();
  m.TSRealTime.SetVisible(false);
  m.MenuRealTime.SetChecked(false);
  Start(0, 6, 6);
  EXPECT_TRUE(m.TSRealTime.Visible());
  EXPECT_EQ(m.PageControl1.ActivePage(), &m.TSRealTime);
  EXPECT_TRUE(m.MenuRealTime.Checked());
  EXPECT_EQ(host.Stream().realTimeTab.RawSourceCB.ItemIndex(), 1);
  EXPECT_EQ(host.Stream().DisplayState().rawDisplaySource, 1);

  dialog().BTStopTest.UserClick();
  const std::string stopText(kStopTextBreak);
  Bytes expected = Frame(CmdStop);
  expected.insert(expected.end(), stopText.begin(), stopText.end());
  EXPECT_EQ(Sent(), expected);
}

}  // namespace
}  // namespace qv
