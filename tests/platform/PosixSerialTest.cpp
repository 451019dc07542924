// The port slots over the POSIX backend on real pseudo-terminal pairs: what
// the host sets and sends is seen on the master side, and the reverse.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/ScriptedPrompter.h"
#include "link/SerialPortService.h"
#include "platform/PosixSerialBackend.h"

namespace qv {
namespace {

constexpr int kCom = 1;

class PosixSerialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[128] = {};
    ASSERT_EQ(openpty(&master_, &slave_, name, nullptr, nullptr), 0) << std::strerror(errno);
    backend_.Table().Set(kCom, name);
  }
  void TearDown() override {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }

  // A cooked, echoing line with flow control, as a terminal is left.
  void MakeSlaveCooked() {
    termios t{};
    ASSERT_EQ(tcgetattr(slave_, &t), 0);
    t.c_iflag |= ICRNL | IXON | IXOFF | ISTRIP;
    t.c_oflag |= OPOST | ONLCR;
    t.c_lflag |= ECHO | ICANON | ISIG | IEXTEN;
    ASSERT_EQ(tcsetattr(slave_, TCSANOW, &t), 0);
  }

  // The line the slave side has now, read through the test's own descriptor.
  termios SlaveLine() const {
    termios t{};
    EXPECT_EQ(tcgetattr(slave_, &t), 0);
    return t;
  }

