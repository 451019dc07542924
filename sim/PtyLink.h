// The simulator's end of a pseudo-terminal that the host opens as its serial device;
// the device end stays open and raw all along, to read the host's line setting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/SerialBackend.h"

namespace qv {

class PtyLink {
 public:
  PtyLink() = default;
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  // Opens the pair with the device end raw at `line`; with a link path, also
  // points a symbolic link there (replacing an older link, never a file).
  // False with the reason in `error`.
  bool Open(const LineSetting& line, const std::string& linkPath, std::string& error);
  void Close();

  const std::string& DevicePath() const { return devicePath_; }
  const std::string& LinkPath() const { return linkPath_; }
  int MasterFd() const { return master_; }

  // What the host has sent: the count, 0 when nothing waits, -1 on an error.
  long Read(std::uint8_t* buffer, std::size_t max);
  // Takes what fits now; the count taken, -1 on an error.
  long Write(const std::uint8_t* bytes, std::size_t count);

  // The line the host has applied to the device (baud 0 when not a known one).
  LineSetting HostLine() const;
  // Whether the device keeps data bits and parity as set. Linux's
  // pseudo-terminals force 8 bits without parity, so only the baud shows.
  bool ShowsFraming() const { return showsFraming_; }
  // Bytes sent to the host that it has not read yet.
  std::size_t Unread() const;
  // True while a program holds the device exclusively, as the host does.
  bool HeldExclusively() const;
  // Throws those away, as a line does when no one listens.
  void DiscardUnread();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string devicePath_;
  std::string linkPath_;
  bool showsFraming_ = true;
};

}  // namespace qv
