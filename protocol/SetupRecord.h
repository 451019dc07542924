// The logger's 192-byte setup record (packet type 1), read and written field
// by field in the very bytes that are received, sent and stored, so the spare
// fields travel back exactly as they came. SetupView reads; SetupRecord also writes.
#pragma once

#include <array>
#include <cstdint>

#include "protocol/PacketTypes.h"

namespace qv {

inline constexpr int kSetupRecordSize = kSetupPacketSize;
using SetupBytes = std::array<std::uint8_t, kSetupRecordSize>;

// The header every setup record carries: the packet type in both bytes.
inline constexpr std::uint16_t kSetupHeader = 0x0101;

// A port's parity as the setup codes it: 0 none, 1 odd, 2 even.
constexpr std::int16_t ParityCode(char parity) {
  return parity == 'E' ? 2 : parity == 'O' ? 1 : 0;
}

class SetupView {
 public:
  static constexpr PacketType kType = PacketType::Setup;
  static constexpr int kSize = kSetupRecordSize;

  explicit SetupView(const SetupBytes& bytes) : b_(bytes.data()) {}

  std::uint16_t Header() const { return U16(0); }
  std::int16_t Mode() const { return I16(2); }
  std::int32_t OncePerHourMask() const { return I32(8); }

  // The six times in seconds, in record order.
  enum Time { DelayTime, PreFlushTime, WarmUpTime, FlushTime, SampleTime, SampleInterval };
  std::int32_t TimeField(Time t) const { return I32(12 + 4 * t); }

  // Port arrays: 0 the host port, 1..8 the serial ports.
  std::int32_t PortBaud(int port) const { return I32(36 + 4 * port); }
  std::int16_t PortMeterType(int port) const { return I16(72 + 2 * port); }
  std::int16_t PortDataBits(int port) const { return I16(90 + 2 * port); }
  std::int16_t PortParity(int port) const { return I16(108 + 2 * port); }
  std::int16_t PortLowVoltage(int port) const { return I16(126 + 2 * port); }
  // Analog ports 1..7 (logger ports 9..15); entry 0 is always 0.
  std::int16_t AnalogPortMode(int n) const { return I16(144 + 2 * n); }
  // Pump ports 1..4 (logger ports 16..19).
  std::int16_t PumpPortMode(int n) const { return I16(160 + 2 * (n - 1)); }

  std::int16_t AnalogRate() const { return I16(170); }
  std::int16_t OutputFormat() const { return I16(172); }
  std::int16_t FileFormat() const { return I16(174); }
  std::int16_t AutoStart() const { return I16(180); }
  std::int16_t TimeSource() const { return I16(186); }
  std::uint16_t Checksum() const { return U16(190); }
  bool ChecksumValid() const;

 protected:
  std::uint16_t U16(int off) const;
  std::int16_t I16(int off) const { return static_cast<std::int16_t>(U16(off)); }
  std::int32_t I32(int off) const;

 private:
  const std::uint8_t* b_;
};

class SetupRecord : public SetupView {
 public:
  explicit SetupRecord(SetupBytes& bytes) : SetupView(bytes), w_(bytes) {}

  void SetHeader(std::uint16_t v) { PutU16(0, v); }
  void SetMode(std::int16_t v) { PutI16(2, v); }
  void SetOncePerHourMask(std::int32_t v) { PutI32(8, v); }
  void SetTimeField(Time t, std::int32_t v) { PutI32(12 + 4 * t, v); }
  void SetPortBaud(int port, std::int32_t v) { PutI32(36 + 4 * port, v); }
  void SetPortMeterType(int port, std::int16_t v) { PutI16(72 + 2 * port, v); }
  void SetPortDataBits(int port, std::int16_t v) { PutI16(90 + 2 * port, v); }
  void SetPortParity(int port, std::int16_t v) { PutI16(108 + 2 * port, v); }
  void SetPortLowVoltage(int port, std::int16_t v) { PutI16(126 + 2 * port, v); }
  void SetAnalogPortMode(int n, std::int16_t v) { PutI16(144 + 2 * n, v); }
  void SetPumpPortMode(int n, std::int16_t v) { PutI16(160 + 2 * (n - 1), v); }
  void SetAnalogRate(std::int16_t v) { PutI16(170, v); }
  void SetOutputFormat(std::int16_t v) { PutI16(172, v); }
  void SetFileFormat(std::int16_t v) { PutI16(174, v); }
  void SetAutoStart(std::int16_t v) { PutI16(180, v); }
  void SetTimeSource(std::int16_t v) { PutI16(186, v); }
  // Writes the byte sum of bytes 0..189 into the checksum field.
  void SealChecksum();

  SetupBytes& Bytes() { return w_; }
  const SetupBytes& Bytes() const { return w_; }

 private:
  void PutU16(int off, std::uint16_t v);
  void PutI16(int off, std::int16_t v) { PutU16(off, static_cast<std::uint16_t>(v)); }
  void PutI32(int off, std::int32_t v);

  SetupBytes& w_;
};

}  // namespace qv
