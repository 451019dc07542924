// Fuzzes the host's handling of the logger's records: arbitrary bytes are
// shown as a status record, a setup record, a hardware configuration and an
// analog calibration by a headless host program, and what was shown is then
// sent back, so every field value reaches the display, the port switching
// and the send checks.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "app/HostProgram.h"
#include "fuzz/FuzzSupport.h"
#include "common/Clock.h"
#include "fuzz/SinkBackend.h"
#include "protocol/AnalogCalRecord.h"
#include "protocol/HardwareConfigRecord.h"
#include "protocol/StatusRecord.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qv::fuzz::SinkBackend backend;
  static qv::FakeClock clock(1'800'000'000);
  static qv::ScriptedPrompter prompter;
  static qv::HostProgram* host = [] {
    auto* h = new qv::HostProgram(clock, prompter, backend);
    h->Main().Timer55ms.Fire();
    h->Link().hostPortForm.HostPortCB.UserSelect(1);
    return h;
  }();
  prompter.Clear();

  // Sealed, so that any field values come through as from a logger.
  qv::StatusRecord::Bytes status{};
  std::memcpy(status.data() + 2, data, size < status.size() - 4 ? size : status.size() - 4);
  qv::SealPacket(status, qv::PacketType::Status);
  host->Status().ShowStatus(*qv::StatusRecord::Decode(status));

  auto& setup = host->Records().setup;
  setup.fill(0);
  const std::size_t used = status.size() - 4;
  if (size > used)
    std::memcpy(setup.data(), data + used, size - used < setup.size() ? size - used : setup.size());
  host->Records().setupReceived = true;
  host->Main().Timer475ms.Fire();
  host->Setup().BTStoreSetup1Click();

  // The factory records as the pump hands them on: sealed, of any content.
  qv::HardwareConfigRecord::Bytes hardware{};
  std::memcpy(hardware.data() + 2, data, size < hardware.size() - 4 ? size : hardware.size() - 4);
  qv::SealPacket(hardware, qv::PacketType::HardwareConfig);
  host->HardwareConfig().AcceptHardwareRecord(hardware);
  host->Main().Timer475ms.Fire();
  host->Hardware().HWPassword.SetText("BlueHaven");
  host->HardwareConfig().BTSendHardwareSetupClick();
  qv::AnalogCalRecord::Bytes calibration{};
  std::memcpy(calibration.data() + 2, data, size < calibration.size() - 4 ? size : calibration.size() - 4);
  qv::SealPacket(calibration, qv::PacketType::AnalogCal);
  host->Calibration().ShowAnalogCalRecord(std::span<const std::uint8_t>(calibration));
  host->Analog().ALGPassword.SetText("BlueHaven");
  host->Calibration().BTSendAnalogCalibrationClick();
  qv::fuzz::Check(host->Calibration().Record().analogScale[0] >= 1);
  clock.AdvanceMs(1000);
  return 0;
}
