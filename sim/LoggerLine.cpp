#include "sim/LoggerLine.h"

#include "common/Format.h"
#include "protocol/LineSettings.h"

namespace qv {

bool IsHostPortBaud(int baud) { return SettingCodeOf(baud, 8) != 0; }

LineSetting LineOfHostPortEntry(std::int32_t baud, std::int16_t dataBits) {
  const LineCode& line = LineOfSettingCode(HostPortSettingCode(baud, dataBits));
  return LineSetting{line.baud, line.dataBits, line.parity, 1};
}

LineSetting HostPortLine(const SetupView& setup) {
  return LineOfHostPortEntry(setup.PortBaud(0), setup.PortDataBits(0));
}

void SetHostPortLine(SetupRecord& setup, const LineSetting& line) {
  setup.SetPortBaud(0, line.baud);
  setup.SetPortDataBits(0, static_cast<std::int16_t>(line.dataBits));
  setup.SetPortParity(0, ParityCode(line.parity));
}

bool SameLine(const LineSetting& a, const LineSetting& b) {
  return a.baud == b.baud && a.dataBits == b.dataBits && a.parity == b.parity;
}

std::string LineText(const LineSetting& line) {
  return Format("%d %d%c%d", line.baud, line.dataBits, line.parity, line.stopBits);
}

}  // namespace qv
