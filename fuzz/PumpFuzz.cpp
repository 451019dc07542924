// Fuzzes the receive pump with logger input read in chunks of any size, or
// from another source in slices, checking what it hands on and that it keeps moving.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/ByteOrder.h"
#include "fuzz/FuzzSupport.h"
#include "link/ReceivePump.h"
#include "link/SerialPortService.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

using fuzz::Check;

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
    const PumpResult result = pump.PumpReceive();
    Check(pump.Held() >= 0 && pump.Held() <= ReceivePump::kBufferSize);
    if ((otherSource ? source.Done() : backend.Done()) && result == PumpResult::Nothing) break;
  }
  Check(pump.Counters().totalInputBytes == input.size());
  Check(pump.Held() < kLargestPacketSize);
}

}  // namespace
}  // namespace qv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto in = qv::fuzz::Steer(data, size);
  if (!in) return 0;
  // Bits 1-2: read size; bit 3: a source other than the logger port.
  static constexpr std::size_t kChunks[] = {1, 13, 512, 1 << 20};
  const std::size_t chunk = kChunks[(in->control >> 1) & 0x03];
  qv::RunPump(in->bytes, chunk, (in->control & 0x08) != 0);
  return 0;
}
