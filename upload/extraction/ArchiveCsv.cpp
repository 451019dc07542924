#include "upload/extraction/ArchiveCsv.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "common/Format.h"
#include "common/LoggerTime.h"
#include "protocol/DataPacket.h"
#include "upload/extraction/Files.h"

namespace qv {

namespace {

constexpr const char* kCaption = "Archive File Error";
constexpr std::size_t kLongestLine = 65536;  // a port that never ends its line still gets rows

bool IsTextByte(std::uint8_t b) { return (b >= 0x20 && b <= 0x7E) || b == '\t' || b == '\r' || b == '\n'; }

struct Stamp {
  std::uint32_t time = 0;
  std::uint8_t loggerId = 0;
  std::uint8_t sequence = 0;
};

class CsvTable {
 public:
  explicit CsvTable(OutputFile& out) : out_(out) {}

  void PortBytes(const Stamp& stamp, int port, const std::uint8_t* bytes, std::size_t count) {
    Line& line = lines_[{stamp.loggerId, port}];
    bool text = true;
    for (std::size_t i = 0; i < count && text; ++i) text = IsTextByte(bytes[i]);
    if (!text) {
      EndLine(line, port);
      line.afterCr = false;
      std::string hex;
      hex.reserve(count * 3);
      for (std::size_t i = 0; i < count; ++i) hex += Format(i ? " %02X" : "%02X", bytes[i]);
      Row(stamp, port, hex);
      return;
    }
    for (std::size_t i = 0; i < count; ++i) {
      const std::uint8_t b = bytes[i];
      const bool lfAfterCr = line.afterCr && b == '\n';
      line.afterCr = false;
      if (lfAfterCr) continue;
      if (b == '\r' || b == '\n') {
        EndLine(line, port);
        line.afterCr = b == '\r';
        continue;
      }
      if (line.text.empty()) line.stamp = stamp;
      line.text += static_cast<char>(b);
      if (line.text.size() >= kLongestLine) EndLine(line, port);
    }
  }
  void Finish() {
    for (auto& [key, line] : lines_) EndLine(line, key.second);
  }
  bool Failed() const { return failed_; }

 private:
  struct Line {
    std::string text;
    Stamp stamp;
    bool afterCr = false;
  };

  void EndLine(Line& line, int port) {
    if (line.text.empty()) return;
    Row(line.stamp, port, line.text);
    line.text.clear();
  }
  void Row(const Stamp& s, int port, const std::string& text) {
    const std::string row = Format("%s,%u,%u,%d,", FormatLoggerTime("%Y-%m-%dT%H:%M:%S", s.time).c_str(), s.loggerId, s.sequence,
                                   port) + CsvField(text) + "\r\n";
    if (!out_.Write(row)) failed_ = true;
  }

  OutputFile& out_;
  std::map<std::pair<int, int>, Line> lines_;  // by logger ID and port
  bool failed_ = false;
};

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

bool WriteArchiveCsv(const std::string& archivePath, const std::string& csvPath, Prompter& prompter) {
  InputFile in;
  if (!in.Open(archivePath)) {
    prompter.ShowNotice(kCaption, Format("Unable to open %s", archivePath.c_str()));
    return false;
  }
  OutputFile out;
  if (!out.Open(csvPath, OutputFile::Mode::Create)) {
    prompter.ShowNotice(kCaption, Format("Unable to create %s", csvPath.c_str()));
    return false;
  }
  bool told = false;
  auto tell = [&](const std::string& text) {
    prompter.ShowNotice(kCaption, text);
    told = true;
  };
  out.Write(std::string(kArchiveCsvHeader) + "\r\n");
  CsvTable table(out);
  std::vector<std::uint8_t> record;
  bool countsTold = false;
  for (;;) {
    const long long at = in.Position();
    record.resize(kArchiveHeaderSize);
    const std::size_t got = in.Read(record.data(), record.size());
    if (got == 0) break;
    const DataPacketHeader h = got == record.size() ? DataPacketHeader::DecodeArchive(record.data()) : DataPacketHeader{};
    const std::size_t body = static_cast<std::size_t>(h.payloadLength) + 4;
    record.resize(kArchiveHeaderSize + body);
    if (got < kArchiveHeaderSize || in.Read(record.data() + kArchiveHeaderSize, body) < body) {
      tell(Format("Record at Byte %lld of %s Runs Past End of File", at, archivePath.c_str()));
      break;
    }
    const Stamp stamp{h.timeStamp, h.loggerId, h.sequence};
    std::size_t offset = 0;
    std::size_t sum = 0;
    for (int port = 1; port <= kDataPorts; ++port) {
      const std::size_t count = h.portCounts[port - 1];
      sum += count;
      const std::size_t take = std::min(count, h.payloadLength - std::min<std::size_t>(offset, h.payloadLength));
      if (take > 0) table.PortBytes(stamp, port, record.data() + kArchiveHeaderSize + offset, take);
      offset += take;
    }
    if (sum != h.payloadLength && !countsTold) {
      countsTold = true;
      tell(Format("Port Counts of Record at Byte %lld of %s Do Not Match Its Length", at,
                  archivePath.c_str()));
    }
  }
  table.Finish();
  if (table.Failed() || !out.Close()) tell(Format("Unable to write %s", csvPath.c_str()));
  return !told;
}

}  // namespace qv
