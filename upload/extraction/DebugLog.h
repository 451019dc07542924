// "log.dat": one line per record head read while the "Write Debug File"
// option is on, with the largest record length seen since the log was opened.
#pragma once

#include <string>

#include "protocol/RunFile.h"
#include "upload/extraction/Files.h"

namespace qv {

class DebugLog {
 public:
  static constexpr const char* kFileName = "log.dat";

  // Opens "log.dat" in `folder` for appending unless it is open there
  // already; false when it cannot be opened.
  bool OpenIn(const std::string& folder);
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Folder() const { return folder_; }
  // False when the line could not be written.
  bool Record(const RunRecordHead& head);
  bool Flush() { return file_.Flush(); }
  bool Close() { return file_.Close(); }

 private:
  OutputFile file_;
  std::string folder_;
  int largest_ = 0;
};

}  // namespace qv
