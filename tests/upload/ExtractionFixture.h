// Run files built record by record in a scratch folder, an extractor on a
// scripted prompter, and readers for what the extraction wrote.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "protocol/RunFile.h"
#include "protocol/DataPacket.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"
#include "upload/extraction/RunFileExtractor.h"

namespace qv::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes Text(const std::string& s) { return {s.begin(), s.end()}; }

// A run file's bytes, record by record.
struct RunBytes {
  Bytes bytes;
  RunBytes& Add(int type, const Bytes& data) {
    AppendRunRecord(bytes, type, data);
    return *this;
  }
  // A head with any length, the data as given: for damaged files.
  RunBytes& Head(std::int16_t length, std::int16_t type, const Bytes& data = {}) {
    std::uint8_t head[kRunRecordHeadSize];
    RunRecordHead{length, type}.Encode(head);
    bytes.insert(bytes.end(), head, head + kRunRecordHeadSize);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return *this;
  }
  // A multiplexed record: time stamp, then the bytes.
  RunBytes& Mux(int type, std::uint32_t time, const std::string& text) {
    Bytes data(4);
    WriteLE32(data.data(), time);
    data.insert(data.end(), text.begin(), text.end());
    return Add(type, data);
  }
  RunBytes& Header(std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t time,
                   bool sevenBytes = false) {
    Bytes data = {loggerId, sequence, 0, 0, 0, 0};
    WriteLE32(data.data() + 2, time);
    if (sevenBytes) data.push_back(1);
    return Add(kRecArchiveHeader, data);
  }
};

// One archive record as read back from an archive file.
struct ArchiveRecord {
  DataPacketHeader head;
  std::vector<Bytes> ports;  // 9, in port order
  Bytes trailer;
  std::string Port(int k) const { return {ports[k - 1].begin(), ports[k - 1].end()}; }
};

inline Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string ReadText(const std::string& path) {
  const Bytes b = ReadFile(path);
  return {b.begin(), b.end()};
}

// The records of an archive file; a record that does not add up fails the test.
inline std::vector<ArchiveRecord> ReadArchive(const std::string& path) {
  const Bytes b = ReadFile(path);
  std::vector<ArchiveRecord> records;
  std::size_t at = 0;
  while (at < b.size()) {
    if (b.size() - at < static_cast<std::size_t>(kArchiveHeaderSize)) {
      ADD_FAILURE() << "a cut archive record at " << at;
      break;
    }
    ArchiveRecord r;
    r.head = DataPacketHeader::DecodeArchive(b.data() + at);
    std::size_t p = at + kArchiveHeaderSize;
    std::size_t sum = 0;
    for (std::uint16_t c : r.head.portCounts) sum += c;
    if (sum != r.head.payloadLength || p + sum + 4 > b.size()) {
      ADD_FAILURE() << "archive record at " << at << " does not add up";
      break;
    }
    for (std::uint16_t c : r.head.portCounts) {
      r.ports.emplace_back(b.begin() + static_cast<std::ptrdiff_t>(p),
                           b.begin() + static_cast<std::ptrdiff_t>(p + c));
      p += c;
    }
    r.trailer.assign(b.begin() + static_cast<std::ptrdiff_t>(p), b.begin() + static_cast<std::ptrdiff_t>(p + 4));
    records.push_back(std::move(r));
    at = p + 4;
  }
  return records;
}

class ExtractionTest : public ::testing::Test {
 public:
  ScratchDir dir{"qvextract"};
  ScriptedPrompter prompter;
  RunFileExtractor extractor{prompter};

  std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path = dir / name;
    written_.push_back(std::filesystem::path(name).filename().string());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  // Writes the run file "run.007" and extracts it.
  void Extract(const RunBytes& run, int choice = kExtractArchive, const std::string& name = "run.007") {
    extractor.ExtractRunFile(Write(name, run.bytes), choice);
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(dir / name); }
  std::vector<ArchiveRecord> Archive(const std::string& name = "archive.007") const {
    return ReadArchive(dir / name);
  }
  // Every file in the scratch folder but the ones the test wrote.
  std::vector<std::string> Outputs() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
      const std::string n = e.path().filename().string();
      if (std::find(written_.begin(), written_.end(), n) == written_.end() && !e.is_directory())
        names.push_back(n);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> NoticeLines() const {
    std::vector<std::string> lines;
    for (const auto& b : prompter.Notices()) lines.push_back(b.caption + " | " + b.text);
    return lines;
  }

 private:
  std::vector<std::string> written_;
};

}  // namespace qv::testing
