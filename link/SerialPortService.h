// The 20 port slots through which every serial line of the host is used.
// Slot 0 is the logger port, slots 1 to 6 the PC Logger ports; the rest of the
// program names a slot and never touches a device.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "common/Prompter.h"
#include "platform/SerialBackend.h"

namespace qv {

inline constexpr int kPortSlots = 20;
inline constexpr int kLoggerSlot = 0;
inline constexpr int kLastPcLoggerSlot = 6;  // slots 1 to 6 are the PC Logger's
inline constexpr int kMaxComNumber = 12;

// The line setting of a setting code 1..11 ("600,N,8,1" ... "115200,N,8,1").
// Rows 1 to 11 of the twelve-item setting lists show these codes in order.
LineSetting SettingForCode(int code);
// The setting string of a code, as shown to the operator.
const char* SettingString(int code);

class SerialPortService {
 public:
  SerialPortService(SerialBackend& backend, Prompter& prompter);
  ~SerialPortService();
  SerialPortService(const SerialPortService&) = delete;
  SerialPortService& operator=(const SerialPortService&) = delete;

  // Opens the COM port (1..12) on the slot with the slot's setting code;
  // on failure tells the operator and leaves the slot closed.
  void OpenPortSlot(int slot, int comNumber);
  void ClosePortSlot(int slot);
  // True from a successful open until the slot is closed, also while its
  // device is away.
  bool IsPortSlotOpen(int slot) const;
  // The slot's device went away (hang-up, adapter pulled; a read or a write
  // failed): its handle is closed, it stays on its COM number, reads return
  // nothing and writes are dropped until ReopenLostSlot brings it back.
  bool IsDeviceAway(int slot) const;
  // Tries once, quietly, to open an away slot's device again with the slot's
  // setting; true when it is back.
  bool ReopenLostSlot(int slot);
  // Stores the setting code for (baud, data bits) and reopens an open slot so
  // it takes effect at once; an unknown baud changes nothing.
  void SetPortBaud(int slot, int baud, int dataBits);
  void WritePortSlot(int slot, const std::uint8_t* bytes, int count);
  // count in: the room in the buffer; out: the bytes read (0 when none or
  // closed). A read error means the device went away.
  void ReadPortSlot(int slot, std::uint8_t* buffer, int& count);
  // List index 1..12 opens that COM number and returns the index; any other
  // index leaves the slot closed and returns 0.
  int SelectPortFromList(int slot, int listIndex);
  // Applies a row of the twelve-item setting list; returns the index to show.
  int SelectSettingFromList(int slot, int listIndex);
  // All slots closed with setting code 6; handles are not closed (start-up only).
  void ResetPortSlots();

  int OpenComNumber(int slot) const;
  int SettingCode(int slot) const;
  // The device behind a COM number, for the port lists.
  std::string DeviceName(int comNumber) const { return backend_.DeviceName(comNumber); }

 private:
  struct Slot {
    SerialBackend::Handle handle = SerialBackend::kInvalidHandle;
    int openCom = 0;
    int settingCode = 6;
    bool away = false;  // open on openCom, but its device is gone and its handle closed
  };
  bool Valid(int slot) const { return slot >= 0 && slot < kPortSlots; }
  bool Usable(int slot) const { return IsPortSlotOpen(slot) && !slots_[slot].away; }
  void DeviceWentAway(Slot& s);

  SerialBackend& backend_;
  Prompter& prompter_;
  std::array<Slot, kPortSlots> slots_{};
};

}  // namespace qv
