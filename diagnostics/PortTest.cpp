#include "diagnostics/PortTest.h"

#include "link/CommandLink.h"
#include "link/SerialPortService.h"
#include "setup/SetupTables.h"

namespace qv {

PortTest::PortTest(Wiring wiring) : w_(std::move(wiring)) {
  dialog.BTTestPort.OnClick = [this](forms::Control&) { BTTestPortClick(); };
  dialog.BTStopTest.OnClick = [this](forms::Control&) { BTStopTestClick(); };
}

void PortTest::BTTestPortClick() {
  if (dialog.CBTestPort.ItemIndex() < 0) dialog.CBTestPort.SetItemIndex(0);
  PortTestFrame frame;
  frame.testPortNumber = static_cast<std::uint16_t>(dialog.CBTestPort.ItemIndex() + 1);
  const PortLine test = PortSetupIndexToBaud(dialog.CBTestPortSetup.ItemIndex());
  if (test.baud == 0) {
    w_.prompter.ShowNotice("Test Port Error", "Please a Test Port Setup");
    return;
  }
  const PortLine host = PortSetupIndexToBaud(dialog.CBHostPortSetup.ItemIndex());
  if (host.baud == 0) {
    w_.prompter.ShowNotice("Test Port Error", "Please a Host Port Setup");
    return;
  }
  frame.testPortBaud = test.baud;
  frame.hostPortBaud = host.baud;
  frame.testPortParity = test.parity;
  frame.hostPortParity = host.parity;
  frame.testPortDataBits = test.dataBits;
  frame.hostPortDataBits = host.dataBits;
  w_.showRawLoggerData();
  const PortTestFrame::Bytes bytes = frame.Encode();
  w_.commands.SendRawBytes(kLoggerSlot, PortTestFrame::kSize, bytes.data());
}

}  // namespace qv
