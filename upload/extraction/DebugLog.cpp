#include "upload/extraction/DebugLog.h"

#include <filesystem>

#include "common/Format.h"

namespace qv {

bool DebugLog::OpenIn(const std::string& folder) {
  if (file_.IsOpen() && folder == folder_) return true;
  file_.Close();
  const std::string path = (std::filesystem::path(folder) / kFileName).string();
  if (!file_.Open(path, OutputFile::Mode::Append)) return false;
  folder_ = folder;
  largest_ = 0;
  return true;
}

bool DebugLog::Record(const RunRecordHead& head) {
  std::string line;
  if (const char* name = RunRecordDebugName(head.type))
    line = Format("%s Size %d\r\n", name, head.length);
  else
    line = Format("Unknown Type %d Size %d\r\n", head.type, head.length);
  if (head.length == largest_) {
    line += Format("Repeated MaxSize = %d%c%c", head.length, '\r', '\n');
  } else if (head.length > largest_) {
    line += Format("MaxSize = %d%c%c", head.length, '\r', '\n');
    largest_ = head.length;
  }
  return file_.Write(line);
}

}  // namespace qv
