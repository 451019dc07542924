#include "stream/RecordFile.h"

#include <cerrno>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qv {

namespace {

bool Truncate(std::FILE* f, std::int64_t size) {
#if defined(_WIN32)
  return _chsize_s(_fileno(f), size) == 0 && _fseeki64(f, size, SEEK_SET) == 0;
#else
  return ftruncate(fileno(f), static_cast<off_t>(size)) == 0 &&
         fseeko(f, static_cast<off_t>(size), SEEK_SET) == 0;
#endif
}

// The medium's own flush; devices and pipes that cannot be synced count as done.
bool SyncToMedium(std::FILE* f) {
#if defined(_WIN32)
  return _commit(_fileno(f)) == 0;
#else
  if (fsync(fileno(f)) == 0) return true;
  return errno == EINVAL || errno == EROFS || errno == ENOTSUP;
#endif
}

}  // namespace

bool RecordFile::Open(const std::string& path, OpenMode mode) {
  Close();
  std::FILE* f = std::fopen(path.c_str(), mode == OpenMode::Truncate ? "wb" : "ab");
  if (!f) return false;
  // Unbuffered, so a write's result is the file's and nothing waits in memory.
  std::setvbuf(f, nullptr, _IONBF, 0);
  std::int64_t size = 0;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long end = std::ftell(f);
    if (end > 0) size = end;
  }
  file_ = f;
  size_ = size;
  unsynced_ = false;
  cutPending_ = false;
  return true;
}

bool RecordFile::WriteRecord(const std::uint8_t* bytes, std::size_t count) {
  if (!file_ || count == 0) return false;
  if (cutPending_ && !CutBackToWholeRecords()) return false;
  const std::size_t n = std::fwrite(bytes, 1, count, file_);
  if (n == count) {
    size_ += static_cast<std::int64_t>(n);
    unsynced_ = true;
    return true;
  }
  std::clearerr(file_);  // the next write tries again
  if (n > 0) {
    cutPending_ = true;
    CutBackToWholeRecords();
  }
  return false;
}

bool RecordFile::CutBackToWholeRecords() {
  if (!Truncate(file_, size_)) {
    std::clearerr(file_);
    return false;
  }
  cutPending_ = false;
  return true;
}

bool RecordFile::Flush() {
  if (!file_ || !unsynced_) return true;
  const bool ok = std::fflush(file_) == 0 && SyncToMedium(file_);
  if (!ok) std::clearerr(file_);
  unsynced_ = false;
  return ok;
}

bool RecordFile::Close() {
  if (!file_) return true;
  bool ok = !cutPending_ || CutBackToWholeRecords();
  ok = Flush() && ok;
  if (std::fclose(file_) != 0) ok = false;
  file_ = nullptr;
  return ok;
}

}  // namespace qv
