// Fuzzes the framer and the receive pump with logger input; some inputs get
// their packet-like stretches sealed so that valid packets are reached too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/ByteOrder.h"
#include "common/ByteSum.h"
#include "tests/support/ScriptedPrompter.h"
#include "link/PacketFramer.h"
#include "link/ReceivePump.h"
#include "link/SerialPortService.h"

namespace qv {
namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Delivers the input at most `chunk` bytes per read.
class InputBackend : public SerialBackend {
 public:
  InputBackend(const std::uint8_t* data, std::size_t size, std::size_t chunk)
      : data_(data), size_(size), chunk_(chunk) {}
  Handle Open(int, const LineSetting&) override { return 1; }
  bool Close(Handle) override { return true; }
  long Read(Handle, std::uint8_t* buffer, std::size_t max) override {
    const std::size_t n = std::min({max, chunk_, size_ - at_});
    std::copy(data_ + at_, data_ + at_ + n, buffer);
    at_ += n;
    return static_cast<long>(n);
  }
  long Write(Handle, const std::uint8_t*, std::size_t count) override {
    return static_cast<long>(count);
  }
  std::string DeviceName(int) const override { return {}; }
  bool Done() const { return at_ == size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t chunk_;
  std::size_t at_ = 0;
};

// Checks what it is handed and writes over data packets, as the real
// consumer converts their headers in place.
class CheckingConsumer : public PacketConsumer {
 public:
  void AcceptDataPacket(std::uint8_t* record, int recordLength) override {
    Check(recordLength >= kEmptyDataPacketSize - 4 && recordLength <= kLargestPacketSize - 4);
    Check(ReadBE16(record + kPayloadLengthOffset - 2) == recordLength - (kEmptyDataPacketSize - 4));
    std::fill(record, record + recordLength, std::uint8_t{0xA5});
  }
  void PayloadLengthError(int length) override { Check(length > kMaxPayload && length <= 0xFFFF); }
};

// Hands the input over in slices as a source other than the logger port,
// some of them larger than any packet.
class SliceSource : public ByteSource {
 public:
  SliceSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int ReadInto(std::uint8_t* dst, int room) override {
    const std::size_t n = std::min({size_ - at_, static_cast<std::size_t>(room),
                                    static_cast<std::size_t>(kLargestPacketSize + 7)});
    std::copy(data_ + at_, data_ + at_ + n, dst);
    at_ += n;
    return static_cast<int>(n);
  }
  bool Done() const { return at_ == size_; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Seals the checksum of every stretch that starts like a packet and fits.
void SealPacketLookalikes(std::vector<std::uint8_t>& b) {
  std::size_t i = 0;
  while (i + 1 < b.size()) {
    const int type = b[i];
    int size = 0;
    if (type == b[i + 1] && type >= kSetupPacket && type <= kHardwareConfigPacket) {
      size = FixedPacketSize(type);
    } else if (type == kDataPacket && b[i + 1] == kDataPacket && i + 8 <= b.size()) {
      const int length = ReadBE16(&b[i + kPayloadLengthOffset]) % (kMaxPayload + 1);
      WriteBE16(&b[i + kPayloadLengthOffset], static_cast<std::uint16_t>(length));
      size = length + kEmptyDataPacketSize;
    }
    if (size > 0 && i + static_cast<std::size_t>(size) <= b.size()) {
      SealChecksum(&b[i], static_cast<std::size_t>(size));
      i += static_cast<std::size_t>(size);
    } else {
      ++i;
    }
  }
}

// The framer alone on an exact-size copy, so any read past the held bytes
// is caught; drives it the way the pump does.
void FrameDirectly(const std::vector<std::uint8_t>& input) {
  std::vector<std::uint8_t> exact(input);
  PacketFramer framer;
  std::size_t at = 0;
  while (at < exact.size()) {
    const int held = static_cast<int>(exact.size() - at);
    const int framed = framer.FramePacket(exact.data() + at, held);
    if (framed == kFrameNeedMore) break;
    int drop = 1;
    if (framed == kDataPacket) {
      drop = framer.ExpectedDataSize();
      framer.Reset();
    } else if (framed > 0) {
      drop = FixedPacketSize(framed);
    }
    Check(drop >= 1 && drop <= held);
    at += static_cast<std::size_t>(drop);
  }
}

void RunPump(const std::vector<std::uint8_t>& input, std::size_t chunk, bool otherSource) {
  InputBackend backend(input.data(), input.size(), chunk);
  ScriptedPrompter prompter;
  SerialPortService ports(backend, prompter);
  ports.OpenPortSlot(kLoggerSlot, 1);
  ReceivedRecords records;
  CheckingConsumer consumer;
  RawInputTap tap;
  SliceSource source(input.data(), input.size());
  ReceivePump pump(ports, records, consumer, tap);
  if (otherSource) pump.SetSource(&source);

  for (int cycles = 0; cycles < 1000000; ++cycles) {
    const int result = pump.PumpReceive();
    Check(result >= 0 && result <= 2);
    Check(pump.Held() >= 0 && pump.Held() <= ReceivePump::kBufferSize);
    if ((otherSource ? source.Done() : backend.Done()) && result == 0) break;
  }
  Check(pump.Counters().totalInputBytes == input.size());
  Check(pump.Held() < kLargestPacketSize);
}

}  // namespace
}  // namespace qv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t control = data[0];
  std::vector<std::uint8_t> input(data + 1, data + size);
  if (control & 0x01) qv::SealPacketLookalikes(input);
  // Bits 1-2: read size; bit 3: a source other than the logger port.
  static constexpr std::size_t kChunks[] = {1, 13, 512, 1 << 20};
  const std::size_t chunk = kChunks[(control >> 1) & 0x03];
  qv::FrameDirectly(input);
  qv::RunPump(input, chunk, (control & 0x08) != 0);
  return 0;
}
