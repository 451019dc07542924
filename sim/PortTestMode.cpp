#include "sim/PortTestMode.h"

#include "common/Format.h"
#include "protocol/PortTestFrame.h"

namespace qv {

namespace {
constexpr int kInstrumentDefaultBaud = 9600;  // an instrument on a port the setup leaves off
}  // namespace

PortTestMode::PortTestMode(const PortTestFrame& frame, const SetupBytes& setup,
                           std::int64_t startMs, std::uint64_t seed)
    : frame_(frame), garbler_(seed ^ 0x54455354ull), nextAnalogMs_(startMs + 1000) {
  const int port = frame.testPortNumber;
  if (port < 1 || port > 8) return;
  const SetupView s(setup);
  const std::int16_t type = s.PortMeterType(port);
  const std::int32_t baud = s.PortBaud(port) > 0 ? s.PortBaud(port) : kInstrumentDefaultBaud;
  const std::int16_t bits = s.PortDataBits(port) == 7 ? 7 : 8;
  meter_.Start(type, baud, 1, startMs, seed);
  meterHeard_ = frame.testPortBaud == baud && frame.testPortDataBits == bits;
}

LineSetting PortTestMode::HostLine() const {
  return LineSetting{frame_.hostPortBaud, frame_.hostPortDataBits,
                     frame_.hostPortParity == 2 ? 'E' : frame_.hostPortParity == 1 ? 'O' : 'N', 1};
}

void PortTestMode::Produce(std::int64_t toMs, std::int64_t utc, const AnalogReading& analogMv,
                           std::vector<std::uint8_t>& out) {
  if (frame_.testPortNumber == kTestAnalogPorts) {
    for (; nextAnalogMs_ <= toMs; nextAnalogMs_ += 1000) {
      std::string line = "ANALOG";
      for (int n = 1; n <= 7; ++n) line += Format(" %5.3f", analogMv(n) / 1000.0);
      line += "\r\n";
      out.insert(out.end(), line.begin(), line.end());
    }
    return;
  }
  std::vector<std::uint8_t> said;
  meter_.Produce(toMs, utc, said);
  if (said.empty()) return;
  if (!meterHeard_) said = garbler_.Garble(said);
  out.insert(out.end(), said.begin(), said.end());
}

}  // namespace qv
