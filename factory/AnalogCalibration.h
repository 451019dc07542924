// The analog calibration tab at work: the grid of readings at 0 volts and
// counts per volt shown from a received record or a ".alg" file, built back
// into the record and sent behind the factory password.
#pragma once

#include <span>
#include <string>

#include "common/Prompter.h"
#include "common/RecordFileDialogs.h"
#include "factory/FactoryForms.h"
#include "factory/FactoryPassword.h"
#include "protocol/AnalogCalRecord.h"

namespace qv {

class CommandLink;

inline constexpr int kCalibrationMaximum = 32700;
inline constexpr int kOffsetMinimum = 0;
inline constexpr int kScaleMinimum = 1;

// A grid value as sent: the decimal integer the text starts with (after
// blanks), brought into minimum..32700; text without one gives the minimum.
// Numbers of any length are read without overflow.
std::int16_t ReadCalibrationValue(const std::string& text, int minimum);

class AnalogCalibration {
 public:
  struct Wiring {
    AnalogTab& tab;
    CommandLink& commands;
    Prompter& prompter;
    FactoryPassword& password;
    RecordFileDialogs& files;
  };

  explicit AnalogCalibration(Wiring wiring);

  // Start-up: the record buffer holds the grid's design values.
  void StartUp() { BuildAnalogCalRecord(); }

  void BuildAnalogCalRecord();
  // A received type-6 packet, or a loaded file's fields: into the grid, current.
  void ShowAnalogCalRecord(const AnalogCalRecord& record);
  void ShowAnalogCalRecord(std::span<const std::uint8_t> bytes);
  void AnalogSetupChange();
  void BTSendAnalogCalibrationClick();
  void BTLoadAnalogFileClick();
  void BTSaveAnalogFileClick();

  bool AnalogCurrent() const { return current_; }
  const AnalogCalRecord& Record() const { return record_; }

 private:
  Wiring w_;
  AnalogCalRecord record_;
  bool current_ = false;
};

}  // namespace qv
