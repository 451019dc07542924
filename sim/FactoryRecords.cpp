#include "sim/FactoryRecords.h"

#include <cmath>

#include "common/Format.h"
#include "sim/LoggerModel.h"
#include "sim/PortUse.h"

namespace qv {

namespace {
constexpr std::int16_t kSelfPowered = 9;
constexpr std::int16_t kPumpRelay = 8;
}  // namespace

FactoryRecords::FactoryRecords(int model, std::int16_t serialNumber, std::int16_t runStopSwitch) {
  hardware_.deviceType = static_cast<std::int16_t>(model);
  hardware_.hwSerialNumber = serialNumber;
  hardware_.statusLed = 1;
  hardware_.runStopSwitch = runStopSwitch == 0 ? 0 : 1;
  hardware_.reserved = {0x12, 0x34, 0x56, 0x78};  // the factory's own, carried back by the host
  const ModelPorts ports = PortsOfModel(model);
  for (int p = 1; p <= 8; ++p)
    if (PortPresent(ports.serialMask, p))
      hardware_.relays[static_cast<std::size_t>(HardwareConfigRecord::kFirstSerialRelay + p - 1)] =
          static_cast<std::int16_t>(p);
  for (int n = 1; n <= 7; ++n)
    if (PortPresent(ports.analogMask, n))
      hardware_.relays[static_cast<std::size_t>(HardwareConfigRecord::kFirstAnalogRelay + n - 1)] =
          kSelfPowered;
  for (int n = 1; n <= 4; ++n)
    if (PortPresent(ports.pumpMask, n))
      hardware_.relays[static_cast<std::size_t>(HardwareConfigRecord::kFirstPumpRelay + n - 1)] =
          kPumpRelay;

  // Each unit's converter is a little off its nominal figures.
  for (int k = 0; k < AnalogCalRecord::kInputs; ++k) {
    const auto i = static_cast<std::size_t>(k);
    factory_.analogOffset[i] = static_cast<std::int16_t>(k == 0 ? 203 : 148 + k);
    factory_.analogScale[i] = static_cast<std::int16_t>(k == 0 ? 792 : 5320 + 3 * k);
  }
  calibration_ = factory_;
}

std::string FactoryRecords::TakeHardware(std::span<const std::uint8_t> bytes) {
  const auto record = HardwareConfigRecord::Decode(bytes);
  if (!record) return {};
  hardware_ = *record;
  return Format("hardware configuration stored: model %d, serial number %d", hardware_.deviceType,
                hardware_.hwSerialNumber);
}

std::string FactoryRecords::TakeCalibration(std::span<const std::uint8_t> bytes) {
  const auto record = AnalogCalRecord::Decode(bytes);
  if (!record) return {};
  calibration_ = *record;
  return Format("analog calibration stored: battery %d counts at 0 V, %d counts per volt",
                calibration_.analogOffset[0], calibration_.analogScale[0]);
}

std::int32_t FactoryRecords::ReportedMv(int input, std::int32_t trueMv) const {
  if (input < 0 || input >= AnalogCalRecord::kInputs) return trueMv;
  const auto i = static_cast<std::size_t>(input);
  const double counts = factory_.analogOffset[i] + trueMv / 1000.0 * factory_.analogScale[i];
  // A scale the logger cannot divide by reads as one count per volt.
  const double scale = calibration_.analogScale[i] > 0 ? calibration_.analogScale[i] : 1.0;
  return static_cast<std::int32_t>(std::lround((counts - calibration_.analogOffset[i]) * 1000.0 / scale));
}

}  // namespace qv
