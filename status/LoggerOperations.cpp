#include "status/LoggerOperations.h"

#include <cctype>
#include <cstdint>
#include <limits>

#include "common/Format.h"
#include "common/LoggerTime.h"
#include "factory/FactoryForms.h"
#include "factory/FactoryPassword.h"
#include "link/CommandLink.h"
#include "link/SerialPortService.h"
#include "protocol/Commands.h"
#include "setup/SetupForms.h"
#include "upload/UploadForms.h"

namespace qv {

namespace {

// Reads up to three integers separated by `sep` the way scanf("%d%c%d%c%d")
// would, but without overflow: a number of more than nine digits ends the scan.
int ReadThree(const std::string& text, char sep, long out[3]) {
  size_t i = 0;
  int count = 0;
  while (count < 3) {
    if (count > 0) {
      if (i >= text.size() || text[i] != sep) break;
      ++i;
    }
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    size_t digits = 0;
    long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      if (++digits > 9) return count;
      value = value * 10 + (text[i++] - '0');
    }
    if (digits == 0) break;
    out[count++] = negative ? -value : value;
  }
  return count;
}

}  // namespace

std::optional<SleepTimeOfDay> ParseSleepTime(const std::string& text) {
  long v[3];
  if (ReadThree(text, ':', v) != 3) return std::nullopt;
  if (v[0] < 0 || v[0] > 23 || v[1] < 0 || v[1] > 59 || v[2] < 0 || v[2] > 59) return std::nullopt;
  return SleepTimeOfDay{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])};
}

