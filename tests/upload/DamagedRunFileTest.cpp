// Run files as they arrive damaged or unusual: cut short, with impossible
// lengths, with records and channels larger than usual, with two summaries;
// and outputs that go where they belong or cannot be written.
#include "tests/upload/ExtractionFixture.h"

#include <gmock/gmock.h>
#include <unistd.h>

#include "upload/extraction/RunSummaryText.h"

namespace qv::testing {
namespace {

using ::testing::ElementsAre;

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

struct DamageCase {
  const char* name;
  Bytes tail;  // after a battery record (6 bytes) and a multiplexed one (9 bytes)
  const char* notice;
};

class DamagedTailTest : public ExtractionTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedTailTest, EndsTheExtractionOnceAndKeepsAllBefore) {
  extractor.SetDebugLog(true);
  RunBytes run;
  run.Add(kRecBattery, Text("b1")).Mux(kRecArchiveMux1, 0, "a");
  run.bytes.insert(run.bytes.end(), GetParam().tail.begin(), GetParam().tail.end());
  RunBytes after;
  after.Add(kRecBattery, Text("b2"));
  run.bytes.insert(run.bytes.end(), after.bytes.begin(), after.bytes.end());
  Extract(run);
  EXPECT_THAT(NoticeLines(), ElementsAre(std::string("Run.007 - Damaged Run File | ") + GetParam().notice));
  EXPECT_EQ(ReadText(dir / "Battery.007"), "b1");
  // The builders were flushed: the pending packet is in the archive.
  const auto r = Archive();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].Port(1), "a");
  EXPECT_FALSE(ReadText(dir / "log.dat").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Tails, DamagedTailTest,
    ::testing::Values(
        DamageCase{"NegativeLength", {0xFB, 0xFF, kRecBattery, 0},
                   "Record Length -5 at Byte 15 - Extraction Stopped"},
        DamageCase{"LongerThanTheFile", {0x00, 0x7F, kRecBattery, 0, 'x'},
                   "Record at Byte 15 Runs Past End of File - Extraction Stopped"}),
    [](const ::testing::TestParamInfo<DamageCase>& c) { return std::string(c.param.name); });

TEST_F(ExtractionTest, AFileCutInARecordHeadIsToldAsCutShort) {
  RunBytes run;
  run.Add(kRecBattery, Text("b1"));
  run.bytes.push_back(5);
  Extract(run);
  EXPECT_THAT(NoticeLines(), ElementsAre("Run.007 - Damaged Run File | Record at Byte 6 Runs Past "
                                         "End of File - Extraction Stopped"));
  EXPECT_EQ(ReadText(dir / "Battery.007"), "b1");
}

TEST_F(ExtractionTest, RecordsLargerThanTheUsualBufferAreReadWhole) {
  RunBytes run;
  run.Add(kRecMeter1, Text(Repeat('p', 3001))).Add(kRecBattery, Text(Repeat('b', 32767)));
  Extract(run, kExtractArchiveAndRaw);
  EXPECT_EQ(ReadText(dir / "Port1.007"), Repeat('p', 3001));
  EXPECT_EQ(ReadText(dir / "Battery.007"), Repeat('b', 32767));
  EXPECT_TRUE(prompter.boxes.empty());
}

// Every port's bytes of an archive, in record order.
std::array<std::string, 9> PortStreams(const std::vector<ArchiveRecord>& records) {
  std::array<std::string, 9> s;
  for (const auto& r : records)
    for (int k = 1; k <= 9; ++k) s[k - 1] += r.Port(k);
  return s;
}

