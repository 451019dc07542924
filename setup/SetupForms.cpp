#include "setup/SetupForms.h"

#include "common/Format.h"
#include "setup/SetupTables.h"

namespace qv {

PortSetupTab::PortSetupTab() : Form("PortSetupTab") {
  CBHostPortSetup.SetItems(HostPortSetupItems());
  for (int n = 1; n <= 8; ++n) {
    LBS[n].SetCaption(Format("Port %d:", n));
    ComboMeter[n].SetItems(MeterTypeItems());
    CBPortSetup[n].SetItems(PortSetupItems());
  }
  for (int n = 1; n <= 7; ++n) {
    LBAnalog[n].SetCaption(Format("Port %d:", 8 + n));
    CBAnalog[n].SetItems(AnalogItems(n));
  }
  for (int n = 1; n <= 4; ++n) {
    LBPumpPort[n].SetCaption(Format("Port %d:", 15 + n));
    CBPump[n].SetItems(PumpItems(n));
  }
}

LoggerControlTab::LoggerControlTab() : Form("LoggerControlTab") {
  ModeCB.SetItems(ModeItems());
  FileCB.SetItems(FileItems());
  OutputCB.SetItems(OutputItems());
  TimeSourceCB.SetItems(TimeSourceItems());
  TimeSourceLB.SetVisible(false);
  TimeSourceCB.SetVisible(false);
  DelayUD.Associate(DelayEdit);
  PreFlushUD.Associate(PreFlushEdit);
  WarmupUD.Associate(WarmupEdit);
  FlushUD.Associate(FlushEdit);
  SampleUD.Associate(SampleEdit);
  IntervalUD.Associate(IntervalEdit);
  for (ComboBox* unit :
       {&DelayCombo, &PreFlushCombo, &WarmupCombo, &FlushCombo, &SampleCombo, &IntervalCombo})
    unit->SetItems(TimeUnitItems());
}

}  // namespace qv
