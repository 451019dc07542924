// Fuzzes AcceptDataPacket with records whose headers need not match what they
// hold, each in a buffer of exactly its size, under any display and routing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedPrompter.h"
#include "link/SerialPortService.h"
#include "stream/DataStream.h"

namespace qv {
namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

class NullBackend : public SerialBackend {
 public:
  Handle Open(int comNumber, const LineSetting&) override { return comNumber; }
  bool Close(Handle) override { return true; }
  long Read(Handle, std::uint8_t*, std::size_t) override { return 0; }
  long Write(Handle, const std::uint8_t*, std::size_t count) override {
    written += count;
    return static_cast<long>(count);
  }
  std::string DeviceName(int) const override { return {}; }
  std::size_t written = 0;
};

}  // namespace
}  // namespace qv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  if (size < 4) return 0;
  NullBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports(backend, prompter);
  PcPortSlots slots;
  forms::TabSheet page(nullptr, "TSRecord", "");
  FakeClock clock;
  DataStream stream({ports, prompter, slots, page, clock});

  // Settings from the first bytes: display source, port and logger ID, and
  // two output slots with any logger ID and port, in range or not.
  RawDisplayState& d = stream.DisplayState();
  d.rawDisplayOn = (data[0] & 1) != 0;
  d.rawDisplaySource = (data[0] >> 1) % 3;
  d.rawDisplayPort = static_cast<int>(data[1] % 12) - 1;
  d.rawDisplayLoggerId = data[0] >> 3;
  for (int n = 1; n <= 2; ++n) {
    ports.OpenPortSlot(n, n + 1);
    slots[n] = {kPortKindLoggerOutput, data[2] % 6, static_cast<int>(data[3] % 11) - n + 1, 0, 0};
  }
  if (data[1] & 0x80) {
    prompter.files.push_back("/dev/null");
    stream.recordTab.BTRecordArchive.UserClick();
  }

  // Then records, each a 16-bit length (cut to what is left) and its bytes.
  std::size_t at = 4;
  std::size_t handed = 0;
  while (at + 2 <= size) {
    std::size_t length =
        static_cast<std::size_t>(data[at]) | (static_cast<std::size_t>(data[at + 1]) << 8);
    at += 2;
    length = std::min({length, size - at, std::size_t{4132}});
    std::vector<std::uint8_t> record(data + at, data + at + length);
    at += length;
    handed += length;
    stream.AcceptDataPacket(record.data(), static_cast<int>(record.size()));
    Check(d.RawDisplayLength >= 0 && d.RawDisplayLength <= RawDisplayState::kBufferSize);
    if (length & 1) stream.FastTickEnd();
  }
  // Nothing routed is ever more than what was handed over, per slot.
  for (int n = 1; n <= 2; ++n) Check(static_cast<std::size_t>(slots[n].SlotBytesOut) <= handed);
  for (const std::string& line : stream.realTimeTab.Memo1.Lines()) Check(line.size() <= 101);
  return 0;
}
