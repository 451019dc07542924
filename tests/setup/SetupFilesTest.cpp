// Logger setup files: the record's 192 bytes as held, saved after a warning
// when they may not be the logger's, opened whole into the controls, and
// every failure told.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/setup/SetupFixture.h"
#include "tests/support/ScratchDir.h"

namespace qv::testing {
namespace {

class SetupFilesTest : public SetupFixture {
 protected:
  static std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::uint8_t> Record() const { return {records.setup.begin(), records.setup.end()}; }
  // A whole setup as a file: a 19200-baud host port, ASCII on port 2 at 4800.
  std::vector<std::uint8_t> SetupFile() {
    SetupBytes bytes{};
    SetupRecord r(bytes);
    r.SetPortBaud(0, 19200);
    r.SetPortDataBits(0, 8);
    r.SetPortMeterType(2, 3);
    r.SetPortBaud(2, 4800);
    r.SetPortDataBits(2, 8);
    r.SetMode(1);
    r.SetAnalogRate(4);
    r.SealChecksum();
    return {bytes.begin(), bytes.end()};
  }
  bool Warned() const {
    for (const ScriptedPrompter::Box& b : prompter.boxes)
      if (b.kind == ScriptedPrompter::BoxKind::Question) return true;
    return false;
  }

  ScratchDir dir;
};

TEST_F(SetupFilesTest, SavingASetupThatMayNotBeTheLoggersAsksFirst) {
  prompter.answers = {Answer::Cancel};
  ps.BTSaveSetupFile2.UserClick();
  ASSERT_EQ(prompter.boxes.size(), 1u);
  const ScriptedPrompter::Box& box = prompter.boxes[0];
  EXPECT_EQ(box.caption, "**** Warning ****");
  EXPECT_EQ(box.text,
            "The Setup shown on the Host Program may not match the Setup in the Data Logger.\n\n"
            "Do you still want to save the current Setup?");
  EXPECT_EQ(box.buttons, Buttons::OkCancel);
  EXPECT_EQ(prompter.beeps, std::vector<Beep>{Beep::Warning});
  EXPECT_TRUE(prompter.fileDialogs.empty());

  // Before any setup the record is 192 zero bytes, and so is the file.
  prompter.Clear();
  prompter.files.push_back(dir / "empty.lst");
  lc.Button3.UserClick();
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  EXPECT_EQ(prompter.fileDialogs[0].title, "Save Logger Setup");
  EXPECT_EQ(prompter.fileDialogs[0].defaultExtension, "lst");
  EXPECT_EQ(prompter.fileDialogs[0].filter, "Logger Setup (*.lst)|*.lst|All Files (*.*)|*.*");
  EXPECT_EQ(FileBytes(dir / "empty.lst"), std::vector<std::uint8_t>(192, 0));
  EXPECT_EQ(setup.SetupFileName, dir / "empty.lst");
}

TEST_F(SetupFilesTest, ASetupJustReceivedIsSavedAsReceivedAndEditsAreNotInTheFile) {
  ReceiveComplete([](SetupRecord& r) {
    r.SetMode(2);
    r.SetAnalogRate(0);  // shown, and kept, as 1
  });
  const std::vector<std::uint8_t> received = Record();
  prompter.files.push_back(dir / "as_received.lst");
  ps.BTSaveSetupFile2.UserClick();
  EXPECT_FALSE(Warned());
  EXPECT_EQ(FileBytes(dir / "as_received.lst"), received);
  EXPECT_EQ(SetupRecord(records.setup).AnalogRate(), 1);

  lc.ModeCB.UserSelect(1);
  EXPECT_TRUE(setup.SetupFileName.empty()) << "an edit forgets the file";
  prompter.files.push_back(dir / "edited.lst");
  ps.BTSaveSetupFile2.UserClick();
  EXPECT_TRUE(Warned());
  EXPECT_EQ(FileBytes(dir / "edited.lst"), received);
}

TEST_F(SetupFilesTest, OpeningShowsTheFileMovesTheLoggerPortAndLeavesTheSetupNotCurrent) {
  ReceiveComplete();
  WriteFile(dir / "moored.lst", SetupFile());
  prompter.files.push_back(dir / "moored.lst");
  ps.BTOpenSetupFile1.UserClick();
  EXPECT_EQ(prompter.fileDialogs.back().title, "Load Logger Setup");
  EXPECT_EQ(Record(), SetupFile());
  EXPECT_EQ(lc.ModeCB.Text(), "Moored Mode");
  EXPECT_EQ(ps.ComboMeter[2].Text(), "ASCII");
  EXPECT_EQ(ps.CBPortSetup[2].Text(), "4800");
  EXPECT_EQ(ps.CBHostPortSetup.Text(), "19200");
  EXPECT_EQ(backend.lastSetting[1].baud, 19200);
  EXPECT_EQ(backend.lastSetting[1].dataBits, 8);
  EXPECT_TRUE(labels.PStore.Visible());
  EXPECT_EQ(labels.PStore.Caption(), "Setup is Not Current");
  EXPECT_EQ(setup.SetupFileName, dir / "moored.lst");

  // A longer file gives its first 192 bytes.
  std::vector<std::uint8_t> longer = SetupFile();
  longer.resize(300, 0xEE);
  WriteFile(dir / "long.lst", longer);
  records.setup.fill(0);
  prompter.files.push_back(dir / "long.lst");
  lc.BTOpenSetupFile2.UserClick();
  EXPECT_EQ(Record(), SetupFile());
}

TEST_F(SetupFilesTest, ACancelledOrShortOpenChangesNothingAndAFailureIsTold) {
  ReceiveComplete([](SetupRecord& r) { r.SetMode(2); });
  WriteFile(dir / "kept.lst", SetupFile());
  prompter.files.push_back(dir / "kept.lst");
  ps.BTOpenSetupFile1.UserClick();
  const std::vector<std::uint8_t> before = Record();
  const std::string name = setup.SetupFileName;

  std::vector<std::uint8_t> shortFile = SetupFile();
  shortFile.resize(191);
  shortFile[10] = 0x77;
  WriteFile(dir / "short.lst", shortFile);
  struct Case {
    std::optional<std::string> chosen;
    const char* notice;
  } cases[] = {
      {std::nullopt, nullptr},
      {dir / "short.lst", "Unable to Read "},
      {dir / "missing.lst", "Unable to Read "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen.value_or("cancel"));
    prompter.Clear();
    lc.ModeCB.SetItemIndex(3);
    prompter.files.push_back(c.chosen);
    ps.BTOpenSetupFile1.UserClick();
    EXPECT_EQ(Record(), before);
    EXPECT_EQ(lc.ModeCB.ItemIndex(), 3) << "nothing is shown";
    EXPECT_EQ(setup.SetupFileName, name);
    if (!c.notice) {
      EXPECT_TRUE(prompter.Notices().empty());
      continue;
    }
    ASSERT_EQ(prompter.Notices().size(), 1u);
    EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
    EXPECT_EQ(prompter.Notices()[0].text, c.notice + *c.chosen);
  }

  prompter.Clear();
  const std::string unwritable = dir / "no/such/folder.lst";
  prompter.files.push_back(unwritable);
  setup.SetSetupCurrent(true);
  ps.BTSaveSetupFile2.UserClick();
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
  EXPECT_EQ(prompter.Notices()[0].text, "Unable to Write to " + unwritable);
}

TEST_F(SetupFilesTest, AWrongHeaderOrChecksumIsLoadedUnchangedAndSendingMendsIt) {
  ReceiveComplete();
  std::vector<std::uint8_t> damaged = SetupFile();
  damaged[0] = 0x00;
  damaged[1] = 0x07;
  damaged[190] ^= 0x5A;
  damaged[5] = 0x42;  // a spare byte, carried to the logger
  WriteFile(dir / "damaged.lst", damaged);
  prompter.files.push_back(dir / "damaged.lst");
  ps.BTOpenSetupFile1.UserClick();
  EXPECT_EQ(Record(), damaged);

  const std::vector<std::uint8_t> sent = Send();
  ASSERT_EQ(sent.size(), 192u);
  EXPECT_EQ(sent[0], 0x01);
  EXPECT_EQ(sent[1], 0x01);
  EXPECT_EQ(sent[5], 0x42);
  std::uint16_t sum = 0;
  for (int i = 0; i < 190; ++i) sum = static_cast<std::uint16_t>(sum + sent[static_cast<std::size_t>(i)]);
  EXPECT_EQ(sent[190] | sent[191] << 8, sum);
  EXPECT_EQ(SetupRecord(records.setup).PortMeterType(2), 3);
}

}  // namespace
}  // namespace qv::testing
