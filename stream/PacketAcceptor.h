// AcceptDataPacket: every data packet, the logger's or the PC Logger's, is
// checked against its unit's sequence, counted, shown, routed and recorded here.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "protocol/DataPacket.h"
#include "stream/PcPortSlots.h"
#include "stream/RawDisplayState.h"
#include "stream/Recorder.h"
#include "stream/UnitTracking.h"

namespace qv {

class Prompter;
class SerialPortService;

enum class PacketOutcome {
  Repeat,       // same sequence as the unit's last packet: only the raw display is told
  Empty,        // no payload: the unit's sequence moves on, nothing else
  UnitError,    // a payload from a unit above 4: "Mux ID Error"
  Malformed,    // too short to hold a header: nothing read beyond it
  Accepted,     // shown and routed; not to be recorded
  NotRecorded,  // shown and routed; the recording mode writes no archive
  Recorded,     // shown, routed and written to the archive
  WriteFailed,  // shown and routed; the archive write failed
};

struct AcceptResult {
  PacketOutcome outcome;
  bool sequenceGap = false;  // the packet revealed a gap, counted, and was kept
  bool operator==(const AcceptResult&) const = default;
};

// Told of every packet kept (in sequence, or the one that revealed a gap):
// its header in host order and its payload as held.
using KeptPacketListener =
    std::function<void(const DataPacketHeader& header, std::span<const std::uint8_t> payload)>;

class PacketAcceptor {
 public:
  PacketAcceptor(UnitTracking& units, RawDisplayState& display, PcPortSlots& slots,
                 SerialPortService& ports, Prompter& prompter, Recorder& recorder);

  // record: the packet from byte 2, recordLength bytes, header big-endian;
  // the header is turned into archive order in place.
  AcceptResult AcceptDataPacket(std::uint8_t* record, int recordLength, bool recordThis);
  void SetKeptPacketListener(KeptPacketListener listener) { kept_ = std::move(listener); }

 private:
  struct PortBytes {
    const std::uint8_t* bytes;
    int count;
  };
  // Port k's (1..9) bytes, cut to the payload actually held.
  static PortBytes BytesOfPort(const DataPacketHeader& h, const std::uint8_t* payload, int held,
                               int port);
  void ShowRepeat(int unit);
  void ShowParsedPort(const DataPacketHeader& h, const std::uint8_t* payload, int held);
  void RouteToPcPorts(const DataPacketHeader& h, const std::uint8_t* payload, int held);

  UnitTracking& units_;
  RawDisplayState& display_;
  PcPortSlots& slots_;
  SerialPortService& ports_;
  Prompter& prompter_;
  Recorder& recorder_;
  KeptPacketListener kept_;
};

}  // namespace qv
