// Opens, reads, writes and closes serial devices with termios so that a poll
// tick never waits and a dead device never freezes the program.
#include "platform/PosixSerialBackend.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <chrono>
#include <utility>

namespace qv {

namespace {

// The bauds of the logger link and their terminal speeds.
struct Speed {
  int baud;
  speed_t speed;
};
constexpr Speed kSpeeds[] = {{600, B600},     {1200, B1200},   {2400, B2400},
                             {4800, B4800},   {9600, B9600},   {19200, B19200},
                             {38400, B38400}, {57600, B57600}, {115200, B115200}};

bool SpeedFor(int baud, speed_t& speed) {
  for (const Speed& s : kSpeeds) {
    if (s.baud != baud) continue;
    speed = s.speed;
    return true;
  }
  return false;
}

bool SizeFor(int dataBits, tcflag_t& size) {
  switch (dataBits) {
    case 5: size = CS5; return true;
    case 6: size = CS6; return true;
    case 7: size = CS7; return true;
    case 8: size = CS8; return true;
    default: return false;
  }
}

// How long a write may take before the device counts as dead: the line time
// of the bytes at ten bits each, plus slack for a slow driver.
std::chrono::milliseconds WriteTimeLimit(std::size_t count, int baud) {
  long long lineMs = baud > 0 ? static_cast<long long>(count) * 10 * 1000 / baud : 0;
  return std::chrono::milliseconds(lineMs + 2000);
}

}  // namespace

int BaudOfSpeed(speed_t speed) {
  for (const Speed& s : kSpeeds)
    if (s.speed == speed) return s.baud;
  return 0;
}

bool BuildTermios(const LineSetting& setting, termios& inOut) {
  speed_t speed{};
  tcflag_t size{};
  if (!SpeedFor(setting.baud, speed) || !SizeFor(setting.dataBits, size)) return false;
  if (setting.parity != 'N' && setting.parity != 'E' && setting.parity != 'O') return false;
  if (setting.stopBits != 1 && setting.stopBits != 2) return false;

  termios t = inOut;
  cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= size | CLOCAL | CREAD;
  if (setting.parity != 'N') t.c_cflag |= PARENB;
  if (setting.parity == 'O') t.c_cflag |= PARODD;
  if (setting.stopBits == 2) t.c_cflag |= CSTOPB;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) return false;
  inOut = t;
  return true;
}

bool LineUsable(const termios& wanted, const termios& applied) {
  constexpr tcflag_t kInputOff =
      IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY;
  constexpr tcflag_t kLocalOff = ECHO | ECHONL | ICANON | ISIG | IEXTEN;
  return (applied.c_iflag & kInputOff) == 0 && (applied.c_oflag & OPOST) == 0 &&
         (applied.c_lflag & kLocalOff) == 0 && (applied.c_cflag & CRTSCTS) == 0 &&
         (applied.c_cflag & (CLOCAL | CREAD)) == (CLOCAL | CREAD) &&
         (applied.c_cflag & CSTOPB) == (wanted.c_cflag & CSTOPB) && applied.c_cc[VMIN] == 0 &&
         applied.c_cc[VTIME] == 0 && cfgetispeed(&applied) == cfgetispeed(&wanted) &&
         cfgetospeed(&applied) == cfgetospeed(&wanted);
}

namespace {

// Applies the line and reads back what the device took: a port is raw at its
// baud or it is not opened. A device that refuses the data bits or parity as
// a whole gets 8 bits without parity instead.
bool ApplyLine(int fd, const termios& wanted) {
  if (tcsetattr(fd, TCSANOW, &wanted) != 0) {
    termios plain = wanted;
    plain.c_cflag = (plain.c_cflag & ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD)) | CS8;
    if (tcsetattr(fd, TCSANOW, &plain) != 0) return false;
  }
  // tcsetattr succeeds when any part of the change took, so only reading
  // the line back tells.
  termios applied{};
  return tcgetattr(fd, &applied) == 0 && LineUsable(wanted, applied);
}

}  // namespace

PosixSerialBackend::~PosixSerialBackend() {
  for (const auto& open : baudOf_) {
    ioctl(open.first, TIOCNXCL);
    close(open.first);
  }
}

SerialBackend::Handle PosixSerialBackend::Open(int comNumber, const LineSetting& setting) {
  std::string path = table_.Path(comNumber);
  if (path.empty()) return kInvalidHandle;
  int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return kInvalidHandle;
  // TIOCEXCL keeps other users out, the lock also keeps out root, whom
  // TIOCEXCL lets through.
  termios t{};
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0 || tcgetattr(fd, &t) != 0 ||
      !BuildTermios(setting, t) || !ApplyLine(fd, t)) {
    ioctl(fd, TIOCNXCL);
    close(fd);
    return kInvalidHandle;
  }
  baudOf_[fd] = setting.baud;
  return fd;
}

bool PosixSerialBackend::Close(Handle h) {
  if (baudOf_.erase(h) == 0) return false;
  ioctl(h, TIOCNXCL);
  // After EINTR Linux has released the descriptor all the same.
  return close(h) == 0 || errno == EINTR;
}

long PosixSerialBackend::Read(Handle h, std::uint8_t* buffer, std::size_t max) {
  if (baudOf_.count(h) == 0) return -1;
  if (max == 0) return 0;
  for (;;) {
    ssize_t n = read(h, buffer, max);
    if (n > 0) return static_cast<long>(n);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
    // With VMIN and VTIME 0 an empty read is either silence or a hung-up
    // device; only the poll flags tell them apart.
    pollfd p{h, POLLIN, 0};
    if (poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) return -1;
    return 0;
  }
}

long PosixSerialBackend::Write(Handle h, const std::uint8_t* bytes, std::size_t count) {
  auto open = baudOf_.find(h);
  if (open == baudOf_.end()) return -1;
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + WriteTimeLimit(count, open->second);
  std::size_t done = 0;
  while (done < count) {
    ssize_t n = write(h, bytes + done, count - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return -1;
    pollfd p{h, POLLOUT, 0};
    int ready = poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
    if (ready < 0 && errno != EINTR) return -1;
    if (ready > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) return -1;
  }
  return static_cast<long>(count);
}

}  // namespace qv
