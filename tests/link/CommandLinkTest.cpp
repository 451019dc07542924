// What each send puts on the line: frames, records, raw bytes and the stop sequence.
#include <gtest/gtest.h>

#include <string>

#include "link/CommandLink.h"
#include "link/SerialPortService.h"
#include "protocol/CommandFrame.h"
#include "protocol/Commands.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/ScriptedPrompter.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class CountingBackend : public testing::FakeSerialBackend {
 public:
  long Write(Handle h, const std::uint8_t* bytes, std::size_t count) override {
    ++writes;
    return FakeSerialBackend::Write(h, bytes, count);
  }
  int writes = 0;
};

class CommandLinkTest : public ::testing::Test {
 protected:
  void Open() { ports.OpenPortSlot(kLoggerSlot, 1); }
  Bytes Written() { return backend.TakeWritten(1); }

  CountingBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports{backend, prompter};
  CommandLink link{ports};
};

TEST_F(CommandLinkTest, CommandsGoOutAsOneFrameEach) {
  Open();
  link.SendCommand(kLoggerSlot, CmdGetSetup);
  link.SendCommandWithValues(kLoggerSlot, CmdUploadRun, 17, 0);
  const CommandFrameBytes own = BuildCommandFrame(CmdClearMemory, 1, 0);
  link.SendCommandFrame(kLoggerSlot, own);

  const CommandFrameBytes get = BuildCommandFrame(CmdGetSetup, 0, 0);
  const CommandFrameBytes upload = BuildCommandFrame(CmdUploadRun, 17, 0);
  Bytes expected(get.begin(), get.end());
  expected.insert(expected.end(), upload.begin(), upload.end());
  expected.insert(expected.end(), own.begin(), own.end());
  EXPECT_EQ(Written(), expected);
  EXPECT_EQ(backend.writes, 3);
}

TEST_F(CommandLinkTest, RecordsAndRawBytesGoOutWholeAsHeld) {
  Open();
  std::array<std::uint8_t, kSetupPacketSize> setup{};
  std::array<std::uint8_t, kAnalogCalPacketSize> analog{};
  std::array<std::uint8_t, kHardwareConfigPacketSize> hardware{};
  for (std::size_t i = 0; i < setup.size(); ++i) setup[i] = static_cast<std::uint8_t>(i * 7);
  for (std::size_t i = 0; i < analog.size(); ++i) analog[i] = static_cast<std::uint8_t>(i + 100);
  for (std::size_t i = 0; i < hardware.size(); ++i) hardware[i] = static_cast<std::uint8_t>(255 - i);

  link.SendSetupRecord(kLoggerSlot, setup);
  EXPECT_EQ(Written(), Bytes(setup.begin(), setup.end()));
  link.SendAnalogCalibrationRecord(kLoggerSlot, analog);
  EXPECT_EQ(Written(), Bytes(analog.begin(), analog.end()));
  link.SendHardwareConfigurationRecord(kLoggerSlot, hardware);
  EXPECT_EQ(Written(), Bytes(hardware.begin(), hardware.end()));
  const Bytes text = Text("hello\r");
  link.SendRawBytes(kLoggerSlot, static_cast<int>(text.size()), text.data());
  EXPECT_EQ(Written(), text);
  link.SendRawBytes(kLoggerSlot, 0, text.data());
  link.SendRawBytes(kLoggerSlot, -3, text.data());
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(backend.writes, 4);
}

TEST_F(CommandLinkTest, StopSequenceDependsOnTheHostPortSetting) {
  Open();
  const CommandFrameBytes stop = BuildCommandFrame(CmdStop, 0, 0);
  const Bytes frameThenBreak = Concat(Bytes(stop.begin(), stop.end()), Text("    BREAKBREAKBREAK"));
  const Bytes stop7e1 = Text("    STOP7E1STOP7E1");
  ASSERT_EQ(stop7e1.size(), 18u);
  ASSERT_EQ(frameThenBreak.size(), 12u + 19u);

  const struct {
    int index;
    const Bytes& expected;
  } cases[] = {{5, stop7e1}, {7, stop7e1}, {0, frameThenBreak}, {6, frameThenBreak},
               {11, frameThenBreak}, {-1, frameThenBreak}};
  for (const auto& c : cases) {
    link.SendStopSequence(kLoggerSlot, c.index);
    EXPECT_EQ(Written(), c.expected) << "host port setting " << c.index;
  }
}

TEST_F(CommandLinkTest, SendsOnAClosedSlotWriteNothing) {
  std::array<std::uint8_t, kSetupPacketSize> setup{};
  std::array<std::uint8_t, kAnalogCalPacketSize> analog{};
  std::array<std::uint8_t, kHardwareConfigPacketSize> hardware{};
  const std::uint8_t text[] = {'x'};
  for (int slot : {kLoggerSlot, 3, -1, kPortSlots}) {
    link.SendCommand(slot, CmdGetSetup);
    link.SendCommandWithValues(slot, CmdSetTime, 0, 5);
    link.SendCommandFrame(slot, BuildCommandFrame(CmdStop, 0, 0));
    link.SendRawBytes(slot, 1, text);
    link.SendSetupRecord(slot, setup);
    link.SendAnalogCalibrationRecord(slot, analog);
    link.SendHardwareConfigurationRecord(slot, hardware);
    link.SendStopSequence(slot, 0);
    link.SendStopSequence(slot, 5);
  }
  EXPECT_EQ(backend.writes, 0);
  EXPECT_TRUE(prompter.boxes.empty());
}

}  // namespace
}  // namespace qv
