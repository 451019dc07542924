// The simulator on a real pseudo-terminal, seen from the host's side of it:
// the device, its line setting and wrong-baud noise. (The line's pace and the
// list of data packets it sent are tested in virtual time.)
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/SystemClock.h"
#include "protocol/Commands.h"
#include "protocol/StatusRecord.h"
#include "sim/PtyLink.h"
#include "sim/SentPackets.h"
#include "sim/Simulator.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/QvsimProcess.h"

extern char** environ;

namespace qv {
namespace {

using testing::Bytes;
using namespace std::chrono_literals;

// The device opened the way the host opens its logger port.
class HostEnd {
 public:
  explicit HostEnd(const std::string& path, bool raw = true) {
    fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ >= 0 && raw) SetLine(B9600, CS8, 0);
  }
  ~HostEnd() {
    if (fd_ >= 0) close(fd_);
  }
  bool Ok() const { return fd_ >= 0; }
  int Fd() const { return fd_; }

  // Linux refuses (EINVAL) a framing change alone on a pseudo-terminal, which
  // keeps 8 bits without parity anyway; the baud always takes.
  void SetLine(speed_t speed, tcflag_t size, tcflag_t parity) {
    termios t{};
    ASSERT_EQ(tcgetattr(fd_, &t), 0);
    cfmakeraw(&t);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD);
    t.c_cflag |= size | parity | CLOCAL | CREAD;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    tcsetattr(fd_, TCSANOW, &t);
  }
  termios Line() const {
    termios t{};
    tcgetattr(fd_, &t);
    return t;
  }
  // A new setting, and nothing kept that came before it.
  void ChangeLine(speed_t speed) {
    SetLine(speed, CS8, 0);
    std::this_thread::sleep_for(50ms);
    tcflush(fd_, TCIFLUSH);
  }

