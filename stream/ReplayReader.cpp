#include "stream/ReplayReader.h"

#include <algorithm>
#include <cstdint>

#include "protocol/ByteSum.h"
#include "protocol/DataPacket.h"

namespace qv {

namespace {

// Calls per record at speed 1; at speed s a record comes every (19 / s)th call.
constexpr int kSlowestCalls = 19;

}  // namespace

bool ReplayReader::Open(const std::string& path, bool continuous) {
  return Open(std::fopen(path.c_str(), "rb"), continuous);
}

bool ReplayReader::Open(std::FILE* file, bool continuous) {
  Close();
  if (file == nullptr) return false;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    std::fclose(file);
    return false;
  }
  file_ = file;
  continuous_ = continuous;
  size_ = size;
  position_ = 0;
  countdown_ = 0;
  end_ = false;
  return true;
}

void ReplayReader::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

int ReplayReader::ReadReplayPacket(std::uint8_t* buffer, int room) {
  if (file_ == nullptr || end_ || --countdown_ > 0) return 0;
  countdown_ = kSlowestCalls / std::clamp(speed_ ? speed_() : 1, 1, 10);
  if (!AtNextRecord()) return 0;

  std::uint8_t header[kArchiveHeaderSize];
  if (std::fread(header, 1, sizeof header, file_) != sizeof header) {
    end_ = true;
    return 0;
  }
  position_ += kArchiveHeaderSize;
  const DataPacketHeader h = DataPacketHeader::DecodeArchive(header);
  const int rest = h.payloadLength + kTrailerSize;  // payload and trailer
  const int size = kDataPacketOverhead + h.payloadLength;
  // A record no logger could have sent, or one that would not fit, is passed over.
  if (h.payloadLength > kMaxPayload || size > room) {
    if (!Skip(rest)) end_ = true;
    return 0;
  }
  buffer[0] = buffer[1] = static_cast<std::uint8_t>(PacketType::Data);
  h.EncodeLine(buffer + 2);
  if (std::fread(buffer + kDataHeaderSize, 1, static_cast<std::size_t>(rest), file_) !=
      static_cast<std::size_t>(rest)) {
    end_ = true;
    return 0;
  }
  position_ += rest;
  SealChecksum(buffer, static_cast<std::size_t>(size));
  return size;
}

bool ReplayReader::AtNextRecord() {
  if (position_ < size_) return true;
  if (!continuous_ || size_ == 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
    end_ = true;
    return false;
  }
  position_ = 0;
  return true;
}

bool ReplayReader::Skip(std::int64_t count) {
  if (position_ + count > size_ || std::fseek(file_, static_cast<long>(count), SEEK_CUR) != 0)
    return false;
  position_ += count;
  return true;
}

}  // namespace qv
