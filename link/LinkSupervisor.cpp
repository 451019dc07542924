#include "link/LinkSupervisor.h"

#include "link/CommandLink.h"
#include "protocol/Commands.h"
#include "link/ReceivePump.h"
#include "link/SerialPortService.h"

namespace qv {

LinkSupervisor::LinkSupervisor(SerialPortService& ports, CommandLink& commands, ReceivePump& pump,
                               Prompter& prompter, LinkTiming& timing, Wiring wiring)
    : ports_(ports),
      commands_(commands),
      pump_(pump),
      prompter_(prompter),
      timing_(timing),
      wiring_(std::move(wiring)) {
  hostPortForm.HostPortCB.OnChange = [this](forms::Control&) { HostPortCBChange(); };
  hostPortForm.HostSetupCB.OnChange = [this](forms::Control&) { HostSetupCBChange(); };
  rs422Form.RS232Button.OnClick = [this](forms::Control&) { RS232ButtonClick(); };
  rs422Form.RS422Button.OnClick = [this](forms::Control&) { RS422ButtonClick(); };
  rs422Form.RS422Cancel.OnClick = [this](forms::Control&) { RS422CancelClick(); };
  statsForm.window.OnClose = [this](forms::Control&) { StatsClose(); };
}

void LinkSupervisor::HostPortCBChange() {
  ports_.SelectPortFromList(kLoggerSlot, hostPortForm.HostPortCB.ItemIndex());
}

void LinkSupervisor::HostSetupCBChange() {
  auto& list = hostPortForm.HostSetupCB;
  list.SetItemIndex(ports_.SelectSettingFromList(kLoggerSlot, list.ItemIndex()));
}

void LinkSupervisor::ConfigureHostPortFromClick() {
  ShowPortDevices();
  hostPortForm.window.Show();
}

void LinkSupervisor::ChangeHostPortType1Click() { rs422Form.window.Show(); }

void LinkSupervisor::RS422ButtonClick() {
  rs422Form.window.Hide();
  commands_.SendCommand(kLoggerSlot, CmdSelectRs422);
}

void LinkSupervisor::RS232ButtonClick() {
  rs422Form.window.Hide();
  commands_.SendCommand(kLoggerSlot, CmdSelectRs232);
}

void LinkSupervisor::RS422CancelClick() { rs422Form.window.Hide(); }

void LinkSupervisor::HostPortStatsClick() {
  StatsClose();
  StatsOpen(kLoggerSlot, 9, "Host Port Statistics");
}

void LinkSupervisor::AutoBaudRateDetectionClick() {
  wiring_.autoBaudItem.SetChecked(!wiring_.autoBaudItem.Checked());
}

void LinkSupervisor::StatsOpen(int port, int lineCount, const std::string& caption) {
  if (lineCount < 1 || lineCount > 9) {
    StatsClose();
    return;
  }
  displayedPort_ = port;
  for (int line = 1; line <= lineCount; ++line) statsForm.SFLB[line].SetVisible(true);
  statsForm.window.SetCaption(caption);
  statsForm.window.Show();
}

void LinkSupervisor::StatsClose() {
  displayedPort_ = -1;
  statsForm.window.Hide();
  statsForm.window.SetCaption("Closed");
  for (int line = 1; line <= 9; ++line) statsForm.SFLB[line].SetVisible(false);
}

void LinkSupervisor::StatsLine(int port, int line, const std::string& text) {
  if (port != displayedPort_ || line < 1 || line > 9) return;
  statsForm.SFLB[line].SetCaption(text);
}

void LinkSupervisor::StatsLineColour(int port, int line, forms::Colour colour) {
  if (port != displayedPort_ || line < 1 || line > 9) return;
  statsForm.SFLB[line].SetColour(colour);
}

void LinkSupervisor::ParkTimers() {
  // Parked far from zero so that nothing fires again while a box is open.
  timing_.noDataTimer = 900000;
  timing_.badDataTimer = 999999;
  wiring_.rtTimeout.SetEnabled(false);
}

void LinkSupervisor::StepBaud() {
  timing_.autoBaudPending = true;
  auto& list = hostPortForm.HostSetupCB;
  int index = list.ItemIndex() >= 2 ? list.ItemIndex() - 1 : 11;
  list.SetItemIndex(index);
  list.SetItemIndex(ports_.SelectSettingFromList(kLoggerSlot, index));
  pump_.ResetReceiveBuffer();
  timing_.noDataTimer = 45;
  timing_.badDataTimer = 55;
}

void LinkSupervisor::RTTimeoutTimer() {
  if (timing_.noDataTimer < 0) {
    ParkTimers();
    if (!wiring_.mooredMode || !wiring_.mooredMode()) noDataNoticeGiven_ = false;
    if (!noDataNoticeGiven_) {
      prompter_.ShowNotice("No Data Has Been Detected",
                           "Please Check Your COM Port Selection and Verify the Logger Has Power");
      noDataNoticeGiven_ = true;
    }
    wiring_.rtTimeout.SetEnabled(true);
    timing_.badDataTimer = 55;
  }
  if (timing_.badDataTimer < 0) {
    ParkTimers();
    bool step = false;
    if (timing_.autoBaudPending) {
      step = true;
    } else if (wiring_.autoBaudItem.Checked()) {
      prompter_.Sound(Beep::Question);
      if (prompter_.Ask("Invalid Data Received", "Enter Auto Baud Rate Detection?",
                        Buttons::OkCancel, Icon::Question) == Answer::Ok) {
        hostPortForm.HostSetupCB.SetItemIndex(1);
        step = true;
      } else {
        wiring_.autoBaudItem.SetChecked(false);
      }
    }
    if (step) StepBaud();
    wiring_.rtTimeout.SetEnabled(true);
  }
  if (timing_.noDataTimer > 300) {
    timing_.noDataTimer = 900;
    timing_.badDataTimer = 55;
  }
}

void LinkSupervisor::ShowPortDevices() {
  std::vector<std::string> hints{""};
  for (int com = 1; com <= kMaxComNumber; ++com) hints.push_back(ports_.DeviceName(com));
  hostPortForm.HostPortCB.SetItemHints(std::move(hints));
}

}  // namespace qv