  // Everything the host sent, waiting up to `waitMs` for `want` bytes.
  std::vector<std::uint8_t> ReadMaster(std::size_t want, int waitMs = 1000) const {
    std::vector<std::uint8_t> got;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (got.size() < want && std::chrono::steady_clock::now() < until) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      std::uint8_t buf[4096];
      ssize_t n = read(master_, buf, sizeof buf);
      if (n > 0) got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

  // Reads slot 0 in a short poll loop until `want` bytes have come.
  std::vector<std::uint8_t> ReadSlot(std::size_t want) {
    std::vector<std::uint8_t> got;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (got.size() < want && std::chrono::steady_clock::now() < until) {
      std::uint8_t buf[64];
      int count = sizeof buf;
      service_.ReadPortSlot(kLoggerSlot, buf, count);
      got.insert(got.end(), buf, buf + count);
      if (count == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return got;
  }

  int master_ = -1;
  int slave_ = -1;
  PosixSerialBackend backend_{ComPortTable{}};
  ScriptedPrompter prompter_;
  SerialPortService service_{backend_, prompter_};
};

TEST_F(PosixSerialTest, AppliedLineIsRawAtItsBaudOnTheDevice) {
  struct Row {
    int listIndex;
    LineSetting line;
  };
  // "9600, 7,E,1" too: a pseudo-terminal may keep 8 bits, but stays raw at 9600.
  const Row rows[] = {{8, {19200, 8, 'N', 1}},  {11, {115200, 8, 'N', 1}}, {1, {600, 8, 'N', 1}},
                      {0, {9600, 8, 'N', 1}},   {7, {9600, 7, 'E', 1}}};
  MakeSlaveCooked();
  ASSERT_EQ(service_.SelectPortFromList(kLoggerSlot, kCom), kCom);
  for (const Row& r : rows) {
    SCOPED_TRACE(r.listIndex);
    MakeSlaveCooked();  // whatever another program left, the reopen makes it raw
    service_.SelectSettingFromList(kLoggerSlot, r.listIndex);
    ASSERT_TRUE(service_.IsPortSlotOpen(kLoggerSlot));
    termios wanted{};
    ASSERT_TRUE(BuildTermios(r.line, wanted));
    termios t = SlaveLine();
    EXPECT_TRUE(LineUsable(wanted, t));
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
  }
  EXPECT_TRUE(prompter_.boxes.empty());
}

TEST_F(PosixSerialTest, BytesFlowBothWaysUnchangedAndAreNotEchoed) {
  MakeSlaveCooked();
  service_.SelectPortFromList(kLoggerSlot, kCom);
  // Bytes a cooked line would alter: CR, LF, XON/XOFF, DEL, 0xFF.
  const std::vector<std::uint8_t> frame = {0x02, 0x02, 0xA1, 0xA1, 0x0D, 0x0A,
                                           0x11, 0x13, 0x7F, 0xFF, 0x00, 0x03};
  service_.WritePortSlot(kLoggerSlot, frame.data(), static_cast<int>(frame.size()));
  EXPECT_EQ(ReadMaster(frame.size()), frame);

  ASSERT_EQ(write(master_, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
  EXPECT_EQ(ReadSlot(frame.size()), frame);
  EXPECT_TRUE(ReadMaster(1, 100).empty());  // nothing echoed back to the logger
}

TEST_F(PosixSerialTest, ReadWithNothingWaitingReturnsNoBytesAtOnce) {
  service_.SelectPortFromList(kLoggerSlot, kCom);
  std::uint8_t buf[32];
  int count = sizeof buf;
  service_.ReadPortSlot(kLoggerSlot, buf, count);
  EXPECT_EQ(count, 0);
}

TEST_F(PosixSerialTest, WriteLargerThanTheTerminalBufferIsCompleted) {
  service_.SelectSettingFromList(kLoggerSlot, 11);
  service_.SelectPortFromList(kLoggerSlot, kCom);
  std::vector<std::uint8_t> big(64 * 1024);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  std::vector<std::uint8_t> got;
  std::thread reader([&] {
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (got.size() < big.size() && std::chrono::steady_clock::now() < until) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 50) <= 0) continue;
      std::uint8_t buf[4096];
      ssize_t n = read(master_, buf, sizeof buf);
      if (n > 0) got.insert(got.end(), buf, buf + n);
    }
  });
  service_.WritePortSlot(kLoggerSlot, big.data(), static_cast<int>(big.size()));
  reader.join();
  EXPECT_EQ(got, big);
}

TEST_F(PosixSerialTest, DeviceGoneReadsAsNothingAndDoesNotHang) {
  service_.SelectPortFromList(kLoggerSlot, kCom);
  const std::uint8_t pending[] = {1, 2, 3};
  ASSERT_EQ(write(master_, pending, sizeof pending), 3);
  ASSERT_EQ(ReadSlot(3).size(), 3u);
  close(master_);
  master_ = -1;
  for (int i = 0; i < 3; ++i) {
    std::uint8_t buf[16];
    int count = sizeof buf;
    service_.ReadPortSlot(kLoggerSlot, buf, count);
    EXPECT_EQ(count, 0);
    service_.WritePortSlot(kLoggerSlot, pending, sizeof pending);
  }
  EXPECT_TRUE(prompter_.boxes.empty());
}

// The backend itself tells a dead device from silence.
TEST_F(PosixSerialTest, BackendReportsHangUpAsAnError) {
  SerialBackend::Handle h = backend_.Open(kCom, LineSetting{});
  ASSERT_NE(h, SerialBackend::kInvalidHandle);
  std::uint8_t buf[8];
  EXPECT_EQ(backend_.Read(slave_, buf, sizeof buf), -1);  // not one of its handles
  EXPECT_EQ(backend_.Read(h, buf, sizeof buf), 0);
  close(master_);
  master_ = -1;
  EXPECT_EQ(backend_.Read(h, buf, sizeof buf), -1);
  EXPECT_EQ(backend_.Write(h, buf, sizeof buf), -1);
  EXPECT_TRUE(backend_.Close(h));
  EXPECT_FALSE(backend_.Close(h));
}

TEST_F(PosixSerialTest, OpenIsExclusiveUntilClosed) {
  service_.OpenPortSlot(kLoggerSlot, kCom);
  ASSERT_TRUE(service_.IsPortSlotOpen(kLoggerSlot));

  // Another program (here a second backend) is kept out, even as root.
  PosixSerialBackend other(ComPortTable{});
  other.Table().Set(kCom, backend_.DeviceName(kCom));
  EXPECT_EQ(other.Open(kCom, LineSetting{}), SerialBackend::kInvalidHandle);

  service_.OpenPortSlot(2, kCom);
  EXPECT_FALSE(service_.IsPortSlotOpen(2));
  ASSERT_NE(prompter_.Last(), nullptr);
  EXPECT_EQ(prompter_.Last()->caption, "Comm Error");
  EXPECT_EQ(prompter_.Last()->text, "Could Not Open COM1");

  service_.ClosePortSlot(kLoggerSlot);
  SerialBackend::Handle h = other.Open(kCom, LineSetting{});
  EXPECT_NE(h, SerialBackend::kInvalidHandle);
  other.Close(h);
}

TEST_F(PosixSerialTest, ComWithoutADeviceFailsToOpen) {
  for (int com : {2, 12, 0, 13}) {
    SCOPED_TRACE(com);
    EXPECT_EQ(backend_.Open(com, LineSetting{}), SerialBackend::kInvalidHandle);
  }
  backend_.Table().Set(2, "/nonexistent/tty");
  EXPECT_EQ(backend_.Open(2, LineSetting{}), SerialBackend::kInvalidHandle);
  char notATerminal[] = "/tmp/qv-not-a-tty-XXXXXX";
  int fd = mkstemp(notATerminal);
  ASSERT_GE(fd, 0);
  close(fd);
  backend_.Table().Set(3, notATerminal);
  EXPECT_EQ(backend_.Open(3, LineSetting{}), SerialBackend::kInvalidHandle);
  unlink(notATerminal);
}

TEST(BuildTermios, SetsSizeParityAndStopBits) {
  struct Row {
    LineSetting line;
    tcflag_t size;
    bool parity, odd, twoStops;
    speed_t speed;
  };
  const Row rows[] = {
      {{9600, 7, 'E', 1}, CS7, true, false, false, B9600},
      {{4800, 7, 'E', 1}, CS7, true, false, false, B4800},
      {{9600, 8, 'N', 1}, CS8, false, false, false, B9600},
      {{115200, 8, 'N', 1}, CS8, false, false, false, B115200},
      {{1200, 8, 'O', 2}, CS8, true, true, true, B1200},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.line.baud * 100 + r.line.dataBits * 10 + r.line.stopBits);
    termios t{};
    t.c_cflag = CS8 | PARENB | PARODD | CSTOPB | CRTSCTS;  // a line left by another program
    t.c_iflag = IXON | IXOFF | ICRNL;
    t.c_lflag = ICANON | ECHO;
    ASSERT_TRUE(BuildTermios(r.line, t));
    EXPECT_EQ(t.c_cflag & CSIZE, r.size);
    EXPECT_EQ((t.c_cflag & PARENB) != 0, r.parity);
    EXPECT_EQ((t.c_cflag & PARODD) != 0, r.odd);
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, r.twoStops);
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), CLOCAL | CREAD);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(cfgetospeed(&t), r.speed);
    EXPECT_EQ(cfgetispeed(&t), r.speed);
  }
}

