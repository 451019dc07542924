// The archive as CSV: what a line of port text is for real instruments, the
// binary bytes as hexadecimal, quoting, and damaged archives.
#include "tests/upload/ExtractionFixture.h"

#include <gmock/gmock.h>

#include "upload/extraction/ArchiveCsv.h"

namespace qv::testing {
namespace {

using ::testing::ElementsAre;

// An archive record of logger `id` with the given port texts (ports 1..9).
Bytes Record(std::uint8_t id, std::uint8_t sequence, std::uint32_t time,
             const std::vector<std::pair<int, std::string>>& ports) {
  Bytes r(28, 0);
  r[0] = 1;
  r[2] = id;
  r[3] = sequence;
  WriteLE32(r.data() + 6, time);
  std::uint16_t total = 0;
  std::array<std::string, 9> byPort;
  for (const auto& [port, text] : ports) byPort[port - 1] += text;
  for (int k = 0; k < 9; ++k) {
    WriteLE16(r.data() + 10 + 2 * k, static_cast<std::uint16_t>(byPort[k].size()));
    total = static_cast<std::uint16_t>(total + byPort[k].size());
    r.insert(r.end(), byPort[k].begin(), byPort[k].end());
  }
  WriteLE16(r.data() + 4, total);
  for (int i = 0; i < 4; ++i) r.push_back('#');
  return r;
}

class ArchiveCsvTest : public ExtractionTest {
 public:
  Bytes archive;
  void Add(const Bytes& record) { archive.insert(archive.end(), record.begin(), record.end()); }
  // The CSV's lines after the header row, each without its CR LF.
  std::vector<std::string> Rows(bool expectClean = true) {
    const std::string path = Write("archive.001", archive);
    EXPECT_EQ(WriteArchiveCsv(path, path + ".csv", prompter), expectClean);
    const std::string csv = ReadText(path + ".csv");
    std::vector<std::string> rows;
    std::size_t at = 0;
    while (at < csv.size()) {
      const std::size_t end = csv.find("\r\n", at);
      if (end == std::string::npos) {
        ADD_FAILURE() << "a row without CR LF";
        break;
      }
      rows.push_back(csv.substr(at, end - at));
      at = end + 2;
    }
    EXPECT_FALSE(rows.empty());
    if (!rows.empty()) {
      EXPECT_EQ(rows.front(), "time,logger_id,sequence,port,text");
      rows.erase(rows.begin());
    }
    return rows;
  }
};

constexpr std::uint32_t kNoon = 1'718'452'800u;  // 2024-06-15T12:00:00 on the logger's clock

TEST_F(ArchiveCsvTest, EachLineOfPortTextIsARowStampedWhereItBegan) {
  Add(Record(1, 7, kNoon, {{1, "T= 12.50, S=35.1 C\r\n"}, {3, "$GPGGA,120000"}, {9, "\x01\x02"}}));
  Add(Record(1, 8, kNoon + 1, {{3, ".00,4101.2*5C\r"}, {2, "PX5 1\nPX5 2\n\n"}}));
  Add(Record(1, 9, kNoon + 2, {{3, "\n$GPRMC,x\r"}, {1, "a,\"b\""}}));
  // Another logger's port 1 keeps a line of its own.
  Add(Record(2, 0, kNoon + 3, {{1, "other\r\n"}}));
  EXPECT_THAT(Rows(), ElementsAre("2024-06-15T12:00:00,1,7,1,\"T= 12.50, S=35.1 C\"",
                                  "2024-06-15T12:00:00,1,7,9,01 02",
                                  "2024-06-15T12:00:01,1,8,2,PX5 1",
                                  "2024-06-15T12:00:01,1,8,2,PX5 2",
                                  // Begun in one record, ended by CR in the next: the first stamp.
                                  "2024-06-15T12:00:00,1,7,3,\"$GPGGA,120000.00,4101.2*5C\"",
                                  // Its LF came in a third: one line end, not two.
                                  "2024-06-15T12:00:02,1,9,3,\"$GPRMC,x\"",
                                  "2024-06-15T12:00:03,2,0,1,other",
                                  // An unfinished line is written at the end.
                                  "2024-06-15T12:00:02,1,9,1,\"a,\"\"b\"\"\""));
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(ArchiveCsvTest, BinaryBytesEndThePortsUnfinishedLineAndGoInOneRow) {
  Add(Record(3, 1, kNoon, {{4, "partial"}}));
  Add(Record(3, 2, kNoon + 60, {{4, std::string("\xAA\x55\x00\x10", 4)}}));
  Add(Record(3, 3, kNoon + 120, {{4, "next\r\n"}}));
  EXPECT_THAT(Rows(), ElementsAre("2024-06-15T12:00:00,3,1,4,partial",
                                  "2024-06-15T12:01:00,3,2,4,AA 55 00 10",
                                  "2024-06-15T12:02:00,3,3,4,next"));
}

TEST_F(ArchiveCsvTest, ADamagedArchiveKeepsTheRowsBeforeTheDamage) {
  Add(Record(1, 1, kNoon, {{1, "good\r\n"}}));
  Bytes bad = Record(1, 2, kNoon, {{1, "lost\r\n"}});
  WriteLE16(bad.data() + 10, 2);  // port counts of 2 in a payload of 6
  Add(bad);
  Bytes cut = Record(1, 3, kNoon, {{1, "cut\r\n"}});
  cut.resize(cut.size() - 3);
  Add(cut);
  EXPECT_THAT(Rows(false), ElementsAre("2024-06-15T12:00:00,1,1,1,good",
                                       "2024-06-15T12:00:00,1,2,1,lo"));
  const std::string path = dir / "archive.001";
  EXPECT_THAT(NoticeLines(),
              ElementsAre("Archive File Error | Port Counts of Record at Byte 38 of " + path +
                              " Do Not Match Its Length",
                          "Archive File Error | Record at Byte 76 of " + path + " Runs Past End of File"));
}

TEST_F(ArchiveCsvTest, TheCsvOfAnExtractedArchiveHoldsTheMultiplexedText) {
  RunBytes run;
  run.Mux(kRecArchiveMux1, kNoon, "T=1\r\nT=").Mux(kRecArchiveMux1, kNoon + 60, "2\r\n");
  Extract(run);
  const std::string extracted = dir / "archive.007";
  EXPECT_TRUE(WriteArchiveCsv(extracted, extracted + ".csv", prompter));
  EXPECT_EQ(ReadText(extracted + ".csv"),
            "time,logger_id,sequence,port,text\r\n"
            "2024-06-15T12:00:00,2,0,1,T=1\r\n"
            "2024-06-15T12:00:00,2,0,1,T=2\r\n");
}

}  // namespace
}  // namespace qv::testing
