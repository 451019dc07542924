// The setup's editing handlers: every control that feeds the setup record
// marks the setup as not current when the operator changes it.
#include <algorithm>

#include "common/Format.h"
#include "setup/LoggerSetup.h"
#include "setup/SetupTables.h"

namespace qv {

using forms::Control;

void LoggerSetup::BindEditingHandlers() {
  PortSetupTab& ps = portSetup;
  LoggerControlTab& lc = loggerControl;

  forms::Handler changed = [this](Control&) { CBPort1SetupChange(); };
  ps.CBHostPortSetup.OnChange = changed;
  for (SerialPortRow& row : rows_.serial) {
    row.lineSetting->OnChange = changed;
    row.meter->OnChange = changed;
  }
  for (PortRow& row : rows_.analog) row.combo->OnChange = changed;
  for (PortRow& row : rows_.pump) row.combo->OnChange = changed;
  for (forms::ComboBox* unit : {&lc.DelayCombo, &lc.PreFlushCombo, &lc.WarmupCombo, &lc.FlushCombo,
                                &lc.SampleCombo, &lc.IntervalCombo, &lc.FileCB, &lc.OutputCB})
    unit->OnChange = changed;
  for (forms::Edit* edit : {&lc.DelayEdit, &lc.PreFlushEdit, &lc.WarmupEdit, &lc.FlushEdit,
                            &lc.SampleEdit, &lc.IntervalEdit})
    edit->OnChange = changed;
  lc.CBAutoStart.OnClick = changed;

  forms::Handler boxClicked = [this](Control&) { SOPH1Click(); };
  for (SerialPortRow& row : rows_.serial) row.oncePerHour->OnClick = boxClicked;
  for (PortRow& row : rows_.analog) row.oncePerHour->OnClick = boxClicked;
  for (PortRow& row : rows_.pump) row.oncePerHour->OnClick = boxClicked;

  lc.TimeSourceCB.OnChange = [this](Control&) { TimeSourceCBChange(); };
  lc.UDLVCutOff.OnClick = [this](Control&) { UDLVCutOffClick(); };
  forms::Handler rateClicked = [this](Control&) { UDAnalogRateClick(); };
  for (forms::UpDown* ud : {&lc.UDAnalogRate, &lc.DelayUD, &lc.PreFlushUD, &lc.WarmupUD,
                            &lc.FlushUD, &lc.SampleUD, &lc.IntervalUD})
    ud->OnClick = rateClicked;
  lc.ModeCB.OnChange = [this](Control&) { ModeCBChange(); };
}

void LoggerSetup::MarkNotCurrent() {
  if (!showing_) SetSetupCurrent(false);
}

void LoggerSetup::CBPort1SetupChange() {
  MarkNotCurrent();
}

void LoggerSetup::SOPH1Click() {
  MarkNotCurrent();
}

void LoggerSetup::TimeSourceCBChange() {
  MarkNotCurrent();
}

void LoggerSetup::UDLVCutOffClick() {
  ShowLowVoltage();
  MarkNotCurrent();
}

void LoggerSetup::UDAnalogRateClick() {
  ShowAnalogRate();
  MarkNotCurrent();
}

void LoggerSetup::ModeCBChange() {
  int mode = loggerControl.ModeCB.ItemIndex();
  ShowSampleInterval(mode == 1);
  MarkNotCurrent();
  ShowModeText(mode, w_.hostMode);
}

void LoggerSetup::ShowLowVoltage() {
  loggerControl.LBLowVoltage.SetCaption(
      Format("%4.1f V", loggerControl.UDLVCutOff.Position() * 0.1));
}

void LoggerSetup::ShowAnalogRate() {
  int rate = std::max(loggerControl.UDAnalogRate.Position(), 1);
  loggerControl.LBAnalogRate.SetCaption(Format("%1d Hz  %4d ms", rate, 1000 / rate));
}

void LoggerSetup::ShowModeText(int mode, forms::Label& label) {
  int model = w_.loggerModel ? w_.loggerModel() : 0;
  label.SetCaption(ModeText(mode, model));
}

void LoggerSetup::ShowSampleInterval(bool visible) {
  LoggerControlTab& lc = loggerControl;
  lc.LBSampleInterval.SetVisible(visible);
  lc.IntervalUD.SetVisible(visible);
  lc.IntervalEdit.SetVisible(visible);
  lc.IntervalCombo.SetVisible(visible);
}

}  // namespace qv