TEST(LineUsable, OnlyDataBitsAndParityMayDifferFromTheRawLineAsBuilt) {
  termios wanted{};
  ASSERT_TRUE(BuildTermios({9600, 7, 'E', 1}, wanted));
  struct Row {
    const char* what;
    void (*change)(termios&);
    bool usable;
  };
  const Row rows[] = {
      {"as built", [](termios&) {}, true},
      {"8 bits, no parity", [](termios& t) { t.c_cflag = (t.c_cflag & ~(CSIZE | PARENB)) | CS8; }, true},
      {"echo", [](termios& t) { t.c_lflag |= ECHO; }, false},
      {"line editing", [](termios& t) { t.c_lflag |= ICANON; }, false},
      {"signals", [](termios& t) { t.c_lflag |= ISIG; }, false},
      {"CR to LF in", [](termios& t) { t.c_iflag |= ICRNL; }, false},
      {"LF to CR in", [](termios& t) { t.c_iflag |= INLCR; }, false},
      {"CR dropped in", [](termios& t) { t.c_iflag |= IGNCR; }, false},
      {"8th bit stripped", [](termios& t) { t.c_iflag |= ISTRIP; }, false},
      {"XON/XOFF", [](termios& t) { t.c_iflag |= IXON; }, false},
      {"output processing", [](termios& t) { t.c_oflag |= OPOST | ONLCR; }, false},
      {"hardware flow control", [](termios& t) { t.c_cflag |= CRTSCTS; }, false},
      {"receiver off", [](termios& t) { t.c_cflag &= ~static_cast<tcflag_t>(CREAD); }, false},
      {"reads that wait", [](termios& t) { t.c_cc[VMIN] = 1; }, false},
      {"another baud", [](termios& t) { cfsetspeed(&t, B4800); }, false},
      {"two stop bits", [](termios& t) { t.c_cflag |= CSTOPB; }, false},
  };
  for (const Row& r : rows) {
    termios applied = wanted;
    r.change(applied);
    EXPECT_EQ(LineUsable(wanted, applied), r.usable) << r.what;
  }
}

TEST(BuildTermios, RefusesLinesTheTerminalCannotTakeAndLeavesThemAlone) {
  const LineSetting bad[] = {
      {300, 8, 'N', 1}, {14400, 8, 'N', 1}, {9600, 9, 'N', 1}, {9600, 8, 'M', 1}, {9600, 8, 'N', 3},
  };
  for (const LineSetting& line : bad) {
    termios t{};
    t.c_cflag = CS6 | PARENB;
    EXPECT_FALSE(BuildTermios(line, t));
    EXPECT_EQ(t.c_cflag, CS6 | PARENB);
  }
}

}  // namespace
}  // namespace qv
