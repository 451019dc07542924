// What an archive file holds, read record by record, what a simulated logger
// sent that a host should have recorded, and a fixture that records: for
// tests that check an archive against the line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/DataPacket.h"
#include "protocol/RecordingMode.h"
#include "sim/SentPackets.h"

namespace qv::testing {

struct ArchivedPacket {
  std::uint8_t loggerId;
  std::uint8_t sequence;
  std::uint64_t payloadHash;
  bool operator==(const ArchivedPacket&) const = default;
};

struct ArchiveContents {
  std::vector<ArchivedPacket> packets;
  bool cutAtEnd = false;    // the last record is incomplete
  bool badTrailer = false;  // a record whose trailer is not "####"
};

inline ArchiveContents ReadArchive(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  ArchiveContents a;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto record = DataPacket::DecodeArchive(std::span<const std::uint8_t>(bytes).subspan(at));
    if (!record) {
      a.cutAtEnd = true;
      break;
    }
    a.packets.push_back({record->header.loggerId, record->header.sequence, PayloadHash(record->payload)});
    for (std::uint8_t b : record->trailer) a.badTrailer = a.badTrailer || b != kTrailerByte;
    at += kArchiveHeaderSize + record->payload.size() + kTrailerSize;
  }
  return a;
}

// Every whole record of an archive file, in order; a record cut short at
// the end is left out.
inline std::vector<DataPacket> ReadArchiveRecords(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  std::vector<DataPacket> records;
  std::size_t at = 0;
  while (at < bytes.size()) {
    auto record = DataPacket::DecodeArchive(std::span<const std::uint8_t>(bytes).subspan(at));
    if (!record) break;
    at += kArchiveHeaderSize + record->payload.size() + kTrailerSize;
    records.push_back(std::move(*record));
  }
  return records;
}

// The packets a host that heard them all records (in sequence, with a
// payload), from `first` on.
inline std::vector<ArchivedPacket> RecordableFrom(const std::vector<SentDataPacket>& sent,
                                                  const ArchivedPacket& first) {
  std::vector<ArchivedPacket> out;
  bool started = false;
  for (const SentDataPacket& p : sent) {
    if (!p.inSequence || p.payloadLength == 0) continue;
    const ArchivedPacket a{p.loggerId, p.sequence, p.payloadHash};
    started = started || a == first;
    if (started) out.push_back(a);
  }
  return out;
}

// Checks that the archive holds whole records, at least `least` of them, and
// exactly the recordable packets of `sent` from its first record on.
inline ArchiveContents ExpectArchiveOfWhatWasSent(const std::string& path,
                                                  const std::vector<SentDataPacket>& sent,
                                                  std::size_t least) {
  const ArchiveContents a = ReadArchive(path);
  EXPECT_GE(a.packets.size(), least);
  EXPECT_FALSE(a.cutAtEnd);
  EXPECT_FALSE(a.badTrailer);
  if (!a.packets.empty()) {
    EXPECT_EQ(a.packets, RecordableFrom(sent, a.packets.front()));
  }
  return a;
}

// Records a continuous archive from a running host. `Base` gives `host`,
// `prompter` and RunFor, as the pseudo-terminal and the virtual fixtures do.
template <typename Base>
class ArchiveRecordingTest : public Base {
 public:
  ~ArchiveRecordingTest() override { std::filesystem::remove(archive); }

  // Records from now on, stops the logger after `seconds`, lets the last
  // packets in, then stops the recording.
  void RecordFor(int seconds) {
    this->prompter.files = {archive};
    this->host.Stream().recordTab.BTRecordArchive.UserClick();
    ASSERT_EQ(this->host.Stream().RecordingMode(), RecordingMode::Archive);
    this->RunFor(seconds * 1000);
    this->host.Setup().loggerControl.BTStop.UserClick();
    this->RunFor(1500);
    this->host.Stream().recordTab.BTStopRecord.UserClick();
  }

  // Unique per test: ctest runs tests side by side.
  const std::string archive = [] {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "qv_" + test->test_suite_name() + "_" + test->name() + ".dat";
  }();
};

}  // namespace qv::testing
