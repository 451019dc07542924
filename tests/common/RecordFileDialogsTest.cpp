// The record files: whole records in, whole records out, and every failure told.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/RecordFileDialogs.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class RecordFileDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("qv_recordfiles_" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const char* name) const { return (dir / name).string(); }
  static std::vector<std::uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void WriteBytes(const std::string& path, std::size_t n, std::uint8_t value) {
    std::ofstream(path, std::ios::binary) << std::string(n, static_cast<char>(value));
  }

  fs::path dir;
  ScriptedPrompter prompter;
  RecordFileDialogs files{prompter};
};

TEST_F(RecordFileDialogsTest, SavesTheRecordBytesAndLoadsThemBackThroughTheKindsDialogs) {
  std::vector<std::uint8_t> record(kHardwareConfigFile.size);
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 7);
  prompter.files.push_back(Path("unit.hdw"));
  EXPECT_TRUE(files.WriteRecordFile(kHardwareConfigFile, record.data()));
  EXPECT_EQ(Bytes(Path("unit.hdw")), record);
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_EQ(prompter.fileDialogs[0].title, "Save Hardware Configuration File");
  EXPECT_EQ(prompter.fileDialogs[0].defaultExtension, "hdw");
  EXPECT_EQ(prompter.fileDialogs[0].filter,
            "Hardware Configuration (*.hdw)|*.hdw|All Files (*.*)|*.*");

  std::vector<std::uint8_t> loaded(record.size());
  prompter.files.push_back(Path("unit.hdw"));
  EXPECT_EQ(files.ReadRecordFile(kHardwareConfigFile, loaded.data()), 1);
  EXPECT_EQ(loaded, record);
  EXPECT_EQ(prompter.fileDialogs[1].title, "Load Hardare Configuration File");
  EXPECT_TRUE(prompter.Notices().empty());

  // Each dialog offers the name of its own last use; Cancel keeps it.
  prompter.files.push_back(std::nullopt);
  EXPECT_FALSE(files.WriteRecordFile(kAnalogCalFile, record.data()));
  EXPECT_EQ(prompter.fileDialogs[2].initialName, Path("unit.hdw"));
  EXPECT_EQ(files.SaveDialogName(), Path("unit.hdw"));
}

TEST_F(RecordFileDialogsTest, AFileLongerThanTheRecordGivesItsFirstBytes) {
  WriteBytes(Path("long.lst"), 300, 0x5A);
  std::vector<std::uint8_t> record(kLoggerSetupFile.size, 0);
  prompter.files.push_back(Path("long.lst"));
  EXPECT_EQ(files.ReadRecordFile(kLoggerSetupFile, record.data()), 1);
  EXPECT_EQ(record, std::vector<std::uint8_t>(192, 0x5A));
}

TEST_F(RecordFileDialogsTest, FailuresAreToldAndLeaveTheRecordAsItWas) {
  WriteBytes(Path("short.alg"), 43, 0xFF);
  struct Case {
    std::string path;
    const char* text;
  } cases[] = {
      {Path("short.alg"), "Unable to Read "},
      {Path("missing.alg"), "Unable to Read "},
      {dir.string(), "Unable to Read "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    prompter.Clear();
    std::vector<std::uint8_t> record(kAnalogCalFile.size, 0x11);
    prompter.files.push_back(c.path);
    EXPECT_EQ(files.ReadRecordFile(kAnalogCalFile, record.data()), 0);
    EXPECT_EQ(record, std::vector<std::uint8_t>(44, 0x11));
    ASSERT_EQ(prompter.Notices().size(), 1u);
    EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
    EXPECT_EQ(prompter.Notices()[0].text, c.text + c.path);
  }

  prompter.Clear();
  std::vector<std::uint8_t> record(kAnalogCalFile.size);
  for (const std::string& path : {Path("no/such/folder.alg"), std::string("/dev/full")}) {
    prompter.files.push_back(path);
    EXPECT_FALSE(files.WriteRecordFile(kAnalogCalFile, record.data()));
    ASSERT_FALSE(prompter.Notices().empty());
    EXPECT_EQ(prompter.Notices().back().text, "Unable to Write to " + path);
  }
}

}  // namespace
}  // namespace qv
