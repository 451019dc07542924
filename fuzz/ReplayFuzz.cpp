// The replay reader fed arbitrary archive bytes: whatever the file holds,
// it writes nothing past the room it is given, every packet it hands over
// frames with a right byte sum as a logger's would, and it always comes to an
// end or goes round again without spinning in place.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "protocol/DataPacket.h"
#include "stream/ReplayReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  if (size < 3) return 0;
  // The first bytes choose the kind, the speed and the room; the rest is the archive.
  const bool continuous = (data[0] & 1) != 0;
  const int speed = data[0] >> 1;  // outside 1..10 as well
  const int room = kDataPacketOverhead + data[1] * 20;
  std::vector<std::uint8_t> archive(data + 2, data + size);
  std::FILE* file = fmemopen(archive.data(), archive.size(), "rb");
  if (file == nullptr) return 0;

  ReplayReader reader([speed] { return speed; });
  fuzz::Check(reader.Open(file, continuous));
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(room));
  // Each record takes at most 19 calls; three passes over the file at most.
  const std::size_t calls = 19 * 3 * (archive.size() / kArchiveHeaderSize + 2);
  for (std::size_t i = 0; i < calls && !reader.EndReached(); ++i) {
    const int n = reader.ReadReplayPacket(buffer.data(), room);
    fuzz::Check(n >= 0 && n <= room);
    if (n == 0) continue;
    const auto packet = DataPacket::Decode(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)));
    fuzz::Check(packet.has_value());
    fuzz::Check(static_cast<int>(packet->payload.size()) + kDataPacketOverhead == n);
    fuzz::Check(reader.Position() <= reader.FileSize());
  }
  return 0;
}
