// A run file as the logger stores it in flash and uploads it: records with a
// little-endian head (length, type), one of them the run summary, whose
// fields are most significant byte first; and the archive packet that
// extraction builds from the multiplexed and raw records.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace qv {

inline constexpr int kRunRecordHeadSize = 4;

// What a run-file record holds, by its type number.
enum RunRecordType : std::int16_t {
  kRecMeter1 = 1,  // raw bytes of meter ports 1..4
  kRecMeter2,
  kRecMeter3,
  kRecMeter4,
  kRecArchiveMux1,  // a time stamp, then bytes of ports 1..4
  kRecArchiveMux2,
  kRecArchiveMux3,
  kRecArchiveMux4,
  kRecBattery,
  kRecTimeStamp,
  kRecSummary,
  kRecAnalogRaw,
  kRecAnalogMux,    // a time stamp, then bytes of the analog port
  kRecArchiveTime,  // a time stamp alone
  kRecMeter5,       // raw bytes of meter ports 5..8
  kRecMeter6,
  kRecMeter7,
  kRecMeter8,
  kRecArchiveMux5,  // a time stamp, then bytes of ports 5..8
  kRecArchiveMux6,
  kRecArchiveMux7,
  kRecArchiveMux8,
  kRecArchiveKrMux,  // a whole archive record, header most significant byte first
  kRecSenderUnitId,
  kRecArchiveHeader,
};
inline constexpr int kLastRunRecordType = kRecArchiveHeader;

struct RunRecordHead {
  std::int16_t length = 0;  // data bytes after the head; negative only in damaged files
  std::int16_t type = 0;

  static RunRecordHead Decode(const std::uint8_t* head);
  void Encode(std::uint8_t* head) const;
};

// The name the debug log gives a type, or nullptr for a type outside the table.
const char* RunRecordDebugName(int type);
// The channel (1..8 the meter ports, 9 the analog port) of a raw record type,
// or 0 when the type is not a raw meter or analog record.
int RawRecordChannel(int type);
// The channel (1..9) of a multiplexed record type; 0 for an archive time
// record and for every other type.
int MuxRecordChannel(int type);
bool IsMuxRecord(int type);

// Appends one record (head and data) to a run file's bytes.
void AppendRunRecord(std::vector<std::uint8_t>& file, int type, std::span<const std::uint8_t> data);

// The run summary record (type 11). Decoding reads a record shorter than its
// 254 bytes as if the missing bytes were 0.
struct RunSummaryRecord {
  static constexpr int kSize = 254;

  std::int16_t runNumber = 0;
  std::int16_t mode = 0;  // 0 profile, 1 moored
  std::int16_t loggerModel = 0;
  std::int16_t serialNumber = 0;
  std::int16_t fileFormat = 0;
  std::int16_t outputFormat = 0;
  std::array<std::int16_t, 9> portMeterType{};  // 0 the host port, 1..8 the serial ports
  std::int16_t powerSetting = 0;                // kHz
  std::array<std::int32_t, 9> portBaud{};
  std::array<std::int16_t, 9> portDataBits{};
  std::array<std::int16_t, 9> portParity{};
  std::array<std::int16_t, 9> portLowVoltage{};  // tenths of a volt
  std::array<std::int16_t, 8> analogPortMode{};
  std::array<std::int16_t, 4> pumpPortMode{};
  std::uint32_t delayTime = 0;  // seconds, as the five that follow
  std::uint32_t preFlushTime = 0;
  std::uint32_t warmUpTime = 0;
  std::uint32_t flushTime = 0;
  std::uint32_t sampleTime = 0;
  std::uint32_t sampleInterval = 0;
  std::uint32_t startTime = 0;  // logger time
  std::int16_t unitId = 0;
  std::int16_t packetInterval = 0;  // milliseconds
  std::int16_t startVoltage = 0;    // millivolts
  std::int16_t finalVoltage = 0;
  std::array<std::int32_t, 9> fileSizes{};  // 0 analog, 1..8 the serial ports
  std::int32_t freeSpace = 0;
  std::int32_t totalSpace = 0;
  std::array<std::int16_t, 5> firmware{};  // major, minor, then a date as three numbers

  static RunSummaryRecord Decode(std::span<const std::uint8_t> data);
  // The reserved bytes are written as 0.
  std::array<std::uint8_t, kSize> Encode() const;
};

// The 28-byte head of an archive packet that extraction builds, in archive
// order (least significant byte first); marker 1 is always 1.
struct BuiltPacketHead {
  std::uint8_t marker2 = 0;
  std::uint8_t loggerId = 0;
  std::uint8_t sequence = 0;
  std::uint32_t timeStamp = 0;
  std::array<std::uint16_t, 9> portCounts{};

  static constexpr int kSize = 28;
  // PayloadLength is the sum of the port counts.
  std::array<std::uint8_t, kSize> Encode() const;
};

}  // namespace qv
