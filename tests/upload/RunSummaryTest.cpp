// The run summary text: a golden file of summaries that between them reach
// every row of the summary's tables, and the rules at their edges.
#include "tests/upload/ExtractionFixture.h"

#include <gmock/gmock.h>

#include <cstdlib>

#include "upload/extraction/RunSummaryText.h"

namespace qv::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

RunSummaryRecord Base() {
  RunSummaryRecord r;
  r.runNumber = 7;
  r.serialNumber = 42;
  r.firmware = {6, 5, 3, 9, 24};
  r.startTime = 1'718'454'645u;  // 06/15/24 at 12:30:45 on the logger's clock
  r.portBaud[0] = 9600;
  r.portDataBits[0] = 8;
  r.portLowVoltage[1] = 105;
  r.startVoltage = 12350;
  r.finalVoltage = 11049;
  r.totalSpace = 64 * 1024 * 1024;
  r.freeSpace = 40 * 1024 * 1024;
  r.packetInterval = 1000;
  r.unitId = 1;
  return r;
}

void Port(RunSummaryRecord& r, int n, std::int16_t type, std::int32_t baud, std::int16_t bits,
          std::int16_t parity, std::int32_t size) {
  r.portMeterType[n] = type;
  r.portBaud[n] = baud;
  r.portDataBits[n] = bits;
  r.portParity[n] = parity;
  r.fileSizes[n] = size;
}

// Five runs: every mode, model, power, file format, meter type and parity,
// the output settings at both ends and the invalid one, both packet-rate
// units, durations of each unit and none, sizes at and above 1024.
std::vector<RunSummaryRecord> EveryTable() {
  std::vector<RunSummaryRecord> runs;
  RunSummaryRecord a = Base();  // profile, px5Plus, 60 %, nothing recorded, almost out of memory
  a.mode = 0;
  a.loggerModel = 1;
  a.powerSetting = 3860;
  a.fileFormat = 0;
  a.outputFormat = 0;
  a.freeSpace = 51200;
  a.preFlushTime = 7200;
  a.warmUpTime = 90;
  a.flushTime = 120;
  a.fileSizes[0] = 1024;
  for (int n = 1; n <= 8; ++n)
    Port(a, n, static_cast<std::int16_t>(n), n == 1 ? 19200 : 9600, n % 2 ? 8 : 7,
         static_cast<std::int16_t>((n - 1) % 4), n == 1 ? 1024 : 1025 * n);
  runs.push_back(a);

  RunSummaryRecord b = Base();  // moored KR7 at 75 %, archive files, two pumps
  b.mode = 1;
  b.loggerModel = 2;
  b.powerSetting = 7860;
  b.fileFormat = 1;
  b.outputFormat = 1;
  b.packetInterval = 250;
  b.pumpPortMode = {1, 0, 2, 0};
  b.delayTime = 7200;
  b.sampleTime = 1800;
  b.sampleInterval = 3600;
  b.fileSizes[0] = 1025;
  for (int n = 1; n <= 6; ++n)
    Port(b, n, static_cast<std::int16_t>(8 + n), 4800 * n, 8, 0, 100000 * n);
  Port(b, 7, 0, 9600, 8, 0, 5);   // off: left out
  Port(b, 8, -1, 9600, 8, 0, 5);  // negative: left out
  runs.push_back(b);

  RunSummaryRecord c = Base();  // a mode, file format and output setting outside the tables
  c.mode = 5;
  c.loggerModel = 3;
  c.powerSetting = 14720;
  c.fileFormat = 2;
  c.outputFormat = 3;
  c.delayTime = 90;
  c.sampleTime = 45;
  Port(c, 2, 3, 115200, 8, 2, 0);
  runs.push_back(c);

  RunSummaryRecord d = Base();  // an unknown model at turbo power, real-time output
  d.mode = 1;
  d.loggerModel = 7;
  d.powerSetting = 16000;
  d.fileFormat = 0;
  d.outputFormat = 2;
  d.packetInterval = 300;
  d.sampleTime = 120;
  d.sampleInterval = 90;
  d.portParity[0] = 2;
  d.portDataBits[0] = 7;
  Port(d, 5, 4, 38400, 8, 1, 2048);
  runs.push_back(d);

  RunSummaryRecord e = Base();  // an unknown power, serial output, the last output name
  e.mode = 0;
  e.loggerModel = 2;
  e.powerSetting = 1234;
  e.fileFormat = 1;
  e.outputFormat = 11;
  e.packetInterval = 166;
  e.freeSpace = 52224;
  e.sampleTime = 3600;
  runs.push_back(e);
  return runs;
}

