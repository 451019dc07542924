#include "sim/PortUse.h"

#include "sim/LoggerModel.h"

namespace qv {

int AnalogPortsOn(const SetupBytes& setup, int model) {
  const SetupView s(setup);
  const ModelPorts hw = PortsOfModel(model);
  int on = 0;
  for (int n = 1; n <= 7; ++n)
    if (PortPresent(hw.analogMask, n) && s.AnalogPortMode(n) == 1) ++on;
  return on;
}

bool AnyPumpOn(const SetupBytes& setup, int model) {
  const SetupView s(setup);
  const ModelPorts hw = PortsOfModel(model);
  for (int n = 1; n <= 4; ++n)
    if (PortPresent(hw.pumpMask, n) && s.PumpPortMode(n) != 0) return true;
  for (int n = 1; n <= 7; ++n)
    if (PortPresent(hw.analogMask, n) && s.AnalogPortMode(n) == 2) return true;
  for (int p = 1; p <= 8; ++p)
    if (PortPresent(hw.serialMask, p) && s.PortMeterType(p) == 7) return true;
  return false;
}

bool RemoteHostOn(const SetupBytes& setup, int model) {
  const SetupView s(setup);
  const ModelPorts hw = PortsOfModel(model);
  for (int p = 1; p <= 8; ++p)
    if (PortPresent(hw.serialMask, p) && s.PortMeterType(p) == 8) return true;
  return false;
}

}  // namespace qv
