// The extraction's own examples, byte for byte: packet windows, run numbers
// from names, the sender unit ID, the pad, unknown types, the debug log, and
// what each choice of "Extract File Types" writes.
#include "tests/upload/ExtractionFixture.h"

#include <gmock/gmock.h>

namespace qv::testing {
namespace {

using ::testing::ElementsAre;

Bytes Hex(const std::string& hex) {
  Bytes b;
  for (std::size_t i = 0; i + 1 < hex.size();) {
    if (hex[i] == ' ') {
      ++i;
      continue;
    }
    b.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    i += 2;
  }
  return b;
}

TEST_F(ExtractionTest, MultiplexedRecordsWithinFiftyOfTheFirstShareAPacket) {
  RunBytes run;
  run.Mux(kRecArchiveMux1, 0, "A").Mux(kRecArchiveMux2, 20, "BB").Mux(kRecArchiveMux1, 49, "C");
  run.Mux(kRecAnalogMux, 50, "D");
  Extract(run);
  const Bytes expected = Hex(
      // ID 2 (the default), sequence 0, 4 bytes, stamped 0: "AC" on port 1, "BB" on port 2.
      "01 00 02 00 04 00 00 00 00 00 02 00 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"
      " 41 43 42 42 23 23 23 23"
      // The record at 50 closed it and begins the next, stamped 50: "D" on the analog port.
      " 01 00 02 01 01 00 32 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 01 00"
      " 44 23 23 23 23");
  EXPECT_EQ(ReadFile(dir / "archive.007"), expected);
  // A file that made an archive leaves the sequence at 0 for the next.
  Extract(run);
  EXPECT_EQ(ReadFile(dir / "archive.007"), expected);
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(ExtractionTest, ATimeStampOnlyMovesAWindowThatHoldsBytes) {
  RunBytes run;
  // A note where the time stamp would be is passed by and starts no window.
  run.Add(kRecArchiveMux1, Text("\r\n *Sample 2\r\n"));
  run.Add(kRecArchiveTime, {100, 0, 0, 0}).Add(kRecArchiveTime, {200, 0, 0, 0});
  run.Mux(kRecArchiveMux1, 210, "a").Add(kRecArchiveMux1, Text("\r\n *x")).Mux(kRecArchiveMux1, 249, "b");
  Extract(run);
  const auto records = Archive();
  ASSERT_EQ(records.size(), 2u);
  // With no bytes in it the window stays where the first time stamp opened it.
  EXPECT_EQ(records[0].head.timeStamp, 100u);
  EXPECT_EQ(records[0].Port(1), "a");
  EXPECT_EQ(records[1].head.timeStamp, 249u);
  EXPECT_EQ(records[1].Port(1), "b");
}

struct NameCase {
  const char* name;
  const char* file;
  int run;  // -1: unusable
  const char* archive;
};

class RunNumberTest : public ExtractionTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(RunNumberTest, TheNameAfterTheLastDotNamesTheOutputs) {
  const NameCase& c = GetParam();
  RunBytes run;
  run.Mux(kRecArchiveMux1, 0, "x");
  const std::string path = Write(c.file, run.bytes);
  extractor.ExtractRunFile(path, kExtractArchive);
  if (c.run < 0) {
    EXPECT_THAT(NoticeLines(), ElementsAre("Unusable File Name '" + path +
                                           " | Extraction Requires name.xxx, where xxx=000-999"));
    EXPECT_TRUE(Outputs().empty());
    return;
  }
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_EQ(extractor.CurrentRun(), c.run);
  EXPECT_THAT(Outputs(), ElementsAre(c.archive));
}

INSTANTIATE_TEST_SUITE_P(
    Names, RunNumberTest,
    ::testing::Values(NameCase{"ThreeDigits", "run.007", 7, "archive.007"},
                      NameCase{"FourDigits", "run.1234", 1234, "archive.1234"},
                      NameCase{"DigitsThenText", "run.12b", 12, "archive.012"},
                      NameCase{"CapitalName", "Run.020", 20, "archive.020"},
                      NameCase{"NoDotTheSecondCharacterOn", "r5", 5, "archive.005"},
                      NameCase{"Letters", "run.abc", -1, ""},
                      NameCase{"EndsInADot", "run.", -1, ""},
                      NameCase{"TooLarge", "run.99999999999", -1, ""}),
    [](const ::testing::TestParamInfo<NameCase>& name) { return std::string(name.param.name); });

TEST_F(ExtractionTest, TheRunNumberComesFromTheFileNameNotItsFolder) {
  std::filesystem::create_directory(dir / "cruise.2024");
  RunBytes run;
  run.Add(kRecBattery, Text("b"));
  extractor.ExtractRunFile(Write("cruise.2024/run.003", run.bytes), kExtractArchive);
  EXPECT_EQ(extractor.CurrentRun(), 3);
  EXPECT_TRUE(Exists("cruise.2024/Battery.003"));
}

TEST_F(ExtractionTest, SenderUnitIdMarksBuiltPacketsUntilAnArchiveHeader) {
  RunBytes run;
  run.Add(kRecSenderUnitId, {0, 3});
  run.Mux(kRecArchiveMux1, 0, "a").Mux(kRecArchiveMux1, 60, "b");  // closes "a" as unit 3
  run.Header(1, 5, 1000).Add(kRecMeter1, Text("m"));               // unit 1 from here on
  run.Mux(kRecArchiveMux1, 200, "c");                              // closes "b" as unit 1
  Extract(run, kExtractArchiveAndRaw);
  const auto r = Archive();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].head.loggerId, 3);
  EXPECT_EQ(r[0].Port(1), "a");
  EXPECT_EQ(r[1].head.loggerId, 1);
  EXPECT_EQ(r[1].Port(1), "b");
  // At the end the header's packet comes before the multiplexed one.
  EXPECT_EQ(r[2].head.loggerId, 1);
  EXPECT_EQ(r[2].head.sequence, 5);
  EXPECT_EQ(r[2].head.timeStamp, 1000u);
  EXPECT_EQ(r[2].Port(1), "m");
  EXPECT_EQ(r[3].Port(1), "c");
  EXPECT_EQ(r[3].head.sequence, 2);
}

// The example data packet (logger 2, sequence 7, time 1000, "A1\r" on port 1,
// "\r\n" on port 9) as the logger keeps it, with its trailer lost to "##\0\0".
const char* const kPacketRecordLostTrailer =
    "01 00 02 07 00 05 00 00 03 E8 00 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02"
    " 41 31 0D 0D 0A 23 23 00 00";
const char* const kArchiveRecord =
    "01 00 02 07 05 00 E8 03 00 00 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 02 00"
    " 41 31 0D 0D 0A";

TEST_F(ExtractionTest, CompleteArchiveRecordsTurnTheirHeaderAndTakeAPadOnlyWhenAsked) {
  RunBytes run;
  run.Add(kRecArchiveKrMux, Hex(kPacketRecordLostTrailer));
  Extract(run);
  EXPECT_EQ(ReadFile(dir / "archive.007"), Hex(std::string(kArchiveRecord) + " 23 23 00 00"));

  extractor.SetAddPad(true);
  Extract(run);
  EXPECT_EQ(ReadFile(dir / "archive.007"), Hex(std::string(kArchiveRecord) + " 23 23 23 23"));
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(ExtractionTest, UnknownTypesAreToldOneByOneAndTheRestIsExtracted) {
  RunBytes run;
  run.Add(26, {1}).Add(kRecBattery, Text("b1")).Add(0, {1, 2}).Head(1, -3, {9}).Add(kRecBattery, Text("b2"));
  Extract(run);
  EXPECT_THAT(NoticeLines(), ElementsAre("Unknown Type:  26 1a | Record Not Saved",
                                         "Unknown Type:  0 00 | Record Not Saved",
                                         "Unknown Type:  -3 fffd | Record Not Saved"));
  EXPECT_EQ(ReadText(dir / "Battery.007"), "b1b2");
}

TEST_F(ExtractionTest, TheDebugLogListsEveryRecordHeadBesideTheRunFile) {
  extractor.SetDebugLog(true);
  RunBytes run;
  run.Add(kRecBattery, Text("b1")).Head(0, kRecMeter3).Add(kRecAnalogRaw, Text("a"));
  run.Add(kRecBattery, Text("b2")).Add(27, Text("xyz"));
  Extract(run, kExtractArchiveAndRaw);
  const std::string first =
      "BATTERY Size 2\r\nMaxSize = 2\r\n"
      "METER3 Size 0\r\n"
      "ANALOG   Size 1\r\n"
      "BATTERY Size 2\r\nRepeated MaxSize = 2\r\n"
      "Unknown Type 27 Size 3\r\nMaxSize = 3\r\n";
  EXPECT_EQ(ReadText(dir / "log.dat"), first);
  // The empty record is skipped: no Port3 file.
  EXPECT_THAT(Outputs(), ElementsAre("Battery.007", "analog.007", "log.dat"));

  // Without an archive the log stays open and its largest length goes on;
  // switched off, it is closed and written no more.
  RunBytes more;
  more.Add(kRecBattery, Text("b3"));
  Extract(more);
  extractor.SetDebugLog(false);
  Extract(more);
  EXPECT_EQ(ReadText(dir / "log.dat"), first + "BATTERY Size 2\r\n");
}

TEST_F(ExtractionTest, ArchiveAloneLeavesRawRecordsOutOfTheArchive) {
  RunBytes run;
  run.Header(1, 0, 100).Add(kRecMeter1, Text("m1")).Add(kRecMeter2, Text("p2"));
  run.Header(1, 1, 101, true).Add(kRecMeter1, Text("x")).Add(kRecMeter1, Text("m1b"));
  run.Header(1, 2, 102);  // followed by no raw record: no packet
  run.Add(kRecTimeStamp, Text("t")).Add(kRecBattery, Text("b")).Add(kRecAnalogRaw, Text("a"));

  Extract(run, kExtractArchive);
  EXPECT_THAT(Outputs(), ElementsAre("Battery.007", "archive.007"));
  EXPECT_TRUE(ReadFile(dir / "archive.007").empty());

  Extract(run, kExtractArchiveAndRaw);
  EXPECT_THAT(Outputs(), ElementsAre("Battery.007", "Port1.007", "Port2.007", "analog.007",
                                     "archive.007", "timestp.007"));
  EXPECT_EQ(ReadText(dir / "Port1.007"), "m1xm1b");
  EXPECT_EQ(ReadText(dir / "Port2.007"), "p2");
  const auto r = Archive();
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0].head.marker2, 0);
  EXPECT_EQ(r[0].head.timeStamp, 100u);
  EXPECT_EQ(r[0].Port(1) + "|" + r[0].Port(2), "m1|p2");
  // Only the last raw record of a channel since the header is kept.
  EXPECT_EQ(r[1].head.marker2, 1);  // a 7-byte header
  EXPECT_EQ(r[1].Port(1), "m1b");
  // The analog record after the last header is that header's packet, at the end.
  EXPECT_EQ(r[2].head.sequence, 2);
  EXPECT_EQ(r[2].Port(9), "a");
  EXPECT_TRUE(prompter.boxes.empty());
}

}  // namespace
}  // namespace qv::testing
