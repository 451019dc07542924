// Everything the host sends the logger (command frames, whole records, raw
// bytes, the stop sequence); sends never wait and do nothing on a closed slot.
#pragma once

#include <cstdint>
#include <span>

#include "protocol/CommandFrame.h"
#include "protocol/PacketTypes.h"

namespace qv {

class SerialPortService;

class CommandLink {
 public:
  explicit CommandLink(SerialPortService& ports) : ports_(ports) {}

  void SendCommand(int slot, std::uint16_t code);
  void SendCommandWithValues(int slot, std::uint16_t code, std::int16_t shortValue,
                             std::int32_t longValue);
  void SendCommandFrame(int slot, const CommandFrameBytes& frame);
  void SendRawBytes(int slot, int count, const std::uint8_t* bytes);
  void SendSetupRecord(int slot, std::span<const std::uint8_t, kSetupPacketSize> record);
  void SendAnalogCalibrationRecord(int slot,
                                   std::span<const std::uint8_t, kAnalogCalPacketSize> record);
  void SendHardwareConfigurationRecord(
      int slot, std::span<const std::uint8_t, kHardwareConfigPacketSize> record);
  // hostPortSetupIndex: the logger's host-port line setting as listed in the
  // setup; its two 7-bit settings (5 and 7) get the plain-text stop only.
  void SendStopSequence(int slot, int hostPortSetupIndex);

 private:
  SerialPortService& ports_;
};

}  // namespace qv
