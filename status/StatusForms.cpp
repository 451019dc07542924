#include "status/StatusForms.h"

#include "common/Format.h"

namespace qv {

LoggerStatusGroup::LoggerStatusGroup() : Form("LoggerStatusGroup") {
  LBDandT.SetVisible(false);
  LBDrift.SetVisible(false);
  LoggerMode.SetVisible(false);
  LBRunStop.SetVisible(false);
  RemoteHostPanel.SetVisible(false);
  RemoteHostPanel.SetColour(forms::Colour::Yellow);
}

DataStatusTab::DataStatusTab() : Form("DataStatusTab") {
  for (int n = 1; n <= 8; ++n) MLabel[n].SetCaption(Format("Port %d:", n));
  for (int n = 1; n <= 7; ++n) LBA[n].SetCaption(Format("Analog %d:", n));
  // Shown once a second for the PC Logger ports that are open.
  LBSurface.SetVisible(false);
  for (int n = 1; n <= 6; ++n) {
    LBSurfacePort[n].SetCaption(Format("Port %d:", n));
    LBSurfacePort[n].SetVisible(false);
  }
}

SleepForm::SleepForm() : Form("TSleepForm") {}

MuxIDForm::MuxIDForm() : Form("TMuxIDForm") {}

WarningForm::WarningForm() : Form("TForm2") {
  window.SetColour(forms::Colour::Red);
}

}  // namespace qv
