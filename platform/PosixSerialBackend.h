// The serial backend over POSIX terminals: exclusive, non-blocking, raw lines
// with the logger link's settings, on the devices named by a ComPortTable.
#pragma once

#include <termios.h>

#include <map>
#include <utility>

#include "platform/ComPortTable.h"
#include "platform/SerialBackend.h"

namespace qv {

// Turns the terminal settings into a raw line with the setting's baud, data
// bits, parity and stop bits, no flow control and reads that never wait;
// false (termios untouched) for a setting the terminal cannot take.
bool BuildTermios(const LineSetting& setting, termios& inOut);
// The baud of a terminal speed the logger link uses; 0 for any other.
int BaudOfSpeed(speed_t speed);

// Whether a line read back from a device after applying `wanted` (built by
// BuildTermios) can carry the logger's bytes: raw (no echo, no line editing or
// signals, no CR/LF translation either way, no XON/XOFF, no output
// processing), reads that never wait, and the wanted baud and stop bits.
// Only the data bits and parity may differ: a device that refuses 7E1 stays
// of use at its baud.
bool LineUsable(const termios& wanted, const termios& applied);

class PosixSerialBackend : public SerialBackend {
 public:
  explicit PosixSerialBackend(ComPortTable table) : table_(std::move(table)) {}
  ~PosixSerialBackend() override;
  PosixSerialBackend(const PosixSerialBackend&) = delete;
  PosixSerialBackend& operator=(const PosixSerialBackend&) = delete;

  Handle Open(int comNumber, const LineSetting& setting) override;
  bool Close(Handle h) override;
  long Read(Handle h, std::uint8_t* buffer, std::size_t max) override;
  long Write(Handle h, const std::uint8_t* bytes, std::size_t count) override;
  std::string DeviceName(int comNumber) const override { return table_.Path(comNumber); }

  ComPortTable& Table() { return table_; }

 private:
  ComPortTable table_;
  std::map<Handle, int> baudOf_;  // open handles and their baud, for write time limits
};

}  // namespace qv
