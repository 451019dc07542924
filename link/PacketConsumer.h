// Where the receive pump hands packets on; app/ wires each call to its
// subsystem. Records arrive already copied into their ReceivedRecords buffer.
#pragma once

#include <array>
#include <cstdint>

#include "protocol/PacketTypes.h"

namespace qv {

class PacketConsumer {
 public:
  virtual ~PacketConsumer() = default;

  virtual void AcceptUploadBlock(const std::array<std::uint8_t, kUploadBlockPacketSize>&) {}
  virtual void AcceptDirectoryEntry(const std::array<std::uint8_t, kDirectoryEntryPacketSize>&) {}
  virtual void ShowAnalogCalRecord(const std::array<std::uint8_t, kAnalogCalPacketSize>&) {}
  virtual void AcceptHardwareRecord(const std::array<std::uint8_t, kHardwareConfigPacketSize>&) {}
  // Called after ReceivedRecords::badFlash holds the value.
  virtual void FlashError(std::int16_t) {}
  // record: the data packet from byte 2, in place in the receive buffer with
  // its header still big-endian; recordLength: packet size - 4. The bytes may
  // be changed but are gone once this returns.
  virtual void AcceptDataPacket(std::uint8_t* /*record*/, int /*recordLength*/) {}
  // A data packet length field above 4096 (0..65535 as read).
  virtual void PayloadLengthError(int) {}
};

}  // namespace qv
