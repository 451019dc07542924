#include "sim/PtyLink.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/PosixSerialBackend.h"

namespace qv {

namespace {

int DataBitsOf(tcflag_t cflag) {
  switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
  }
}

std::string Why(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

// The link target, or empty when `path` is no symbolic link.
std::string LinkTarget(const std::string& path) {
  char target[PATH_MAX];
  ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
  return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

PtyLink::~PtyLink() { Close(); }

bool PtyLink::Open(const LineSetting& line, const std::string& linkPath, std::string& error) {
  Close();
  if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
    error = Why("cannot open a pseudo-terminal");
    master_ = slave_ = -1;
    return false;
  }
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  // Raw from the start: an echoing device would hand the logger its own packets.
  // A 7-bit even-parity setting at another baud first tells whether the
  // device keeps the framing at all.
  termios t{};
  const LineSetting probe{line.baud == 4800 ? 9600 : 4800, 7, 'E', 1};
  if (tcgetattr(slave_, &t) != 0 || !BuildTermios(probe, t) || tcsetattr(slave_, TCSANOW, &t) != 0 ||
      tcgetattr(slave_, &t) != 0) {
    error = Why("cannot set up the pseudo-terminal");
    Close();
    return false;
  }
  showsFraming_ = (t.c_cflag & CSIZE) == CS7 && (t.c_cflag & PARENB) != 0;
  if (!BuildTermios(line, t) || tcsetattr(slave_, TCSANOW, &t) != 0) {
    error = Why("cannot set up the pseudo-terminal");
    Close();
    return false;
  }
  char name[PATH_MAX] = {};
  if (ptsname_r(master_, name, sizeof name) != 0) {
    error = Why("cannot name the pseudo-terminal");
    Close();
    return false;
  }
  devicePath_ = name;

  if (!linkPath.empty()) {
    struct stat st{};
    if (lstat(linkPath.c_str(), &st) == 0) {
      if (!S_ISLNK(st.st_mode)) {
        error = linkPath + " exists and is not a symbolic link";
        Close();
        return false;
      }
      unlink(linkPath.c_str());
    }
    if (symlink(devicePath_.c_str(), linkPath.c_str()) != 0) {
      error = Why(("cannot make the link " + linkPath).c_str());
      Close();
      return false;
    }
    linkPath_ = linkPath;
  }
  return true;
}

void PtyLink::Close() {
  // Another simulator may have taken the link over since; leave it be then.
  if (!linkPath_.empty() && LinkTarget(linkPath_) == devicePath_) unlink(linkPath_.c_str());
  linkPath_.clear();
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
  slave_ = master_ = -1;
  devicePath_.clear();
}

long PtyLink::Read(std::uint8_t* buffer, std::size_t max) {
  if (master_ < 0) return -1;
  for (;;) {
    ssize_t n = read(master_, buffer, max);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
  }
}

long PtyLink::Write(const std::uint8_t* bytes, std::size_t count) {
  if (master_ < 0) return -1;
  for (;;) {
    ssize_t n = write(master_, bytes, count);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
  }
}

LineSetting PtyLink::HostLine() const {
  LineSetting line{0, 8, 'N', 1};
  termios t{};
  if (slave_ < 0 || tcgetattr(slave_, &t) != 0) return line;
  line.baud = BaudOfSpeed(cfgetospeed(&t));
  line.dataBits = DataBitsOf(t.c_cflag);
  line.parity = (t.c_cflag & PARENB) ? ((t.c_cflag & PARODD) ? 'O' : 'E') : 'N';
  line.stopBits = (t.c_cflag & CSTOPB) ? 2 : 1;
  return line;
}

std::size_t PtyLink::Unread() const {
  int n = 0;
  if (slave_ < 0 || ioctl(slave_, FIONREAD, &n) != 0 || n < 0) return 0;
  return static_cast<std::size_t>(n);
}

bool PtyLink::HeldExclusively() const {
#ifdef TIOCGEXCL
  int held = 0;
  return slave_ >= 0 && ioctl(slave_, TIOCGEXCL, &held) == 0 && held != 0;
#else
  return false;
#endif
}

void PtyLink::DiscardUnread() {
  if (slave_ >= 0) tcflush(slave_, TCIFLUSH);
}

}  // namespace qv
