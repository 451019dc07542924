#include "stream/RecordFile.h"

#include <cerrno>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qv {

namespace {

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
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), mode == OpenMode::Truncate ? "wb" : "ab");
  if (!f) {
    error_ = errno;
    return false;
  }
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
  return true;
}

std::size_t RecordFile::Write(const std::uint8_t* bytes, std::size_t count) {
  if (!file_) return 0;
  if (count == 0) return 0;
  errno = 0;
  const std::size_t n = std::fwrite(bytes, 1, count, file_);
  if (n > 0) {
    size_ += static_cast<std::int64_t>(n);
    unsynced_ = true;
  }
  if (n < count) {
    error_ = errno;
    std::clearerr(file_);  // the next write tries again
  }
  return n;
}

bool RecordFile::Flush() {
  if (!file_ || !unsynced_) return true;
  errno = 0;
  const bool ok = std::fflush(file_) == 0 && SyncToMedium(file_);
  if (!ok) {
    error_ = errno;
    std::clearerr(file_);
  }
  unsynced_ = false;
  return ok;
}

bool RecordFile::Close() {
  if (!file_) return true;
  bool ok = Flush();
  errno = 0;
  if (std::fclose(file_) != 0) {
    ok = false;
    error_ = errno;
  }
  file_ = nullptr;
  return ok;
}

}  // namespace qv