TEST_F(ExtractionTest, AChannelThatWouldPassItsRoomClosesThePacketFirst) {
  RunBytes run;
  run.Mux(kRecArchiveMux1, 0, Repeat('a', 6000)).Mux(kRecArchiveMux2, 5, "x");
  run.Mux(kRecArchiveMux1, 10, Repeat('b', 6000));   // 12000 would pass 10000
  run.Mux(kRecArchiveMux1, 20, Repeat('c', 23000));  // more than a channel holds
  Extract(run);
  const auto r = Archive();
  ASSERT_EQ(r.size(), 5u);
  EXPECT_EQ(r[0].Port(1) + r[0].Port(2), Repeat('a', 6000) + "x");
  EXPECT_EQ(r[0].head.timeStamp, 0u);
  EXPECT_EQ(r[1].Port(1), Repeat('b', 6000));
  EXPECT_EQ(r[1].head.timeStamp, 10u);
  EXPECT_EQ(r[2].Port(1), Repeat('c', 10000));
  EXPECT_EQ(r[3].Port(1), Repeat('c', 10000));
  EXPECT_EQ(r[4].Port(1), Repeat('c', 3000));
  for (int i = 2; i < 5; ++i) EXPECT_EQ(r[i].head.timeStamp, 20u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(r[i].head.sequence, i);
}

TEST_F(ExtractionTest, APacketNeverHoldsMoreThanItsLengthCanCount) {
  RunBytes run;
  for (int type : {kRecArchiveMux1, kRecArchiveMux2, kRecArchiveMux3, kRecArchiveMux4,
                   kRecArchiveMux5, kRecArchiveMux6, kRecArchiveMux7, kRecArchiveMux8, kRecAnalogMux})
    run.Mux(type, 0, Repeat(static_cast<char>('0' + type), 9000));
  Extract(run);
  const auto r = Archive();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].head.payloadLength, 63000);  // seven channels; the eighth would pass 65535
  EXPECT_EQ(r[1].head.payloadLength, 18000);
  const auto streams = PortStreams(r);
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(streams[k - 1].size(), 9000u) << "port " << k;
}

TEST_F(ExtractionTest, ARawRecordLargerThanAChannelFillsPacketsOfItsOwn) {
  RunBytes run;
  run.Header(4, 10, 500).Add(kRecMeter2, Text("m")).Add(kRecMeter1, Text(Repeat('r', 12000)));
  Extract(run, kExtractArchiveAndRaw);
  const auto r = Archive();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].Port(2), "m");
  EXPECT_EQ(r[1].Port(1), Repeat('r', 10000));
  EXPECT_EQ(r[2].Port(1), Repeat('r', 2000));
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(r[i].head.loggerId, 4);
    EXPECT_EQ(r[i].head.sequence, 10 + i);
    EXPECT_EQ(r[i].head.timeStamp, 500u);
  }
}

RunSummaryRecord SomeSummary(std::int16_t run) {
  RunSummaryRecord s;
  s.runNumber = run;
  s.loggerModel = 2;
  s.mode = 1;
  s.powerSetting = 14720;
  s.startTime = 1'700'000'000u;
  s.freeSpace = 1 << 20;
  return s;
}

TEST_F(ExtractionTest, ASecondSummaryIsAppendedToTheSameFile) {
  const auto first = SomeSummary(7).Encode();
  const auto second = SomeSummary(8).Encode();
  RunBytes run;
  run.Add(kRecSummary, Bytes(first.begin(), first.end())).Add(kRecSummary, Bytes(second.begin(), second.end()));
  Extract(run);
  EXPECT_EQ(ReadText(dir / "Summary.007"),
            WithCrLf(RunSummaryText(SomeSummary(7)) + RunSummaryText(SomeSummary(8))));
}

TEST_F(ExtractionTest, AShortSummaryReadsItsMissingBytesAsZero) {
  const auto full = SomeSummary(7).Encode();
  RunBytes run;
  run.Add(kRecSummary, Bytes(full.begin(), full.begin() + 6));  // run, mode, model
  Extract(run);
  RunSummaryRecord expected;
  expected.runNumber = 7;
  expected.mode = 1;
  expected.loggerModel = 2;
  EXPECT_EQ(ReadText(dir / "Summary.007"), WithCrLf(RunSummaryText(expected)));
  EXPECT_THAT(ReadText(dir / "Summary.007"), ::testing::StartsWith("Run # 7:  Moored on 01/01/70 at 00:00:00\r\n"));
}

