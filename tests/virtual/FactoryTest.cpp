// The factory records against the simulated logger in virtual time: what Get
// shows is the logger's, what is sent with the password comes back, what is
// refused never reaches it, and the files keep exactly the records.
#include <fstream>
#include <iterator>

#include "common/Format.h"
#include "protocol/AnalogCalRecord.h"
#include "protocol/HardwareConfigRecord.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/VirtualHostFixture.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

class FactoryTest : public testing::VirtualHostFixture {
 public:
  HardwareTab& hw() { return host.Hardware(); }
  AnalogTab& cal() { return host.Analog(); }
  testing::ScratchDir dir;

  void Connect(const SimOptions& options = {}) {
    StartLogger(options);
    StartHostOnCom1();
    ASSERT_TRUE(RunUntil([&] { return host.Main().GBLoggerStatus.Visible(); }, 4000));
  }
  bool GetHardware() {
    hw().BTGetHardware.UserClick();
    return RunUntil([&] { return !hw().HardwarePanel.Visible(); }, 4000);
  }
  bool GetCalibration() {
    cal().BTGetAnalog.UserClick();
    return RunUntil([&] { return !cal().AnalogPanel.Visible(); }, 4000);
  }
  static Bytes FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(FactoryTest, TheHardwareConfigurationSentComesBackAndTheLoggerIsWhatItSays) {
  SimOptions options;
  options.serialNumber = 211;
  Connect(options);
  ASSERT_TRUE(GetHardware());
  const HardwareConfigRecord factory = Logger().hardware;
  EXPECT_EQ(hw().DeviceTypeCB.Text(), "KR7");
  EXPECT_EQ(hw().SNEdit.Text(), "211");
  EXPECT_EQ(hw().RelaySP[3].Text(), "Relay 3");
  EXPECT_EQ(hw().RelayAP[7].Text(), "Self Powered");

  hw().DeviceTypeCB.UserSelect(3);  // "Zed Plus"
  hw().SNEdit.UserType("523");
  hw().RelaySP[2].UserSelect(9);
  EXPECT_TRUE(hw().HardwarePanel.Visible());
  hw().HWPassword.UserType("BlueHaven");
  hw().BTSendHardwareSetup.UserClick();
  RunFor(1000);
  EXPECT_TRUE(hw().HardwarePanel.Visible());
  const HardwareConfigRecord stored = Logger().hardware;
  EXPECT_EQ(stored.deviceType, 3);
  EXPECT_EQ(stored.hwSerialNumber, 523);
  EXPECT_EQ(stored.relays[2], 9);
  EXPECT_EQ(stored.reserved, factory.reserved);  // carried back untouched

  ASSERT_TRUE(GetHardware());
  EXPECT_EQ(hw().SNEdit.Text(), "523");
  EXPECT_EQ(hw().RelaySP[2].Text(), "Self Powered");
  // The logger now reports itself a Zed Plus.
  ASSERT_TRUE(RunUntil([&] { return host.Logger().model == 3; }, 3000));
  EXPECT_EQ(hw().DeviceTypeCB.Text(), "Zed Plus");
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(FactoryTest, RefusedSendsNeverReachTheLogger) {
  Connect();
  ASSERT_TRUE(GetHardware());
  const HardwareConfigRecord before = Logger().hardware;
  RunFor(1000);
  const std::uint64_t received = Logger().bytesReceived;

  hw().SNEdit.UserType("600");
  hw().HWPassword.UserType("Bluehaven");
  hw().BTSendHardwareSetup.UserClick();
  hw().HWPassword.UserType("BlueHaven");
  hw().SNEdit.UserType("0");
  hw().BTSendHardwareSetup.UserClick();
  hw().SNEdit.UserType("600");
  hw().DeviceTypeCB.SetItemIndex(-1);
  hw().BTSendHardwareSetup.UserClick();
  cal().ALGPassword.UserType("BLUEHAVEN");
  cal().BTSendAnalogCalibration.UserClick();
  RunFor(2000);

  EXPECT_EQ(Logger().bytesReceived, received);
  EXPECT_EQ(Logger().hardware, before);
  const auto notices = prompter.Notices();
  ASSERT_EQ(notices.size(), 4u);
  EXPECT_EQ(notices[0].caption, "Password Error");
  EXPECT_EQ(notices[1].caption, "Hardware Configuration Error");
  EXPECT_EQ(notices[2].caption, "Hardware Configuration Error");
  EXPECT_EQ(notices[3].text, "An Invalid Password Was Entered -- Please Check Caps Lock");
}

TEST_F(FactoryTest, ACalibrationSentIsClampedTakenAndSeenInTheVoltages) {
  Connect();
  ASSERT_TRUE(GetCalibration());
  EXPECT_EQ(cal().MEOffset[0].Text(), Format("%5d", Logger().calibration.analogOffset[0]));
  EXPECT_EQ(cal().MEScale[4].Text(), Format("%5d", Logger().calibration.analogScale[4]));
  const std::string batteryBefore = host.Status().group.LBCurrentV.Caption();

  // The battery input read at half its counts per volt reads twice the voltage.
  cal().MEScale[0].UserType(Format("%d", Logger().calibration.analogScale[0] / 2));
  cal().MEOffset[1].UserType("");
  cal().MEScale[1].UserType("0");
  cal().MEScale[2].UserType("123456789012");
  cal().ALGPassword.UserType("BlueHaven");
  cal().BTSendAnalogCalibration.UserClick();
  RunFor(3000);
  const AnalogCalRecord& stored = Logger().calibration;
  EXPECT_EQ(stored.analogOffset[1], 0);
  EXPECT_EQ(stored.analogScale[1], 1);
  EXPECT_EQ(stored.analogScale[2], 32700);
  EXPECT_EQ(stored.calHeaderCount, 15);
  const double before = std::stod(batteryBefore);
  const double after = std::stod(host.Status().group.LBCurrentV.Caption());
  EXPECT_NEAR(after, 2 * before, 0.25) << batteryBefore;

  ASSERT_TRUE(GetCalibration());
  EXPECT_EQ(cal().MEScale[2].Text(), "32700");
}

TEST_F(FactoryTest, FilesHoldExactlyTheRecordsAndComeBackNotCurrent) {
  Connect();
  ASSERT_TRUE(GetHardware());
  ASSERT_TRUE(GetCalibration());
  prompter.files = {dir / "unit.hdw", dir / "unit.alg"};
  hw().BTSaveHardwareFile.UserClick();
  cal().BTSaveAnalogFile.UserClick();
  ASSERT_TRUE(prompter.boxes.size() == 2 && prompter.Notices().empty());
  const auto hwBytes = Logger().hardware.Encode();
  EXPECT_EQ(FileBytes(dir / "unit.hdw"), Bytes(hwBytes.begin(), hwBytes.end()));
  const auto calBytes = Logger().calibration.Encode();
  EXPECT_EQ(FileBytes(dir / "unit.alg"), Bytes(calBytes.begin(), calBytes.end()));

  hw().SNEdit.UserType("999");
  hw().RelayPP[1].UserSelect(0);
  cal().MEOffset[6].UserType("7");
  prompter.files = {dir / "unit.hdw", dir / "unit.alg"};
  hw().BTLoadHardwareFile.UserClick();
  cal().BTLoadAnalogFile.UserClick();
  EXPECT_EQ(prompter.fileDialogs[2].title, "Load Hardare Configuration File");
  EXPECT_EQ(hw().SNEdit.Text(), Format("%d", Logger().hardware.hwSerialNumber));
  EXPECT_EQ(hw().RelayPP[1].ItemIndex(), Logger().hardware.relays[17]);
  EXPECT_EQ(cal().MEOffset[6].Text(), Format("%5d", Logger().calibration.analogOffset[6]));
  EXPECT_TRUE(hw().HardwarePanel.Visible());  // a loaded file is not the logger's
  EXPECT_TRUE(cal().AnalogPanel.Visible());

  // A file too short applies nothing.
  std::ofstream(dir / "short.hdw", std::ios::binary) << "0707";
  hw().SNEdit.UserType("12");
  prompter.files = {dir / "short.hdw"};
  hw().BTLoadHardwareFile.UserClick();
  EXPECT_EQ(hw().SNEdit.Text(), "12");
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
}

}  // namespace
}  // namespace qv
