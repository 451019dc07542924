#include "protocol/RunFile.h"

#include <algorithm>
#include <type_traits>

#include "common/ByteOrder.h"

namespace qv {

namespace {

constexpr const char* kDebugNames[kLastRunRecordType + 1] = {
    nullptr,         "METER1",       "METER2",       "METER3",        "METER4",
    "ARCHIVEMUX 1",  "ARCHIVEMUX 2", "ARCHIVEMUX 3", "ARCHIVEMUX 4",  "BATTERY",
    "TIME STAMP",    "Summary",      "ANALOG  ",     "ANALOG",        "ARCHIVETime",
    "METER5",        "METER6",       "METER7",       "METER8",        "ARCHIVEMUX 5",
    "ARCHIVEMUX 6",  "ARCHIVEMUX 7", "ARCHIVEMUX 8", "ARCHIVE KRMUX", "Sender Unit ID",
    "ARCHIVE HEADER"};

// Big-endian fields of the summary, read from a zero-filled copy.
struct SummaryReader {
  const std::uint8_t* b;
  std::int16_t I16(int at) const { return static_cast<std::int16_t>(ReadBE16(b + at)); }
  std::int32_t I32(int at) const { return static_cast<std::int32_t>(ReadBE32(b + at)); }
  std::uint32_t U32(int at) const { return ReadBE32(b + at); }
  template <std::size_t N>
  void I16s(int at, std::array<std::int16_t, N>& out) const {
    for (std::size_t i = 0; i < N; ++i) out[i] = I16(at + 2 * static_cast<int>(i));
  }
  template <std::size_t N>
  void I32s(int at, std::array<std::int32_t, N>& out) const {
    for (std::size_t i = 0; i < N; ++i) out[i] = I32(at + 4 * static_cast<int>(i));
  }
};

struct SummaryWriter {
  std::uint8_t* b;
  void I16(int at, std::int16_t v) const { WriteBE16(b + at, static_cast<std::uint16_t>(v)); }
  void I32(int at, std::int32_t v) const { WriteBE32(b + at, static_cast<std::uint32_t>(v)); }
  void U32(int at, std::uint32_t v) const { WriteBE32(b + at, v); }
  template <std::size_t N>
  void I16s(int at, const std::array<std::int16_t, N>& in) const {
    for (std::size_t i = 0; i < N; ++i) I16(at + 2 * static_cast<int>(i), in[i]);
  }
  template <std::size_t N>
  void I32s(int at, const std::array<std::int32_t, N>& in) const {
    for (std::size_t i = 0; i < N; ++i) I32(at + 4 * static_cast<int>(i), in[i]);
  }
};

// One field table for both directions, so decoding and encoding cannot drift apart.
template <class Io, class Record>
void SummaryFields(const Io& io, Record& r) {
  auto i16 = [&](int at, auto& v) {
    if constexpr (std::is_const_v<Record>) io.I16(at, v); else v = io.I16(at);
  };
  auto i32 = [&](int at, auto& v) {
    if constexpr (std::is_const_v<Record>) io.I32(at, v); else v = io.I32(at);
  };
  auto u32 = [&](int at, auto& v) {
    if constexpr (std::is_const_v<Record>) io.U32(at, v); else v = io.U32(at);
  };
  auto i16s = [&](int at, auto& v) { io.I16s(at, v); };
  auto i32s = [&](int at, auto& v) { io.I32s(at, v); };
  i16(0, r.runNumber);
  i16(2, r.mode);
  i16(4, r.loggerModel);
  i16(6, r.serialNumber);
  i16(8, r.fileFormat);
  i16(10, r.outputFormat);
  i16s(12, r.portMeterType);
  i16(30, r.powerSetting);
  i32s(36, r.portBaud);
  i16s(72, r.portDataBits);
  i16s(90, r.portParity);
  i16s(108, r.portLowVoltage);
  i16s(128, r.analogPortMode);
  i16s(144, r.pumpPortMode);
  u32(152, r.delayTime);
  u32(156, r.preFlushTime);
  u32(160, r.warmUpTime);
  u32(164, r.flushTime);
  u32(168, r.sampleTime);
  u32(172, r.sampleInterval);
  u32(176, r.startTime);
  i16(188, r.unitId);
  i16(190, r.packetInterval);
  i16(192, r.startVoltage);
  i16(194, r.finalVoltage);
  i32s(200, r.fileSizes);
  i32(236, r.freeSpace);
  i32(240, r.totalSpace);
  i16s(244, r.firmware);
}

}  // namespace

RunRecordHead RunRecordHead::Decode(const std::uint8_t* head) {
  return {ReadLE16s(head), ReadLE16s(head + 2)};
}

void RunRecordHead::Encode(std::uint8_t* head) const {
  WriteLE16(head, static_cast<std::uint16_t>(length));
  WriteLE16(head + 2, static_cast<std::uint16_t>(type));
}

const char* RunRecordDebugName(int type) {
  return type >= 1 && type <= kLastRunRecordType ? kDebugNames[type] : nullptr;
}

int RawRecordChannel(int type) {
  if (type >= kRecMeter1 && type <= kRecMeter4) return type - kRecMeter1 + 1;
  if (type >= kRecMeter5 && type <= kRecMeter8) return type - kRecMeter5 + 5;
  return type == kRecAnalogRaw ? 9 : 0;
}

int MuxRecordChannel(int type) {
  if (type >= kRecArchiveMux1 && type <= kRecArchiveMux4) return type - kRecArchiveMux1 + 1;
  if (type >= kRecArchiveMux5 && type <= kRecArchiveMux8) return type - kRecArchiveMux5 + 5;
  return type == kRecAnalogMux ? 9 : 0;
}

bool IsMuxRecord(int type) { return MuxRecordChannel(type) != 0 || type == kRecArchiveTime; }

void AppendRunRecord(std::vector<std::uint8_t>& file, int type, std::span<const std::uint8_t> data) {
  std::uint8_t head[kRunRecordHeadSize];
  RunRecordHead{static_cast<std::int16_t>(data.size()), static_cast<std::int16_t>(type)}.Encode(head);
  file.insert(file.end(), head, head + kRunRecordHeadSize);
  file.insert(file.end(), data.begin(), data.end());
}

RunSummaryRecord RunSummaryRecord::Decode(std::span<const std::uint8_t> data) {
  std::array<std::uint8_t, kSize> bytes{};
  std::copy_n(data.begin(), std::min(data.size(), bytes.size()), bytes.begin());
  RunSummaryRecord r;
  SummaryFields(SummaryReader{bytes.data()}, r);
  return r;
}

std::array<std::uint8_t, RunSummaryRecord::kSize> RunSummaryRecord::Encode() const {
  std::array<std::uint8_t, kSize> bytes{};
  SummaryFields(SummaryWriter{bytes.data()}, *this);
  return bytes;
}

std::array<std::uint8_t, BuiltPacketHead::kSize> BuiltPacketHead::Encode() const {
  std::array<std::uint8_t, kSize> h{};
  h[0] = 1;
  h[1] = marker2;
  h[2] = loggerId;
  h[3] = sequence;
  std::uint32_t payload = 0;
  for (std::uint16_t c : portCounts) payload += c;
  WriteLE16(h.data() + 4, static_cast<std::uint16_t>(payload));
  WriteLE32(h.data() + 6, timeStamp);
  for (std::size_t k = 0; k < portCounts.size(); ++k)
    WriteLE16(h.data() + 10 + 2 * k, portCounts[k]);
  return h;
}

}  // namespace qv