std::optional<SleepDateInput> ParseSleepDate(const std::string& text) {
  long v[3];
  if (ReadThree(text, '/', v) != 3) return std::nullopt;
  long month = v[0], day = v[1], year = v[2];
  if (day < 1 || day > 31 || month < 1 || month > 12) return std::nullopt;
  if (year >= 0 && year <= 37)
    year += 2000;
  else if (year <= 2000)
    return std::nullopt;
  return SleepDateInput{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

LoggerOperations::LoggerOperations(CommandLink& commands, Prompter& prompter, Wiring wiring)
    : commands_(commands), prompter_(prompter), w_(wiring) {
  sleep.SleepButton.OnClick = [this](forms::Control&) { SleepButtonClick(); };
  sleep.CancelButton.OnClick = [this](forms::Control&) { CancelButtonClick(); };
  muxId.UDMuxID.OnClick = [this](forms::Control&) { UDMuxIDClick(); };
  muxId.BTSendMuxID.OnClick = [this](forms::Control&) { BTSendMuxIDClick(); };
}

void LoggerOperations::BTGetSetup1Click(forms::Control& sender) {
  if (&sender == &w_.analog.BTGetAnalog) {
    commands_.SendCommand(kLoggerSlot, CmdGetAnalogCalibration);
  } else if (&sender == &w_.hardware.BTGetHardware) {
    commands_.SendCommand(kLoggerSlot, CmdGetHardwareConfiguration);
  } else if (&sender == &w_.portSetup.BTGetSetup1 || &sender == &w_.loggerControl.BTGetSetup2) {
    commands_.SendCommand(kLoggerSlot, CmdGetSetup);
  } else if (&sender == &w_.loggerControl.BTBegin) {
    commands_.SendCommand(kLoggerSlot, CmdBeginSample);
  } else if (&sender == &w_.loggerControl.BTSleep) {
    sleep.window.Show();
  } else if (&sender == &w_.hardware.BTKR7Defaults) {
    if (w_.password.CheckFactoryPassword(w_.hardware.HWPassword.Text()))
      commands_.SendCommand(kLoggerSlot, CmdLoadFactoryDefaults);
  }
}

void LoggerOperations::BTStopClick() {
  commands_.SendStopSequence(kLoggerSlot, w_.portSetup.CBHostPortSetup.ItemIndex());
}

void LoggerOperations::BTClearMemoryClick() {
  if (prompter_.Ask("Clear Memory", "Are you sure you want to clear the flash memory?",
                    Buttons::YesNo, Icon::Exclamation) != Answer::Yes)
    return;
  w_.upload.LBProfiles.Clear();
  commands_.SendCommandWithValues(kLoggerSlot, CmdClearMemory, 1, 0);
  prompter_.ShowNotice("**** WARNING ****",
                       "The status must return to Standby before removing power or any other "
                       "action is taken");
}

void LoggerOperations::ResetToMonitorClick() {
  prompter_.Sound(Beep::Warning);
  if (prompter_.Ask("Data Logger Monitor",
                    "Are you sure you want cease operation and exit to the Monitor Program?",
                    Buttons::OkCancel, Icon::Exclamation) == Answer::Ok)
    commands_.SendCommand(kLoggerSlot, CmdResetToMonitor);
}

void LoggerOperations::LoadDefaultLoggerSetupClick() {
  prompter_.Sound(Beep::Warning);
  if (prompter_.Ask("Reset the Data Logger to it's Default Settings",
                    "The current operation will be halted and the current settings will be "
                    "erased.\n\nAre you sure you want to Reset to the default settings?",
                    Buttons::OkCancel, Icon::Exclamation) == Answer::Ok)
    commands_.SendCommand(kLoggerSlot, CmdLoadDefaultSetup);
}

void LoggerOperations::SleepButtonClick() {
  auto time = ParseSleepTime(sleep.METime.Text());
  if (!time) {
    prompter_.ShowNotice("Time Format Error", "Time format is HH:MM:SS");
    return;
  }
  auto date = ParseSleepDate(sleep.MEDate.Text());
  ClockReading now = w_.clock.Now();
  std::int64_t wake = 0;
  std::int64_t wakeLogger = 0;
  if (date) {
    wake = CalendarFromStandardLocal(date->year, date->month, date->day, time->hour,
                                     time->minute, time->second);
    if (now.local.dst) wake -= 3600;
    wakeLogger = wake + now.local.utcOffset;
  }
  // A date the logger's 32-bit clock cannot hold is as invalid as a bad one.
  if (!date || wakeLogger > std::numeric_limits<std::int32_t>::max() ||
      wakeLogger < std::numeric_limits<std::int32_t>::min()) {
    prompter_.ShowNotice("Date Format Error",
                         Format("Date %s is Invalid\n\nDate Format is MM/DD/YY",
                                sleep.MEDate.Text().c_str()));
    return;
  }
  prompter_.Sound(Beep::Warning);
  if (prompter_.Ask("KR-7 Sleep Option", FormatLocal("Sleep Until %H:%M:%S on %m/%d/%y ?", wake),
                    Buttons::OkCancel, Icon::Exclamation) != Answer::Ok)
    return;
  now = w_.clock.Now();
  if (wake - now.calendar < 30) {
    prompter_.ShowNotice("Sleep Error",
                         "You must specify a time at least 30 seconds later than the current time");
    return;
  }
  commands_.SendCommandWithValues(kLoggerSlot, CmdSleepUntil, 0,
                                  static_cast<std::int32_t>(wake + now.local.utcOffset));
  sleep.window.Hide();
}

void LoggerOperations::UDMuxIDClick() {
  muxId.LBNewMuxID.SetCaption(Format("%3d", muxId.UDMuxID.Position()));
}

void LoggerOperations::BTSendMuxIDClick() {
  commands_.SendCommandWithValues(kLoggerSlot, CmdSetLoggerId,
                                  static_cast<std::int16_t>(muxId.UDMuxID.Position()), 0);
}

void LoggerOperations::MenuAutoTimeUpdateClick() {
  w_.autoTimeUpdate.SetChecked(!w_.autoTimeUpdate.Checked());
}

void LoggerOperations::MenuUpdateTimeNowClick() { w_.updateTimeNow.SetChecked(true); }

}  // namespace qv
