#include "factory/AnalogCalibration.h"

#include <cctype>

#include "common/Format.h"
#include "factory/FactoryTabs.h"
#include "link/CommandLink.h"
#include "link/SerialPortService.h"

namespace qv {

using forms::Control;

std::int16_t ReadCalibrationValue(const std::string& text, int minimum) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
    return static_cast<std::int16_t>(minimum);
  long value = 0;
  // Past the maximum the digits that follow cannot bring it back.
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    if (value <= kCalibrationMaximum) value = value * 10 + (text[i] - '0');
  if (negative) value = -value;
  if (value < minimum) value = minimum;
  if (value > kCalibrationMaximum) value = kCalibrationMaximum;
  return static_cast<std::int16_t>(value);
}

AnalogCalibration::AnalogCalibration(Wiring wiring) : w_(std::move(wiring)) {
  AnalogTab& t = w_.tab;
  const forms::Handler change = [this](Control&) { AnalogSetupChange(); };
  for (int k = 0; k < AnalogCalRecord::kInputs; ++k) {
    t.MEOffset[k].OnChange = change;
    t.MEScale[k].OnChange = change;
  }
  t.BTSendAnalogCalibration.OnClick = [this](Control&) { BTSendAnalogCalibrationClick(); };
  t.BTLoadAnalogFile.OnClick = [this](Control&) { BTLoadAnalogFileClick(); };
  t.BTSaveAnalogFile.OnClick = [this](Control&) { BTSaveAnalogFileClick(); };
}

// The header words are always the host's own, whatever was received.
void AnalogCalibration::BuildAnalogCalRecord() {
  const AnalogTab& t = w_.tab;
  record_ = AnalogCalRecord{};
  for (int k = 0; k < AnalogCalRecord::kInputs; ++k) {
    const auto i = static_cast<std::size_t>(k);
    record_.analogOffset[i] = ReadCalibrationValue(t.MEOffset[k].Text(), kOffsetMinimum);
    record_.analogScale[i] = ReadCalibrationValue(t.MEScale[k].Text(), kScaleMinimum);
  }
}

// Filling the edits raises their change events; the panel goes after them,
// so a received record always leaves the display current.
void AnalogCalibration::ShowAnalogCalRecord(const AnalogCalRecord& record) {
  AnalogTab& t = w_.tab;
  for (int k = 0; k < AnalogCalRecord::kInputs; ++k) {
    const auto i = static_cast<std::size_t>(k);
    t.MEScale[k].SetText(Format("%5d", record.analogScale[i]));
    t.MEOffset[k].SetText(Format("%5d", record.analogOffset[i]));
  }
  t.AnalogPanel.SetVisible(false);
  current_ = true;
}

void AnalogCalibration::ShowAnalogCalRecord(std::span<const std::uint8_t> bytes) {
  if (const auto record = AnalogCalRecord::FromFields(bytes)) ShowAnalogCalRecord(*record);
}

void AnalogCalibration::AnalogSetupChange() {
  w_.tab.AnalogPanel.SetVisible(true);
  current_ = false;
}

void AnalogCalibration::BTSendAnalogCalibrationClick() {
  if (!w_.password.CheckFactoryPassword(w_.tab.ALGPassword.Text())) return;
  BuildAnalogCalRecord();
  const AnalogCalRecord::Bytes bytes = record_.Encode();
  w_.commands.SendAnalogCalibrationRecord(kLoggerSlot, bytes);
}

void AnalogCalibration::BTLoadAnalogFileClick() {
  AnalogCalRecord::Bytes bytes{};
  if (w_.files.ReadRecordFile(kAnalogCalFile, bytes.data()) != 1) return;
  ShowAnalogCalRecord(std::span<const std::uint8_t>(bytes));
  AnalogSetupChange();
}

void AnalogCalibration::BTSaveAnalogFileClick() {
  if (!current_ && !SaveNotCurrentRecordAnyway(w_.prompter, "Analog Calibration")) return;
  BuildAnalogCalRecord();
  const AnalogCalRecord::Bytes bytes = record_.Encode();
  w_.files.WriteRecordFile(kAnalogCalFile, bytes.data());
}

}  // namespace qv
