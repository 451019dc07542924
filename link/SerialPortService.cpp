// The port slot table: opens, sets, reads, writes and closes the host's serial
// lines by slot number over the operating system's serial backend.
#include "link/SerialPortService.h"

#include "common/Format.h"
#include "protocol/LineSettings.h"

namespace qv {

namespace {

// The setting lists hold "OFF" and then the eleven settings in code order.
constexpr int kSettingListItems = 12;
constexpr int kOffListIndex = 0;

}  // namespace

LineSetting SettingForCode(int code) {
  const LineCode& line = LineOfSettingCode(code);
  return LineSetting{line.baud, line.dataBits, line.parity, 1};
}

const char* SettingString(int code) { return LineOfSettingCode(code).text; }

SerialPortService::SerialPortService(SerialBackend& backend, Prompter& prompter)
    : backend_(backend), prompter_(prompter) {}

SerialPortService::~SerialPortService() {
  // No boxes here: the window that would show them may already be gone.
  for (Slot& s : slots_) {
    if (s.openCom != 0 && !s.away) backend_.Close(s.handle);
    s = Slot{SerialBackend::kInvalidHandle, 0, s.settingCode};
  }
}

void SerialPortService::OpenPortSlot(int slot, int comNumber) {
  if (!Valid(slot)) return;
  // An open slot would otherwise lose its handle and keep the device busy.
  if (slots_[slot].openCom != 0) ClosePortSlot(slot);
  Slot& s = slots_[slot];
  SerialBackend::Handle h = SerialBackend::kInvalidHandle;
  if (comNumber >= 1 && comNumber <= kMaxComNumber)
    h = backend_.Open(comNumber, SettingForCode(s.settingCode));
  if (h == SerialBackend::kInvalidHandle) {
    s.handle = SerialBackend::kInvalidHandle;
    s.openCom = 0;
    prompter_.ShowNotice("Comm Error", Format("Could Not Open COM%1d", comNumber));
    return;
  }
  s.handle = h;
  s.openCom = comNumber;
  s.away = false;
}

void SerialPortService::ClosePortSlot(int slot) {
  if (!Valid(slot) || slots_[slot].openCom == 0) return;
  Slot& s = slots_[slot];
  SerialBackend::Handle h = s.handle;
  const bool away = s.away;
  // Marked closed before the box, so ticks running inside it see a closed slot.
  s.handle = SerialBackend::kInvalidHandle;
  s.openCom = 0;
  s.away = false;
  if (!away && !backend_.Close(h)) prompter_.ShowNotice("Comm Error", "Could Not Close Comm  Port");
}

bool SerialPortService::IsPortSlotOpen(int slot) const {
  return Valid(slot) && slots_[slot].openCom != 0;
}

bool SerialPortService::IsDeviceAway(int slot) const {
  return IsPortSlotOpen(slot) && slots_[slot].away;
}

// The handle of a vanished device is useless (a new device node may come in
// its place), so it is let go at once; no box, as nothing was asked of the operator.
void SerialPortService::DeviceWentAway(Slot& s) {
  backend_.Close(s.handle);
  s.handle = SerialBackend::kInvalidHandle;
  s.away = true;
}

bool SerialPortService::ReopenLostSlot(int slot) {
  if (!IsDeviceAway(slot)) return false;
  Slot& s = slots_[slot];
  SerialBackend::Handle h = backend_.Open(s.openCom, SettingForCode(s.settingCode));
  if (h == SerialBackend::kInvalidHandle) return false;
  s.handle = h;
  s.away = false;
  return true;
}

void SerialPortService::SetPortBaud(int slot, int baud, int dataBits) {
  if (!Valid(slot)) return;
  int code = SettingCodeOf(baud, dataBits);
  if (code == 0) return;
  slots_[slot].settingCode = code;
  int com = slots_[slot].openCom;
  // An away slot takes the setting when its device is back.
  if (com == 0 || slots_[slot].away) return;
  ClosePortSlot(slot);
  OpenPortSlot(slot, com);
}

void SerialPortService::WritePortSlot(int slot, const std::uint8_t* bytes, int count) {
  if (!Usable(slot) || bytes == nullptr || count <= 0) return;
  // A device that fails a write is gone as much as one that fails a read (an
  // output port has no reads to tell it).
  if (backend_.Write(slots_[slot].handle, bytes, static_cast<std::size_t>(count)) < 0)
    DeviceWentAway(slots_[slot]);
}

void SerialPortService::ReadPortSlot(int slot, std::uint8_t* buffer, int& count) {
  if (!Usable(slot) || buffer == nullptr || count <= 0) {
    count = 0;
    return;
  }
  long n = backend_.Read(slots_[slot].handle, buffer, static_cast<std::size_t>(count));
  // The device went away: silence from here on, which the link timers notice.
  if (n < 0) {
    DeviceWentAway(slots_[slot]);
    n = 0;
  }
  if (n > count) n = count;
  count = static_cast<int>(n);
}

int SerialPortService::SelectPortFromList(int slot, int listIndex) {
  ClosePortSlot(slot);
  if (listIndex < 1 || listIndex > kMaxComNumber) return 0;
  OpenPortSlot(slot, listIndex);
  return listIndex;
}

int SerialPortService::SelectSettingFromList(int slot, int listIndex) {
  // Items 1..11 are the setting codes; "OFF" and anything else is 9600.
  int shown = listIndex;
  if (listIndex == kOffListIndex || listIndex < 0 || listIndex >= kSettingListItems)
    shown = kDefaultSettingCode;
  const LineCode& line = LineOfSettingCode(shown);
  SetPortBaud(slot, line.baud, line.dataBits);
  return shown;
}

void SerialPortService::ResetPortSlots() {
  for (Slot& s : slots_) s = Slot{};
}

int SerialPortService::OpenComNumber(int slot) const {
  return Valid(slot) ? slots_[slot].openCom : 0;
}

int SerialPortService::SettingCode(int slot) const {
  return Valid(slot) ? slots_[slot].settingCode : 0;
}

}  // namespace qv
