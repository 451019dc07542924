// Sends frames, records and texts on a port slot, each as one write.
#include "link/CommandLink.h"

#include <string_view>

#include "link/SerialPortService.h"
#include "protocol/Commands.h"

namespace qv {

namespace {

void SendText(SerialPortService& ports, int slot, std::string_view text) {
  ports.WritePortSlot(slot, reinterpret_cast<const std::uint8_t*>(text.data()),
                      static_cast<int>(text.size()));
}

}  // namespace

void CommandLink::SendCommand(int slot, std::uint16_t code) { SendCommandWithValues(slot, code, 0, 0); }

void CommandLink::SendCommandWithValues(int slot, std::uint16_t code, std::int16_t shortValue,
                                        std::int32_t longValue) {
  SendCommandFrame(slot, BuildCommandFrame(code, shortValue, longValue));
}

void CommandLink::SendCommandFrame(int slot, const CommandFrameBytes& frame) {
  ports_.WritePortSlot(slot, frame.data(), kCommandFrameSize);
}

void CommandLink::SendRawBytes(int slot, int count, const std::uint8_t* bytes) {
  if (count <= 0 || bytes == nullptr) return;
  ports_.WritePortSlot(slot, bytes, count);
}

void CommandLink::SendSetupRecord(int slot, std::span<const std::uint8_t, kSetupPacketSize> record) {
  ports_.WritePortSlot(slot, record.data(), kSetupPacketSize);
}

void CommandLink::SendAnalogCalibrationRecord(
    int slot, std::span<const std::uint8_t, kAnalogCalPacketSize> record) {
  ports_.WritePortSlot(slot, record.data(), kAnalogCalPacketSize);
}

void CommandLink::SendHardwareConfigurationRecord(
    int slot, std::span<const std::uint8_t, kHardwareConfigPacketSize> record) {
  ports_.WritePortSlot(slot, record.data(), kHardwareConfigPacketSize);
}

void CommandLink::SendStopSequence(int slot, int hostPortSetupIndex) {
  // A logger listening at 7 data bits cannot read the binary frame.
  if (hostPortSetupIndex == 5 || hostPortSetupIndex == 7) {
    SendText(ports_, slot, kStopText7E1);
    return;
  }
  SendCommand(slot, CmdStop);
  SendText(ports_, slot, kStopTextBreak);
}

}  // namespace qv
