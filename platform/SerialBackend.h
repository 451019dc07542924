// The operating system's serial ports as the serial port service needs them:
// exclusive open with a line setting, reads that never wait, complete writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

struct LineSetting {
  int baud = 9600;
  int dataBits = 8;
  char parity = 'N';  // 'N' none, 'E' even, 'O' odd
  int stopBits = 1;
};

class SerialBackend {
 public:
  using Handle = int;
  static constexpr Handle kInvalidHandle = -1;

  virtual ~SerialBackend() = default;
  // Opens "COM n" (1..12) exclusively, non-blocking and raw with the setting;
  // kInvalidHandle when the device is missing, busy or refuses the setting.
  virtual Handle Open(int comNumber, const LineSetting& setting) = 0;
  virtual bool Close(Handle h) = 0;
  // Returns at once with what has arrived: the count, 0 when nothing is
  // waiting, -1 on an error (a device that went away).
  virtual long Read(Handle h, std::uint8_t* buffer, std::size_t max) = 0;
  // Writes all the bytes; returns the count written, -1 on an error.
  virtual long Write(Handle h, const std::uint8_t* bytes, std::size_t count) = 0;
  // The device behind "COM n", for showing next to the COM items; empty when none.
  virtual std::string DeviceName(int comNumber) const = 0;
};

}  // namespace qv
