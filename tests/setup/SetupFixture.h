// A logger setup wired to a fake logger port on COM 1, stand-in status labels
// and a scripted prompter; setups arrive as records filled field by field.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "common/RecordFileDialogs.h"
#include "forms/Form.h"
#include "link/CommandLink.h"
#include "link/LinkForms.h"
#include "link/ReceivedRecords.h"
#include "link/SerialPortService.h"
#include "protocol/SetupRecord.h"
#include "setup/LoggerSetup.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv::testing {

// The labels of other windows that the setup writes into.
struct StatusLabels : forms::Form {
  StatusLabels() : Form("StatusLabels") {}
  forms::Family<forms::Label> MTypeLabel{this, "M%dTypeLabel", 1, 8, "OFF"};
  forms::Family<forms::Label> MStatusLabel{this, "M%dStatusLabel", 1, 8, "0"};
  forms::Family<forms::Label> MFileSizeLabel{this, "M%dFileSizeLabel", 1, 8, "0 K"};
  forms::Family<forms::Label> Analog{this, "Analog%d", 1, 7, "0.000"};
  forms::Label LoggerMode{this, "LoggerMode"};
  forms::Label HostMode{this, "HostMode"};
  forms::Panel PStore{this, "PStore", "Setup Not Current"};
};

class SetupFixture : public ::testing::Test {
 protected:
  SetupFixture() {
    labels.LoggerMode.SetVisible(false);
    labels.PStore.SetVisible(false);
    ports.OpenPortSlot(kLoggerSlot, 1);
    setup.Startup();
  }

  FakeSerialBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports{backend, prompter};
  CommandLink commands{ports};
  ReceivedRecords records;
  int model = 2;  // KR7: no px5 on port 1
  ConfigureHostPortForm hostPort;
  StatusLabels labels;
  RecordFileDialogs recordFiles{prompter};
  LoggerSetup setup{LoggerSetup::Wiring{records.setup, records.setupReceived, ports, commands,
                                        prompter, recordFiles, [this] { return model; },
                                        hostPort.HostSetupCB,
                                        labels.LoggerMode, labels.HostMode, labels.PStore,
                                        DataStatusLabels{labels.MTypeLabel, labels.MStatusLabel,
                                                         labels.MFileSizeLabel, labels.Analog}}};
  PortSetupTab& ps = setup.portSetup;
  LoggerControlTab& lc = setup.loggerControl;

  SetupRecord Rec() { return SetupRecord(records.setup); }

  // A type-1 packet arrives with these fields (all others zero) and is shown.
  void Receive(const std::function<void(SetupRecord&)>& fill) {
    records.setup.fill(0);
    SetupRecord r(records.setup);
    fill(r);
    records.setupReceived = true;
    setup.ShowSetup();
  }
  // The smallest setup that can be sent again: all zero but a 9600-baud host port.
  void ReceiveComplete(const std::function<void(SetupRecord&)>& fill = {}) {
    Receive([&](SetupRecord& r) {
      r.SetPortBaud(0, 9600);
      r.SetPortDataBits(0, 8);
      if (fill) fill(r);
    });
    prompter.Clear();
    backend.TakeWritten(1);
  }
  // Presses "Send Setup" and returns what reached the logger port; whatever
  // was sent must be the record now held.
  std::vector<std::uint8_t> Send(forms::Button* button = nullptr) {
    (button ? *button : ps.BTStoreSetup1).UserClick();
    std::vector<std::uint8_t> sent = backend.TakeWritten(1);
    if (!sent.empty()) {
      EXPECT_EQ(sent, std::vector<std::uint8_t>(records.setup.begin(), records.setup.end()));
    }
    return sent;
  }
};

}  // namespace qv::testing
