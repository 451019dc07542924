// The receive cycle: fill, raw tap, framing loop, hand-on by packet type.
#include "link/ReceivePump.h"

#include <algorithm>
#include <cstring>

#include "protocol/FlashErrorPacket.h"

namespace qv {

namespace {

// Below this much room behind the held bytes they are moved to the front, so
// a read can always take a good chunk. Held bytes never reach kLargestPacketSize
// between cycles, so moving always frees at least this much.
constexpr int kReadRoom = 8192;
static_assert(ReceivePump::kBufferSize - kLargestPacketSize >= kReadRoom);

template <std::size_t N>
void CopyRecord(std::array<std::uint8_t, N>& record, const std::uint8_t* packet) {
  std::memcpy(record.data(), packet, N);
}

}  // namespace

ReceivePump::ReceivePump(SerialPortService& ports, ReceivedRecords& records,
                         PacketConsumer& consumer, RawInputTap& tap)
    : loggerPort_(ports), records_(records), consumer_(consumer), tap_(tap), buffer_(kBufferSize) {}

PumpResult ReceivePump::PumpReceive() {
  if (tap_.RawDisplayPending()) return PumpResult::Nothing;
  PumpResult result = PumpResult::Nothing;
  const bool wholePackets = source_->HandsWholePackets();
  if (wholePackets) ResetReceiveBuffer();
  const int count = Fill();
  if (count > 0) {
    result = PumpResult::BytesRead;
    tap_.OfferRawInput(buffer_.data() + end_, count);
    counters_.totalInputBytes += static_cast<std::uint64_t>(count);
    end_ += count;
  }
  if (FrameHeld() || wholePackets) result = PumpResult::PacketHandled;
  return result;
}

void ReceivePump::SetSource(ByteSource* source) {
  // Bytes of one source never complete a packet begun by another.
  ResetReceiveBuffer();
  source_ = source ? source : &loggerPort_;
}

// Reads behind the held bytes; returns the count, which is not yet held.
int ReceivePump::Fill() {
  if (start_ == end_) {
    start_ = end_ = 0;
  } else if (kBufferSize - end_ < kReadRoom) {
    std::memmove(buffer_.data(), buffer_.data() + start_, static_cast<std::size_t>(Held()));
    end_ -= start_;
    start_ = 0;
  }
  const int room = kBufferSize - end_;
  return std::clamp(source_->ReadInto(buffer_.data() + end_, room), 0, room);
}

// Hands on every complete packet held; stops at an incomplete one or when
// too few bytes are held to make any packet. Returns whether one was handed on.
bool ReceivePump::FrameHeld() {
  bool handled = false;
  while (Held() >= kSmallestPacketSize) {
    const Framed framed = framer_.FramePacket(buffer_.data() + start_, Held());
    if (framed.result == FrameResult::NeedMore) break;
    if (framed.result == FrameResult::Packet) {
      HandOn(framed);
      handled = true;
      continue;
    }
    if (framed.result == FrameResult::LengthError)
      consumer_.PayloadLengthError(framer_.LengthErrorValue());
    Remove(1);  // resynchronise one byte further on
  }
  return handled;
}

void ReceivePump::HandOn(const Framed& packet) {
  ++counters_.packetCount;
  if (packet.type != PacketType::Data) {
    HandOnRecord(packet.type);
    return;
  }
  const int size = packet.size;
  counters_.largestPayloadThisSecond =
      std::max(counters_.largestPayloadThisSecond, size - kEmptyDataPacketSize);
  consumer_.AcceptDataPacket(buffer_.data() + start_ + 2, size - 4);
  Remove(size);
  framer_.Reset();
}

// The record is copied out and removed before its consumer or flag sees it:
// the copy stays valid until the next packet of its type.
void ReceivePump::HandOnRecord(PacketType type) {
  const std::uint8_t* packet = buffer_.data() + start_;
  switch (type) {
    case PacketType::Setup:
      CopyRecord(records_.setup, packet);
      break;
    case PacketType::FlashError:
      CopyRecord(records_.flashError, packet);
      break;
    case PacketType::Status:
      CopyRecord(records_.status, packet);
      break;
    case PacketType::UploadBlock:
      CopyRecord(records_.uploadBlock, packet);
      break;
    case PacketType::DirectoryEntry:
      CopyRecord(records_.directoryEntry, packet);
      break;
    case PacketType::AnalogCal:
      CopyRecord(records_.analogCal, packet);
      break;
    case PacketType::HardwareConfig:
      CopyRecord(records_.hardwareConfig, packet);
      break;
    default:
      return;
  }
  Remove(FixedPacketSize(type));
  switch (type) {
    case PacketType::Setup:
      records_.setupReceived = true;
      break;
    case PacketType::FlashError:
      if (auto flash = FlashErrorPacket::Decode(records_.flashError)) records_.badFlash = flash->value;
      consumer_.FlashError(records_.badFlash);
      break;
    case PacketType::Status:
      records_.statusReceived = true;
      break;
    case PacketType::UploadBlock:
      consumer_.AcceptUploadBlock(records_.uploadBlock);
      break;
    case PacketType::DirectoryEntry:
      consumer_.AcceptDirectoryEntry(records_.directoryEntry);
      break;
    case PacketType::AnalogCal:
      consumer_.ShowAnalogCalRecord(records_.analogCal);
      break;
    case PacketType::HardwareConfig:
      consumer_.AcceptHardwareRecord(records_.hardwareConfig);
      break;
    default:
      break;
  }
}

void ReceivePump::ResetReceiveBuffer() {
  start_ = end_ = 0;
  framer_.Reset();
}

int ReceivePump::TakeLargestPayload() {
  const int largest = counters_.largestPayloadThisSecond;
  counters_.largestPayloadThisSecond = 0;
  return largest;
}

// Clamped, in case a consumer emptied the buffer while it held the packet.
void ReceivePump::Remove(int count) { start_ += std::min(count, Held()); }

}  // namespace qv
