// The PC Logger: meters on the PC's own COM ports (the Meter Input slots)
// read at the sample interval and packed, with the PC time or a waiting
// annotation on port 9, into one data packet per interval under its own
// logger ID, handed on like the logger's packets.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "pclogger/PcClock.h"
#include "protocol/DataPacket.h"
#include "stream/PcPortSlots.h"
#include "stream/PendingAnnotation.h"

namespace qv {

class SerialPortService;

// The logger ID of every PC Logger packet ("PC Logger ID = 1").
inline constexpr std::uint8_t PcLoggerId = 1;

class PcLoggerInput {
 public:
  struct Wiring {
    SerialPortService& ports;
    PcPortSlots& pcSlots;  // the Meter Input slots are read; SlotBytesIn added
    PcClock& clock;
    PendingAnnotation& annotation;
    // A finished packet from byte 2 (as the pump hands a logger's), to be
    // accepted, shown, routed and recorded as PC Logger data.
    std::function<void(std::uint8_t* record, int recordLength)> accept;
    // The same record before it is accepted, for the "Raw PC Logger Data" display.
    std::function<void(const std::uint8_t* record, int recordLength)> show;
  };

  explicit PcLoggerInput(Wiring wiring);

  // Starts a new packet at the present time; with `takeSequence` it also
  // takes the next sequence value (an interval without data takes none).
  void ResetPcLoggerPacket(bool takeSequence);
  // Fast tick: once the interval since the packet began has passed, reads
  // what each Meter Input slot of firstSlot..lastSlot holds into ports 1..6,
  // adds the annotation or (with addPcTime) the PC time on port 9 and hands
  // the packet on; an interval that gathered nothing makes no packet.
  void PcLoggerTick(bool addPcTime, std::int64_t intervalMs, int firstSlot, int lastSlot);

  // The sequence value the next packet carries.
  std::uint8_t NextSequence() const { return header_.sequence; }

 private:
  static constexpr int kPayloadSize = kMaxPayload;
  std::uint8_t* Payload() { return record_.data() + kArchiveHeaderSize; }
  // The port 9 text of this packet: the waiting annotation, else the PC time
  // when asked for, else none.
  std::string Port9Text(bool addPcTime);

  Wiring w_;
  // Header, payload and trailer, laid out as an archive record; the header is
  // kept in header_ and written in line order when the packet is complete.
  std::array<std::uint8_t, kArchiveHeaderSize + kPayloadSize + kTrailerSize> record_{};
  DataPacketHeader header_;
  int fill_ = 0;
  std::int64_t startMs_ = 0;  // when this packet's collection began, on the PC Logger's clock
  std::uint8_t PcLoggerSequence = 0;
};

}  // namespace qv
