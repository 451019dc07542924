#include "link/ByteSource.h"

#include "link/SerialPortService.h"

namespace qv {

int LoggerPortSource::ReadInto(std::uint8_t* dst, int room) {
  int count = room;
  ports_.ReadPortSlot(kLoggerSlot, dst, count);
  return count;
}

}  // namespace qv
