// "Send Setup": rebuilding the setup record from the controls and sending it
// to the logger in one write.
#include "common/Prompter.h"
#include "link/CommandLink.h"
#include "link/SerialPortService.h"
#include "protocol/LoggerModel.h"
#include "setup/LoggerSetup.h"
#include "setup/SetupTables.h"

namespace qv {

namespace {

constexpr int kPortSetupOn = 12;
constexpr int kPumpMeterType = 7;
constexpr int kPx5LineSetting = 8;  // "19200"

void ShowSendAborted(Prompter& prompter) {
  prompter.ShowNotice("*** Warning *** 'Send Setup' has been aborted.",
                      "One or more of the Logger Setup Parameters in either Port Setup or Sample "
                      "Setup is invalid.");
}

}  // namespace

bool LoggerSetup::SetupControlsComplete() const {
  const LoggerControlTab& lc = loggerControl;
  auto chosen = [](const forms::ComboBox& c) { return c.ItemIndex() >= 0; };
  bool complete = chosen(lc.ModeCB) && chosen(portSetup.CBHostPortSetup) && chosen(lc.OutputCB) &&
                  chosen(lc.FileCB);
  for (const SerialPortRow& row : rows_.serial)
    complete = complete && chosen(*row.meter) && chosen(*row.lineSetting);
  for (const PortRow& row : rows_.analog) complete = complete && chosen(*row.combo);
  for (const PortRow& row : rows_.pump) complete = complete && chosen(*row.combo);
  for (const forms::ComboBox* unit : {&lc.DelayCombo, &lc.PreFlushCombo, &lc.WarmupCombo,
                                      &lc.FlushCombo, &lc.SampleCombo, &lc.IntervalCombo})
    complete = complete && chosen(*unit);
  return complete;
}

std::int32_t LoggerSetup::GetTimeControls(const forms::ComboBox& unit,
                                          const forms::UpDown& upDown) {
  static const std::int32_t factors[] = {1, 60, 3600};
  int item = unit.ItemIndex();
  if (item < 0 || item > 2) return 0;
  return static_cast<std::int16_t>(upDown.Position()) * factors[item];
}

std::int32_t LoggerSetup::ReadOncePerHourMask() const {
  std::uint32_t mask = 0;
  for (int n = 1; n <= 8; ++n)
    if (rows_.serial[n - 1].oncePerHour->Checked()) mask |= 1u << (n - 1);
  for (int n = 1; n <= 7; ++n)
    if (rows_.analog[n - 1].oncePerHour->Checked()) mask |= 1u << (7 + n);
  for (int n = 1; n <= 4; ++n)
    if (rows_.pump[n - 1].oncePerHour->Checked()) mask |= 1u << (15 + n);
  return static_cast<std::int32_t>(mask);
}

std::array<std::int16_t, 7> LoggerSetup::ReadAnalogPorts() const {
  std::array<std::int16_t, 7> modes{};
  for (size_t i = 0; i < modes.size(); ++i)
    modes[i] = static_cast<std::int16_t>(rows_.analog[i].combo->ItemIndex());
  return modes;
}

std::array<std::int16_t, 4> LoggerSetup::ReadPumpPorts() const {
  std::array<std::int16_t, 4> modes{};
  for (size_t i = 0; i < modes.size(); ++i)
    modes[i] = static_cast<std::int16_t>(rows_.pump[i].combo->ItemIndex());
  return modes;
}

void LoggerSetup::BTStoreSetup1Click() {
  if (!SetupControlsComplete()) {
    ShowSendAborted(w_.prompter);
    return;
  }
  const LoggerControlTab& lc = loggerControl;
  if (lc.OutputCB.ItemIndex() == 2 && lc.FileCB.ItemIndex() != 0) {
    w_.prompter.ShowNotice("***Warning***",
                           "Using the Logger Output AND Recording Data internally will cause the "
                           "Logger to Turn OFF as the internal memory becomes full!");
    // The timers run inside the box and may have shown another setup meanwhile.
    if (!SetupControlsComplete()) {
      ShowSendAborted(w_.prompter);
      return;
    }
  }
  // Built after the only box, so no packet can land in a half-built record.
  BuildRecord();
  w_.commands.SendSetupRecord(kLoggerSlot, w_.record);
}

void LoggerSetup::BuildRecord() {
  SetupRecord r(w_.record);
  LoggerControlTab& lc = loggerControl;

  r.SetHeader(kSetupHeader);
  int mode = lc.ModeCB.ItemIndex();
  r.SetMode(static_cast<std::int16_t>(mode));

  std::array<int, 9> types{};
  int model = w_.loggerModel ? w_.loggerModel() : 0;
  int meter1 = rows_.serial[0].meter->ItemIndex();
  if (HasBuiltInPx5(model)) {
    // The px5 built into the logger sits on port 1 at 19200 baud.
    rows_.serial[0].lineSetting->SetItemIndex(kPx5LineSetting);
    types[1] = meter1 == 0 ? 0 : meter1 == 4 ? 4 : 1;
  } else {
    types[1] = meter1;
  }
  for (int port = 2; port <= 8; ++port) types[port] = rows_.serial[port - 1].meter->ItemIndex();
  for (int port = 0; port <= 8; ++port)
    r.SetPortMeterType(port, static_cast<std::int16_t>(types[port]));

  for (int port = 0; port <= 8; ++port) {
    const forms::ComboBox& combo =
        port == 0 ? portSetup.CBHostPortSetup : *rows_.serial[port - 1].lineSetting;
    int item = combo.ItemIndex();
    PortLine line = PortSetupIndexToBaud(item);
    // "ON" only switches a pump; on any other meter it means off.
    if (item == kPortSetupOn && types[port] != kPumpMeterType) line = {0, 8, 0};
    r.SetPortBaud(port, line.baud);
    r.SetPortDataBits(port, line.dataBits);
    r.SetPortParity(port, line.parity);
  }

  r.SetOncePerHourMask(ReadOncePerHourMask());

  // Whatever the list showed, the internal time source is what goes out.
  lc.TimeSourceCB.SetItemIndex(0);
  r.SetTimeSource(static_cast<std::int16_t>(lc.TimeSourceCB.ItemIndex()));

  r.SetAnalogPortMode(0, 0);
  std::array<std::int16_t, 7> analog = ReadAnalogPorts();
  for (int n = 1; n <= 7; ++n) r.SetAnalogPortMode(n, analog[n - 1]);
  std::array<std::int16_t, 4> pump = ReadPumpPorts();
  for (int n = 1; n <= 4; ++n) r.SetPumpPortMode(n, pump[n - 1]);

  auto cutOff = static_cast<std::int16_t>(lc.UDLVCutOff.Position());
  for (int port = 0; port <= 8; ++port) r.SetPortLowVoltage(port, cutOff);

  if (mode != 2 && mode != 3 && lc.UDAnalogRate.Position() > 8) {
    lc.UDAnalogRate.SetPosition(8);
    ShowAnalogRate();
  }
  r.SetAnalogRate(static_cast<std::int16_t>(lc.UDAnalogRate.Position()));

  r.SetOutputFormat(static_cast<std::int16_t>(lc.OutputCB.ItemIndex()));
  r.SetFileFormat(static_cast<std::int16_t>(lc.FileCB.ItemIndex()));

  r.SetTimeField(SetupRecord::DelayTime, GetTimeControls(lc.DelayCombo, lc.DelayUD));
  r.SetTimeField(SetupRecord::PreFlushTime, GetTimeControls(lc.PreFlushCombo, lc.PreFlushUD));
  r.SetTimeField(SetupRecord::WarmUpTime, GetTimeControls(lc.WarmupCombo, lc.WarmupUD));
  r.SetTimeField(SetupRecord::FlushTime, GetTimeControls(lc.FlushCombo, lc.FlushUD));
  r.SetTimeField(SetupRecord::SampleTime, GetTimeControls(lc.SampleCombo, lc.SampleUD));
  r.SetTimeField(SetupRecord::SampleInterval, GetTimeControls(lc.IntervalCombo, lc.IntervalUD));

  r.SetAutoStart(lc.CBAutoStart.Checked() ? 1 : 0);
  r.SealChecksum();
}

}  // namespace qv
