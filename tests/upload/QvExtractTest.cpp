// qvextract as a script runs it: exit status, notices on standard error,
// where the files go, and the CSV form.
#include "tests/upload/ExtractionFixture.h"

#include <gmock/gmock.h>
#include <sys/wait.h>

#include <cstdlib>

namespace qv::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Result {
  int status;
  std::string out;
  std::string err;
};

class QvExtractTest : public ExtractionTest {
 public:
  Result Run(const std::string& args) {
    const std::string out = dir / "stdout.txt";
    const std::string err = dir / "stderr.txt";
    const std::string command =
        std::string(QV_EXTRACT_PROGRAM) + " " + args + " >" + out + " 2>" + err;
    const int raw = std::system(command.c_str());
    Result r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(out), ReadText(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
  }
  std::string GoodRun(const std::string& name) {
    RunBytes run;
    run.Add(kRecBattery, Text("b")).Mux(kRecArchiveMux1, 1'718'452'800u, "T=1\r\n");
    run.Add(kRecMeter1, Text("raw"));
    return Write(name, run.bytes);
  }
};

TEST_F(QvExtractTest, ExtractsBesideTheRunFileAndSaysNothingWhenAllIsWell) {
  const std::string run = GoodRun("run.012");
  const Result r = Run("--raw " + run);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_THAT(Outputs(), ElementsAre("Battery.012", "Port1.012", "archive.012"));
  EXPECT_EQ(ReadText(dir / "Port1.012"), "raw");
}

TEST_F(QvExtractTest, NoticesAreCaptionAndTextLinesAndMakeTheStatusOne) {
  const std::string good = GoodRun("run.001");
  const std::string bad = GoodRun("run.abc");
  RunBytes damaged;
  damaged.Add(kRecBattery, Text("b")).Head(-2, kRecBattery);
  const std::string cut = Write("run.002", damaged.bytes);
  const Result r = Run(good + " " + bad + " " + cut);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Unusable File Name '" + bad + ": Extraction Requires name.xxx, where xxx=000-999\n" +
                       "Run.002 - Damaged Run File: Record Length -2 at Byte 5 - Extraction Stopped\n");
  // The good file and the part of the damaged one before the damage are extracted.
  EXPECT_THAT(Outputs(), ElementsAre("Battery.001", "Battery.002", "archive.001"));
}

TEST_F(QvExtractTest, TheChosenFolderTakesEveryOutputAndTheDebugLog) {
  const std::string run = GoodRun("run.003");
  std::filesystem::create_directory(dir / "out");
  const Result r = Run("--debug-log --pad -o " + (dir / "out") + " " + run);
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir / "out"))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_THAT(names, ElementsAre("Battery.003", "archive.003", "log.dat"));
}

TEST_F(QvExtractTest, CsvRowsForEachArchive) {
  const std::string run = GoodRun("run.004");
  ASSERT_EQ(Run(run).status, 0);
  const Result r = Run("--csv " + (dir / "archive.004"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadText(dir / "archive.004.csv"),
            "time,logger_id,sequence,port,text\r\n2024-06-15T12:00:00,2,0,1,T=1\r\n");
  const Result missing = Run("--csv " + (dir / "archive.404"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "Archive File Error: Unable to open " + (dir / "archive.404") + "\n");
}

TEST_F(QvExtractTest, UsageErrorsExitWithTwoAndHelpExplains) {
  const std::string run = GoodRun("run.005");
  for (const std::string& args : {std::string(""), std::string("--bogus ") + run,
                                  std::string("-o"), "-o " + (dir / "nowhere") + " " + run,
                                  "--csv --raw " + run}) {
    const Result r = Run(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_THAT(r.err, HasSubstr("Try 'qvextract --help'.")) << args;
  }
  EXPECT_THAT(Outputs(), ElementsAre());
  const Result help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_THAT(help.out, HasSubstr("Usage: qvextract [--raw] [--pad] [--debug-log] [-o DIR] RUNFILE..."));
  EXPECT_THAT(help.out, HasSubstr("qvextract --csv [-o DIR] ARCHIVE..."));
}

}  // namespace
}  // namespace qv::testing
