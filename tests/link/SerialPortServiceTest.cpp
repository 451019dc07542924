// The port slot table over an in-memory backend: setting codes and lists,
// baud changes, port selection, and what the operator is told on failures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ScriptedPrompter.h"
#include "link/SerialPortService.h"
#include "tests/support/FakeSerialBackend.h"

namespace qv {
namespace {

using testing::FakeSerialBackend;

class SerialPortServiceTest : public ::testing::Test {
 protected:
  FakeSerialBackend backend;
  ScriptedPrompter prompter;
  SerialPortService service{backend, prompter};
};

TEST(SettingCodes, EachCodeHasItsLineAndText) {
  struct Row {
    int code;
    const char* text;
    int baud, dataBits;
    char parity;
  };
  const Row rows[] = {
      {1, "600,N,8,1", 600, 8, 'N'},       {2, "1200,N,8,1", 1200, 8, 'N'},
      {3, "2400,N,8,1", 2400, 8, 'N'},     {4, "4800,N,8,1", 4800, 8, 'N'},
      {5, "4800,E,7,1", 4800, 7, 'E'},     {6, "9600,N,8,1", 9600, 8, 'N'},
      {7, "9600,E,7,1", 9600, 7, 'E'},     {8, "19200,N,8,1", 19200, 8, 'N'},
      {9, "38400,N,8,1", 38400, 8, 'N'},   {10, "57600,N,8,1", 57600, 8, 'N'},
      {11, "115200,N,8,1", 115200, 8, 'N'},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    EXPECT_STREQ(SettingString(r.code), r.text);
    LineSetting s = SettingForCode(r.code);
    EXPECT_EQ(s.baud, r.baud);
    EXPECT_EQ(s.dataBits, r.dataBits);
    EXPECT_EQ(s.parity, r.parity);
    EXPECT_EQ(s.stopBits, 1);
  }
}

TEST_F(SerialPortServiceTest, SettingListRowsOpenWithTheirLineAndReturnTheIndexToShow) {
  struct Row {
    int listIndex;
    int shown;
    int code;
    int baud, dataBits;
    char parity;
  };
  const Row rows[] = {
      {0, 6, 6, 9600, 8, 'N'},      // "OFF"
      {1, 1, 1, 600, 8, 'N'},       {4, 4, 4, 4800, 8, 'N'},
      {5, 5, 5, 4800, 7, 'E'},      // "4800,7,E,1"
      {6, 6, 6, 9600, 8, 'N'},      {7, 7, 7, 9600, 7, 'E'},  // "9600, 7,E,1"
      {8, 8, 8, 19200, 8, 'N'},     {11, 11, 11, 115200, 8, 'N'},
      {12, 6, 6, 9600, 8, 'N'},     {-1, 6, 6, 9600, 8, 'N'},
  };
  service.SelectPortFromList(kLoggerSlot, 3);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.listIndex);
    service.SelectSettingFromList(kLoggerSlot, 1);  // a different line first
    EXPECT_EQ(service.SelectSettingFromList(kLoggerSlot, r.listIndex), r.shown);
    EXPECT_EQ(service.SettingCode(kLoggerSlot), r.code);
    ASSERT_TRUE(backend.IsOpen(3));
    const LineSetting& applied = backend.lastSetting[3];
    EXPECT_EQ(applied.baud, r.baud);
    EXPECT_EQ(applied.dataBits, r.dataBits);
    EXPECT_EQ(applied.parity, r.parity);
  }
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(SerialPortServiceTest, SetPortBaudMapsBaudAndDataBitsToCodes) {
  struct Row {
    int baud, dataBits, code;
  };
  const Row rows[] = {
      {600, 8, 1},   {1200, 7, 2},   {2400, 8, 3},    {4800, 8, 4},
      {4800, 7, 5},  {9600, 8, 6},   {9600, 7, 7},    {9600, 5, 7},
      {19200, 7, 8}, {38400, 8, 9},  {57600, 7, 10},  {115200, 8, 11},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.baud * 10 + r.dataBits);
    service.SetPortBaud(2, r.baud, r.dataBits);
    EXPECT_EQ(service.SettingCode(2), r.code);
  }
  // A closed slot only keeps the code for its next open.
  EXPECT_EQ(backend.openCalls, 0);
  EXPECT_FALSE(service.IsPortSlotOpen(2));
}

TEST_F(SerialPortServiceTest, SetPortBaudReopensAnOpenSlotOnTheSameCom) {
  service.OpenPortSlot(1, 4);
  backend.Feed(4, {1, 2, 3});
  service.SetPortBaud(1, 19200, 8);
  EXPECT_EQ(backend.openCalls, 2);
  EXPECT_EQ(service.OpenComNumber(1), 4);
  EXPECT_EQ(backend.lastSetting[4].baud, 19200);
  // The reopened handle is the one now used.
  std::uint8_t buf[8];
  int count = sizeof buf;
  service.ReadPortSlot(1, buf, count);
  EXPECT_EQ(count, 3);
}

