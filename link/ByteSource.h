// Where the receive pump's bytes come from: the logger port, or another
// source put in its place (an archive being replayed).
#pragma once

#include <cstdint>

namespace qv {

class SerialPortService;

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Writes what is ready, at most `room` bytes, to dst without waiting;
  // returns how many (0 when nothing is ready).
  virtual int ReadInto(std::uint8_t* dst, int room) = 0;
  // A source of whole packets (an archive played back) is read into an empty
  // buffer each cycle, at most one packet a read, and every cycle counts as a
  // packet handled: such a source is never a silent link.
  virtual bool HandsWholePackets() const { return false; }
};

// The logger port, port slot 0.
class LoggerPortSource : public ByteSource {
 public:
  explicit LoggerPortSource(SerialPortService& ports) : ports_(ports) {}
  int ReadInto(std::uint8_t* dst, int room) override;

 private:
  SerialPortService& ports_;
};

}  // namespace qv
