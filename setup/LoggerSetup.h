// The logger setup subsystem: the two tabs that show and edit the logger's
// setup, putting a received or opened record into them, sending the edited
// setup back, and the "Setup is Not Current" state in between.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "forms/Form.h"
#include "protocol/SetupRecord.h"
#include "setup/SetupForms.h"

namespace qv {

class SerialPortService;
class CommandLink;
class Prompter;
class RecordFileDialogs;

// The Data Status labels that showing a setup resets.
struct DataStatusLabels {
  forms::Family<forms::Label>& typeLabels;      // M1TypeLabel..M8TypeLabel
  forms::Family<forms::Label>& statusLabels;    // M1StatusLabel..M8StatusLabel
  forms::Family<forms::Label>& fileSizeLabels;  // M1FileSizeLabel..M8FileSizeLabel
  forms::Family<forms::Label>& analogLabels;    // Analog1..Analog7
};

// The Port Setup rows by index, so loops can run over port numbers.
struct SerialPortRow {
  forms::Label* label;
  forms::ComboBox* meter;
  forms::ComboBox* lineSetting;
  forms::CheckBox* oncePerHour;
};
struct PortRow {
  forms::CheckBox* oncePerHour;
  forms::Label* label;
  forms::ComboBox* combo;
};
struct PortRowTable {
  std::array<SerialPortRow, 8> serial{};  // ports 1..8 at [0]..[7]
  std::array<PortRow, 7> analog{};        // ports 9..15
  std::array<PortRow, 4> pump{};          // ports 16..19
};

class LoggerSetup {
 public:
  // What the setup uses of other subsystems. The constructor only stores these
  // references; nothing behind them is used before Startup or a handler runs.
  struct Wiring {
    SetupBytes& record;   // the one setup record buffer (received, shown, sent)
    bool& setupReceived;  // raised by the receive pump, lowered by ShowSetup
    SerialPortService& ports;
    CommandLink& commands;
    Prompter& prompter;
    RecordFileDialogs& recordFiles;    // the program's one save and one open dialog for records
    std::function<int()> loggerModel;  // the model the logger last reported
    forms::ComboBox& hostSetupCB;      // the host-port dialog's line setting list
    forms::Label& loggerMode;          // LoggerMode, in the logger status group
    forms::Label& hostMode;            // HostMode, in the host status group
    forms::Panel& pStore;              // the "Setup is Not Current" panel
    DataStatusLabels dataStatus;
  };

  explicit LoggerSetup(Wiring wiring);
  LoggerSetup(const LoggerSetup&) = delete;
  LoggerSetup& operator=(const LoggerSetup&) = delete;

  PortSetupTab portSetup;
  LoggerControlTab loggerControl;

  // The name of the last opened or saved setup file; emptied by any edit.
  std::string SetupFileName;

  // The program's start-up: not current, analog and pump lists and the time
  // source at item 0, the once-per-hour column as no box is checked.
  void Startup();

  // Puts the whole record into the controls, switches the logger port to the
  // logger's host-port setting, resets the Data Status labels, and leaves the
  // setup current.
  void ShowSetup();
  // Both "Send Setup" buttons: rebuilds the record from the controls and
  // sends it, or refuses when a setup list has no selection.
  void BTStoreSetup1Click();

  void SetSetupCurrent(bool current);
  bool SetupCurrent() const { return setupCurrent_; }

  // Both "Save Setup File" buttons: the record as held (last received, sent
  // or opened) into a .lst file, after a warning when it is not current.
  void SaveSetupFileClick();
  // Both "Open Setup File" buttons: a whole .lst file into the record, shown
  // and marked not current.
  void OpenSetupFileClick();

  // Editing handlers, bound to the controls by the constructor.
  void CBPort1SetupChange();
  void SOPH1Click();
  void TimeSourceCBChange();
  void UDLVCutOffClick();
  void UDAnalogRateClick();
  void ModeCBChange();

  // Pieces also used by the display modes and setup files.
  void ShowModeText(int mode, forms::Label& label);
  // The host's mode label from the mode list's item.
  void ShowHostMode() { ShowModeText(loggerControl.ModeCB.ItemIndex(), w_.hostMode); }
  void ShowSampleInterval(bool visible);
  void ShowOncePerHourColumn(bool force);
  void ShowOncePerHourBoxes(std::int32_t mask);
  std::int32_t ReadOncePerHourMask() const;
  bool SetupControlsComplete() const;

  static void SetTimeControls(std::int32_t seconds, forms::UpDown& upDown, forms::ComboBox& unit);
  static std::int32_t GetTimeControls(const forms::ComboBox& unit, const forms::UpDown& upDown);

  void ShowPortRows(const std::array<std::int16_t, 8>& meterTypes,
                    const std::array<std::int32_t, 8>& bauds,
                    const std::array<std::int16_t, 8>& dataBits);
  void ShowAnalogPorts(const std::array<std::int16_t, 7>& modes);
  void ShowPumpPorts(const std::array<std::int16_t, 4>& modes);
  std::array<std::int16_t, 7> ReadAnalogPorts() const;
  std::array<std::int16_t, 4> ReadPumpPorts() const;

  const PortRowTable& Rows() const { return rows_; }
  SetupRecord Record() { return SetupRecord(w_.record); }

 private:
  void BuildPortRowTable();
  void BindEditingHandlers();
  void MarkNotCurrent();
  void ShowHostPort(std::int32_t baud, int dataBits);
  void ShowLowVoltage();
  void ShowAnalogRate();
  void BuildRecord();

  Wiring w_;
  PortRowTable rows_;
  bool setupCurrent_ = false;
  // Set while ShowSetup fills the controls: its own changes are not edits.
  bool showing_ = false;
};

}  // namespace qv
