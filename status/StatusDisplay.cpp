#include "status/StatusDisplay.h"

#include <cstdlib>

#include "common/Format.h"
#include "common/LoggerTime.h"
#include "link/CommandLink.h"
#include "link/SerialPortService.h"
#include "protocol/Commands.h"
#include "protocol/LoggerModel.h"
#include "setup/SetupForms.h"
#include "upload/UploadForms.h"

namespace qv {

using forms::Colour;

namespace {

std::string Volts(int millivolts) { return Format("%4.1f V", millivolts * 0.001); }

}  // namespace

StatusDisplay::StatusDisplay(CommandLink& commands, LoggerState& state, Wiring wiring)
    : group(wiring.group),
      dataStatus(wiring.dataStatus),
      commands_(commands),
      state_(state),
      w_(std::move(wiring)) {
  warning.Button1.OnClick = [this](forms::Control&) { warning.window.Hide(); };
}

void StatusDisplay::ShowStatus(const StatusRecord& r) {
  w_.noStatusLabel.SetVisible(false);
  w_.statusGroup.SetVisible(true);
  group.LBDandT.SetVisible(true);
  state_.statusAge = 2;

  ShowPortLayout(r.loggerModel, r.serialMask, r.analogMask, r.pumpMask, r.powerFlags);

  state_.loggerId = r.loggerId;
  w_.currentMuxId.SetCaption(Format("Current Logger ID:  %3d", r.loggerId));
  if (r.loggerId < 1 || r.loggerId > 254) w_.muxIdDialog.Show();

  ShowRunStopSwitch(r.runStopSwitch);

  group.LBRunNumber.SetCaption(r.runNumber < 0 ? std::string("Run Number:")
                                                : Format("Run Number:  %03d", r.runNumber));
  // Summed wide so that no field values can overflow.
  long long runBytes = static_cast<long long>(r.analogFileSize) + r.otherFileSize;
  for (int n = 1; n <= 8; ++n) runBytes += r.portFileSizes[n];
  group.LBRunSize.SetCaption(Format("Run File Size:  %lld K", runBytes / 1024));

  std::string power = "Power: ";
  for (int bit = 0; bit < 8; ++bit) {
    power += (r.powerFlags >> bit) & 1 ? '1' : '0';
    if (bit == 3) power += ' ';
  }
  group.LBPower.SetCaption(power);

  state_.model = r.loggerModel;
  state_.operationState = r.operationState;
  ShowFirmware(r.firmwareStamp);
  ShowModel(r.loggerModel);
  ShowTime(r.loggerTime);

  group.LBOperation.SetColour(Colour::ButtonFace);
  const char* op = OperationStateText(r.operationState);
  group.LBOperation.SetCaption(op ? std::string(op)
                                  : Format("Invalid Status %02x", static_cast<unsigned>(
                                                                      static_cast<std::uint16_t>(
                                                                          r.operationState))));

  long h = static_cast<long>(r.timeLeft / 3600);
  long m = static_cast<long>((r.timeLeft % 3600) / 60);
  long s = static_cast<long>(r.timeLeft % 60);
  group.LBTimeLeft.SetCaption(h > 0 ? Format("%2ld:%02ld:%02ld", h, m, s)
                                    : Format("%2ld:%02ld", m, s));

  group.LBCurrentV.SetCaption(Volts(r.currentVoltage));
  group.LBStartV.SetCaption(Volts(r.startVoltage));
  group.LBEndV.SetCaption(Volts(r.endVoltage));
  group.LBFreeDisk.SetCaption(Format("%ld K", static_cast<long>(r.freeDisk / 1024)));
  group.LBTotalDisk.SetCaption(Format("%ld K", static_cast<long>(r.totalDisk / 1024)));

  ShowPorts(r);
}

void StatusDisplay::ShowPorts(const StatusRecord& r) {
  for (int n = 1; n <= 7; ++n)
    dataStatus.Analog[n].SetCaption(Format("%5.3f", r.analogVoltages[n] * 0.001));
  long analogSize = r.analogFileSize;
  dataStatus.AnalogFileSizeLabel.SetCaption(analogSize > 1023 ? Format("%ld k", analogSize / 1024)
                                                              : Format("%ld", analogSize));
  for (int n = 1; n <= 8; ++n) {
    int rate = r.portDataRates[n];
    if (rate < 0) {
      rate = -rate;
      dataStatus.MBPSLabel[n].SetCaption("Bytes/Record:");
    } else {
      dataStatus.MBPSLabel[n].SetCaption("Bytes/Second:");
    }
    dataStatus.MStatusLabel[n].SetCaption(Format("%d", rate));
    int size = r.portFileSizes[n];
    dataStatus.MFileSizeLabel[n].SetCaption(size >= 1024 ? Format("%d K", size / 1024)
                                                         : Format("%d", size));
  }
}

void StatusDisplay::ShowFirmware(std::uint32_t stamp) {
  int major = static_cast<int>(stamp >> 28);
  int minor = static_cast<int>((stamp >> 20) & 0xFF);
  // Compared in hundredths so that 6.05 itself is not taken as older.
  if (major * 100 + minor >= 605 || firmwareWarned_) return;
  firmwareWarned_ = true;
  warning.Label1.SetCaption(Format("This Host Program is incompatible with Firmware Version %4.2f",
                                   major + minor / 100.0));
  warning.window.Show();
}

void StatusDisplay::ShowModel(int model) {
  const char* name = ModelShortName(model);
  if (!name) return;
  state_.shortName = name;
  w_.loggerControl.BTClearMemory.SetCaption(Format("Clear %s Memory", name));
  w_.upload.BTGetDirectory.SetCaption(Format("Get %s Directory", name));
}

void StatusDisplay::ShowTime(std::int32_t loggerTime) {
  ClockReading now = w_.updatePcClock();
  std::int64_t t = CalendarFromLoggerTime(loggerTime, now.local);
  bool driftedTooFar = t < now.calendar - 5 || t > now.calendar + 5;
  if (w_.updateTimeNow.Checked() || (w_.autoTimeUpdate.Checked() && driftedTooFar)) {
    w_.updateTimeNow.SetChecked(false);
    commands_.SendCommandWithValues(kLoggerSlot, CmdSetTime, 0, LoggerTimeOf(now));
  }
  group.LBDandT.SetColour(Colour::ButtonFace);
  group.LBDandT.SetCaption(FormatLocal("%H:%M:%S  %m/%d/%y", t));
  w_.sleepTime.SetCaption(FormatLocal("%H:%M:%S", t));
  w_.sleepDate.SetCaption(FormatLocal("%m/%d/%y", t));

  long long d = std::llabs(now.calendar - t);
  if (d < 5) {
    group.LBDrift.SetVisible(false);
    return;
  }
  group.LBDrift.SetVisible(true);
  group.LBDrift.SetCaption(Format(t > now.calendar ? "Drift:  %02lld:%02lld:%02lld Fast "
                                                   : "Drift:  %02lld:%02lld:%02lld Slow ",
                                  d / 3600, (d % 3600) / 60, d % 60));
}

void StatusDisplay::PcSecondPassed() {
  if (state_.statusAge > 0)
    --state_.statusAge;
  else
    group.LBDandT.SetColour(Colour::Yellow);
}

void StatusDisplay::ShowRunStopSwitch(int value) {
  if (value == appliedSwitch_) return;
  appliedSwitch_ = value;
  group.LBRunStop.SetVisible(value != 0);  // a negative value is an error too, and shown
  switch (value) {
    case 0: break;
    case 1: group.LBRunStop.SetCaption("Run/Stop Switch: STOP"); break;
    case 2: group.LBRunStop.SetCaption("Run/Stop Switch: RUN"); break;
    case 4: group.LBRunStop.SetCaption("Run/Stop Switch: Disabled"); break;
    default: group.LBRunStop.SetCaption("Run/Stop Switch:  Error"); break;
  }
}

void StatusDisplay::ShowRemoteHost(bool on) { group.RemoteHostPanel.SetVisible(on); }

void StatusDisplay::ShowPortLayout(int model, int serial, int analog, int pump, int power) {
  PortSetupTab& ps = w_.portSetup;
  if (model != appliedModel_) {
    if (model == 0) {
      for (int n = 1; n <= 8; ++n) {
        std::string text = n == 1 ? std::string("px5:") : Format("Port %d:", n - 1);
        ps.LBS[n].SetCaption(text);
        dataStatus.MLabel[n].SetCaption(text);
      }
    } else if (model == 1) {
      for (int n = 1; n <= 8; ++n) {
        ps.LBS[n].SetCaption(Format("Port %d:", n));
        dataStatus.MLabel[n].SetCaption(n == 1 ? std::string("Port 1") : Format("Port %d:", n));
      }
    }
    appliedModel_ = model;
  }
  ShowRemoteHost((serial >> 9) & 1);
  if (serial == appliedSerial_ && analog == appliedAnalog_ &&
      pump == appliedPump_ && power == appliedPower_)
    return;

  group.HostType.SetCaption((serial >> 8) & 1 ? "Host:  RS422" : "Host:  RS232");
  for (int n = 1; n <= 8; ++n) {
    bool on = serial & (1 << (n - 1));
    for (forms::Control* c :
         std::initializer_list<forms::Control*>{&dataStatus.MLabel[n], &dataStatus.MBPSLabel[n],
                                                &dataStatus.MFSLabel[n], &dataStatus.MTypeLabel[n],
                                                &dataStatus.MStatusLabel[n],
                                                &dataStatus.MFileSizeLabel[n], &ps.LBS[n],
                                                &ps.ComboMeter[n], &ps.CBPortSetup[n], &ps.SOPH[n]})
      c->SetVisible(on);
  }
  int analogInUse = 0;
  for (int n = 1; n <= 7; ++n) {
    bool on = analog & (1 << (n - 1));
    analogInUse += on;
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &dataStatus.LBA[n], &dataStatus.Analog[n], &ps.LBAnalog[n], &ps.CBAnalog[n],
             &ps.AOPH[n]})
      c->SetVisible(on);
  }
  for (int n = 1; n <= 4; ++n) {
    bool on = pump & (1 << (n - 1));
    for (forms::Control* c : std::initializer_list<forms::Control*>{&ps.LBPumpPort[n],
                                                                     &ps.CBPump[n], &ps.POPH[n]})
      c->SetVisible(on);
  }
  dataStatus.AnalogFS.SetVisible(analogInUse > 0);
  dataStatus.AnalogFileSizeLabel.SetVisible(analogInUse > 0);
  dataStatus.LBSerial.SetVisible(serial != 0);
  ps.LBAnalogSetup.SetVisible(analog != 0);
  dataStatus.LBAnalog.SetVisible(analog != 0);
  ps.LBPump.SetVisible(pump != 0);

  appliedSerial_ = serial;
  appliedAnalog_ = analog;
  appliedPump_ = pump;
  appliedPower_ = power;
}

}  // namespace qv
