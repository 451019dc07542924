// The logger in single-port test mode: the chosen port's instrument output
// passed on raw to the host line, at the host-port setting the test asked
// for. What the instrument says is garbled where the test's port setting
// differs from the instrument's own line; the analog ports give a line of
// their voltages each second.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/SerialBackend.h"
#include "protocol/PortTestFrame.h"
#include "protocol/SetupRecord.h"
#include "sim/LineGarbler.h"
#include "sim/SimMeter.h"

namespace qv {

class PortTestMode {
 public:
  // Analog input n (1..7) in millivolts, 0 for an input the logger lacks.
  using AnalogReading = std::function<std::int32_t(int n)>;

  PortTestMode(const PortTestFrame& frame, const SetupBytes& setup, std::int64_t startMs,
               std::uint64_t seed);

  const PortTestFrame& Frame() const { return frame_; }
  // The line the host port runs at during the test.
  LineSetting HostLine() const;
  // Appends what the port passes on up to `toMs`; `utc` is the calendar time then.
  void Produce(std::int64_t toMs, std::int64_t utc, const AnalogReading& analogMv,
               std::vector<std::uint8_t>& out);

 private:
  PortTestFrame frame_;
  SimMeter meter_;
  bool meterHeard_ = true;  // the test's port setting is the instrument's own
  LineGarbler garbler_;
  std::int64_t nextAnalogMs_;
};

}  // namespace qv
