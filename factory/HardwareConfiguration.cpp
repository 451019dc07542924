#include "factory/HardwareConfiguration.h"

#include "factory/FactoryTabs.h"
#include "link/CommandLink.h"
#include "link/SerialPortService.h"

namespace qv {

using forms::Control;

HardwareConfiguration::HardwareConfiguration(Wiring wiring) : w_(std::move(wiring)) {
  WireHandlers();
}

void HardwareConfiguration::WireHandlers() {
  HardwareTab& t = w_.tab;
  const forms::Handler change = [this](Control&) { HardwareSetupChange(); };
  for (forms::ComboBox* list : {&t.DeviceTypeCB, &t.RunStopCB, &t.StatusLEDCB}) list->OnChange = change;
  t.SNEdit.OnChange = change;
  for (int n = 1; n <= 8; ++n) t.RelaySP[n].OnChange = change;
  for (int n = 1; n <= 7; ++n) t.RelayAP[n].OnChange = change;
  for (int n = 1; n <= 4; ++n) t.RelayPP[n].OnChange = change;
  t.BTSendHardwareSetup.OnClick = [this](Control&) { BTSendHardwareSetupClick(); };
  t.BTLoadHardwareFile.OnClick = [this](Control&) { BTLoadHardwareFileClick(); };
  t.BTSaveHardwareFile.OnClick = [this](Control&) { BTSaveHardwareFileClick(); };
}

void HardwareConfiguration::StartUp() {
  HardwareTab& t = w_.tab;
  relayLists_.fill(nullptr);
  for (int n = 1; n <= 8; ++n)
    relayLists_[static_cast<std::size_t>(HardwareConfigRecord::kFirstSerialRelay + n - 1)] = &t.RelaySP[n];
  for (int n = 1; n <= 7; ++n)
    relayLists_[static_cast<std::size_t>(HardwareConfigRecord::kFirstAnalogRelay + n - 1)] = &t.RelayAP[n];
  for (int n = 1; n <= 4; ++n)
    relayLists_[static_cast<std::size_t>(HardwareConfigRecord::kFirstPumpRelay + n - 1)] = &t.RelayPP[n];
  for (forms::ComboBox* list : relayLists_)
    if (list) list->SetItemIndex(0);
}

// The reserved bytes stay as the last record received or loaded left them.
void HardwareConfiguration::BuildHardwareRecord() {
  const HardwareTab& t = w_.tab;
  record_.deviceType = static_cast<std::int16_t>(t.DeviceTypeCB.ItemIndex());
  record_.hwSerialNumber = static_cast<std::int16_t>(t.UDSerialNumber.Position());
  record_.statusLed = static_cast<std::int16_t>(t.StatusLEDCB.ItemIndex());
  record_.runStopSwitch = static_cast<std::int16_t>(t.RunStopCB.ItemIndex());
  for (std::size_t i = 0; i < relayLists_.size(); ++i)
    record_.relays[i] = static_cast<std::int16_t>(relayLists_[i] ? relayLists_[i]->ItemIndex() : 0);
}

void HardwareConfiguration::BTSendHardwareSetupClick() {
  BuildHardwareRecord();
  if (record_.deviceType < 0 || record_.hwSerialNumber <= 0) {
    w_.prompter.ShowNotice("Hardware Configuration Error",
                           "A meter type and Non-zero SN MUST be selected");
    return;
  }
  if (!w_.password.CheckFactoryPassword(w_.tab.HWPassword.Text())) return;
  const HardwareConfigRecord::Bytes bytes = record_.Encode();
  w_.commands.SendHardwareConfigurationRecord(kLoggerSlot, bytes);
}

void HardwareConfiguration::AcceptHardwareRecord(std::span<const std::uint8_t> bytes) {
  const auto received = HardwareConfigRecord::FromFields(bytes);
  if (!received) return;
  record_ = *received;
  if (record_.hwSerialNumber < 0) record_.hwSerialNumber = 0;
  w_.setLoggerModel(record_.deviceType);
  waiting_ = true;
}

void HardwareConfiguration::ShowHardwareRecord() {
  HardwareTab& t = w_.tab;
  for (std::size_t i = 0; i < relayLists_.size(); ++i)
    if (relayLists_[i]) relayLists_[i]->SetItemIndex(record_.relays[i]);
  t.DeviceTypeCB.SetItemIndex(w_.loggerModel());
  t.UDSerialNumber.SetPosition(record_.hwSerialNumber);
  t.RunStopCB.SetItemIndex(record_.runStopSwitch);
  t.StatusLEDCB.SetItemIndex(record_.statusLed);
  t.HardwarePanel.SetVisible(false);
  current_ = true;
  waiting_ = false;
}

void HardwareConfiguration::HardwareSetupChange() {
  w_.tab.HardwarePanel.SetVisible(true);
  current_ = false;
}

void HardwareConfiguration::BTLoadHardwareFileClick() {
  HardwareConfigRecord::Bytes bytes{};
  if (w_.files.ReadRecordFile(kHardwareConfigFile, bytes.data()) != 1) return;
  AcceptHardwareRecord(bytes);
  ShowHardwareRecord();
  HardwareSetupChange();
}

void HardwareConfiguration::BTSaveHardwareFileClick() {
  if (!current_ && !SaveNotCurrentRecordAnyway(w_.prompter, "Hardware Configuration")) return;
  BuildHardwareRecord();
  const HardwareConfigRecord::Bytes bytes = record_.Encode();
  w_.files.WriteRecordFile(kHardwareConfigFile, bytes.data());
}

}  // namespace qv
