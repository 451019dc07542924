#include "link/LinkSupervisor.h"

#include "common/Format.h"
#include "link/CommandLink.h"
#include "protocol/Commands.h"
#include "link/ReceivePump.h"
#include "link/SerialPortService.h"

namespace qv {

using forms::Colour;

namespace {

// Timer values in fast ticks (40 a second).
constexpr long kParkedNoData = 900000;
constexpr long kParkedBadData = 999999;
constexpr long kUnparkAbove = 900;      // only parked values lie above this
constexpr long kNoDataAfterBox = 900;   // 22.5 s without input until the next notice
constexpr long kNoDataAfterStep = 45;
constexpr long kNoDataAfterBytes = 100;
constexpr long kNoDataAfterPacket = 50;
constexpr long kBadDataReload = 55;     // 1.4 s without a valid packet

}  // namespace

LinkSupervisor::LinkSupervisor(SerialPortService& ports, CommandLink& commands, ReceivePump& pump,
                               Prompter& prompter, Clock& clock, Wiring wiring)
    : ports_(ports),
      commands_(commands),
      pump_(pump),
      prompter_(prompter),
      clock_(clock),
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

// Parked far from zero so that nothing fires again while a box is open; the
// fast tick may take them out of parking meanwhile by reloading them.
void LinkSupervisor::ParkTimers() {
  timing_.noDataTimer = kParkedNoData;
  timing_.badDataTimer = kParkedBadData;
  wiring_.rtTimeout.SetEnabled(false);
}

void LinkSupervisor::ResumeAfterBox() { wiring_.rtTimeout.SetEnabled(true); }

void LinkSupervisor::StepBaud() {
  timing_.autoBaudPending = true;
  auto& list = hostPortForm.HostSetupCB;
  int index = list.ItemIndex() >= 2 ? list.ItemIndex() - 1 : 11;
  list.SetItemIndex(index);
  list.SetItemIndex(ports_.SelectSettingFromList(kLoggerSlot, index));
  pump_.ResetReceiveBuffer();
  timing_.noDataTimer = kNoDataAfterStep;
  timing_.badDataTimer = kBadDataReload;
}

void LinkSupervisor::NoDataExpired() {
  ParkTimers();
  if (!wiring_.mooredMode || !wiring_.mooredMode()) noDataNoticeGiven_ = false;
  if (!noDataNoticeGiven_) {
    // Set first: the box is modal and the timers go on inside it.
    noDataNoticeGiven_ = true;
    prompter_.ShowNotice("No Data Has Been Detected",
                         "Please Check Your COM Port Selection and Verify the Logger Has Power");
  }
  ResumeAfterBox();
  timing_.badDataTimer = kBadDataReload;
}

bool LinkSupervisor::OperatorWantsAutoBaud() {
  ParkTimers();
  const std::uint64_t packetsBefore = pump_.Counters().packetCount;
  prompter_.Sound(Beep::Question);
  const Answer answer = prompter_.Ask("Invalid Data Received", "Enter Auto Baud Rate Detection?",
                                      Buttons::OkCancel, Icon::Question);
  ResumeAfterBox();
  if (answer != Answer::Ok) {
    wiring_.autoBaudItem.SetChecked(false);
    return false;
  }
  // A valid packet that came while the box was open wins: the line works
  // at its setting, and stepping would lose it.
  if (pump_.Counters().packetCount != packetsBefore) return false;
  hostPortForm.HostSetupCB.SetItemIndex(1);
  return true;
}

void LinkSupervisor::BadDataExpired(bool onlyBadBytesSinceLastCheck) {
  bool step = timing_.autoBaudPending;
  if (!step && onlyBadBytesSinceLastCheck && wiring_.autoBaudItem.Checked())
    step = OperatorWantsAutoBaud();
  if (step) {
    StepBaud();
  } else if (timing_.badDataTimer < 0) {
    timing_.badDataTimer = kBadDataReload;
  }
}

void LinkSupervisor::RTTimeoutTimer() {
  const PumpCounters& counters = pump_.Counters();
  const bool bytesCame = counters.totalInputBytes != bytesAtLastCheck_;
  const bool packetCame = counters.packetCount != packetsAtLastCheck_;
  bytesAtLastCheck_ = counters.totalInputBytes;
  packetsAtLastCheck_ = counters.packetCount;

  if (timing_.noDataTimer < 0) NoDataExpired();
  if (timing_.badDataTimer < 0) BadDataExpired(bytesCame && !packetCame);
  // Only timers still parked from a box come back; a running no-data timer
  // is left to run out, so the notice comes again while the line stays silent.
  if (timing_.noDataTimer > kUnparkAbove) {
    timing_.noDataTimer = kNoDataAfterBox;
    timing_.badDataTimer = kBadDataReload;
  }
  // Input during a box reloads the no-data timer alone; the bad-data timer
  // must not stay parked behind it.
  if (timing_.badDataTimer > kUnparkAbove) timing_.badDataTimer = kBadDataReload;
}

void LinkSupervisor::ShowTickLines() {
  const std::uint64_t packets = pump_.Counters().packetCount;
  if (packets != packetCountShown_) {
    packetCountShown_ = packets;
    StatsLine(kLoggerSlot, 5,
              Format("Packet Count: %lu", static_cast<unsigned long>(static_cast<std::uint32_t>(packets))));
  }
  StatsLine(kLoggerSlot, 8, Format("No Data Timer: %03ld", timing_.noDataTimer));
  StatsLine(kLoggerSlot, 9, Format("Bad Data Timer: %03ld", timing_.badDataTimer));
}

void LinkSupervisor::PumpCycleDone(PumpResult pumpResult) {
  switch (pumpResult) {
    case PumpResult::Nothing:
      --timing_.noDataTimer;
      --timing_.badDataTimer;
      break;
    case PumpResult::BytesRead:
      timing_.noDataTimer = kNoDataAfterBytes;
      --timing_.badDataTimer;
      break;
    case PumpResult::PacketHandled:
      timing_.noDataTimer = kNoDataAfterPacket;
      timing_.badDataTimer = kBadDataReload;
      timing_.autoBaudPending = false;
      wiring_.autoBaudItem.SetChecked(false);
      break;
  }
}

std::int64_t LinkSupervisor::NowMs() {
  const ClockReading now = clock_.Now();
  return now.calendar * 1000 + now.hundredths * 10;
}

void LinkSupervisor::ReopenLostPorts() {
  for (int slot = kLoggerSlot; slot <= kLastPcLoggerSlot; ++slot)
    if (ReopenLostSlot(slot, nextReopenMs_[static_cast<std::size_t>(slot)]) && slot == kLoggerSlot)
      pump_.ResetReceiveBuffer();
}

bool LinkSupervisor::ReopenLostSlot(int slot, std::optional<std::int64_t>& nextTry) {
  if (!ports_.IsDeviceAway(slot)) {
    nextTry.reset();
    return false;
  }
  const std::int64_t now = NowMs();
  // A clock set back by more than the interval must not hold the retries off.
  if (nextTry && now < *nextTry && now > *nextTry - 2 * kReopenEveryMs) return false;
  const bool firstSeen = !nextTry;
  nextTry = now + kReopenEveryMs;
  if (firstSeen) return false;  // just gone: the device node needs a moment to come back
  if (!ports_.ReopenLostSlot(slot)) return false;
  nextTry.reset();
  return true;
}

void LinkSupervisor::ShowSecondLines() {
  const PumpCounters& counters = pump_.Counters();
  timing_.packetsPerSecond = static_cast<std::uint32_t>(counters.packetCount - packetsAtLastSecond_);
  packetsAtLastSecond_ = counters.packetCount;
  const Colour packetColour = timing_.packetsPerSecond == 0 ? Colour::Red : Colour::Window;
  hostPortForm.HostSetupCB.SetColour(packetColour);
  StatsLineColour(kLoggerSlot, 3, packetColour);
  StatsLine(kLoggerSlot, 3,
            Format("Packets/Sec:  %lu", static_cast<unsigned long>(timing_.packetsPerSecond)));

  timing_.bytesPerSecond = static_cast<std::uint32_t>(counters.totalInputBytes - bytesAtLastSecond_);
  bytesAtLastSecond_ = counters.totalInputBytes;
  StatsLineColour(kLoggerSlot, 1, timing_.bytesPerSecond == 0 ? Colour::Yellow : Colour::ButtonFace);
  StatsLine(kLoggerSlot, 1,
            Format("Bytes/Sec:  %lu", static_cast<unsigned long>(timing_.bytesPerSecond)));
  StatsLine(kLoggerSlot, 2,
            Format("Total Input: %lu", static_cast<unsigned long>(
                                           static_cast<std::uint32_t>(counters.totalInputBytes))));

  const int largest = pump_.TakeLargestPayload();
  if (largest > timing_.largestPayloadEver) timing_.largestPayloadEver = largest;
  StatsLine(kLoggerSlot, 4, Format("Max Bytes/Packet: %d   %d", largest, timing_.largestPayloadEver));
}

void LinkSupervisor::ShowModErrors(std::uint32_t total) {
  StatsLine(kLoggerSlot, 6, Format("Mod Errors:  %1lu", static_cast<unsigned long>(total)));
}

void LinkSupervisor::ShowLoops(int ticks, int skipped) {
  StatsLine(kLoggerSlot, 7, Format("Loops: %d Skip: %d", ticks, skipped));
}

void LinkSupervisor::StartUp() {
  hostPortForm.HostPortCB.SetItemIndex(0);
  hostPortForm.HostSetupCB.SetItemIndex(6);
  ShowPortDevices();
}

void LinkSupervisor::ShowPortDevices() {
  std::vector<std::string> hints{""};
  for (int com = 1; com <= kMaxComNumber; ++com) hints.push_back(ports_.DeviceName(com));
  hostPortForm.HostPortCB.SetItemHints(std::move(hints));
}

}  // namespace qv
