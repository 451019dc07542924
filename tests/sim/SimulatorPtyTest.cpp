// The simulator on a real pseudo-terminal, seen from the host's side of it:
// the device, its line setting, wrong-baud noise, the line's pace, and the
// list of data packets it sent.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "link/Commands.h"
#include "platform/SystemClock.h"
#include "sim/PtyLink.h"
#include "sim/SentPackets.h"
#include "sim/Simulator.h"
#include "status/StatusRecord.h"
#include "tests/sim/SimTestSupport.h"

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

bool HasStatus(const Bytes& b) {
  for (int type : testing::PacketsIn(b))
    if (type == 3) return true;
  return false;
}

// The first status packet in `b`, decoded.
StatusRecord FirstStatus(const Bytes& b) {
  for (std::size_t i = 0; i + 132 <= b.size(); ++i)
    if (b[i] == 3 && b[i + 1] == 3 && ChecksumValid(b.data() + i, 132))
      return StatusRecord::Decode(b.data() + i);
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
  const LineSetting own{2400, 8, 'N', 1};
  EXPECT_TRUE(link.LinesMatch(LineSetting{2400, 8, 'N', 1}, own));
  EXPECT_FALSE(link.LinesMatch(LineSetting{4800, 8, 'N', 1}, own));
  EXPECT_EQ(link.LinesMatch(LineSetting{2400, 7, 'E', 1}, own), !link.ShowsFraming());
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
    for (std::size_t i = 0; i + 132 <= b.size(); ++i)
      if (b[i] == 3 && b[i + 1] == 3 && ChecksumValid(b.data() + i, 132) &&
          StatusRecord::Decode(b.data() + i).loggerId == 9)
        return true;
    return false;
  });
  EXPECT_EQ(sim.Snapshot().loggerId, 9);

  sim.Stop();
  runner.join();
  EXPECT_GT(sim.Snapshot().packetsSent, 5u);
}

// Compares what the host read with the simulator's list of intact data
// packets: the same packets in the same order, judged the same way.
void ExpectListedAsRead(const Simulator& sim, const Bytes& read) {
  std::uint64_t forgotten = 1;
  const std::vector<SentDataPacket> listed = sim.SentDataPackets(&forgotten);
  EXPECT_EQ(forgotten, 0u);
  std::array<int, 256> last;
  last.fill(255);
  std::size_t n = 0;
  for (const testing::SeenDataPacket& p : testing::DataPacketsIn(read)) {
    if (p.sequence == last[p.loggerId]) {
      ASSERT_GT(n, 0u);
      EXPECT_TRUE(listed[n - 1].repeated) << "entry " << n - 1;
      continue;
    }
    ASSERT_LT(n, listed.size()) << "read more than was listed";
    const SentDataPacket& e = listed[n++];
    EXPECT_EQ(e.loggerId, p.loggerId);
    EXPECT_EQ(e.sequence, p.sequence);
    EXPECT_EQ(e.timeStamp, p.timeStamp);
    EXPECT_EQ(e.payloadLength, p.payload.size());
    EXPECT_EQ(e.payloadHash, PayloadHash(p.payload));
    EXPECT_EQ(e.inSequence, p.sequence == (last[p.loggerId] + 1) % 256) << "entry " << n - 1;
    last[p.loggerId] = p.sequence;
  }
  EXPECT_EQ(n, listed.size());
  EXPECT_EQ(sim.Snapshot().dataPacketsSent, listed.size());
}

// A streaming simulator with the host end open and held from the start.
class StreamingSimulator {
 public:
  StreamingSimulator(const SimOptions& o, speed_t speed) : sim_(o, clock_) {
    std::string error;
    EXPECT_TRUE(sim_.Open(error)) << error;
    host_ = std::make_unique<HostEnd>(sim_.DevicePath());
    host_->SetLine(speed, CS8, 0);
    ioctl(host_->Fd(), TIOCEXCL);
    runner_ = std::thread([this] { sim_.Run(); });
  }
  ~StreamingSimulator() { Stop(); }
  void Stop() {
    sim_.Stop();
    if (runner_.joinable()) runner_.join();
  }
  Simulator& Sim() { return sim_; }
  HostEnd& Host() { return *host_; }

 private:
  SystemClock clock_;
  Simulator sim_;
  std::unique_ptr<HostEnd> host_;
  std::thread runner_;
};

TEST(SimulatorStreamTest, ListsEveryIntactDataPacketTheHostRead) {
  SimOptions o;
  o.line = LineSetting{115200, 8, 'N', 1};
  o.stream = true;
  o.chain = 2;
  o.rateHz = 10;
  o.packetGapRate = 0.2;
  o.packetRepeatRate = 0.2;
  o.packetCorruptRate = 0.2;
  StreamingSimulator s(o, B115200);
  Bytes read = s.Host().ReadFor(1500ms);
  s.Stop();
  const Bytes rest = s.Host().ReadFor(200ms);
  read.insert(read.end(), rest.begin(), rest.end());

  const SimSnapshot snap = s.Sim().Snapshot();
  EXPECT_TRUE(snap.streaming);
  EXPECT_GE(snap.streamed.packets, 25u);
  EXPECT_GT(snap.streamed.skipped, 0u);
  EXPECT_GT(snap.streamed.repeated, 0u);
  EXPECT_GT(snap.streamed.corrupted, 0u);
  EXPECT_EQ(snap.dataPacketsOverrun, 0u);
  // All but the corrupted ones, less any still waiting for the line at the stop.
  EXPECT_LE(snap.dataPacketsSent, snap.streamed.packets - snap.streamed.corrupted);
  EXPECT_GE(snap.dataPacketsSent + 2, snap.streamed.packets - snap.streamed.corrupted);
  ExpectListedAsRead(s.Sim(), read);
}

TEST(SimulatorStreamTest, OutputKeepsToATenthOfTheBaudAndTheRestIsLost) {
  SimOptions o;
  o.line = LineSetting{2400, 8, 'N', 1};
  o.stream = true;
  o.chain = 4;
  o.rateHz = 20;
  StreamingSimulator s(o, B2400);
  Bytes read = s.Host().ReadFor(500ms);
  const auto start = std::chrono::steady_clock::now();
  const Bytes measured = s.Host().ReadFor(2000ms);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  s.Stop();
  read.insert(read.end(), measured.begin(), measured.end());
  const Bytes rest = s.Host().ReadFor(300ms);
  read.insert(read.end(), rest.begin(), rest.end());

  EXPECT_NEAR(static_cast<double>(measured.size()) / seconds, 240.0, 36.0);
  const std::vector<int> types = testing::PacketsIn(measured);
  EXPECT_GE(std::count(types.begin(), types.end(), 3), 1) << "data does not crowd status out";
  const SimSnapshot snap = s.Sim().Snapshot();
  EXPECT_GT(snap.dataPacketsOverrun, snap.streamed.packets / 2) << "the chain needs far more";
  EXPECT_LE(snap.bytesQueued, 240u + 132u);
  ExpectListedAsRead(s.Sim(), read);
}

}  // namespace
}  // namespace qv
