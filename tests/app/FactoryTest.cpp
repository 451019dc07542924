// The factory tabs on a fake line: the password, the refusals, the record
// built from the controls, the display state, and the calibration values.
#include <gtest/gtest.h>

#include "factory/AnalogCalibration.h"
#include "protocol/AnalogCalRecord.h"
#include "protocol/HardwareConfigRecord.h"
#include "tests/support/HostFixture.h"

namespace qv {
namespace {

using testing::HostFixture;
using Bytes = std::vector<std::uint8_t>;

class FactoryTest : public HostFixture {
 public:
  HardwareTab& hw() { return host.Hardware(); }
  AnalogTab& cal() { return host.Analog(); }

  // A hardware record arrives and the display tick shows it.
  void Receive(const HardwareConfigRecord& r) {
    const auto bytes = r.Encode();
    backend.Feed(1, Bytes(bytes.begin(), bytes.end()));
    Tick();
    host.Main().Timer475ms.Fire();
  }
  void Receive(const AnalogCalRecord& r) {
    const auto bytes = r.Encode();
    backend.Feed(1, Bytes(bytes.begin(), bytes.end()));
    Tick();
  }
  static HardwareConfigRecord Kr7() {
    HardwareConfigRecord r;
    r.deviceType = 2;
    r.hwSerialNumber = 417;
    r.statusLed = 1;
    r.runStopSwitch = 2;
    r.reserved = {1, 2, 3, 4};
    for (int i = 0; i < HardwareConfigRecord::kRelayEntries; ++i)
      r.relays[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i % 10);
    return r;
  }
};

TEST_F(FactoryTest, AReceivedRecordIsShownAtTheDisplayTickAndBuiltBackWithItsReservedBytes) {
  StartOnCom1();
  EXPECT_TRUE(hw().HardwarePanel.Visible());
  HardwareConfigRecord r = Kr7();
  r.hwSerialNumber = -5;
  const auto bytes = r.Encode();
  backend.Feed(1, Bytes(bytes.begin(), bytes.end()));
  Tick();
  EXPECT_TRUE(host.HardwareConfig().HardwareRecordWaiting());
  EXPECT_EQ(hw().SNEdit.Text(), "0");  // not before the display tick
  host.Main().Timer475ms.Fire();
  EXPECT_FALSE(host.HardwareConfig().HardwareRecordWaiting());
  EXPECT_FALSE(hw().HardwarePanel.Visible());
  EXPECT_TRUE(host.HardwareConfig().HardwareCurrent());
  EXPECT_EQ(hw().DeviceTypeCB.Text(), "KR7");
  EXPECT_EQ(hw().UDSerialNumber.Position(), 0);  // a negative serial number shows as 0
  EXPECT_EQ(hw().RunStopCB.ItemIndex(), 2);
  EXPECT_EQ(hw().RelaySP[8].ItemIndex(), 8);
  EXPECT_EQ(hw().RelayAP[1].ItemIndex(), 0);  // entry 10
  EXPECT_EQ(hw().RelayPP[4].Text(), "None");  // entry 20

  hw().UDSerialNumber.UserClick(true);
  EXPECT_TRUE(hw().HardwarePanel.Visible());
  host.HardwareConfig().BuildHardwareRecord();
  HardwareConfigRecord built = host.HardwareConfig().Record();
  EXPECT_EQ(built.reserved, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
  EXPECT_EQ(built.relays[0], 0);
  EXPECT_EQ(built.relays[9], 0);
  EXPECT_EQ(built.relays[8], 8);
  EXPECT_EQ(built.hwSerialNumber, 1);
}

TEST_F(FactoryTest, TheModelListShowsWhicheverOfStatusAndRecordCameLast) {
  StartOnCom1();
  const auto bytes = Kr7().Encode();
  backend.Feed(1, Bytes(bytes.begin(), bytes.end()));
  backend.Feed(1, testing::StandbyStatusPacket());  // also model 2
  HardwareConfigRecord zed = Kr7();
  zed.deviceType = 3;
  const auto zedBytes = zed.Encode();
  Tick();
  backend.Feed(1, Bytes(zedBytes.begin(), zedBytes.end()));
  Tick();
  host.Main().Timer475ms.Fire();
  EXPECT_EQ(hw().DeviceTypeCB.Text(), "Zed Plus");
}

struct SendCase {
  const char* name;
  int deviceType;       // item of the model list; -1 none
  int serialNumber;
  const char* password;
  bool sent;
  const char* caption;  // of the notice, if any
};

class HardwareSendTest : public FactoryTest, public ::testing::WithParamInterface<SendCase> {};

TEST_P(HardwareSendTest, SendsOnlyAWholeConfigurationWithThePassword) {
  const SendCase& c = GetParam();
  StartOnCom1();
  hw().DeviceTypeCB.SetItemIndex(c.deviceType);
  hw().UDSerialNumber.SetPosition(c.serialNumber);
  hw().HWPassword.UserType(c.password);
  hw().BTSendHardwareSetup.UserClick();
  const Bytes sent = Sent();
  EXPECT_EQ(sent.size(), c.sent ? 58u : 0u);
  if (c.sent) {
    const auto r = HardwareConfigRecord::Decode(sent);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->deviceType, c.deviceType);
    EXPECT_EQ(r->hwSerialNumber, c.serialNumber);
  }
  const auto notices = prompter.Notices();
  ASSERT_EQ(notices.size(), c.caption ? 1u : 0u);
  if (c.caption) {
    EXPECT_EQ(notices[0].caption, c.caption);
  }
  EXPECT_TRUE(hw().HardwarePanel.Visible());  // a send changes nothing shown
}

const SendCase kSendCases[] = {
    {"Sent", 2, 417, "BlueHaven", true, nullptr},
    {"MoreAfterThePasswordIsAccepted", 3, 1000, "BlueHaven and more", true, nullptr},
    {"NoneSelectedIsAModel", 0, 1, "BlueHaven", true, nullptr},
    {"NoModel", -1, 417, "BlueHaven", false, "Hardware Configuration Error"},
    {"SerialNumberZero", 2, 0, "BlueHaven", false, "Hardware Configuration Error"},
    {"LowerCaseFirstLetter", 2, 417, "blueHaven", false, "Password Error"},
    {"TooShort", 2, 417, "BlueHave", false, "Password Error"},
};

INSTANTIATE_TEST_SUITE_P(Cases, HardwareSendTest, ::testing::ValuesIn(kSendCases),
                         [](const ::testing::TestParamInfo<SendCase>& param) {
                           return std::string(param.param.name);
                         });

TEST_F(FactoryTest, OnePasswordCountForBothTabsAndTheFactoryDefaults) {
  StartOnCom1();
  cal().ALGPassword.UserType("bluehaven");
  cal().BTSendAnalogCalibration.UserClick();
  hw().DeviceTypeCB.SetItemIndex(2);
  hw().UDSerialNumber.SetPosition(5);
  hw().BTSendHardwareSetup.UserClick();  // "Enter Password"
  hw().BTKR7Defaults.UserClick();
  EXPECT_TRUE(Sent().empty());
  const auto notices = prompter.Notices();
  ASSERT_EQ(notices.size(), 3u);
  EXPECT_EQ(notices[0].text,
            "You Must Enter a Valid Password to Change the Hardware Configuration or Analog "
            "Calibration");
  EXPECT_EQ(notices[1].text, "An Invalid Password Was Entered -- Please Check Caps Lock");
  EXPECT_EQ(notices[2].text, notices[1].text);
}

TEST_F(FactoryTest, CalibrationValuesAreClampedWithoutOverflow) {
  struct Case {
    const char* text;
    int offset, scale;  // as sent from an offset and a scale edit
  };
  const Case cases[] = {
      {"0", 0, 1},           {"  790", 790, 790},   {"abc", 0, 1},
      {"", 0, 1},            {"-5", 0, 1},          {"32700", 32700, 32700},
      {"32701", 32700, 32700}, {"99999999999999999999", 32700, 32700},
      {"-99999999999999999999", 0, 1},             {"12abc", 12, 12},
      {" +7", 7, 7},
  };
  StartOnCom1();
  cal().ALGPassword.UserType("BlueHaven");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    cal().MEOffset[3].UserType(c.text);
    cal().MEScale[3].UserType(c.text);
    cal().BTSendAnalogCalibration.UserClick();
    const auto r = AnalogCalRecord::Decode(Sent());
    ASSERT_TRUE(r);
    EXPECT_EQ(r->analogOffset[3], c.offset);
    EXPECT_EQ(r->analogScale[3], c.scale);
    EXPECT_EQ(r->analogScale[0], 790);  // the design values elsewhere
    EXPECT_EQ(r->analogOffset[7], 150);
  }
}

TEST_F(FactoryTest, AReceivedCalibrationIsShownAtOnceAndSentWithTheHostsHeader) {
  StartOnCom1();
  AnalogCalRecord r;
  r.calHeaderCount = 3;
  r.calHeaderFlag = 77;
  for (int k = 0; k < 8; ++k) {
    r.analogOffset[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(100 + k);
    r.analogScale[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(5000 + k);
  }
  Receive(r);  // no display tick needed
  EXPECT_EQ(cal().MEOffset[0].Text(), "  100");
  EXPECT_EQ(cal().MEScale[7].Text(), " 5007");
  EXPECT_FALSE(cal().AnalogPanel.Visible());
  EXPECT_TRUE(host.Calibration().AnalogCurrent());

  cal().ALGPassword.UserType("BlueHaven");
  cal().BTSendAnalogCalibration.UserClick();
  const auto sent = AnalogCalRecord::Decode(Sent());
  ASSERT_TRUE(sent);
  EXPECT_EQ(sent->calHeaderCount, 15);
  EXPECT_EQ(sent->calHeaderFlag, 1);
  EXPECT_EQ(sent->analogOffset, r.analogOffset);
  EXPECT_EQ(sent->analogScale, r.analogScale);
}

TEST_F(FactoryTest, SavingWhatMayNotBeTheLoggersAsksFirst) {
  StartOnCom1();
  // Nothing received: both ask; Cancel ends it before any file dialog.
  prompter.answers = {Answer::Cancel, Answer::Cancel};
  hw().BTSaveHardwareFile.UserClick();
  cal().BTSaveAnalogFile.UserClick();
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].caption, "**** Warning ****");
  EXPECT_EQ(prompter.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(prompter.boxes[0].text,
            "The Hardware Configuration shown on the Host Program may not match the Hardware "
            "Configuration in the Data Logger.\n\nDo you still want to save the displayed "
            "Hardware Configuration?");
  EXPECT_NE(prompter.boxes[1].text.find("Analog Calibration shown"), std::string::npos);
  EXPECT_TRUE(prompter.fileDialogs.empty());
  EXPECT_EQ(prompter.beeps.size(), 2u);

  // Right after a record came: no question, straight to the file dialog.
  prompter.Clear();
  Receive(Kr7());
  AnalogCalRecord other;
  other.analogScale.fill(1234);
  Receive(other);
  hw().BTSaveHardwareFile.UserClick();
  cal().BTSaveAnalogFile.UserClick();
  ASSERT_EQ(prompter.boxes.size(), 2u);
  EXPECT_EQ(prompter.boxes[0].kind, ScriptedPrompter::BoxKind::SaveFile);
  EXPECT_EQ(prompter.fileDialogs[0].title, "Save Hardware Configuration File");
  EXPECT_EQ(prompter.fileDialogs[1].title, "Save Analog Calibration File");

  // Typing into any edit makes it ask again.
  prompter.Clear();
  prompter.answers = {Answer::Cancel};
  cal().MEScale[5].UserType("5");
  cal().BTSaveAnalogFile.UserClick();
  EXPECT_EQ(prompter.boxes.at(0).kind, ScriptedPrompter::BoxKind::Question);
}

}  // namespace
}  // namespace qv
