// The hardware configuration tab at work: the record received from the
// logger shown in the controls, the controls built back into the record and
// sent behind the factory password, ".hdw" files, and whether what is shown
// is what the logger holds.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "common/Prompter.h"
#include "common/RecordFileDialogs.h"
#include "factory/FactoryForms.h"
#include "factory/FactoryPassword.h"
#include "protocol/HardwareConfigRecord.h"

namespace qv {

class CommandLink;

class HardwareConfiguration {
 public:
  struct Wiring {
    HardwareTab& tab;
    CommandLink& commands;
    Prompter& prompter;
    FactoryPassword& password;
    RecordFileDialogs& files;
    // The logger model the status record also writes: the device type of a
    // received record goes there, and the list shows whichever came last.
    std::function<int()> loggerModel;
    std::function<void(int)> setLoggerModel;
  };

  explicit HardwareConfiguration(Wiring wiring);

  // Start-up: the relay lists' table, every list at "None".
  void StartUp();

  void BuildHardwareRecord();
  void BTSendHardwareSetupClick();
  // A received type-7 packet (or a loaded file): kept, shown at the next display tick.
  void AcceptHardwareRecord(std::span<const std::uint8_t> bytes);
  void ShowHardwareRecord();
  void HardwareSetupChange();
  void BTLoadHardwareFileClick();
  void BTSaveHardwareFileClick();

  bool HardwareRecordWaiting() const { return waiting_; }
  bool HardwareCurrent() const { return current_; }
  // The record buffer: last received, loaded or built.
  const HardwareConfigRecord& Record() const { return record_; }

 private:
  void WireHandlers();

  Wiring w_;
  HardwareConfigRecord record_;
  // The relay list of each record entry; none for entries 0 and 9.
  std::array<forms::ComboBox*, HardwareConfigRecord::kRelayEntries> relayLists_{};
  bool waiting_ = false;
  bool current_ = false;
};

}  // namespace qv
