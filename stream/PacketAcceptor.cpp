#include "stream/PacketAcceptor.h"

#include <algorithm>
#include <cstdio>

#include "common/Format.h"
#include "common/Prompter.h"
#include "link/SerialPortService.h"

namespace qv {

PacketAcceptor::PacketAcceptor(UnitTracking& units, RawDisplayState& display, PcPortSlots& slots,
                               SerialPortService& ports, Prompter& prompter, Recorder& recorder)
    : units_(units),
      display_(display),
      slots_(slots),
      ports_(ports),
      prompter_(prompter),
      recorder_(recorder) {}

AcceptResult PacketAcceptor::AcceptDataPacket(std::uint8_t* record, int recordLength,
                                              bool recordThis) {
  if (record == nullptr || recordLength < kArchiveHeaderSize) return {PacketOutcome::Malformed};
  ConvertRecordHeaderToArchiveOrder(record);
  const DataPacketHeader h = DataPacketHeader::DecodeArchive(record);
  const int u = h.loggerId;
  const std::uint8_t s = h.sequence;
  // Units above 8 have no sequence memory: no repeat test, and an empty
  // packet leaves nothing behind; with a payload they are unit errors.
  const bool remembered = u < UnitTracking::kSequenceUnits;
  const auto ui = static_cast<std::size_t>(u);

  if (remembered && s == units_.LastSequence[ui]) {
    ShowRepeat(u);
    return {PacketOutcome::Repeat};
  }
  if (h.payloadLength == 0) {
    if (remembered) units_.LastSequence[ui] = s;
    return {PacketOutcome::Empty};
  }
  if (u >= UnitTracking::kCountedUnits) {
    prompter_.ShowNotice("Mux ID Error", Format("%c%cSender Unit %d %d", '\r', '\n', u, u));
    return {PacketOutcome::UnitError};
  }

  ++units_.UnitPackets[ui];
  AcceptResult result{PacketOutcome::Accepted};
  if (s != static_cast<std::uint8_t>(units_.LastSequence[ui] + 1)) {
    units_.CountGap(u, s);
    result.sequenceGap = true;
  }
  units_.LastSequence[ui] = s;

  const std::uint8_t* payload = record + kArchiveHeaderSize;
  const int held = std::clamp(recordLength - kArchiveHeaderSize - kTrailerSize, 0,
                              static_cast<int>(h.payloadLength));
  ShowParsedPort(h, payload, held);
  if (u > 0) RouteToPcPorts(h, payload, held);  // the time unit's data is never passed on
  if (kept_) kept_(h, std::span<const std::uint8_t>(payload, static_cast<std::size_t>(held)));

  if (recordThis) {
    switch (recorder_.WriteArchiveRecord(record, recordLength)) {
      case RecordOutcome::Recorded:
        result.outcome = PacketOutcome::Recorded;
        break;
      case RecordOutcome::WriteFailed:
        result.outcome = PacketOutcome::WriteFailed;
        break;
      case RecordOutcome::NotRecorded:
        result.outcome = PacketOutcome::NotRecorded;
        break;
    }
  }
  return result;
}

PacketAcceptor::PortBytes PacketAcceptor::BytesOfPort(const DataPacketHeader& h,
                                                      const std::uint8_t* payload, int held,
                                                      int port) {
  const int offset = PortPayloadOffset(h.portCounts, port);
  if (offset >= held) return {payload, 0};
  return {payload + offset,
          std::min<int>(h.portCounts[static_cast<std::size_t>(port - 1)], held - offset)};
}

// Replaces whatever the display holds, shown or not, even with the display off.
void PacketAcceptor::ShowRepeat(int unit) {
  char text[32];
  const int n = std::snprintf(text, sizeof text, "%c%cRepeat on Unit %d", '\r', '\n', unit);
  display_.Put(reinterpret_cast<const std::uint8_t*>(text), std::clamp<int>(n, 0, sizeof text - 1));
}

void PacketAcceptor::ShowParsedPort(const DataPacketHeader& h, const std::uint8_t* payload,
                                    int held) {
  const int p = display_.rawDisplayPort;
  if (!display_.rawDisplayOn || display_.rawDisplaySource != kRawDisplaySourceParsed ||
      h.loggerId != display_.rawDisplayLoggerId || p < 0 || p >= kDataPorts || display_.Pending() ||
      h.portCounts[static_cast<std::size_t>(p)] == 0)
    return;
  const PortBytes port = BytesOfPort(h, payload, held, p + 1);
  display_.Put(port.bytes, port.count);
}

void PacketAcceptor::RouteToPcPorts(const DataPacketHeader& h, const std::uint8_t* payload,
                                    int held) {
  for (int n = kFirstPcPortSlot; n <= kLastPcPortSlot; ++n) {
    PcPortSlot& slot = slots_[n];
    const int q = slot.OutputPort;
    if (slot.PortKind != kPortKindLoggerOutput || slot.OutputLoggerId != h.loggerId || q < 1 ||
        q > kDataPorts || h.portCounts[static_cast<std::size_t>(q - 1)] == 0)
      continue;
    const PortBytes port = BytesOfPort(h, payload, held, q);
    if (port.count == 0) continue;
    ports_.WritePortSlot(n, port.bytes, port.count);
    slot.SlotBytesOut += port.count;
  }
}

}  // namespace qv
