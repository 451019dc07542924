// The logger's 192-byte setup record, read and written field by field in the
// very bytes that are received, sent and stored, so the spare fields travel
// back exactly as they came.
#pragma once

#include <array>
#include <cstdint>

#include "link/PacketTypes.h"

namespace qv {

inline constexpr int kSetupRecordSize = kSetupPacketSize;
using SetupBytes = std::array<std::uint8_t, kSetupRecordSize>;

class SetupRecord {
 public:
  explicit SetupRecord(SetupBytes& bytes) : b_(bytes) {}

  std::uint16_t Header() const { return U16(0); }
  void SetHeader(std::uint16_t v) { PutU16(0, v); }
  std::int16_t Mode() const { return I16(2); }
  void SetMode(std::int16_t v) { PutI16(2, v); }
  std::int32_t OncePerHourMask() const { return I32(8); }
  void SetOncePerHourMask(std::int32_t v) { PutI32(8, v); }

  // The six times in seconds, in record order.
  enum Time { DelayTime, PreFlushTime, WarmUpTime, FlushTime, SampleTime, SampleInterval };
  std::int32_t TimeField(Time t) const { return I32(12 + 4 * t); }
  void SetTimeField(Time t, std::int32_t v) { PutI32(12 + 4 * t, v); }

  // Port arrays: 0 the host port, 1..8 the serial ports.
  std::int32_t PortBaud(int port) const { return I32(36 + 4 * port); }
  void SetPortBaud(int port, std::int32_t v) { PutI32(36 + 4 * port, v); }
  std::int16_t PortMeterType(int port) const { return I16(72 + 2 * port); }
  void SetPortMeterType(int port, std::int16_t v) { PutI16(72 + 2 * port, v); }
  std::int16_t PortDataBits(int port) const { return I16(90 + 2 * port); }
  void SetPortDataBits(int port, std::int16_t v) { PutI16(90 + 2 * port, v); }
  std::int16_t PortParity(int port) const { return I16(108 + 2 * port); }
  void SetPortParity(int port, std::int16_t v) { PutI16(108 + 2 * port, v); }
  std::int16_t PortLowVoltage(int port) const { return I16(126 + 2 * port); }
  void SetPortLowVoltage(int port, std::int16_t v) { PutI16(126 + 2 * port, v); }
  // Analog ports 1..7 (logger ports 9..15); entry 0 is always 0.
  std::int16_t AnalogPortMode(int n) const { return I16(144 + 2 * n); }
  void SetAnalogPortMode(int n, std::int16_t v) { PutI16(144 + 2 * n, v); }
  // Pump ports 1..4 (logger ports 16..19).
  std::int16_t PumpPortMode(int n) const { return I16(160 + 2 * (n - 1)); }
  void SetPumpPortMode(int n, std::int16_t v) { PutI16(160 + 2 * (n - 1), v); }

  std::int16_t AnalogRate() const { return I16(170); }
  void SetAnalogRate(std::int16_t v) { PutI16(170, v); }
  std::int16_t OutputFormat() const { return I16(172); }
  void SetOutputFormat(std::int16_t v) { PutI16(172, v); }
  std::int16_t FileFormat() const { return I16(174); }
  void SetFileFormat(std::int16_t v) { PutI16(174, v); }
  std::int16_t AutoStart() const { return I16(180); }
  void SetAutoStart(std::int16_t v) { PutI16(180, v); }
  std::int16_t TimeSource() const { return I16(186); }
  void SetTimeSource(std::int16_t v) { PutI16(186, v); }
  std::uint16_t Checksum() const { return U16(190); }
  // Writes the byte sum of bytes 0..189 into the checksum field.
  void SealChecksum();
  bool ChecksumValid() const;

  SetupBytes& Bytes() { return b_; }
  const SetupBytes& Bytes() const { return b_; }

 private:
  std::uint16_t U16(int off) const;
  std::int16_t I16(int off) const { return static_cast<std::int16_t>(U16(off)); }
  std::int32_t I32(int off) const;
  void PutU16(int off, std::uint16_t v);
  void PutI16(int off, std::int16_t v) { PutU16(off, static_cast<std::uint16_t>(v)); }
  void PutI32(int off, std::int32_t v);

  SetupBytes& b_;
};

}  // namespace qv