TEST_F(SerialPortServiceTest, UnsupportedBaudChangesNothing) {
  service.SetPortBaud(kLoggerSlot, 38400, 8);
  service.OpenPortSlot(kLoggerSlot, 2);
  for (int baud : {300, 0, -9600, 14400, 230400}) {
    service.SetPortBaud(kLoggerSlot, baud, 8);
    EXPECT_EQ(service.SettingCode(kLoggerSlot), 9);
  }
  EXPECT_EQ(backend.openCalls, 1);
  EXPECT_EQ(service.OpenComNumber(kLoggerSlot), 2);
}

TEST_F(SerialPortServiceTest, SelectPortFromListOpensOneToTwelveAndClosesOtherwise) {
  EXPECT_EQ(service.SelectPortFromList(kLoggerSlot, 12), 12);
  EXPECT_EQ(service.OpenComNumber(kLoggerSlot), 12);
  EXPECT_EQ(service.SelectPortFromList(kLoggerSlot, 5), 5);
  EXPECT_FALSE(backend.IsOpen(12));
  EXPECT_TRUE(backend.IsOpen(5));

  for (int index : {0, 13, -1}) {
    service.SelectPortFromList(kLoggerSlot, 5);
    EXPECT_EQ(service.SelectPortFromList(kLoggerSlot, index), 0);
    EXPECT_FALSE(service.IsPortSlotOpen(kLoggerSlot));
    EXPECT_FALSE(backend.IsOpen(5));
  }
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(SerialPortServiceTest, MissingDeviceIsReportedAndTheSlotStaysQuiet) {
  backend.missing = {7, 10};
  for (int com : {7, 10}) {
    prompter.Clear();
    EXPECT_EQ(service.SelectPortFromList(kLoggerSlot, com), com);
    ASSERT_EQ(prompter.Notices().size(), 1u);
    EXPECT_EQ(prompter.Last()->caption, "Comm Error");
    EXPECT_EQ(prompter.Last()->text, "Could Not Open COM" + std::to_string(com));
    EXPECT_FALSE(service.IsPortSlotOpen(kLoggerSlot));
  }
  std::uint8_t buf[4] = {9, 9, 9, 9};
  int count = sizeof buf;
  service.ReadPortSlot(kLoggerSlot, buf, count);
  EXPECT_EQ(count, 0);
  const std::uint8_t frame[] = {2, 2, 0xA1, 0xA1};
  service.WritePortSlot(kLoggerSlot, frame, sizeof frame);
  EXPECT_TRUE(backend.written[10].empty());
}

// A device that goes away while open: the handle is let go, the slot stays
// on its COM number without a word to the operator, and comes back quietly.
TEST_F(SerialPortServiceTest, DeviceThatWentAwayIsLetGoAndComesBackWithItsSetting) {
  service.OpenPortSlot(kLoggerSlot, 4);
  backend.missing = {4};
  std::uint8_t buf[8];
  int count = sizeof buf;
  service.ReadPortSlot(kLoggerSlot, buf, count);
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(backend.IsOpen(4));
  EXPECT_TRUE(service.IsPortSlotOpen(kLoggerSlot));
  EXPECT_TRUE(service.IsDeviceAway(kLoggerSlot));
  EXPECT_EQ(service.OpenComNumber(kLoggerSlot), 4);

  const int opens = backend.openCalls;
  service.SetPortBaud(kLoggerSlot, 38400, 8);  // stored for when it is back
  EXPECT_EQ(backend.openCalls, opens);
  const std::uint8_t frame[] = {2, 2, 0xA1, 0xA1};
  service.WritePortSlot(kLoggerSlot, frame, sizeof frame);
  EXPECT_FALSE(service.ReopenLostSlot(kLoggerSlot));  // still missing
  EXPECT_EQ(backend.openCalls, opens + 1);

  backend.missing.clear();
  backend.Feed(4, {7, 8});
  EXPECT_TRUE(service.ReopenLostSlot(kLoggerSlot));
  EXPECT_FALSE(service.IsDeviceAway(kLoggerSlot));
  EXPECT_EQ(backend.lastSetting[4].baud, 38400);
  count = sizeof buf;
  service.ReadPortSlot(kLoggerSlot, buf, count);
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(backend.written[4].empty());  // nothing written while it was away
  EXPECT_FALSE(service.ReopenLostSlot(kLoggerSlot));  // only an away slot is reopened
  EXPECT_TRUE(prompter.boxes.empty());

  // Closing an away slot closes nothing more and says nothing.
  backend.missing = {4};
  service.ReadPortSlot(kLoggerSlot, buf, count);
  backend.failClose = true;
  service.ClosePortSlot(kLoggerSlot);
  EXPECT_FALSE(service.IsPortSlotOpen(kLoggerSlot));
  EXPECT_FALSE(service.IsDeviceAway(kLoggerSlot));
  EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(SerialPortServiceTest, SecondSlotOnABusyComIsRefused) {
  service.OpenPortSlot(1, 3);
  service.OpenPortSlot(2, 3);
  EXPECT_EQ(prompter.Last()->text, "Could Not Open COM3");
  EXPECT_TRUE(service.IsPortSlotOpen(1));
  EXPECT_FALSE(service.IsPortSlotOpen(2));
}

TEST_F(SerialPortServiceTest, FailedCloseIsReportedAndTheSlotIsClosedAllTheSame) {
  service.OpenPortSlot(kLoggerSlot, 1);
  backend.failClose = true;
  service.ClosePortSlot(kLoggerSlot);
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Last()->caption, "Comm Error");
  EXPECT_EQ(prompter.Last()->text, "Could Not Close Comm  Port");
  EXPECT_FALSE(service.IsPortSlotOpen(kLoggerSlot));
  service.ClosePortSlot(kLoggerSlot);  // a closed slot is left alone
  EXPECT_EQ(prompter.Notices().size(), 1u);
}

TEST_F(SerialPortServiceTest, ReadsNeverPassTheRoomGivenAndWritesReachTheDevice) {
  service.OpenPortSlot(3, 6);
  std::vector<std::uint8_t> sent(100);
  for (std::size_t i = 0; i < sent.size(); ++i) sent[i] = static_cast<std::uint8_t>(i);
  backend.Feed(6, sent);

  std::uint8_t buf[16];
  std::memset(buf, 0xEE, sizeof buf);
  int count = 10;
  service.ReadPortSlot(3, buf, count);
  EXPECT_EQ(count, 10);
  EXPECT_EQ(buf[9], 9);
  EXPECT_EQ(buf[10], 0xEE);
  count = 0;
  service.ReadPortSlot(3, buf, count);
  EXPECT_EQ(count, 0);
  count = -5;
  service.ReadPortSlot(3, buf, count);
  EXPECT_EQ(count, 0);
  std::vector<std::uint8_t> rest(200);
  count = static_cast<int>(rest.size());
  service.ReadPortSlot(3, rest.data(), count);
  EXPECT_EQ(count, 90);
  EXPECT_EQ(rest[89], 99);

  service.WritePortSlot(3, sent.data(), 5);
  EXPECT_EQ(backend.TakeWritten(6), std::vector<std::uint8_t>(sent.begin(), sent.begin() + 5));
  service.WritePortSlot(4, sent.data(), 5);  // closed slot: dropped
  EXPECT_TRUE(backend.TakeWritten(6).empty());
}

// A device that went away: reads and writes fail at the backend.
class GoneDeviceBackend : public FakeSerialBackend {
 public:
  long Read(Handle, std::uint8_t*, std::size_t) override { return -1; }
  long Write(Handle, const std::uint8_t*, std::size_t) override { return -1; }
};

TEST(SerialPortServiceGoneDevice, ErrorsReadAsNothingAndAreNotReported) {
  GoneDeviceBackend backend;
  ScriptedPrompter prompter;
  SerialPortService service(backend, prompter);
  service.OpenPortSlot(kLoggerSlot, 1);
  std::uint8_t buf[8];
  int count = sizeof buf;
  service.ReadPortSlot(kLoggerSlot, buf, count);
  EXPECT_EQ(count, 0);
  service.WritePortSlot(kLoggerSlot, buf, 4);
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_TRUE(service.IsPortSlotOpen(kLoggerSlot));
}

TEST_F(SerialPortServiceTest, OpeningAnOpenSlotReleasesItsFormerPort) {
  service.OpenPortSlot(kLoggerSlot, 1);
  service.OpenPortSlot(kLoggerSlot, 2);
  EXPECT_FALSE(backend.IsOpen(1));
  EXPECT_EQ(service.OpenComNumber(kLoggerSlot), 2);
}

TEST_F(SerialPortServiceTest, ResetMarksEverySlotClosedWithTheDefaultSetting) {
  service.SetPortBaud(kPortSlots - 1, 600, 8);
  service.OpenPortSlot(4, 9);
  service.ResetPortSlots();
  for (int slot = 0; slot < kPortSlots; ++slot) {
    EXPECT_FALSE(service.IsPortSlotOpen(slot));
    EXPECT_EQ(service.SettingCode(slot), 6);
  }
  // Out-of-range slots are ignored rather than touching memory.
  EXPECT_FALSE(service.IsPortSlotOpen(kPortSlots));
  service.OpenPortSlot(-1, 1);
  EXPECT_EQ(backend.openCalls, 1);
}

TEST(SerialPortServiceLifetime, DestructionClosesOpenSlotsSilently) {
  FakeSerialBackend backend;
  ScriptedPrompter prompter;
  {
    SerialPortService service(backend, prompter);
    service.OpenPortSlot(kLoggerSlot, 1);
    service.OpenPortSlot(6, 2);
  }
  EXPECT_FALSE(backend.IsOpen(1));
  EXPECT_FALSE(backend.IsOpen(2));
  EXPECT_TRUE(prompter.boxes.empty());
}

}  // namespace
}  // namespace qv
