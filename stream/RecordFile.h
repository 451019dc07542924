// A recording file whose writes go straight to the system, so a full disk or a
// removed medium shows at the write that failed; Flush puts them on the medium.
// It holds whole records only: a record cut short is cut off again before
// anything else is written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace qv {

class RecordFile {
 public:
  enum class OpenMode { Truncate, Append };

  RecordFile() = default;
  ~RecordFile() { Close(); }
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Creates or truncates, or opens for appending (creating it if missing);
  // false when the file cannot be opened. An open file is closed first.
  bool Open(const std::string& path, OpenMode mode);
  bool IsOpen() const { return file_ != nullptr; }
  // The file's size, measured when it was opened plus the whole records written since.
  std::int64_t Size() const { return size_; }

  // Appends one record; true when all of it reached the file. A record that
  // only partly did is cut back off the file, at once or, if that fails too,
  // before the next record is written (which is refused until it succeeds).
  bool WriteRecord(const std::uint8_t* bytes, std::size_t count);
  // Puts everything written so far on the medium; false when that failed.
  bool Flush();
  // Flushes and closes; false when the flush failed. Closing a closed file is true.
  bool Close();

 private:
  // Shortens the file to size_, the end of its last whole record.
  bool CutBackToWholeRecords();

  std::FILE* file_ = nullptr;
  std::int64_t size_ = 0;
  bool cutPending_ = false;
  bool unsynced_ = false;
};

}  // namespace qv
