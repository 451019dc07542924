#include "sim/LoggerLine.h"

#include "common/Format.h"

namespace qv {

bool IsHostPortBaud(int baud) {
  switch (baud) {
    case 600: case 1200: case 2400: case 4800: case 9600:
    case 19200: case 38400: case 57600: case 115200:
      return true;
    default:
      return false;
  }
}

LineSetting LineOfHostPortEntry(std::int32_t baud, std::int16_t dataBits) {
  if (!IsHostPortBaud(baud)) return LineSetting{9600, 8, 'N', 1};
  if ((baud == 4800 || baud == 9600) && dataBits != 8) return LineSetting{baud, 7, 'E', 1};
  return LineSetting{baud, 8, 'N', 1};
}

LineSetting HostPortLine(const SetupRecord& setup) {
  return LineOfHostPortEntry(setup.PortBaud(0), setup.PortDataBits(0));
}

void SetHostPortLine(SetupRecord& setup, const LineSetting& line) {
  setup.SetPortBaud(0, line.baud);
  setup.SetPortDataBits(0, static_cast<std::int16_t>(line.dataBits));
  setup.SetPortParity(0, line.parity == 'E' ? 2 : line.parity == 'O' ? 1 : 0);
}

bool SameLine(const LineSetting& a, const LineSetting& b) {
  return a.baud == b.baud && a.dataBits == b.dataBits && a.parity == b.parity;
}

std::string LineText(const LineSetting& line) {
  return Format("%d %d%c%d", line.baud, line.dataBits, line.parity, line.stopBits);
}

}  // namespace qv