TEST_F(ExtractionTest, AnArchiveRecordTooShortForItsHeaderIsToldAndLeftOut) {
  RunBytes run;
  run.Add(kRecArchiveKrMux, Bytes(20, 1)).Add(kRecBattery, Text("b"));
  Extract(run);
  EXPECT_THAT(NoticeLines(), ElementsAre("Run.007 - Damaged Run File | Archive Record of 20 Bytes "
                                         "at Byte 0 is Too Short - Record Not Saved"));
  EXPECT_THAT(Outputs(), ElementsAre("Battery.007"));
}

// Runs a test body in another current folder and comes back.
struct InFolder {
  explicit InFolder(const std::filesystem::path& p) : old(std::filesystem::current_path()) {
    std::filesystem::current_path(p);
  }
  ~InFolder() { std::filesystem::current_path(old); }
  std::filesystem::path old;
};

TEST_F(ExtractionTest, OutputsGoBesideTheRunFileOrIntoTheChosenFolderNeverTheCurrentOne) {
  std::filesystem::create_directories(dir / "upload");
  std::filesystem::create_directories(dir / "elsewhere");
  std::filesystem::create_directories(dir / "chosen");
  extractor.SetDebugLog(true);
  RunBytes run;
  run.Add(kRecBattery, Text("b")).Mux(kRecArchiveMux1, 0, "a");
  const std::string path = Write("upload/run.004", run.bytes);
  {
    InFolder cwd(dir / "elsewhere");
    extractor.ExtractRunFile(path, kExtractArchive);
    extractor.SetOutputFolder(dir / "chosen");
    extractor.ExtractRunFile(path, kExtractArchive);
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir / "elsewhere"));
  for (const char* folder : {"upload", "chosen"}) {
    EXPECT_EQ(ReadText(dir / folder + "/Battery.004"), "b") << folder;
    EXPECT_EQ(Archive(std::string(folder) + "/archive.004").size(), 1u) << folder;
    EXPECT_EQ(ReadText(dir / folder + "/log.dat"), "BATTERY Size 1\r\nMaxSize = 1\r\nARCHIVEMUX 1 Size 5\r\nMaxSize = 5\r\n")
        << folder;
  }
}

TEST_F(ExtractionTest, AnOutputThatCannotBeCreatedIsToldOnceAndTheRestGoesOn) {
  extractor.SetOutputFolder(dir / "missing");
  const auto summary = SomeSummary(7).Encode();
  RunBytes run;
  for (int i = 0; i < 3; ++i) run.Add(kRecBattery, Text("b")).Mux(kRecArchiveMux1, 100 * i, "a");
  run.Add(kRecSummary, Bytes(summary.begin(), summary.end()));
  Extract(run);
  EXPECT_THAT(NoticeLines(),
              ElementsAre("File Extraction Error | Unable to create " + (dir / "missing/Battery.007"),
                          "File Extraction Error | Unable to create " + (dir / "missing/archive.007"),
                          "File Extraction Error | Unable to create Summary File"));
}

TEST_F(ExtractionTest, ARunFileThatCannotBeOpenedIsTold) {
  extractor.ExtractRunFile(dir / "run.009", kExtractArchive);
  EXPECT_THAT(NoticeLines(), ElementsAre("File Extraction Error | Unable to open " + (dir / "run.009")));
}

}  // namespace
}  // namespace qv::testing

namespace qv::testing {
namespace {

TEST_F(ExtractionTest, AnExtractionAskedForDuringAnotherWaitsItsTurn) {
  RunBytes second;
  second.Mux(kRecArchiveMux1, 0, "second");
  const std::string secondPath = Write("run.008", second.bytes);
  // The timers run on inside a notice: an upload may finish a file then.
  prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
    prompter.whileOpen = nullptr;
    extractor.ExtractRunFile(secondPath, kExtractArchive);
    EXPECT_FALSE(Exists("archive.008"));
  };
  RunBytes first;
  first.Mux(kRecArchiveMux1, 0, "first").Add(26, {1}).Mux(kRecArchiveMux1, 10, "-more");
  Extract(first);
  EXPECT_EQ(Archive("archive.007").at(0).Port(1), "first-more");
  EXPECT_EQ(Archive("archive.008").at(0).Port(1), "second");
  EXPECT_EQ(extractor.CurrentRun(), 8);
}

}  // namespace
}  // namespace qv::testing
