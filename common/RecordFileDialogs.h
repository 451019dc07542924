// Saving and loading a fixed-size record as raw bytes through a file dialog:
// the logger setup, hardware configuration and analog calibration files.
// One save and one open dialog serve every kind, so each keeps the file name
// of its last use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/Prompter.h"

namespace qv {

struct RecordFileKind {
  const char* saveTitle;
  const char* openTitle;
  const char* extension;
  const char* filter;
  int size;
};

inline constexpr RecordFileKind kLoggerSetupFile{
    "Save Logger Setup", "Load Logger Setup", "lst",
    "Logger Setup (*.lst)|*.lst|All Files (*.*)|*.*", 192};
inline constexpr RecordFileKind kHardwareConfigFile{
    "Save Hardware Configuration File", "Load Hardare Configuration File", "hdw",
    "Hardware Configuration (*.hdw)|*.hdw|All Files (*.*)|*.*", 58};
inline constexpr RecordFileKind kAnalogCalFile{
    "Save Analog Calibration File", "Load Analog Calibration File", "alg",
    "Analog Calibration (*.alg)|*.alg|All Files (*.*)|*.*", 44};

class RecordFileDialogs {
 public:
  explicit RecordFileDialogs(Prompter& prompter) : prompter_(prompter) {}

  // Asks for a file and writes the kind's size of `record` to it. A file that
  // cannot be written whole is told ("File Error"); false then and on Cancel.
  bool WriteRecordFile(const RecordFileKind& kind, const std::uint8_t* record);
  // Asks for a file and reads one whole record from it into `record`: 1 when
  // done, 0 on Cancel or when the file cannot be read or is too short (told,
  // and `record` is left as it was). A longer file gives its first bytes.
  int ReadRecordFile(const RecordFileKind& kind, std::uint8_t* record);

  // The file name each dialog holds after its last use (kept on Cancel).
  const std::string& SaveDialogName() const { return saveName_; }
  const std::string& OpenDialogName() const { return openName_; }

 private:
  Prompter& prompter_;
  std::string saveName_;
  std::string openName_;
};

}  // namespace qv
