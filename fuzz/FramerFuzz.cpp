// Fuzzes the wire format with logger input: the framer finds packets as the
// pump drives it, every decoder is tried at every offset, and whatever one
// decodes must encode back to what it read. Some inputs get their packet-like
// stretches sealed so that valid packets are reached too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "protocol/CommandFrame.h"
#include "protocol/DataPacket.h"
#include "protocol/AnalogCalRecord.h"
#include "protocol/FlashErrorPacket.h"
#include "protocol/HardwareConfigRecord.h"
#include "protocol/PortTestFrame.h"
#include "protocol/PacketFramer.h"
#include "protocol/SetupRecord.h"
#include "protocol/StatusRecord.h"

namespace qv {
namespace {

using fuzz::Check;
using Bytes = std::vector<std::uint8_t>;

// A record decoded from bytes encodes to a record that decodes the same.
template <typename Record>
void CheckRoundTrip(std::span<const std::uint8_t> bytes) {
  const std::optional<Record> first = Record::Decode(bytes);
  if (!first) return;
  const auto encoded = first->Encode();
  const std::optional<Record> again = Record::Decode(encoded);
  Check(again.has_value() && *again == *first);
}

// The decoders of the packet at the head of the held bytes.
void DecodeFramed(std::span<const std::uint8_t> packet, PacketType type) {
  switch (type) {
    case PacketType::Status:
      Check(StatusRecord::Decode(packet).has_value());
      CheckRoundTrip<StatusRecord>(packet);
      break;
    case PacketType::FlashError: {
      const auto flash = FlashErrorPacket::Decode(packet);
      Check(flash.has_value());
      const auto bytes = flash->Encode();
      Check(Bytes(bytes.begin(), bytes.end()) == Bytes(packet.begin(), packet.end()));
      break;
    }
    case PacketType::Data: {
      const auto data = DataPacket::Decode(packet);
      Check(data.has_value());
      Check(data->Encode() == Bytes(packet.begin(), packet.end()));
      Check(DataPacket::DecodeArchive(data->EncodeArchive()) == data);
      for (int k = 0; k <= kDataPorts + 1; ++k) Check(data->Port(k).size() <= data->payload.size());
      break;
    }
    case PacketType::Setup:
      Check(HoldsPacket(packet, type));
      break;
    case PacketType::HardwareConfig:
      Check(HardwareConfigRecord::Decode(packet).has_value());
      CheckRoundTrip<HardwareConfigRecord>(packet);
      break;
    case PacketType::AnalogCal:
      Check(AnalogCalRecord::Decode(packet).has_value());
      CheckRoundTrip<AnalogCalRecord>(packet);
      break;
    default:
      Check(HoldsPacket(packet, type));
      break;
  }
}

// The framer on an exact-size copy, so any read past the held bytes is
// caught; driven the way the pump drives it.
void FrameAll(const Bytes& input) {
  const Bytes exact(input);
  PacketFramer framer;
  std::size_t at = 0;
  while (at < exact.size()) {
    const int held = static_cast<int>(exact.size() - at);
    const Framed framed = framer.FramePacket(exact.data() + at, held);
    if (framed.result == FrameResult::NeedMore) break;
    int drop = 1;
    if (framed.result == FrameResult::Packet) {
      drop = framed.size;
      Check(framed.type != PacketType::None);
      DecodeFramed(std::span<const std::uint8_t>(exact.data() + at, static_cast<std::size_t>(drop)),
                   framed.type);
      if (framed.type == PacketType::Data) framer.Reset();
    }
    Check(drop >= 1 && drop <= held);
    at += static_cast<std::size_t>(drop);
  }
}

// Every decoder at each of the first offsets of the input, shown the bytes to
// its end; the first kilobyte keeps a run short whatever the input's size.
void DecodeEverywhere(const Bytes& input) {
  const std::span<const std::uint8_t> all(input);
  for (std::size_t at = 0; at < std::min<std::size_t>(input.size(), 1024); ++at) {
    const std::span<const std::uint8_t> rest = all.subspan(at);
    if (const auto frame = CommandFrame::Decode(rest)) {
      Check(CommandFrame::Decode(frame->Encode()) == frame);
    }
    if (const auto record = DataPacket::DecodeArchive(rest)) {
      const Bytes encoded = record->EncodeArchive();
      Check(encoded.size() <= rest.size());
      Check(std::equal(encoded.begin(), encoded.end(), rest.begin()));
    }
    if (const auto packet = DataPacket::Decode(rest)) {
      const Bytes encoded = packet->Encode();
      Check(encoded.size() <= rest.size());
      Check(std::equal(encoded.begin(), encoded.end(), rest.begin()));
    }
    CheckRoundTrip<StatusRecord>(rest);
    CheckRoundTrip<FlashErrorPacket>(rest);
    CheckRoundTrip<HardwareConfigRecord>(rest);
    CheckRoundTrip<AnalogCalRecord>(rest);
    CheckRoundTrip<PortTestFrame>(rest);
  }
}

}  // namespace
}  // namespace qv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto in = qv::fuzz::Steer(data, size);
  if (!in) return 0;
  qv::FrameAll(in->bytes);
  qv::DecodeEverywhere(in->bytes);
  return 0;
}
