#include "pclogger/PcLoggerInput.h"

#include <algorithm>
#include <cstring>

#include "link/SerialPortService.h"

namespace qv {

namespace {

constexpr std::uint8_t kLineEnd[] = {'\r', '\n'};
constexpr std::uint8_t kTrailer[kTrailerSize] = {kTrailerByte, kTrailerByte, kTrailerByte,
                                                 kTrailerByte};
constexpr int kPort9 = kDataPorts - 1;

}  // namespace

PcLoggerInput::PcLoggerInput(Wiring wiring) : w_(std::move(wiring)) {}

void PcLoggerInput::ResetPcLoggerPacket(bool takeSequence) {
  startMs_ = w_.clock.ReadPcClock();
  header_.timeStamp = static_cast<std::uint32_t>(startMs_);  // the field wraps; the count does not
  header_.portCounts.fill(0);
  header_.marker1 = 1;
  header_.marker2 = 0;
  header_.loggerId = PcLoggerId;
  if (takeSequence) header_.sequence = PcLoggerSequence++;
  fill_ = 0;
}

std::string PcLoggerInput::Port9Text(bool addPcTime) {
  if (auto annotation = w_.annotation.Take()) return *annotation;
  return addPcTime ? w_.clock.PcTimeText() : std::string();
}

void PcLoggerInput::PcLoggerTick(bool addPcTime, std::int64_t intervalMs, int firstSlot,
                                 int lastSlot) {
  const std::int64_t now = w_.clock.ReadPcClock();
  // A PC clock set back behind the packet's start ends the interval at once.
  if (now >= startMs_ && now - startMs_ < intervalMs) return;

  // Room for the port 9 text is kept back, so the meters cannot crowd it out.
  std::string port9 = Port9Text(addPcTime);
  if (!port9.empty()) port9.resize(std::min<std::size_t>(port9.size(), kPayloadSize - 2));
  const int reserved = port9.empty() ? 0 : static_cast<int>(port9.size()) + 2;

  for (int slot = firstSlot; slot <= lastSlot; ++slot) {
    const int k = slot - firstSlot;  // payload port k + 1
    if (slot < kFirstPcPortSlot || slot > kLastPcPortSlot || k >= kPort9 ||
        w_.pcSlots[slot].PortKind != kPortKindMeterInput)
      continue;
    int count = kPayloadSize - reserved - fill_;
    w_.ports.ReadPortSlot(slot, Payload() + fill_, count);
    header_.portCounts[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(count);
    fill_ += count;
    w_.pcSlots[slot].SlotBytesIn += count;
  }
  if (!port9.empty()) {
    std::memcpy(Payload() + fill_, port9.data(), port9.size());
    std::memcpy(Payload() + fill_ + port9.size(), kLineEnd, sizeof kLineEnd);
    header_.portCounts[kPort9] = static_cast<std::uint16_t>(reserved);
    fill_ += reserved;
  }
  if (fill_ == 0) {
    ResetPcLoggerPacket(false);
    return;
  }
  std::memcpy(Payload() + fill_, kTrailer, sizeof kTrailer);
  header_.payloadLength = static_cast<std::uint16_t>(fill_);
  header_.EncodeLine(record_.data());  // from here on it reads as a logger's packet from byte 2

  const int recordLength = kArchiveHeaderSize + fill_ + kTrailerSize;
  if (w_.show) w_.show(record_.data(), recordLength);
  if (w_.accept) w_.accept(record_.data(), recordLength);
  ResetPcLoggerPacket(true);
}

}  // namespace qv