  void Write(const Bytes& bytes) {
    ASSERT_EQ(write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Reads for `limit`, or until `done` says enough.
  Bytes ReadFor(std::chrono::milliseconds limit,
                const std::function<bool(const Bytes&)>& done = nullptr) {
    Bytes got;
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      std::uint8_t buf[4096];
      const ssize_t n = read(fd_, buf, sizeof buf);
      if (n > 0) got.insert(got.end(), buf, buf + n);
      if (done && done(got)) break;
    }
    return got;
  }

 private:
  int fd_ = -1;
};

// Every status packet in `b`, decoded.
std::vector<StatusRecord> StatusesIn(const Bytes& b) {
  std::vector<StatusRecord> found;
  for (std::size_t i = 0; i < b.size(); ++i)
    if (auto r = StatusRecord::Decode(std::span<const std::uint8_t>(b).subspan(i)))
      found.push_back(*r);
  return found;
}

bool HasStatus(const Bytes& b) { return !StatusesIn(b).empty(); }

// The first status packet in `b`, decoded.
StatusRecord FirstStatus(const Bytes& b) {
  const std::vector<StatusRecord> found = StatusesIn(b);
  if (!found.empty()) return found.front();
  ADD_FAILURE() << "no status packet";
  return {};
}

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/qvsim-test-XXXXXX";
    path_ = mkdtemp(pattern) ? pattern : "";
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string Path(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string LinkTarget(const std::string& path) {
  char target[PATH_MAX];
  const ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
  return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : "";
}

TEST(PtyLinkTest, ShowsTheLineTheHostApplied) {
  PtyLink link;
  std::string error;
  ASSERT_TRUE(link.Open(LineSetting{19200, 8, 'N', 1}, "", error)) << error;
  EXPECT_EQ(link.HostLine().baud, 19200);

  HostEnd host(link.DevicePath(), false);
  ASSERT_TRUE(host.Ok());
  struct Case {
    speed_t speed;
    tcflag_t size, parity;
    LineSetting expected;
  };
  for (const Case& c : {Case{B9600, CS8, 0, {9600, 8, 'N', 1}},
                        Case{B9600, CS7, PARENB, {9600, 7, 'E', 1}},
                        Case{B4800, CS7, PARENB | PARODD, {4800, 7, 'O', 1}},
                        Case{B115200, CS8, 0, {115200, 8, 'N', 1}},
                        Case{B300, CS8, 0, {0, 8, 'N', 1}}}) {
    host.SetLine(c.speed, c.size, c.parity);
    const LineSetting seen = link.HostLine();
    EXPECT_EQ(seen.baud, c.expected.baud);
    if (link.ShowsFraming()) {
      EXPECT_EQ(seen.dataBits, c.expected.dataBits);
      EXPECT_EQ(seen.parity, c.expected.parity);
    }
  }

  // The probe at open tells the truth about this system's devices.
  host.SetLine(B2400, CS7, PARENB);
  const bool kept = (host.Line().c_cflag & CSIZE) == CS7 && (host.Line().c_cflag & PARENB);
  EXPECT_EQ(link.ShowsFraming(), kept);
}

TEST(PtyLinkTest, CarriesBytesRawBothWaysWithoutEcho) {
  PtyLink link;
  std::string error;
  ASSERT_TRUE(link.Open(LineSetting{9600, 8, 'N', 1}, "", error)) << error;
  HostEnd host(link.DevicePath(), false);  // the device as it is, before any host setting
  ASSERT_TRUE(host.Ok());

  const Bytes toHost{0x03, 0x03, '\n', '\r', 0x7F, 0x11, 0x00, 0xFF};
  ASSERT_EQ(link.Write(toHost.data(), toHost.size()), static_cast<long>(toHost.size()));
  EXPECT_EQ(host.ReadFor(300ms, [&](const Bytes& b) { return b.size() >= toHost.size(); }), toHost);

  const Bytes toLogger{0x02, 0x02, '\n', 0x13, 0x04, 0xFF};
  host.Write(toLogger);
  std::this_thread::sleep_for(50ms);
  std::uint8_t buf[64];
  ASSERT_EQ(link.Read(buf, sizeof buf), static_cast<long>(toLogger.size()));
  EXPECT_EQ(Bytes(buf, buf + toLogger.size()), toLogger);
  EXPECT_EQ(link.Read(buf, sizeof buf), 0);
  EXPECT_TRUE(host.ReadFor(100ms).empty()) << "nothing echoed";
}

TEST(PtyLinkTest, UnreadBytesCanBeThrownAwayUnlessTheHostHoldsTheDevice) {
  PtyLink link;
  std::string error;
  ASSERT_TRUE(link.Open(LineSetting{9600, 8, 'N', 1}, "", error)) << error;
  HostEnd host(link.DevicePath());
  const Bytes bytes(100, 0x55);
  link.Write(bytes.data(), bytes.size());
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(link.Unread(), 100u);
  EXPECT_FALSE(link.HeldExclusively());
  link.DiscardUnread();
  EXPECT_EQ(link.Unread(), 0u);
  EXPECT_TRUE(host.ReadFor(100ms).empty());
  ASSERT_EQ(ioctl(host.Fd(), TIOCEXCL), 0);
  EXPECT_TRUE(link.HeldExclusively());
}

TEST(PtyLinkTest, TheLinkReplacesAnOldLinkButNeverAFile) {
  TempDir dir;
  const std::string path = dir.Path("logger");
  ASSERT_EQ(symlink("/dev/null", path.c_str()), 0);
  {
    PtyLink link;
    std::string error;
    ASSERT_TRUE(link.Open(LineSetting{9600, 8, 'N', 1}, path, error)) << error;
    EXPECT_EQ(LinkTarget(path), link.DevicePath());
  }
  struct stat st{};
  EXPECT_NE(lstat(path.c_str(), &st), 0) << "link removed on close";

  std::ofstream(path) << "keep me";
  PtyLink link;
  std::string error;
  EXPECT_FALSE(link.Open(LineSetting{9600, 8, 'N', 1}, path, error));
  EXPECT_NE(error.find("not a symbolic link"), std::string::npos) << error;
  std::string content;
  std::getline(std::ifstream(path), content);
  EXPECT_EQ(content, "keep me");
}

TEST(SimulatorTest, TalksAtItsOwnBaudAndOnlyNoiseAtAnother) {
  TempDir dir;
  SimOptions o;
  o.statusPeriodMs = 200;
  o.linkPath = dir.Path("logger");
  SystemClock clock;
  Simulator sim(o, clock);
  std::string error;
  ASSERT_TRUE(sim.Open(error)) << error;
  std::thread runner([&] { sim.Run(); });

  HostEnd host(o.linkPath);  // through the link, at 9600 8N1 like the logger
  ASSERT_TRUE(host.Ok());
  const Bytes first = host.ReadFor(2000ms, HasStatus);
  ASSERT_TRUE(HasStatus(first));
  EXPECT_EQ(FirstStatus(first).loggerId, 1);

  host.ChangeLine(B19200);
  host.Write(testing::FrameBytes(CmdSetLoggerId, 9));  // unreadable to the logger
  const Bytes noise = host.ReadFor(1000ms);
  EXPECT_GE(noise.size(), 3u * 132u);
  EXPECT_TRUE(testing::PacketsIn(noise).empty());
  const SimSnapshot atWrongBaud = sim.Snapshot();
  EXPECT_EQ(atWrongBaud.hostLine.baud, 19200);
  EXPECT_GT(atWrongBaud.packetsGarbled, 0u);
  EXPECT_EQ(atWrongBaud.bytesIgnored, 12u);

  host.ChangeLine(B9600);
  const Bytes again = host.ReadFor(2000ms, HasStatus);
  ASSERT_TRUE(HasStatus(again));
  EXPECT_EQ(FirstStatus(again).loggerId, 1);

  host.Write(testing::FrameBytes(CmdSetLoggerId, 9));
  host.ReadFor(2000ms, [](const Bytes& b) {
    for (const StatusRecord& r : StatusesIn(b))
      if (r.loggerId == 9) return true;
    return false;
  });
  EXPECT_EQ(sim.Snapshot().loggerId, 9);

  sim.Stop();
  runner.join();
  EXPECT_GT(sim.Snapshot().packetsSent, 5u);
}

// The program itself: its options, the device and link it makes, SIGHUP as
// a power cycle and SIGTERM as a clean end.
struct Qvsim : testing::QvsimProcess {
  explicit Qvsim(const std::vector<std::string>& args) : QvsimProcess(QV_QVSIM, args) {}
};

TEST(QvsimProgramTest, RefusesABadOption) {
  Qvsim sim({"--baud", "300"});
  EXPECT_NE(sim.Line().find("--baud"), std::string::npos);
  EXPECT_EQ(sim.Wait(), 2);
}

TEST(QvsimProgramTest, ServesTheHostOnItsLinkUntilTerminated) {
  TempDir dir;
  const std::string link = dir.Path("logger");
  Qvsim sim({"--link", link, "--baud", "19200", "--id", "5", "--quiet"});
  const std::string first = sim.Line();
  ASSERT_EQ(first.rfind("qvsim: logger on /dev/", 0), 0u) << first;
  EXPECT_EQ(LinkTarget(link), first.substr(std::string("qvsim: logger on ").size()));

  HostEnd host(link);
  ASSERT_TRUE(host.Ok());
  host.SetLine(B19200, CS8, 0);
  const Bytes heard = host.ReadFor(3000ms, HasStatus);
  ASSERT_TRUE(HasStatus(heard));
  EXPECT_EQ(FirstStatus(heard).loggerId, 5);

  // SIGHUP power-cycles the logger: a run begun ends.
  host.Write(testing::FrameBytes(CmdBeginSample));
  auto stateIs = [](OperationState state) {
    return [state](const Bytes& b) {
      const std::vector<StatusRecord> all = StatusesIn(b);
      return !all.empty() && all.back().operationState == state;
    };
  };
  EXPECT_TRUE(stateIs(OperationState::Delay)(host.ReadFor(3000ms, stateIs(OperationState::Delay))));
  sim.Signal(SIGHUP);
  EXPECT_TRUE(stateIs(OperationState::Standby)(host.ReadFor(3000ms, stateIs(OperationState::Standby))));

  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(), 0);
  struct stat st{};
  EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link goes with the simulator";
}

}  // namespace
}  // namespace qv
