// The simulator's run files: every record type a logger writes, the rare
// ones included, seeded and repeatable; and each generated run extracts with
// no notice and no byte lost.
#include "tests/upload/ExtractionFixture.h"

#include <gmock/gmock.h>

#include <map>
#include <set>

#include "sim/RunGenerator.h"
#include "sim/SimOptions.h"
#include "common/Format.h"

namespace qv::testing {
namespace {

using ::testing::HasSubstr;

struct RunRecord {
  int type;
  Bytes data;
};

std::vector<RunRecord> Records(const Bytes& file) {
  std::vector<RunRecord> records;
  std::size_t at = 0;
  while (at + kRunRecordHeadSize <= file.size()) {
    const RunRecordHead h = RunRecordHead::Decode(file.data() + at);
    at += kRunRecordHeadSize;
    if (h.length < 0 || at + static_cast<std::size_t>(h.length) > file.size()) {
      ADD_FAILURE() << "a record runs past the end at " << at;
      break;
    }
    records.push_back({h.type, Bytes(file.begin() + static_cast<std::ptrdiff_t>(at),
                                     file.begin() + static_cast<std::ptrdiff_t>(at + h.length))});
    at += static_cast<std::size_t>(h.length);
  }
  EXPECT_EQ(at, file.size());
  return records;
}

constexpr std::uint32_t kEnd = 1'718'452'800u;

TEST(GeneratedRuns, AKr7sThreeRunsHoldEveryRecordTypeAndTheRareOnes) {
  const auto runs = GeneratePreloadedRuns(kModelKr7, 5, 3, kEnd);
  ASSERT_EQ(runs.size(), 3u);
  std::set<int> types;
  bool lostTrailer = false, note = false, empty = false;
  for (const GeneratedRun& run : runs) {
    const auto records = Records(run.bytes);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().type, kRecSenderUnitId);
    EXPECT_EQ(records.back().type, kRecSummary);
    for (const RunRecord& r : records) {
      types.insert(r.type);
      empty |= r.data.empty();
      if (r.type == kRecArchiveKrMux) lostTrailer |= r.data[r.data.size() - 2] == 0;
      if (r.type == kRecArchiveMux1 && r.data.size() >= 4)
        note |= Bytes(r.data.begin(), r.data.begin() + 4) == Bytes{0x0D, 0x0A, 0x20, 0x2A};
    }
  }
  std::set<int> all;
  for (int t = 1; t <= kLastRunRecordType; ++t) all.insert(t);
  EXPECT_EQ(types, all);
  EXPECT_TRUE(lostTrailer);
  EXPECT_TRUE(note);
  EXPECT_TRUE(empty);
}

TEST(GeneratedRuns, TheSameSeedGivesTheSameRuns) {
  const auto a = GeneratePreloadedRuns(kModelZedPlus, 9, 2, kEnd);
  const auto b = GeneratePreloadedRuns(kModelZedPlus, 9, 2, kEnd);
  const auto c = GeneratePreloadedRuns(kModelZedPlus, 10, 2, kEnd);
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[1].bytes, b[1].bytes);
  EXPECT_NE(a[1].bytes, c[1].bytes);
}

// The archive's bytes of each port, in record order.
std::map<int, std::string> ArchiveStreams(const std::vector<ArchiveRecord>& archive) {
  std::map<int, std::string> s;
  for (const ArchiveRecord& r : archive)
    for (int k = 1; k <= 9; ++k) s[k] += r.Port(k);
  return s;
}

class GeneratedRunExtraction : public ExtractionTest, public ::testing::WithParamInterface<int> {};

TEST_P(GeneratedRunExtraction, ExtractsWithoutNoticeOrLoss) {
  const int model = GetParam();
  extractor.SetAddPad(true);
  for (const GeneratedRun& run : GeneratePreloadedRuns(model, 77, 3, kEnd)) {
    const std::string number = Format("%03d", run.runNumber);
    extractor.ExtractRunFile(Write("run." + number, run.bytes), kExtractArchiveAndRaw);
    const auto records = Records(run.bytes);
    const auto archive = Archive("archive." + number);
    for (const ArchiveRecord& r : archive) EXPECT_EQ(r.trailer, Text("####"));
    std::map<int, std::string> expected;  // the bytes each port's records carried
    for (const RunRecord& r : records) {
      const std::string text(r.data.begin(), r.data.end());
      if (run.style == RunStyle::Multiplexed && MuxRecordChannel(r.type) && r.data.size() > 4 &&
          text.rfind("\r\n *", 0) != 0)
        expected[MuxRecordChannel(r.type)] += text.substr(4);
      if (run.style == RunStyle::Headers && RawRecordChannel(r.type))
        expected[RawRecordChannel(r.type)] += text;
    }
    EXPECT_GE(expected.size(), run.style == RunStyle::Packets ? 0u : 3u) << "run " << number;
    EXPECT_FALSE(archive.empty()) << "run " << number;
    switch (run.style) {
      case RunStyle::Multiplexed:
        for (const auto& [port, bytes] : ArchiveStreams(archive))
          EXPECT_EQ(bytes, expected[port]) << "run " << number << " port " << port;
        break;
      case RunStyle::Headers:
        for (int port = 1; port <= 8; ++port) {
          if (expected[port].empty()) continue;
          EXPECT_EQ(ReadText(dir / Format("Port%d.%s", port, number.c_str())), expected[port]);
        }
        // A packet for each second, under its header's sequence.
        EXPECT_EQ(archive.size(), static_cast<std::size_t>(std::count_if(
                                      records.begin(), records.end(),
                                      [](const RunRecord& r) { return r.type == kRecArchiveHeader; })));
        break;
      case RunStyle::Packets:
        EXPECT_EQ(archive.size(), static_cast<std::size_t>(std::count_if(
                                      records.begin(), records.end(),
                                      [](const RunRecord& r) { return r.type == kRecArchiveKrMux; })));
        break;
    }
    EXPECT_THAT(ReadText(dir / ("Summary." + number)), HasSubstr("Run # " + std::to_string(run.runNumber) + ":"));
  }
  EXPECT_TRUE(prompter.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Models, GeneratedRunExtraction,
                         ::testing::Values(kModelPx5Plus, kModelKr7, kModelZedPlus));

TEST(GeneratedRuns, ALargeRunHasRecordsPastTheUsualBuffer) {
  const Bytes run = GenerateLargeRun(kModelKr7, RunStyle::Multiplexed, 2 << 20, 3);
  EXPECT_GE(run.size(), 2u << 20);
  std::size_t largest = 0;
  for (const RunRecord& r : Records(run)) largest = std::max(largest, r.data.size());
  EXPECT_GT(largest, 3000u);
}

}  // namespace
}  // namespace qv::testing
