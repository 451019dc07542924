// Fuzzes the simulated logger with what a host might send: chunks of bytes
// (some with their frame and setup lookalikes sealed, so commands and setups
// get through), the clock moved on and the output checked between chunks.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/Clock.h"
#include "fuzz/FuzzSupport.h"
#include "protocol/CommandFrame.h"
#include "protocol/DataPacket.h"
#include "protocol/PacketTypes.h"
#include "protocol/SetupRecord.h"
#include "sim/SimLogger.h"
#include "tests/support/FakeClock.h"

namespace qv {
namespace {

using fuzz::Check;

constexpr std::int64_t kJulyNoonUtc = 1782907200;
// Simulated time per input, so a long input cannot make a slow one.
constexpr std::int64_t kMaxRunMs = 300000;

// Seals the byte sum of every stretch that starts like a command frame or a
// setup record and fits.
void SealLookalikes(std::vector<std::uint8_t>& b) {
  std::size_t i = 0;
  while (i + 1 < b.size()) {
    std::size_t size = 0;
    if (b[i] == 0x02 && b[i + 1] == 0x02) size = kCommandFrameSize;
    if (b[i] == 0x01 && b[i + 1] == 0x01) size = kSetupRecordSize;
    if (size > 0 && i + size <= b.size()) {
      SealChecksum(&b[i], size);
      i += size;
    } else {
      ++i;
    }
  }
}

// Every packet whole and of its type's size; data packets (but for the
// spoiled ones) decode, with port counts that add up to the payload.
void CheckOutput(const std::vector<OutgoingPacket>& out, const SimOptions& o) {
  const bool corruptsPackets = o.packetCorruptRate > 0;
  for (const OutgoingPacket& p : out) {
    const std::vector<std::uint8_t>& b = p.bytes;
    Check(b.size() >= 2);
    const PacketType type = PacketTypeOf(b[0], b[1]);
    Check(type != PacketType::None);
    if (type != PacketType::Data) {
      Check(static_cast<int>(b.size()) == FixedPacketSize(type));
      Check(HoldsPacket(b, type));
      continue;
    }
    const std::optional<DataPacket> data = DataPacket::Decode(b);
    Check(data.has_value() || corruptsPackets);
    if (!data) continue;
    Check(b.size() == kDataPacketOverhead + data->payload.size());
    std::size_t counted = 0;
    for (std::uint16_t count : data->header.portCounts) counted += count;
    Check(counted == data->payload.size());
    for (std::uint8_t t : data->trailer) Check(t == kTrailerByte);
    if (o.chain > 0) Check(data->header.loggerId <= o.chain);
  }
}

}  // namespace
}  // namespace qv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  if (size < 3) return 0;
  // The logger: model, chain, rate, power-up streaming, cable, packet faults.
  SimOptions o;
  o.model = 1 + data[0] % 3;
  o.chain = (data[0] >> 2) % 5;
  o.stream = (data[0] & 0x20) != 0;
  o.cable = (data[0] & 0x40) ? Cable::Rs422 : Cable::Rs232;
  o.rateHz = data[1] % 21;
  if (data[1] & 0x80) o.packetGapRate = o.packetRepeatRate = o.packetCorruptRate = 0.3;
  o.seed = data[2];
  o.statusPeriodMs = 200 + 100 * (data[2] % 10);
  FakeClock clock(kJulyNoonUtc);
  SimLogger logger(o, clock);
  std::int64_t now = 0;
  logger.Tick(now);

  // Then chunks: a header (length, and whether to seal), a step of the clock
  // in tens of milliseconds (255 power-cycles instead), and the bytes.
  std::size_t at = 3;
  while (at + 2 <= size) {
    const std::uint8_t header = data[at];
    const std::uint8_t step = data[at + 1];
    at += 2;
    std::size_t length = header & 0x3F;
    if (header & 0x40) length *= 4;
    length = std::min(length, size - at);
    std::vector<std::uint8_t> chunk(data + at, data + at + length);
    at += length;
    if (header & 0x80) SealLookalikes(chunk);

    logger.Receive(chunk.data(), chunk.size());
    if (step == 255) {
      logger.PowerCycle();
    } else if (now < kMaxRunMs) {
      clock.AdvanceMs(step * 10);
      now += step * 10;
    }
    logger.Tick(now);
    CheckOutput(logger.TakeOutput(), o);
    Check(static_cast<int>(logger.State()) >= 0);
  }
  return 0;
}