TEST_F(ExtractionTest, SummaryFileMatchesTheGoldenFile) {
  RunBytes run;
  for (const RunSummaryRecord& r : EveryTable()) {
    const auto bytes = r.Encode();
    run.Add(kRecSummary, Bytes(bytes.begin(), bytes.end()));
  }
  Extract(run);
  const std::string golden = std::string(QV_SOURCE_DIR) + "/tests/upload/golden/Summary.007";
  const std::string written = ReadText(dir / "Summary.007");
  if (std::getenv("QV_UPDATE_GOLDEN")) std::filesystem::copy_file(dir / "Summary.007", golden,
                                                                   std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(written, ReadText(golden));
  EXPECT_EQ(written.find('\n'), written.find("\r\n") + 1) << "lines end in CR LF";
}

struct LineCase {
  const char* name;
  void (*change)(RunSummaryRecord&);
  const char* present;
  const char* absent;
};

class SummaryLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(SummaryLineTest, ShowsTheLineForTheValue) {
  RunSummaryRecord r = Base();
  r.mode = 1;
  r.fileFormat = 1;
  GetParam().change(r);
  const std::string text = RunSummaryText(r);
  EXPECT_THAT(text, HasSubstr(GetParam().present));
  if (*GetParam().absent) {
    EXPECT_THAT(text, Not(HasSubstr(GetParam().absent)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, SummaryLineTest,
    ::testing::Values(
        LineCase{"DelayInHours", [](RunSummaryRecord& r) { r.delayTime = 7200; },
                 "\nDelay before Start: 2 Hours\n", ""},
        LineCase{"DelayInSeconds", [](RunSummaryRecord& r) { r.delayTime = 90; },
                 "\nDelay before Start: 90 Seconds\n", ""},
        LineCase{"DelayInMinutes", [](RunSummaryRecord& r) { r.delayTime = 120; },
                 "\nDelay before Start: 2 Minutes\n", ""},
        LineCase{"NoDelayWithACapitalB", [](RunSummaryRecord& r) { r.delayTime = 0; },
                 "\nDelay Before Start:  None\n", ""},
        LineCase{"NoSampleTimeIsZeroHours", [](RunSummaryRecord& r) { r.sampleTime = 0; },
                 "Sample Time: 0 Hours\n", ""},
        LineCase{"ProfileHasNoInterval", [](RunSummaryRecord& r) { r.mode = 0; }, "Profile on",
                 "Sample Interval"},
        LineCase{"MooredHasAnInterval", [](RunSummaryRecord& r) { r.sampleInterval = 600; },
                 "Sample Interval: 10 Minutes\n", ""},
        LineCase{"RateInHertz", [](RunSummaryRecord& r) { r.packetInterval = 250; },
                 "Packet Rate: 4 Hz\n", ""},
        LineCase{"OtherIntervalInMilliseconds", [](RunSummaryRecord& r) { r.packetInterval = 300; },
                 "Packet Rate: 300 ms\n", ""},
        LineCase{"NoLoggerLinesWithoutArchiveOrOutput",
                 [](RunSummaryRecord& r) { r.fileFormat = 0; }, "Output Format:  Status", "Logger:"},
        LineCase{"FiftyKilobytesFreeWarns", [](RunSummaryRecord& r) { r.freeSpace = 51200; },
                 "***Warning*** This Run may have terminated early.  Out of Memory!!!\n\n", ""},
        LineCase{"FiftyOneDoesNot", [](RunSummaryRecord& r) { r.freeSpace = 52224; },
                 "Free Disk Space: 51 K at End of Sample\n", "***Warning***"},
        LineCase{"SizeOf1024InBytes", [](RunSummaryRecord& r) { Port(r, 3, 3, 9600, 8, 0, 1024); },
                 "Port 3:     1024 Bytes\n", ""},
        LineCase{"SizeOf1025InKilobytes", [](RunSummaryRecord& r) { Port(r, 3, 3, 9600, 8, 0, 1025); },
                 "Port 3:        1 K\n", ""},
        LineCase{"PercentPowerIsText", [](RunSummaryRecord& r) { r.powerSetting = 3860; },
                 "60 % Power:  3860 kHz \n\n", ""},
        LineCase{"OutputThreeIsInvalid", [](RunSummaryRecord& r) { r.outputFormat = 3; },
                 "\nInvalid Output Setting 3       \n\n", "Output Format:"}),
    [](const ::testing::TestParamInfo<LineCase>& c) { return std::string(c.param.name); });

TEST(SummaryTables, OutputNamesArePaddedToThirtyThreeCharacters) {
  const char* names[] = {"Status", "Logger + Status Output", "Logger Output", nullptr,
                         "Serial 1 Output", "Serial 2 Output", "Serial 3 Output", "Serial 4 Output",
                         "Serial 5 Output", "Serial 6 Output", "Serial 7 Output", "Serial 8 Output"};
  for (int i = 0; i < 12; ++i) {
    if (!names[i]) continue;
    std::string padded = names[i];
    padded.resize(33, ' ');
    EXPECT_EQ(OutputSettingText(i), "Output Format:  " + padded) << i;
  }
  EXPECT_EQ(OutputSettingText(12), "Invalid Output Setting 12       ");
  EXPECT_EQ(OutputSettingText(-1), "Invalid Output Setting -1       ");
}

}  // namespace
}  // namespace qv::testing
