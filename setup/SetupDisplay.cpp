// Putting a setup record into the Port Setup and Logger Control tabs.
#include <algorithm>

#include "common/Format.h"
#include "link/SerialPortService.h"
#include "protocol/LineSettings.h"
#include "setup/LoggerSetup.h"
#include "setup/SetupTables.h"

namespace qv {

void LoggerSetup::SetTimeControls(std::int32_t seconds, forms::UpDown& upDown,
                                  forms::ComboBox& unit) {
  int item = 0;
  std::int32_t number = seconds;
  if (seconds != 0) {
    if (seconds % 3600 == 0) {
      item = 2;
      number = seconds / 3600;
    } else if (seconds % 60 == 0) {
      item = 1;
      number = seconds / 60;
    }
  }
  // Limited, not cut to 16 bits: a huge time must not wrap into a small one.
  upDown.SetPosition(std::clamp(number, upDown.Min(), upDown.Max()));
  unit.SetItemIndex(item);
}

void LoggerSetup::ShowSetup() {
  struct ShowingGuard {
    bool& flag;
    bool was;
    ~ShowingGuard() { flag = was; }
  } guard{showing_, showing_};
  showing_ = true;
  SetupRecord r(w_.record);
  LoggerControlTab& lc = loggerControl;

  SetTimeControls(r.TimeField(SetupRecord::DelayTime), lc.DelayUD, lc.DelayCombo);
  SetTimeControls(r.TimeField(SetupRecord::PreFlushTime), lc.PreFlushUD, lc.PreFlushCombo);
  SetTimeControls(r.TimeField(SetupRecord::WarmUpTime), lc.WarmupUD, lc.WarmupCombo);
  SetTimeControls(r.TimeField(SetupRecord::FlushTime), lc.FlushUD, lc.FlushCombo);
  SetTimeControls(r.TimeField(SetupRecord::SampleTime), lc.SampleUD, lc.SampleCombo);
  SetTimeControls(r.TimeField(SetupRecord::SampleInterval), lc.IntervalUD, lc.IntervalCombo);

  lc.OutputCB.SetItemIndex(r.OutputFormat());
  lc.FileCB.SetItemIndex(r.FileFormat());

  DataStatusLabels& ds = w_.dataStatus;
  for (int n = 1; n <= 8; ++n) {
    ds.typeLabels[n].SetCaption("OFF");
    ds.statusLabels[n].SetCaption("0");
    ds.fileSizeLabels[n].SetCaption("0 K");
  }

  ShowHostPort(r.PortBaud(0), r.PortDataBits(0));
  portSetup.CBHostPortSetup.SetItemIndex(BaudToPortSetupIndex(r.PortBaud(0), r.PortDataBits(0)));

  std::array<std::int16_t, 8> types{};
  std::array<std::int32_t, 8> bauds{};
  std::array<std::int16_t, 8> dataBits{};
  for (int port = 1; port <= 8; ++port) {
    types[port - 1] = r.PortMeterType(port);
    bauds[port - 1] = r.PortBaud(port);
    dataBits[port - 1] = r.PortDataBits(port);
  }
  ShowPortRows(types, bauds, dataBits);
  for (int n = 1; n <= 8; ++n) ds.typeLabels[n].SetCaption(MeterTypeStatusText(types[n - 1]));
  for (int n = 1; n <= 7; ++n) ds.analogLabels[n].SetCaption("0.000");

  std::array<std::int16_t, 7> analog{};
  for (int n = 1; n <= 7; ++n) analog[n - 1] = r.AnalogPortMode(n);
  ShowAnalogPorts(analog);
  std::array<std::int16_t, 4> pump{};
  for (int n = 1; n <= 4; ++n) pump[n - 1] = r.PumpPortMode(n);
  ShowPumpPorts(pump);

  lc.CBAutoStart.SetChecked(r.AutoStart() != 0);

  // Only ports in use count towards the cut-off.
  int cutOff = 65;
  for (int port = 1; port <= 8; ++port)
    if (r.PortMeterType(port) != 0 && r.PortLowVoltage(port) > cutOff)
      cutOff = r.PortLowVoltage(port);
  lc.UDLVCutOff.SetPosition(cutOff);
  ShowLowVoltage();

  if (r.AnalogRate() < 1) r.SetAnalogRate(1);
  lc.UDAnalogRate.SetPosition(r.AnalogRate());
  ShowAnalogRate();

  ShowOncePerHourBoxes(r.OncePerHourMask());
  lc.TimeSourceCB.SetItemIndex(r.TimeSource());
  ShowSampleInterval(r.Mode() == 1);

  lc.ModeCB.SetItemIndex(r.Mode());
  ShowModeText(lc.ModeCB.ItemIndex(), w_.loggerMode);
  w_.loggerMode.SetVisible(true);
  ShowModeText(lc.ModeCB.ItemIndex(), w_.hostMode);

  showing_ = guard.was;
  SetSetupCurrent(true);
  w_.setupReceived = false;
}

void LoggerSetup::ShowHostPort(std::int32_t baud, int dataBits) {
  const int code = HostPortSettingCode(baud, dataBits);
  const LineCode& line = LineOfSettingCode(code);
  w_.ports.SetPortBaud(kLoggerSlot, line.baud, line.dataBits);
  w_.hostSetupCB.SetItemIndex(code);
}

void LoggerSetup::ShowPortRows(const std::array<std::int16_t, 8>& meterTypes,
                               const std::array<std::int32_t, 8>& bauds,
                               const std::array<std::int16_t, 8>& dataBits) {
  for (size_t i = 0; i < rows_.serial.size(); ++i) {
    int type = meterTypes[i];
    rows_.serial[i].meter->SetItemIndex(type);
    bool known = type >= 1 && type <= 13;
    rows_.serial[i].lineSetting->SetItemIndex(known ? BaudToPortSetupIndex(bauds[i], dataBits[i])
                                                    : 0);
  }
}

void LoggerSetup::ShowAnalogPorts(const std::array<std::int16_t, 7>& modes) {
  for (size_t i = 0; i < rows_.analog.size(); ++i) {
    int mode = modes[i];
    rows_.analog[i].combo->SetItemIndex(mode >= 0 && mode <= 2 ? mode : 0);
  }
}

void LoggerSetup::ShowPumpPorts(const std::array<std::int16_t, 4>& modes) {
  // A mode without an item leaves its list without a selection.
  for (size_t i = 0; i < rows_.pump.size(); ++i) rows_.pump[i].combo->SetItemIndex(modes[i]);
}

void LoggerSetup::ShowOncePerHourBoxes(std::int32_t mask) {
  auto bit = [mask](int b) { return (static_cast<std::uint32_t>(mask) >> b) & 1u; };
  int set = 0;
  for (int n = 1; n <= 8; ++n) {
    bool on = bit(n - 1);
    rows_.serial[n - 1].oncePerHour->SetChecked(on);
    set += on;
  }
  for (int n = 1; n <= 7; ++n) {
    bool on = bit(7 + n);
    rows_.analog[n - 1].oncePerHour->SetChecked(on);
    set += on;
  }
  for (int n = 1; n <= 4; ++n) {
    bool on = bit(15 + n);
    rows_.pump[n - 1].oncePerHour->SetChecked(on);
    set += on;
  }
  if (set > 0) ShowOncePerHourColumn(true);
}

void LoggerSetup::ShowOncePerHourColumn(bool force) {
  PortSetupTab& ps = portSetup;
  bool anyChecked = false;
  bool serialShown = false, analogShown = false, pumpShown = false;
  for (const SerialPortRow& row : rows_.serial) {
    anyChecked |= row.oncePerHour->Checked();
    serialShown |= row.label->Visible();
  }
  for (const PortRow& row : rows_.analog) {
    anyChecked |= row.oncePerHour->Checked();
    analogShown |= row.label->Visible();
  }
  for (const PortRow& row : rows_.pump) {
    anyChecked |= row.oncePerHour->Checked();
    pumpShown |= row.label->Visible();
  }

  bool show = force || anyChecked;
  if (show) {
    ps.SOPHLB1.SetVisible(serialShown);
    ps.SOPHLB2.SetVisible(serialShown);
    ps.AOPHLB1.SetVisible(analogShown);
    ps.AOPHLB2.SetVisible(analogShown);
    ps.POPHLB1.SetVisible(pumpShown);
    ps.POPHLB2.SetVisible(pumpShown);
  } else {
    for (forms::Label* heading :
         {&ps.SOPHLB1, &ps.SOPHLB2, &ps.AOPHLB1, &ps.AOPHLB2, &ps.POPHLB1, &ps.POPHLB2})
      heading->SetVisible(false);
    ShowOncePerHourBoxes(0);
  }
  // Boxes of hidden rows stay as the port layout left them.
  for (const SerialPortRow& row : rows_.serial)
    if (row.label->Visible()) row.oncePerHour->SetVisible(show);
  for (const PortRow& row : rows_.analog)
    if (row.label->Visible()) row.oncePerHour->SetVisible(show);
  for (const PortRow& row : rows_.pump)
    if (row.label->Visible()) row.oncePerHour->SetVisible(show);
}

}  // namespace qv
