// The logger's two factory records: its hardware configuration (model,
// serial number, relays) and its analog calibration. The converter counts
// of the battery and analog inputs are read through the calibration, so a
// calibration sent by the host shows in the voltages of the status record.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "protocol/AnalogCalRecord.h"
#include "protocol/HardwareConfigRecord.h"

namespace qv {

class FactoryRecords {
 public:
  // The records a unit of `model` leaves the factory with.
  FactoryRecords(int model, std::int16_t serialNumber, std::int16_t runStopSwitch);

  const HardwareConfigRecord& Hardware() const { return hardware_; }
  const AnalogCalRecord& Calibration() const { return calibration_; }
  // A record the host sent whole: taken when its type bytes and byte sum are
  // right. Says what happened, for the log; empty when it was refused.
  std::string TakeHardware(std::span<const std::uint8_t> bytes);
  std::string TakeCalibration(std::span<const std::uint8_t> bytes);

  // The millivolts the logger reports for input `input` (0 the battery,
  // 1..7 A1..A7) whose true voltage is `trueMv`: converted to counts with the
  // factory's calibration and back with the one in force.
  std::int32_t ReportedMv(int input, std::int32_t trueMv) const;

 private:
  HardwareConfigRecord hardware_;
  AnalogCalRecord factory_;      // how the converter really behaves
  AnalogCalRecord calibration_;  // what the logger believes
};

}  // namespace qv
