// Extraction from the Upload tab and the factory menu of the host program:
// the dialog, the choice of file types, and the two options with their marks.
#include <gmock/gmock.h>

#include "tests/support/HostFixture.h"
#include "tests/upload/ExtractionFixture.h"

namespace qv::testing {
namespace {

using ::testing::ElementsAre;

class RunExtractionTest : public HostFixture {
 public:
  ScratchDir dir{"qvtab"};
  std::string runPath;

  void SetUp() override {
    StartOnCom1();
    RunBytes run;
    run.Add(kRecMeter2, Text("raw")).Add(kRecBattery, Text("b"));
    run.Add(kRecArchiveKrMux, Bytes(30, 0));  // a trailer of zeros
    runPath = dir / "run.021";
    std::ofstream(runPath, std::ios::binary)
        .write(reinterpret_cast<const char*>(run.bytes.data()), static_cast<std::streamsize>(run.bytes.size()));
  }
  bool Exists(const std::string& name) { return std::filesystem::exists(dir / name); }
};

TEST_F(RunExtractionTest, ParseRunFilesPicksARunFileAndExtractsTheChosenTypes) {
  UploadTab& tab = host.Upload();
  EXPECT_EQ(tab.ExtractFilesRG.ItemIndex(), 0);
  EXPECT_TRUE(prompter.boxes.empty()) << "choosing the first item at start opens nothing";

  prompter.files.push_back(runPath);
  tab.BTExtract.UserClick();
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_EQ(prompter.fileDialogs[0].title, "Extract Run File");
  EXPECT_EQ(prompter.fileDialogs[0].filter, "Run Files|Run.*|All Files|*.*");
  EXPECT_TRUE(Exists("archive.021") && Exists("Battery.021"));
  EXPECT_FALSE(Exists("Port2.021"));
  EXPECT_EQ(host.Extraction().CurrentRun(), 21);

  // A click on the radio group chooses and extracts at once.
  prompter.files.push_back(runPath);
  tab.ExtractFilesRG.UserSelect(1);
  EXPECT_EQ(prompter.fileDialogs.size(), 2u);
  EXPECT_TRUE(Exists("Port2.021"));

  // Cancelled: nothing is extracted.
  std::filesystem::remove(dir / "Port2.021");
  tab.BTExtract.UserClick();
  EXPECT_FALSE(Exists("Port2.021"));
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(RunExtractionTest, WithoutAChoiceOfFileTypesTheOperatorIsAskedToChoose) {
  host.Upload().ExtractFilesRG.OnClick = nullptr;
  host.Upload().ExtractFilesRG.SetItemIndex(-1);
  host.Upload().BTExtract.UserClick();
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "Unable to comply");
  EXPECT_EQ(prompter.Notices()[0].text, "Please Select the File Types To Be Extracted");
  EXPECT_TRUE(prompter.fileDialogs.empty());
}

TEST_F(RunExtractionTest, TheTwoOptionsToggleWithTheirCheckMarks) {
  MainForm& m = host.Main();
  UploadTab& tab = host.Upload();
  EXPECT_FALSE(m.ToggleDebug.Checked());
  EXPECT_FALSE(m.AddPad1.Checked());
  EXPECT_FALSE(tab.LBAddPad.Visible());

  m.ToggleDebug.UserClick();
  m.AddPad1.UserClick();
  EXPECT_TRUE(m.ToggleDebug.Checked());
  EXPECT_TRUE(m.AddPad1.Checked());
  EXPECT_TRUE(tab.LBAddPad.Visible());
  EXPECT_EQ(tab.LBAddPad.Caption(), "Archive file Correction:  Adding Pad Bytes");
  host.Extraction().ExtractRunFile(runPath, 0);
  EXPECT_TRUE(Exists("log.dat"));
  const Bytes archive = ReadFile(dir / "archive.021");
  ASSERT_EQ(archive.size(), 30u);
  EXPECT_EQ(std::string(archive.end() - 4, archive.end()), "####");

  m.AddPad1.UserClick();
  EXPECT_FALSE(m.AddPad1.Checked());
  EXPECT_FALSE(tab.LBAddPad.Visible());
  m.ToggleDebug.UserClick();
  EXPECT_FALSE(m.ToggleDebug.Checked());
}

}  // namespace
}  // namespace qv::testing
