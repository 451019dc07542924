#include "setup/LoggerSetup.h"

namespace qv {

using forms::Control;

LoggerSetup::LoggerSetup(Wiring wiring) : w_(std::move(wiring)) {
  BuildPortRowTable();
  BindEditingHandlers();
  auto send = [this](Control&) { BTStoreSetup1Click(); };
  portSetup.BTStoreSetup1.OnClick = send;
  loggerControl.BTStoreSetup2.OnClick = send;
  auto save = [this](Control&) { SaveSetupFileClick(); };
  portSetup.BTSaveSetupFile2.OnClick = save;
  loggerControl.Button3.OnClick = save;
  auto open = [this](Control&) { OpenSetupFileClick(); };
  portSetup.BTOpenSetupFile1.OnClick = open;
  loggerControl.BTOpenSetupFile2.OnClick = open;
}

void LoggerSetup::BuildPortRowTable() {
  PortSetupTab& ps = portSetup;
  for (int n = 1; n <= 8; ++n)
    rows_.serial[n - 1] = {&ps.LBS[n], &ps.ComboMeter[n], &ps.CBPortSetup[n], &ps.SOPH[n]};
  for (int n = 1; n <= 7; ++n)
    rows_.analog[n - 1] = {&ps.AOPH[n], &ps.LBAnalog[n], &ps.CBAnalog[n]};
  for (int n = 1; n <= 4; ++n) rows_.pump[n - 1] = {&ps.POPH[n], &ps.LBPumpPort[n], &ps.CBPump[n]};
}

void LoggerSetup::Startup() {
  for (PortRow& row : rows_.analog) row.combo->SetItemIndex(0);
  for (PortRow& row : rows_.pump) row.combo->SetItemIndex(0);
  loggerControl.TimeSourceCB.SetItemIndex(0);
  SetSetupCurrent(false);
  ShowOncePerHourColumn(false);
}

void LoggerSetup::SetSetupCurrent(bool current) {
  if (current) {
    w_.pStore.SetVisible(false);
    setupCurrent_ = true;
    return;
  }
  w_.pStore.SetCaption("Setup is Not Current");
  w_.pStore.SetColour(forms::Colour::Yellow);
  w_.pStore.SetVisible(true);
  setupCurrent_ = false;
  SetupFileName.clear();
}

}  // namespace qv
